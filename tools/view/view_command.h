// `scenc view`: one page of the scenario, to open in a browser: the track
// plan and the profile along the line, linked, every object with its
// values and source line, and the diagnostics of the compile.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace scenc {

struct ArgomentiVista {
  std::string route;
  std::string train;
  std::string dir = ".";
  std::string out;
  std::string input_encoding = "cp1252";
  bool compiled = false;  // the three compiled files in dir rather than the sources
};

// Adds the subcommand; its callback stores the exit status in `esito`.
CLI::App* aggiungi_view(CLI::App& app, ArgomentiVista& args, int& esito);

int esegui_view(const ArgomentiVista& args);

}  // namespace scenc
