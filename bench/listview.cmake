# List view: fill, layout and paint times for 101 to 100,000 items (Wine).
if(WIN32)
    add_executable(listview_bench ${CMAKE_CURRENT_SOURCE_DIR}/listview_bench.cpp)
    target_link_libraries(listview_bench PRIVATE tx_listview)
    target_link_options(listview_bench PRIVATE -mconsole)
endif()
