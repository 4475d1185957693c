// The legend of the profile: a symbol and a name for each line, fill and
// marker, flowing over as many rows as it needs.
#pragma once

#include <vector>

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_signal_marks.h"

namespace scenc::plot {

// From x0 to x1, with the first row's baseline at y; a signal entry for
// each of `segnali`.
void legenda_profilo(const Tela& tela, double x0, double x1, double y, const std::vector<MarcaSegnale>& segnali);

}  // namespace scenc::plot
