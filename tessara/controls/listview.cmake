# List view: the window-free store, layouts, hit test, input and painter
# (both builds); the Win32 control in the cross build.
add_library(tx_listview_core STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/ListViewStore.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ListViewModel.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ListViewPaint.cpp)
target_include_directories(tx_listview_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tx_listview_core PUBLIC tx_scroll_core tessara_kit_core)

if(WIN32)
    add_library(tx_listview STATIC ${CMAKE_CURRENT_SOURCE_DIR}/YListView.cpp)
    target_link_libraries(tx_listview PUBLIC tx_listview_core tx_scroll tessara_kit host)
endif()
