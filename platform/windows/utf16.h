// UTF-8 and UTF-16, the programs' text and the system's.
#pragma once

#include <string>
#include <string_view>

namespace scen::platform {

// Malformed UTF-8 becomes U+FFFD.
std::wstring utf16_of(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string utf8_of_utf16(std::wstring_view utf16);

}  // namespace scen::platform
