# Tree view family tests: the window-free store, walks and layout in both
# builds; the control itself under Wine.
kt_test(tree_core_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/TreeStoreTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TreeRowsTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TreeLayoutTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TreeReference.cpp
    LIBS tx_tree_core)
