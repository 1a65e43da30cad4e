# Helpers every folder uses to declare libraries, programs and tests.

# kt_test(NAME SOURCES ... [LIBS ...] [WINDOWS] [TIMEOUT s])
# One test executable is one ctest case: Wine starts once per binary, not
# once per GoogleTest case. WINDOWS tests only exist in the cross build;
# the others are built in both builds.
function(kt_test name)
    cmake_parse_arguments(T "WINDOWS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(T_WINDOWS AND NOT WIN32)
        return()
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
    if(WIN32)
        target_link_options(${name} PRIVATE -mconsole)
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

# kt_program(NAME SOURCES ...): a Windows GUI program.
function(kt_program name)
    add_executable(${name} WIN32 ${ARGN})
    target_link_options(${name} PRIVATE -mwindows -municode)
endfunction()
