// `scenc compile`: compiles an author's line and train files into the three
// compiled files, without touching the source files.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace scenc {

struct ArgomentiCompilazione {
  std::string route;
  std::string train;
  std::string line_file;   // default <route>_linea.txt
  std::string train_file;  // default <route>_<train>-.txt
  std::string out = ".";
  bool no_track_plan = false;
  bool write_on_error = false;
};

// Adds the subcommand; its callback stores the exit status in `esito`.
CLI::App* aggiungi_compile(CLI::App& app, ArgomentiCompilazione& args, int& esito);

int esegui_compile(const ArgomentiCompilazione& args);

// Route and train names form file names: they must not be paths.
bool nome_valido(const std::string& nome);

}  // namespace scenc
