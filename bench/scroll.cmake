# The list at its full million items.
if(WIN32)
    add_executable(scroll_bench ${CMAKE_CURRENT_SOURCE_DIR}/scroll_bench.cpp)
    target_link_libraries(scroll_bench PRIVATE tx_list)
    target_link_options(scroll_bench PRIVATE -mconsole)
endif()
