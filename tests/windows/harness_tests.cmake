# The test harness on Windows: the embedded scenario's tests, the language
# server's logic, the diagnostics catalogue run through scenc.exe, running a
# program without a shell, and the compiled bytes compared with the Linux
# build's. Each runs under Wine through the build's emulator. The tests
# directory's own CMakeLists.txt says why the rest stay on Linux.
set(scen_tests_dir ${CMAKE_CURRENT_LIST_DIR}/..)

# The embedded scenario: its tables, its writers and what it compiles to.
add_executable(scen_scenario_tests
  ${scen_tests_dir}/scenario_tables_test.cc
  ${scen_tests_dir}/scenario_writers_test.cc
)
target_link_libraries(scen_scenario_tests PRIVATE scen_sources GTest::gtest_main)
target_compile_definitions(scen_scenario_tests PRIVATE SCENARIO_DIR="${SCEN_SCENARIO_DIR}")
gtest_discover_tests(scen_scenario_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# The language server's logic, fed messages in memory.
add_executable(scen_lsp_tests
  ${scen_tests_dir}/lsp_framing_test.cc
  ${scen_tests_dir}/lsp_pairing_test.cc
  ${scen_tests_dir}/lsp_protocol_test.cc
  ${scen_tests_dir}/lsp_positions_test.cc
)
target_link_libraries(scen_lsp_tests PRIVATE scen_lsp GTest::gtest_main)
target_compile_definitions(scen_lsp_tests PRIVATE SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(scen_lsp_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# A program run without a shell: the command line's quoting read back word
# for word by a program of the build's own.
add_executable(scen_program_run_fixture ${scen_tests_dir}/program_run_fixture.cc)
target_link_libraries(scen_program_run_fixture PRIVATE scen_platform)
add_executable(scen_program_run_tests ${scen_tests_dir}/program_run_test.cc)
target_link_libraries(scen_program_run_tests PRIVATE scen_core GTest::gtest_main)
target_compile_definitions(scen_program_run_tests PRIVATE
                           PROGRAM_RUN_FIXTURE="$<TARGET_FILE:scen_program_run_fixture>")
add_dependencies(scen_program_run_tests scen_program_run_fixture)
gtest_discover_tests(scen_program_run_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# The catalogue of every diagnostic, checked against scenc.exe's own words.
add_executable(scen_diagnostics_tests ${scen_tests_dir}/diagnostics_test.cc)
target_link_libraries(scen_diagnostics_tests PRIVATE scen_core GTest::gtest_main)
target_compile_definitions(scen_diagnostics_tests PRIVATE DIAGNOSTICS_DIR="${scen_tests_dir}/diagnostics"
                                                          SCENC_PATH="$<TARGET_FILE:scenc>")
add_dependencies(scen_diagnostics_tests scenc)
gtest_discover_tests(scen_diagnostics_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES TIMEOUT 300)

# The compiled files of the embedded scenario and of three generated lines,
# byte for byte the same as the Linux build's. SCEN_LINUX_BUILD is that
# build's directory (`make test-windows` passes build/); without its scenc
# and scen_make_line the test fails, naming what is missing.
set(SCEN_LINUX_BUILD "${CMAKE_SOURCE_DIR}/build" CACHE PATH "The Linux build to compare the compiled bytes with")
add_test(NAME scen_same_bytes_as_linux
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/same_bytes_as_linux.sh
                 ${CMAKE_CURRENT_LIST_DIR}/wine_run.sh ${CMAKE_BINARY_DIR}/wine $<TARGET_FILE:scenc>
                 ${SCEN_LINUX_BUILD}/bin/scenc ${SCEN_LINUX_BUILD}/bin/scen_make_line
                 ${CMAKE_CURRENT_BINARY_DIR}/same_bytes)
set_tests_properties(scen_same_bytes_as_linux PROPERTIES TIMEOUT 600)
