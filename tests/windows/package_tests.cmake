# The Windows downloads (cmake/windows_package.cmake): the zip's files, the
# programs' imports, and the installer installed and uninstalled silently
# under Wine in a throw-away prefix (tests/windows/windows_package_test.sh).
find_program(SCEN_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
add_test(NAME scen_windows_package
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/windows_package_test.sh ${SCEN_PACKAGE_ZIP} ${SCEN_PACKAGE_SETUP}
                 ${CMAKE_BINARY_DIR}/package/zip_contents.txt ${SCEN_OBJDUMP}
                 ${CMAKE_CURRENT_BINARY_DIR}/windows_package)
set_tests_properties(scen_windows_package PROPERTIES TIMEOUT 300)
