# What `cmake --install` puts where. The tool goes into bin. The scenario
# program writes its files next to its own executable, so it is kept out of
# the search path, in lib/scenc, for users to copy into a directory of their
# own. Man pages (gzipped, as Debian keeps them) and the format reference
# for authors go under share.
include(GNUInstallDirs)

install(TARGETS scenc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS scenario RUNTIME DESTINATION lib/scenc)

find_program(SCEN_GZIP gzip REQUIRED)
set(scen_man_pages scenc.1 scenario.1)
set(scen_man_gz)
foreach(page ${scen_man_pages})
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/docs/man/${page} ${CMAKE_BINARY_DIR}/man/${page}
    COMMAND ${SCEN_GZIP} -9nf ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/${page}
    COMMENT "Compressing the man page ${page}"
    VERBATIM)
  list(APPEND scen_man_gz ${gz})
endforeach()
add_custom_target(scen_man ALL DEPENDS ${scen_man_gz})
install(FILES ${scen_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The completion scripts (cmake/completions.cmake), each where its shell
# looks for one.
install(FILES ${SCEN_COMPLETIONS_DIR}/scenc DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${SCEN_COMPLETIONS_DIR}/_scenc DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${SCEN_COMPLETIONS_DIR}/scenc.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

install(FILES
  ${CMAKE_SOURCE_DIR}/docs/format.md
  ${CMAKE_SOURCE_DIR}/docs/errors.md
  ${CMAKE_SOURCE_DIR}/docs/diagnostics-json.md
  ${CMAKE_SOURCE_DIR}/docs/dump-json.md
  ${CMAKE_SOURCE_DIR}/docs/dump-json.schema.json
  ${CMAKE_SOURCE_DIR}/docs/compiled.md
  ${CMAKE_SOURCE_DIR}/docs/documents.md
  ${CMAKE_SOURCE_DIR}/docs/glossary.md
  ${CMAKE_SOURCE_DIR}/docs/viewer.md
  ${CMAKE_SOURCE_DIR}/docs/view.png
  ${CMAKE_SOURCE_DIR}/docs/editors.md
  ${CMAKE_SOURCE_DIR}/README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The package's copyright, machine-readable, and its changelog, gzipped as
# Debian keeps it. The changelog's latest entry is this version's.
file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/debian/changelog scen_changelog_head LIMIT_COUNT 1)
if(NOT scen_changelog_head MATCHES "^scenc \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog begins with \"${scen_changelog_head}\", "
                      "not with an entry for scenc ${PROJECT_VERSION}")
endif()
set(scen_changelog_gz ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_command(
  OUTPUT ${scen_changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/cmake/debian/changelog ${CMAKE_BINARY_DIR}/debian/changelog
  COMMAND ${SCEN_GZIP} -9nf ${CMAKE_BINARY_DIR}/debian/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/debian/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(scen_changelog ALL DEPENDS ${scen_changelog_gz})
install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright ${scen_changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})
