# Helpers every folder uses to declare libraries, programs and tests.

# A test program whose tests passed except for some that skipped exits with
# this code, and ctest shows it as skipped, never as passed.
set(KT_SKIPPED_EXIT_CODE 77)

# The main of every test program (GoogleTest's, with the exit code above).
function(kt_test_main_library)
    if(NOT TARGET kt_gtest_main)
        add_library(kt_gtest_main OBJECT ${CMAKE_SOURCE_DIR}/tests/support/GTestMain.cpp)
        target_link_libraries(kt_gtest_main PUBLIC gtest)
        target_compile_definitions(kt_gtest_main PRIVATE KT_SKIPPED_EXIT_CODE=${KT_SKIPPED_EXIT_CODE})
        target_include_directories(kt_gtest_main PUBLIC ${CMAKE_SOURCE_DIR})
    endif()
endfunction()

# kt_test(NAME SOURCES ... [LIBS ...] [WINDOWS] [TIMEOUT s])
# One test executable is one ctest case: Wine starts once per binary, not
# once per GoogleTest case. WINDOWS tests only exist in the cross build;
# the others are built in both builds.
function(kt_test name)
    cmake_parse_arguments(T "WINDOWS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(T_WINDOWS AND NOT WIN32)
        return()
    endif()
    kt_test_main_library()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} kt_gtest_main)
    if(WIN32)
        target_link_options(${name} PRIVATE -mconsole)
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} SKIP_RETURN_CODE ${KT_SKIPPED_EXIT_CODE})
endfunction()

# kt_program(NAME SOURCES ...): a Windows GUI program.
function(kt_program name)
    add_executable(${name} WIN32 ${ARGN})
    target_link_options(${name} PRIVATE -mwindows -municode)
endfunction()
