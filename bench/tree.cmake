# Tree view: build, layout, find and paint times at 2,104 to 1,000,000 nodes (Wine).
if(WIN32)
    enable_language(RC)
    add_executable(tree_bench ${CMAKE_CURRENT_SOURCE_DIR}/tree_bench.cpp ${CMAKE_SOURCE_DIR}/tests/tessara/controls/tree/tree.rc)
    target_include_directories(tree_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(tree_bench PRIVATE tx_tree psapi)
    target_link_options(tree_bench PRIVATE -mconsole)
endif()
