# Tests of the grouped list, tab strip, small buttons, progress bar and frame.
kt_test(small_core_tests
    SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/GroupListModelTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/TabLayoutTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ButtonStatesTest.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/ProgressFrameTest.cpp
    LIBS tx_small_core)
