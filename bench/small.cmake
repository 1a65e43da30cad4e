# The grouped list and the tab strip with much content.
if(WIN32)
    add_executable(small_bench ${CMAKE_CURRENT_SOURCE_DIR}/small_bench.cpp)
    target_link_libraries(small_bench PRIVATE tx_grouplist tx_tab)
    target_link_options(small_bench PRIVATE -mconsole)
endif()
