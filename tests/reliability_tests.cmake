# Reliability: the inputs the fuzz targets found faults with, hostile input,
# and file-system faults met by the program and by scenc.
add_executable(scen_reliability_tests
  regression_inputs_test.cc
  hostile_input_test.cc
  ${CMAKE_SOURCE_DIR}/fuzz/banco_prova.cc
)
target_link_libraries(scen_reliability_tests PRIVATE scen_sources GTest::gtest_main)
target_compile_definitions(scen_reliability_tests PRIVATE
                           REGRESSION_DIR="${CMAKE_CURRENT_SOURCE_DIR}/regression_inputs"
                           SCEN_ESEMPI_DIR="${CMAKE_SOURCE_DIR}/examples")
# A guard, not a measure: input that costs more than its length (a table
# sized again at every line) runs into it instead of running for hours.
gtest_discover_tests(scen_reliability_tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 300)

# Run as the users run them: child processes, as an unprivileged user when
# the suite runs as root, so that permission bits really refuse.
add_executable(scen_fault_tests file_fault_test.cc)
target_link_libraries(scen_fault_tests PRIVATE scen_core GTest::gtest_main)
scen_test_esegue(scen_fault_tests scenario scenc)
gtest_discover_tests(scen_fault_tests DISCOVERY_MODE PRE_TEST)
