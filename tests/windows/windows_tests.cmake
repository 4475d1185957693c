# The tests of the Windows build, each run under Wine through the build's
# emulator (tests/windows/wine_run.sh).

# The stages' unit tests that touch no Linux-only part of the system: all
# of tests/CMakeLists.txt's scen_tests but parsed_source_test (a pipe's
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
add_executable(scen_tests
  field_reader_test.cc
  field_number_test.cc
  utf8_scan_test.cc
  lint_test.cc
  edit_distance_test.cc
  kilometric_progressive_test.cc
  line_shape_test.cc
  all_errors_test.cc
  compile_state_test.cc
  line_compile_test.cc
  train_compile_test.cc
  code_track_test.cc
  code_point_origin_test.cc
  check_codes_test.cc
  byte_images_test.cc
  placement_test.cc
  track_plan_test.cc
  image_reader_test.cc
  plan_writer_test.cc
  compiled_writer_test.cc
  byte_sink_test.cc
)
target_link_libraries(scen_tests PRIVATE scen_core scen_lint GTest::gtest_main)
gtest_discover_tests(scen_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# The Windows-specific checks of each part, each in a file of its own.
include(${CMAKE_CURRENT_LIST_DIR}/harness_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/scenc_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/scenario_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/plot_tests.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/package_tests.cmake OPTIONAL)
