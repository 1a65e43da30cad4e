# Grouped list, tab strip, small buttons, progress bar and frame.
# Window-free layout and state logic: built in both builds.
add_library(tx_small_core STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/GroupStore.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GroupListModel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TabLayout.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ButtonStates.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgressFill.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/FrameLayout.cpp)
target_include_directories(tx_small_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tx_small_core PUBLIC tx_scroll_core tessara_kit_core)

if(WIN32)
    add_library(tx_small STATIC
        ${CMAKE_CURRENT_SOURCE_DIR}/SmallButton.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YCommand.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YOption.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YCheck.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YProgress.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YFrame.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YTab.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YGroupList.cpp)
    target_link_libraries(tx_small PUBLIC tx_small_core tx_scroll tessara_kit host msimg32)
endif()
