// The file name "-" on a command line: standard input instead of a file,
// read whole and bounded like a file of its kind (util/regular_file.h).
#pragma once

#include <cstddef>
#include <string>

namespace scen {

// Reads standard input to its end, a pipe or a redirected file alike. False,
// with the reason in `why`, when it cannot be read or holds more than
// `largest` bytes: it is then read no further than one byte past the limit.
bool read_standard_input(size_t largest, std::string& out, std::string& why);

}  // namespace scen
