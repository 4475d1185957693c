// `scenc dump`: decodes compiled files (the cell grid `.dat`, the general
// records `.sim`, the track plan `_linea.dat`) into readable tables or JSON.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

namespace scenc {

struct ArgomentiDump {
  std::vector<std::string> file;  // "-": standard input
  std::string kind;               // grid, records or plan; empty: told by each file's name
  bool json = false;
  std::optional<std::string> righe;  // "A:B" or "A": track-plan rows to show in full
};

CLI::App* aggiungi_dump(CLI::App& app, ArgomentiDump& args, int& esito);

// Exit status: 0 every file dumped; 1 a file missing, unreadable, corrupt
// or truncated (the others are still dumped); 2 a file whose kind neither
// its name nor --kind tells, standard input named twice, or a malformed
// --rows (nothing dumped).
int esegui_dump(const ArgomentiDump& args, std::ostream& out, std::ostream& err);

}  // namespace scenc
