# List view tests: the window-free logic (native and under Wine).
kt_test(listview_core_test
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/ListViewStoreTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ListViewModelTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ListViewPaintTest.cpp
    LIBS tx_listview_core tx_scroll_core)

# The control in real windows under Wine.
kt_test(listview_window_test WINDOWS TIMEOUT 120
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/YListViewTest.cpp
    LIBS tx_listview)
