# Writes a C++ source that holds files as byte arrays.
#   cmake -DOUT=<file.cc> -DNAMES="a;b" -DFILES="<path a>;<path b>" [-DBY_REFERENCE=ON] -P embed_files.cmake
# Each file becomes `std::string_view scen::incorporato::<name>()`.
# BY_REFERENCE, for big files that the build itself makes (the modules):
# the assembler reads the file when the source is compiled (.incbin), and
# `const char* scen::incorporato::<name>_nome()` gives the file's name. The
# source is written anew at each run, so that it is compiled again whenever
# the file has changed.
list(LENGTH NAMES count)
math(EXPR last "${count} - 1")
set(code "// Generated at build time from the scenario folder; do not edit.\n#include <string_view>\n\nnamespace scen::incorporato {\n")
if(BY_REFERENCE)
  set(code "// Generated at build time; do not edit.\n#include <cstdint>\n#include <string_view>\n")
endif()
foreach(i RANGE ${last})
  list(GET NAMES ${i} name)
  list(GET FILES ${i} path)
  if(BY_REFERENCE)
    if(path MATCHES "[\"\\\\\n]")
      message(FATAL_ERROR "cannot embed a file whose path holds a quote or a backslash: ${path}")
    endif()
    get_filename_component(file_name "${path}" NAME)
    set(start "scen_incorporato_${name}_inizio")
    set(end "scen_incorporato_${name}_fine")
    string(APPEND code "
asm(\".pushsection .rodata.${start},\\\"a\\\",@progbits\\n\"
    \".globl ${start}\\n.hidden ${start}\\n${start}:\\n\"
    \".incbin \\\"${path}\\\"\\n\"
    \".globl ${end}\\n.hidden ${end}\\n${end}:\\n\"
    \".popsection\\n\");
extern \"C\" __attribute__((visibility(\"hidden\"))) const char ${start}[];
extern \"C\" __attribute__((visibility(\"hidden\"))) const char ${end}[];

namespace scen::incorporato {
std::string_view ${name}() {
  return {${start}, reinterpret_cast<std::uintptr_t>(${end}) - reinterpret_cast<std::uintptr_t>(${start})};
}
const char* ${name}_nome() { return \"${file_name}\"; }
}  // namespace scen::incorporato
")
  else()
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" hex_length)
    math(EXPR size "${hex_length} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    string(APPEND code "\nstd::string_view ${name}() {\n  static constexpr char kBytes[] = {${bytes} 0};\n  return {kBytes, ${size}};\n}\n")
  endif()
endforeach()
if(BY_REFERENCE)
  file(WRITE "${OUT}" "${code}")
else()
  string(APPEND code "\n}  // namespace scen::incorporato\n")
  file(WRITE "${OUT}.tmp" "${code}")
  file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUT}.tmp")
endif()
