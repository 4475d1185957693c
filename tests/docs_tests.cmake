# The format reference and the man pages against the code: keywords, error
# numbers and every option of `scenc <subcommand> --help`.
add_executable(scen_docs_tests docs_test.cc)
target_link_libraries(scen_docs_tests PRIVATE scen_core GTest::gtest_main)
target_compile_definitions(scen_docs_tests PRIVATE DOCS_DIR="${CMAKE_SOURCE_DIR}/docs")
scen_test_esegue(scen_docs_tests scenc)
gtest_discover_tests(scen_docs_tests DISCOVERY_MODE PRE_TEST)

# What `cmake --install` and the Debian package put in place, run from a
# temporary root.
foreach(mode install deb)
  add_test(NAME scen_package_${mode} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh ${CMAKE_BINARY_DIR} ${mode})
  set_tests_properties(scen_package_${mode} PROPERTIES TIMEOUT 300)
endforeach()
