// The drawing module: what `scenc plot` does with cairo, built as a shared
// object of its own. scenc carries its bytes and loads it only when `scenc
// plot` runs, so that its other subcommands never load cairo.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "writer/compiled_writer.h"
#include "tools/plot/plot_format.h"

namespace scenc::plot {

struct Disegno {
  scen::NomiCompilati compilati;  // the three files to read
  std::string percorso;           // route and train names, for the title
  std::string treno;
  std::string out;  // the picture to write
  FormatoImmagine formato;
  // --from and --to: the stretch to draw, in the plot's kilometres, in
  // either order; the whole line without them.
  std::optional<double> da_km;
  std::optional<double> a_km;
};

// Reads the compiled files, draws them and replaces the picture; prints
// "wrote FILE", or what went wrong on the standard error. Returns scenc's
// exit status: a stretch that is empty or not within the line is a usage
// error, known only once the line is read.
using DisegnaScenario = int(const Disegno& disegno);
inline constexpr char kDisegnaScenario[] = "scenc_plot_disegna";

}  // namespace scenc::plot

// The module's bytes and soname, generated at build time.
namespace scen::incorporato {
std::string_view modulo_disegno();
const char* modulo_disegno_nome();
}  // namespace scen::incorporato

extern "C" scenc::plot::DisegnaScenario scenc_plot_disegna;
