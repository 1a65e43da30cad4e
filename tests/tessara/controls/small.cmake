# Tests of the grouped list, tab strip, small buttons, progress bar and frame.
kt_test(small_core_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/GroupListModelTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/TabLayoutTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ButtonStatesTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ProgressFrameTest.cpp
    LIBS tx_small_core)

if(WIN32)
    enable_language(RC)
    kt_test(small_controls_test WINDOWS TIMEOUT 120
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/YSmallButtonsTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/YProgressFrameTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/YTabTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/YGroupListTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/YSmallDesignTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/small.rc
        LIBS tx_small)
    target_include_directories(small_controls_test PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/tessara/controls)
endif()
