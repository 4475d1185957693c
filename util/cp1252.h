// Text of the tables is kept as UTF-8; files are written one byte per
// character in code page 1252.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace scen {

struct ErroreCodifica : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The text in code page 1252 into `cp1252`; for invalid UTF-8 or a
// character the code page lacks, false and what is wrong in `errore`
// (`cp1252` then as it was).
bool in_cp1252(std::string_view utf8, std::string& cp1252, std::string& errore);
// The same; throws ErroreCodifica.
std::string in_cp1252(std::string_view utf8);

// Code page 1252 bytes as UTF-8, for showing texts of the compiled files and
// the sources. The five bytes the code page leaves undefined (81, 8D, 8F,
// 90, 9D hex) become U+FFFD.
std::string da_cp1252(std::string_view cp1252);

}  // namespace scen
