# Scroll bars, list and combo box. Their arithmetic builds in both builds;
# the Win32 controls only in the cross build.
add_library(tx_scroll_core STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/ScrollMath.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ListModel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ComboLayout.cpp)
target_include_directories(tx_scroll_core PUBLIC ${CMAKE_SOURCE_DIR})
