# The tests of the Windows build, each run under Wine through the build's
# emulator (tests/windows/wine_run.sh).

# The stages' unit tests that touch no Linux-only part of the system.
add_executable(scen_tests
  field_reader_test.cc
  field_number_test.cc
  utf8_scan_test.cc
  edit_distance_test.cc
  kilometric_progressive_test.cc
  line_shape_test.cc
  compile_state_test.cc
  code_track_test.cc
  code_point_origin_test.cc
  check_codes_test.cc
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
