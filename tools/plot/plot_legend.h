// The legend of the profile: a symbol and a name for each line, fill and
// marker, flowing over as many rows as it needs.
#pragma once

#include "tools/plot/plot_canvas.h"

namespace scenc::plot {

// From x0 to x1, with the first row's baseline at y.
void legenda_profilo(const Tela& tela, double x0, double x1, double y);

}  // namespace scenc::plot
