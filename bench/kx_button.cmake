# The launcher's button: cost of a repaint and GDI objects left after
# 10,000 repaints and 1,000 property changes.
if(WIN32)
    add_executable(kx_button_bench ${CMAKE_CURRENT_SOURCE_DIR}/kx_button_bench.cpp)
    target_link_libraries(kx_button_bench PRIVATE kx_button)
    # The GDI object probe of the kit tests and the button tests' pictures
    # (test code only).
    target_include_directories(kx_button_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/tessara/kit
                               ${CMAKE_SOURCE_DIR}/tests/korvel/button)
    target_link_options(kx_button_bench PRIVATE -mconsole)
endif()
