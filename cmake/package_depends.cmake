# Run by cpack before it builds the Debian package (CPACK_PROJECT_CONFIG_FILE
# of cmake/package.cmake). dpkg-shlibdeps reads the binaries as built (the
# installed ones are their stripped copies) and the modules they carry
# inside (cmake/embedded_module.cmake), whose libraries appear nowhere in the
# installed files. What the executables need is Depends; what only the
# window and drawing modules need (the window toolkit, X11, cairo) is
# Recommends, which dpkg-shlibdeps gives without what Depends already holds.
if(CPACK_GENERATOR STREQUAL "DEB")
  file(STRINGS "${CPACK_SCEN_DEPENDS_FILES}" scen_depends_binaries)
  file(STRINGS "${CPACK_SCEN_RECOMMENDS_FILES}" scen_recommends_binaries)
  file(REMOVE_RECURSE "${CPACK_SCEN_SHLIBDEPS_DIR}")
  # dpkg-shlibdeps runs in a source package's directory: an empty control
  # file is enough.
  file(MAKE_DIRECTORY "${CPACK_SCEN_SHLIBDEPS_DIR}/debian")
  file(TOUCH "${CPACK_SCEN_SHLIBDEPS_DIR}/debian/control")
  execute_process(
    COMMAND dpkg-shlibdeps -O -dDepends ${scen_depends_binaries} -dRecommends ${scen_recommends_binaries}
    WORKING_DIRECTORY "${CPACK_SCEN_SHLIBDEPS_DIR}"
    RESULT_VARIABLE scen_result
    OUTPUT_VARIABLE scen_output
    ERROR_VARIABLE scen_errors)
  if(NOT scen_result EQUAL 0 OR NOT scen_output MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps failed on ${scen_depends_binaries} ${scen_recommends_binaries}:\n${scen_errors}")
  endif()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
  if(scen_output MATCHES "shlibs:Recommends=([^\n]+)")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${CMAKE_MATCH_1}")
  endif()
endif()
