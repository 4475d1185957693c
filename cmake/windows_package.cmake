# The Windows build's two downloads, left in the build directory by the
# target windows_package (`make windows`):
#   scenc-<version>-windows-x86_64.zip  the programs in bin\, the README,
#                                       the docs and the examples;
#   scenc-<version>-setup.exe           an NSIS installer of the same files
#                                       into Program Files\scenc, with bin
#                                       added to the user's PATH (a
#                                       component that can be unticked), a
#                                       Start-menu entry for the docs and an
#                                       uninstaller that takes it all away.
# The programs link their runtimes statically: nothing else ships.
set(SCEN_PACKAGE_NAME scenc-${PROJECT_VERSION}-windows-x86_64)
set(SCEN_PACKAGE_STAGE ${CMAKE_BINARY_DIR}/package/${SCEN_PACKAGE_NAME})
set(SCEN_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/${SCEN_PACKAGE_NAME}.zip)
set(SCEN_PACKAGE_SETUP ${CMAKE_BINARY_DIR}/scenc-${PROJECT_VERSION}-setup.exe)

find_program(SCEN_ZIP zip REQUIRED)
find_program(SCEN_MAKENSIS makensis REQUIRED)
find_program(SCEN_GROFF groff)

set(scen_package_programs scenc)
if(TARGET scenario)
  list(APPEND scen_package_programs scenario)
endif()

# What the package holds besides the programs, each as <stage path>|<source>.
file(GLOB scen_package_docs RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/docs/*.md ${CMAKE_SOURCE_DIR}/docs/*.png ${CMAKE_SOURCE_DIR}/docs/*.json)
file(GLOB scen_package_examples RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/examples/*)
set(scen_package_files README.md LICENSE ${scen_package_docs} ${scen_package_examples})

set(scen_stage_commands)
set(scen_stage_depends)
set(scen_stage_outputs)
foreach(f IN LISTS scen_package_files)
  list(APPEND scen_stage_commands COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${f} ${SCEN_PACKAGE_STAGE}/${f})
  list(APPEND scen_stage_depends ${CMAKE_SOURCE_DIR}/${f})
endforeach()
foreach(p IN LISTS scen_package_programs)
  list(APPEND scen_stage_commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${p}> ${SCEN_PACKAGE_STAGE}/bin/${p}.exe
                                  COMMAND ${CMAKE_STRIP} ${SCEN_PACKAGE_STAGE}/bin/${p}.exe)
  list(APPEND scen_stage_depends ${p})
endforeach()
# The man pages, as plain text a Windows user can open.
set(scen_package_manuals)
if(SCEN_GROFF)
  foreach(page scenc scenario)
    if(EXISTS ${CMAKE_SOURCE_DIR}/docs/man/${page}.1)
      list(APPEND scen_stage_commands COMMAND ${CMAKE_COMMAND} -E env GROFF_NO_SGR=1
           sh -c "${SCEN_GROFF} -man -Tutf8 -P-cbu '${CMAKE_SOURCE_DIR}/docs/man/${page}.1' > '${SCEN_PACKAGE_STAGE}/docs/${page}.txt'")
      list(APPEND scen_stage_depends ${CMAKE_SOURCE_DIR}/docs/man/${page}.1)
      list(APPEND scen_package_manuals docs/${page}.txt)
    endif()
  endforeach()
endif()

# The installer's file lists, written from the same lists: what it puts in
# place and what its uninstaller deletes, file by file, then the folders
# from the deepest up (RMDir leaves a folder that still holds a user's own
# files).
set(scen_install_lines "")
set(scen_uninstall_lines "")
set(scen_folders "")
foreach(f IN LISTS scen_package_files scen_package_manuals)
  get_filename_component(folder ${f} DIRECTORY)
  list(APPEND scen_folders "${folder}")
endforeach()
foreach(p IN LISTS scen_package_programs)
  list(APPEND scen_package_files_in_bin bin/${p}.exe)
endforeach()
list(APPEND scen_folders bin)
list(REMOVE_DUPLICATES scen_folders)
foreach(f IN LISTS scen_package_files_in_bin scen_package_files scen_package_manuals)
  get_filename_component(folder ${f} DIRECTORY)
  string(REPLACE "/" "\\" f_win "${f}")
  string(REPLACE "/" "\\" folder_win "${folder}")
  string(APPEND scen_install_lines "SetOutPath \"$INSTDIR\\${folder_win}\"\nFile \"${SCEN_PACKAGE_STAGE}/${f}\"\n")
  string(APPEND scen_uninstall_lines "Delete \"$INSTDIR\\${f_win}\"\n")
endforeach()
list(SORT scen_folders ORDER DESCENDING)
foreach(folder IN LISTS scen_folders)
  if(NOT folder STREQUAL "")
    string(REPLACE "/" "\\" folder_win "${folder}")
    string(APPEND scen_uninstall_lines "RMDir \"$INSTDIR\\${folder_win}\"\n")
  endif()
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/package/install_files.nsh "${scen_install_lines}")
file(WRITE ${CMAKE_BINARY_DIR}/package/uninstall_files.nsh "${scen_uninstall_lines}")
# The zip's expected list of files, for its test (package_tests.cmake).
list(TRANSFORM scen_package_files_in_bin PREPEND ${SCEN_PACKAGE_NAME}/ OUTPUT_VARIABLE scen_zip_list)
foreach(f IN LISTS scen_package_files scen_package_manuals)
  list(APPEND scen_zip_list ${SCEN_PACKAGE_NAME}/${f})
endforeach()
list(SORT scen_zip_list)
list(JOIN scen_zip_list "\n" scen_zip_text)
file(WRITE ${CMAKE_BINARY_DIR}/package/zip_contents.txt "${scen_zip_text}\n")

add_custom_command(
  OUTPUT ${SCEN_PACKAGE_ZIP} ${SCEN_PACKAGE_SETUP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${SCEN_PACKAGE_STAGE} ${SCEN_PACKAGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SCEN_PACKAGE_STAGE}/bin ${SCEN_PACKAGE_STAGE}/docs
  ${scen_stage_commands}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package ${SCEN_ZIP} -q -r -X ${SCEN_PACKAGE_ZIP} ${SCEN_PACKAGE_NAME}
  COMMAND ${SCEN_MAKENSIS} -V2 -NOCD -DVERSION=${PROJECT_VERSION} -DOUTFILE=${SCEN_PACKAGE_SETUP}
          -DLISTS=${CMAKE_BINARY_DIR}/package ${CMAKE_SOURCE_DIR}/cmake/windows_installer.nsi
  DEPENDS ${scen_stage_depends} ${CMAKE_SOURCE_DIR}/cmake/windows_installer.nsi
          ${CMAKE_BINARY_DIR}/package/install_files.nsh ${CMAKE_BINARY_DIR}/package/uninstall_files.nsh
  COMMENT "Packaging ${SCEN_PACKAGE_NAME}.zip and scenc-${PROJECT_VERSION}-setup.exe"
  VERBATIM)
add_custom_target(windows_package ALL DEPENDS ${SCEN_PACKAGE_ZIP} ${SCEN_PACKAGE_SETUP})
