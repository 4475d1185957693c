// Texts in the compiled files are code page 1252 bytes; they are shown as
// UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace scenc::dump {

// The five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D hex)
// become U+FFFD. Throws std::runtime_error when iconv lacks the code page.
std::string utf8_da_cp1252(std::string_view byte);

}  // namespace scenc::dump
