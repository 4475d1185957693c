// A Windows error code in the words the C library uses for the same fault
// on Linux, so that a message reads the same on both systems; "in use"
// for a file another program holds.
#pragma once

#include <string>

namespace scen::platform {

std::string system_error_text(unsigned long code);

}  // namespace scen::platform
