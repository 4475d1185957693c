# CLI11, nlohmann-json and Boost (Beast, Asio) are headers only: the Windows
# build takes Debian's copies, seen through a folder of their own so that
# no other header of the Linux system can slip into a Windows compile.
set(scen_windows_headers ${CMAKE_BINARY_DIR}/windows-headers)
file(MAKE_DIRECTORY ${scen_windows_headers})
foreach(dir CLI nlohmann boost)
  if(NOT EXISTS /usr/include/${dir})
    message(FATAL_ERROR "/usr/include/${dir} is missing: run scripts/install-deps.sh")
  endif()
  file(CREATE_LINK /usr/include/${dir} ${scen_windows_headers}/${dir} SYMBOLIC)
endforeach()

add_library(scen_windows_headers INTERFACE)
target_include_directories(scen_windows_headers SYSTEM INTERFACE ${scen_windows_headers})
add_library(CLI11::CLI11 ALIAS scen_windows_headers)
add_library(nlohmann_json::nlohmann_json ALIAS scen_windows_headers)
add_library(Boost::headers ALIAS scen_windows_headers)
