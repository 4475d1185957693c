// `scenc plot`: draws a compiled scenario, its track plan and its profile
// along the line, as a PNG, SVG or PDF picture.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace scenc {

struct ArgomentiPlot {
  std::string route;
  std::string train;
  std::string dir = ".";
  std::string out;     // "-": standard output
  std::string format;  // png, svg or pdf; empty: by the ending of `out`
  std::optional<double> from_km;
  std::optional<double> to_km;
};

// Adds the subcommand; its callback stores the exit status in `esito`.
CLI::App* aggiungi_plot(CLI::App& app, ArgomentiPlot& args, int& esito);

int esegui_plot(const ArgomentiPlot& args);

}  // namespace scenc
