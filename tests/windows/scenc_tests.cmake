# scenc.exe's handling of what Windows does differently, run under Wine:
# Unicode file names, binary standard streams, replacing a file another
# program holds open, the one-run-at-a-time lock and Ctrl-Break, and the
# language server fed Windows URIs. Each test fails without the Windows
# half of the platform layer it exercises.

# The URI conversions as this system writes paths (the same conversions
# are tested for both forms on Linux, tests/lsp_uri_test.cc).
add_executable(scenc_windows_unit_tests
  ${CMAKE_CURRENT_LIST_DIR}/lsp_uri_windows_test.cc
  ${CMAKE_SOURCE_DIR}/tests/lsp_uri_test.cc)
target_link_libraries(scenc_windows_unit_tests PRIVATE scen_lsp GTest::gtest_main)
gtest_discover_tests(scenc_windows_unit_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# A program that holds a file open as a simulator or an editor would.
add_executable(scenc_hold_file ${CMAKE_CURRENT_LIST_DIR}/hold_file.cc)
target_link_libraries(scenc_hold_file PRIVATE scen_flags)

foreach(part unicode streams replace interrupt lsp)
  add_test(NAME scenc_windows_${part}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/scenc_windows_test.sh ${part}
                   ${CMAKE_CURRENT_LIST_DIR}/wine_run.sh ${CMAKE_BINARY_DIR}/wine $<TARGET_FILE_DIR:scenc>)
  set_tests_properties(scenc_windows_${part} PROPERTIES TIMEOUT 180)
endforeach()
