// Runs another program and waits for it: no shell between, each argument
// handed over exactly as given, standard input from the null device and
// standard output and error into files. Used by the tests and tools that
// drive the built programs the way a user runs them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scen::platform {

struct ProgramRun {
  std::filesystem::path program;
  std::vector<std::string> arguments;  // UTF-8, without the program's own name
  std::filesystem::path directory;     // where it runs; empty: here
  std::filesystem::path output_file;   // its standard output; empty: the null device
  std::filesystem::path error_file;    // its standard error; empty: the null device
};

// The program's exit status; -1 when it could not be started or was ended
// by a signal, with the reason in `why`.
int run_program(const ProgramRun& run, std::string& why);

}  // namespace scen::platform
