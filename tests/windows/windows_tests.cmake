# The tests of the Windows build, each run under Wine through the build's
# emulator (tests/windows/wine_run.sh).

# The stages' unit tests that touch no Linux-only part of the system
# (tests/unit_tests.cmake): all but parsed_source_test (a pipe's
# writer in a thread, /dev/zero), file_replace_test (named pipes and
# symbolic links at the replaced name), signal_cleanup_test (fork and
# kill) and cp1252_test (checks the table against glibc's iconv).
#
# Linux-only, and why: scen_tool_tests and scen_dump/plot/view tests drive
# scenc through a POSIX shell's words (fork, named pipes, flock, symbolic
# links, timeout); scen_program_tests, scen_window_tests and
# scen_module_tests the Linux scenario program, its FLTK window on Xvfb
# and its modules loaded from memory; file_fault_test resource limits and
# unreadable files; scen_layering_tests and the docs tests read the tree
# and run groff (nothing Windows-specific to learn); the Neovim, shell
# completion and Debian package tests need those Linux programs. Windows'
# own forms of what they check are in the files included below.
include(${CMAKE_CURRENT_LIST_DIR}/../unit_tests.cmake)
add_executable(scen_tests ${scen_unit_tests})
target_link_libraries(scen_tests PRIVATE scen_core scen_lint GTest::gtest_main)
gtest_discover_tests(scen_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# The Windows-specific checks of each part, each in a file of its own.
include(${CMAKE_CURRENT_LIST_DIR}/harness_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/scenc_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/scenario_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/plot_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/package_tests.cmake OPTIONAL)
