// The profile panel: along the line, in kilometres from its start, the
// speed limit and the gradient, the stations, and a lane for each kind of
// object on the line, with a legend.
#pragma once

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_progressive.h"

namespace scenc::plot {

void disegna_profilo(const Tela& tela, const Rettangolo& pannello, const ElementiLinea& elementi,
                     const Progressiva& progressiva);

}  // namespace scenc::plot
