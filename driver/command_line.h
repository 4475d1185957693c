// The scenario program's command line: none but --help and --version.
// Anything else is a usage error before a file is written.
#pragma once

#include <optional>
#include <ostream>

namespace scen {

inline constexpr int kEsitoUso = 2;

// The exit status when the command line ends the program here (after
// --help, --version or a usage error, told on `out` or `err`); none when
// it has no arguments and the program does its job.
std::optional<int> riga_di_comando(int argc, const char* const* argv, const char* versione, std::ostream& out,
                                   std::ostream& err);

}  // namespace scen
