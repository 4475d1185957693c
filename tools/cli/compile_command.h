// `scenc compile` and `scenc check`: compile an author's line and train
// files (check writes nothing), report every error where it lies, and never
// touch the source files.
#pragma once

#include <CLI/CLI.hpp>
#include <map>
#include <string>

#include "tools/lint/lint.h"

namespace scenc {

struct ArgomentiCompilazione {
  std::string route;
  std::string train;
  std::string line_file;   // default <route>_linea.txt
  std::string train_file;  // default <route>_<train>-.txt
  std::string out = ".";
  std::string input_encoding = "cp1252";
  std::string diagnostics_format = "text";  // or "json"
  bool no_track_plan = false;
  bool write_on_error = false;
  bool scrivi = true;  // false for `check`
  size_t max_errors = 50;  // errors reported at most; 0: no limit
  bool strict = false;  // every warning an error
  std::map<Avviso, bool> silenziati;
};

// Adds `compile` (scrivi = true) or `check`; the callback stores the exit
// status in `esito`.
CLI::App* aggiungi_compile(CLI::App& app, ArgomentiCompilazione& args, int& esito, bool scrivi);

int esegui_compile(const ArgomentiCompilazione& args);

// Route and train names form file names: not empty, not paths, no control
// characters. False, having said why on standard error, when one cannot.
bool nomi_validi(const std::string& route, const std::string& train);

// The --input-encoding option of the commands that compile sources.
CLI::Option* aggiungi_codifica_ingresso(CLI::App* cmd, std::string& codifica);

}  // namespace scenc
