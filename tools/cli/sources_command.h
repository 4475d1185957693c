// `scenc sources`: writes the embedded scenario's two source files and
// three documents, as the scenario program writes them, without compiling.
// A file of the same name that differs (an author's edits) is replaced only
// with --force.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace scenc {

struct ArgomentiSorgenti {
  std::string out = ".";
  bool force = false;  // replace files that differ from what is written
};

CLI::App* aggiungi_sources(CLI::App& app, ArgomentiSorgenti& args, int& esito);

int esegui_sources(const ArgomentiSorgenti& args);

}  // namespace scenc
