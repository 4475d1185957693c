#include "driver/command_line.h"

#include <string_view>

#include "platform/executable_path.h"

namespace scen {

std::optional<int> riga_di_comando(int argc, const char* const* argv, const char* versione, std::ostream& out,
                                   std::ostream& err) {
  if (argc <= 1) return std::nullopt;
  const std::string_view a = argv[1];
  if (argc == 2 && a == "--help") {
    const bool windows = platform::path_separator() == '\\';
    out << "usage: scenario\n"
           "Writes the built-in scenario in the directory that holds this program (not the\n"
           "current one): three documents for the driver (notes, slowdown prescriptions,\n"
           "timetable sheet) and the three compiled files the simulator loads, each named on\n"
           "standard output as \"wrote FILE\"; its line file and train file are written,\n"
           "compiled and deleted. Files already there are replaced. It takes no arguments.\n"
           "The installed copy, and a copy in a directory you cannot write, write nothing:\n"
           "copy the program into a folder of your own and run it there, for example\n"
        << (windows ? "    mkdir \"%USERPROFILE%\\scenario\" & copy \"%ProgramFiles%\\scenc\\bin\\scenario.exe\" "
                      "\"%USERPROFILE%\\scenario\\\"\n"
                      "in Command Prompt, then run %USERPROFILE%\\scenario\\scenario.exe.\n"
                    : "    mkdir -p ~/scenario && cp /usr/lib/scenc/scenario ~/scenario/ && ~/scenario/scenario\n")
        << "Exit status: 0 done; 1 the scenario has an error (its number is shown); 3 a file\n"
           "could not be written, or the directory is refused. "
        << (windows ? "See its manual page, docs\\man\\scenario.1.\n" : "See man scenario.\n");
    return 0;
  }
  if (argc == 2 && a == "--version") {
    out << "scenario " << versione << "\n";
    return 0;
  }
  err << "scenario: takes no arguments (only --help or --version); nothing written\n";
  return kEsitoUso;
}

}  // namespace scen
