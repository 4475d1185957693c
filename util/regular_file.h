// A regular file read whole, when it is no larger than its kind can be:
// a link to /dev/zero, a directory or a 2 GB sparse file named like a
// small file is refused before its bytes are read.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace scen {

// False, with the reason in `why` (the system's words, "not a regular
// file", or "N bytes, larger than the largest one can be (M bytes)"), when
// `p` is not a regular file of at most `largest` bytes or cannot be read.
bool read_regular_file(const std::filesystem::path& p, size_t largest, std::string& out, std::string& why);

}  // namespace scen
