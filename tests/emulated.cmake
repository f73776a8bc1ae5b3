# For a build whose programs run under an emulator on the build machine (Wine for Windows, qemu
# for 64-bit ARM): GoogleTest built for the target, wrapper scripts that start a program under
# the emulator as a command of one word, and the build machine's own test programs run against
# those wrappers.

# GoogleTest from Debian's sources, built for the target. It keeps its own warnings: only the
# arithmetic options apply to it.
macro(crout_target_googletest)
    get_property(options DIRECTORY PROPERTY COMPILE_OPTIONS)
    set_property(DIRECTORY PROPERTY COMPILE_OPTIONS -ffp-contract=off -fno-fast-math)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest
                     EXCLUDE_FROM_ALL SYSTEM)
    set_property(DIRECTORY PROPERTY COMPILE_OPTIONS ${options})
endmacro()

# ${CMAKE_BINARY_DIR}/<prefix>-<program> for each program target named.
function(crout_emulator_wrappers prefix)
    list(JOIN CMAKE_CROSSCOMPILING_EMULATOR "' '" emulator)
    foreach(program ${ARGN})
        file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/${prefix}-${program}
             CONTENT "#!/bin/sh\nexec '${emulator}' '$<TARGET_FILE:${program}>' \"$@\"\n"
             FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE)
    endforeach()
endfunction()

# The build machine's test programs (the ci preset's build), each with the filter of its cases
# that redirect the standard handles, run against <prefix>-crout and <prefix>-probe:
#   crout_host_tests(PREFIX ON TARGET TIMEOUT SECONDS [ENVIRONMENT VAR=VALUE...]
#                    TESTS PROGRAM FILTER...)
# Each is the test PROGRAM_on_TARGET.
function(crout_host_tests prefix)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "ON;TIMEOUT" "ENVIRONMENT;TESTS")
    set(CROUT_HOST_TESTS "${PROJECT_SOURCE_DIR}/build/ci/tests" CACHE PATH
        "The build machine's test programs (the ci preset's build)")
    set(environment CROUT_TEST_PROGRAM=${CMAKE_BINARY_DIR}/${prefix}-crout
                    CROUT_TEST_PROBE=${CMAKE_BINARY_DIR}/${prefix}-probe ${ARG_ENVIRONMENT})
    set(tests ${ARG_TESTS})
    while(tests)
        list(POP_FRONT tests binary filter)
        add_test(NAME ${binary}_on_${ARG_ON}
                 COMMAND ${CROUT_HOST_TESTS}/${binary} --gtest_filter=${filter})
        set_tests_properties(${binary}_on_${ARG_ON} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
                             ENVIRONMENT "${environment}")
    endwhile()
endfunction()
