# List view tests: the window-free logic (native and under Wine).
kt_test(listview_core_test
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/ListViewStoreTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ListViewModelTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ListViewPaintTest.cpp
    LIBS tx_listview_core)
