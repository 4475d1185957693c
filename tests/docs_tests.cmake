# The format reference and the man pages against the code: keywords, error
# numbers and every option of `scenc <subcommand> --help`.
add_executable(scen_docs_tests docs_test.cc)
target_link_libraries(scen_docs_tests PRIVATE scen_core GTest::gtest_main)
target_compile_definitions(scen_docs_tests PRIVATE DOCS_DIR="${CMAKE_SOURCE_DIR}/docs")
scen_test_esegue(scen_docs_tests scenc)
gtest_discover_tests(scen_docs_tests DISCOVERY_MODE PRE_TEST)

# What `cmake --install` and the Debian package put in place, run as a user
# runs them: the package is also checked by lintian and installed, run and
# purged in throw-away roots, as root only (77: skipped otherwise). Only the
# plain build is packaged: a sanitized one is never shipped.
if(NOT SCEN_SANITIZE)
  foreach(mode install deb)
    add_test(NAME scen_package_${mode} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh ${CMAKE_BINARY_DIR} ${mode})
    set_tests_properties(scen_package_${mode} PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
  endforeach()
  # The package test where no mount namespace can be made, as in a chroot:
  # skipped, with the reason, never failed nor passed.
  add_test(NAME scen_package_deb_no_namespace
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package_skip_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(scen_package_deb_no_namespace PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
