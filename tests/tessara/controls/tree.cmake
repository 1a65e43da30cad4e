# Tree view family tests: the window-free store, walks and layout in both
# builds; the control itself under Wine.
kt_test(tree_core_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/TreeStoreTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TreeRowsTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TreeLayoutTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TreeReference.cpp
    LIBS tx_tree_core)

if(WIN32)
    enable_language(RC)
    kt_test(tree_view_test WINDOWS TIMEOUT 120
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/YTreeViewTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/TreeReference.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tree.rc
        LIBS tx_tree)
    target_include_directories(tree_view_test PRIVATE ${CMAKE_SOURCE_DIR})
endif()
