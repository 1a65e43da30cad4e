# Grouped list, tab strip, small buttons, progress bar and frame.
# Window-free layout and state logic: built in both builds.
add_library(tx_small_core STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/SmallRect.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GroupListModel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TabLayout.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtonStates.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgressFill.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/FrameLayout.cpp)
target_include_directories(tx_small_core PUBLIC ${CMAKE_SOURCE_DIR})
