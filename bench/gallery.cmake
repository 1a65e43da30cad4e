# The gallery program from outside: time from process start to the form's
# first complete paint, and its working set after the load (Wine).
if(WIN32)
    add_executable(gallery_bench ${CMAKE_CURRENT_SOURCE_DIR}/gallery_bench.cpp)
    target_include_directories(gallery_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(gallery_bench PRIVATE tessara_gallery psapi)
    target_link_options(gallery_bench PRIVATE -mconsole -municode)
    add_dependencies(gallery_bench Tessara)
endif()
