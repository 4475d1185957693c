# Writes a C++ source that holds files as byte arrays.
#   cmake -DOUT=<file.cc> -DNAMES="a;b" -DFILES="<path a>;<path b>" -P embed_files.cmake
# Each file becomes `std::string_view scen::incorporato::<name>()`.
list(LENGTH NAMES count)
math(EXPR last "${count} - 1")
set(code "// Generated at build time from the scenario folder; do not edit.\n#include <string_view>\n\nnamespace scen::incorporato {\n")
foreach(i RANGE ${last})
  list(GET NAMES ${i} name)
  list(GET FILES ${i} path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND code "\nstd::string_view ${name}() {\n  static constexpr char kBytes[] = {${bytes} 0};\n  return {kBytes, ${size}};\n}\n")
endforeach()
string(APPEND code "\n}  // namespace scen::incorporato\n")
file(WRITE "${OUT}.tmp" "${code}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
