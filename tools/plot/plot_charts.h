// The two charts of the profile: the speed limit as a step line over a
// tinted area, and the gradient as bars about zero, each stretch with its
// value where it is wide enough to carry it.
#pragma once

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_line_axis.h"

namespace scenc::plot {

// Between the page heights y0 (top) and y1 (bottom).
void grafico_velocita(const Tela& tela, const AsseLinea& a, double y0, double y1, const ElementiLinea& e);
void grafico_pendenza(const Tela& tela, const AsseLinea& a, double y0, double y1, const ElementiLinea& e);

}  // namespace scenc::plot
