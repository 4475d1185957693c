// File names and text: the programs hold every text as UTF-8, and turn it
// into a file name only here. On Linux a name is its bytes; on Windows it
// is UTF-16, converted from and to UTF-8 (never through a code page of the
// system's, which would lose every character outside it).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scen {

// A name given as UTF-8 (a command line's, an editor's, a source's). A
// malformed sequence becomes U+FFFD where names are UTF-16.
std::filesystem::path path_from_utf8(std::string_view utf8);

// The name as UTF-8, for messages and for comparing names as text.
std::string utf8_of(const std::filesystem::path& p);

}  // namespace scen
