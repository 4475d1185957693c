// Small helpers for the text that scenc prints.
#pragma once

#include <string>
#include <string_view>

#include "platform/printf_format.h"

namespace scenc::dump {

// printf-style formatting into a string.
std::string formatta(const char* formato, ...) SCEN_PRINTF_FORMAT(1, 2);

// The shortest decimal text that reads back as the same double.
std::string breve(double d);

// A text in double quotes for display: `"` and `\` escaped, control
// characters as \xNN; the text itself must already be UTF-8.
std::string tra_virgolette(std::string_view utf8);

}  // namespace scenc::dump
