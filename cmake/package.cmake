# `make package` in the build directory (or `make deb` at the top) builds a
# Debian package of what cmake/install.cmake installs, under /usr. Its
# runtime dependencies are read by dpkg-shlibdeps, from the dpkg-dev
# package, from the binaries and from the modules they carry inside, which
# it cannot see in the installed files: cmake/package_depends.cmake, run by
# cpack, gives it the files as built. The two executables make the Depends
# (the HTTP server of `scenc serve` is compiled into scenc); the window
# module and the drawing module (FLTK, X11, cairo) make the Recommends, as
# everything but the window and `scenc plot` works without them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scenc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "scenc developers <scenc-devel@lists.scenc.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scenario compiler for a train-driving simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "scenc compiles the line file and the train file of a train-simulator
scenario into the three binary files the simulator loads, checks them with
diagnostics that point at the field, and shows or draws compiled files.
The scenario program in /usr/lib/scenc writes and compiles the scenario
built into it: copy it into a directory of your own to run it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The directories the package makes, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(scen_depends_files $<TARGET_FILE:scenc> $<TARGET_FILE:scenario>)
set(scen_recommends_files $<TARGET_FILE:scen_finestra>)
if(TARGET scen_disegno)
  list(APPEND scen_recommends_files $<TARGET_FILE:scen_disegno>)
endif()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/package/shlibdeps_depends.txt
     CONTENT "$<JOIN:${scen_depends_files},\n>\n")
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/package/shlibdeps_recommends.txt
     CONTENT "$<JOIN:${scen_recommends_files},\n>\n")
set(CPACK_SCEN_DEPENDS_FILES ${CMAKE_BINARY_DIR}/package/shlibdeps_depends.txt)
set(CPACK_SCEN_RECOMMENDS_FILES ${CMAKE_BINARY_DIR}/package/shlibdeps_recommends.txt)
set(CPACK_SCEN_SHLIBDEPS_DIR ${CMAKE_BINARY_DIR}/package/shlibdeps)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/package_depends.cmake)
include(CPack)
