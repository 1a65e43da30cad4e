# The kit's routines at 10,000 calls each: time per call and GDI objects left.
if(WIN32)
    add_executable(kit_bench ${CMAKE_CURRENT_SOURCE_DIR}/kit_bench.cpp)
    target_link_libraries(kit_bench PRIVATE tessara_kit)
    target_include_directories(kit_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/tessara/kit)
    target_link_options(kit_bench PRIVATE -mconsole)
endif()
