#include "driver/command_line.h"

#include <string_view>

namespace scen {

std::optional<int> riga_di_comando(int argc, const char* const* argv, const char* versione, std::ostream& out,
                                   std::ostream& err) {
  if (argc <= 1) return std::nullopt;
  const std::string_view a = argv[1];
  if (argc == 2 && a == "--help") {
    out << "usage: scenario\n"
           "Writes the built-in scenario next to this program, in the directory that holds it:\n"
           "its line file and train file, which it compiles and then deletes, three documents\n"
           "for the driver (notes, slowdown prescriptions, timetable sheet) and the three\n"
           "compiled files the simulator loads. It takes no arguments; copy it into a folder\n"
           "of your own first (see man scenario).\n";
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
