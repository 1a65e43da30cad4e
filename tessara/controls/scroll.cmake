# Scroll bars, list and combo box. Their arithmetic builds in both builds;
# the Win32 controls only in the cross build.
add_library(tx_scroll_core STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/ScrollMath.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ScrollArithmetic.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ListModel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ComboLayout.cpp)
target_include_directories(tx_scroll_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tx_scroll_core PUBLIC tessara_kit_core)

if(WIN32)
    add_library(tx_scroll STATIC
        ${CMAKE_CURRENT_SOURCE_DIR}/ScrollBar.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YHScroll.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YVScroll.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YList.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/YCombo.cpp)
    target_link_libraries(tx_scroll PUBLIC tx_scroll_core tessara_kit host)
endif()
