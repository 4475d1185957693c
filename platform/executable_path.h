// Where the running program's executable is, as the system reports it.
#pragma once

#include <string>

namespace scen::platform {

// The executable's full name, UTF-8, the system's separators.
// Throws std::system_error when the system cannot tell.
std::string running_executable();

// The separator of the system's file names: '/' or '\\'.
char path_separator();

}  // namespace scen::platform
