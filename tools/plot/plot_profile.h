// The profile panel: along the line (or the stretch drawn), in kilometres
// from its start and of the progressive, the speed limit with the
// slowdowns and the gradient, the stations with their zones and times, and
// a lane for each kind of object on the line, with a legend.
#pragma once

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_progressive.h"
#include "tools/plot/plot_stretch.h"

namespace scenc::plot {

// `elementi` holds what lies within `tratto`.
void disegna_profilo(const Tela& tela, const Rettangolo& pannello, const ElementiLinea& elementi,
                     const Progressiva& progressiva, const Estensione& tratto);

}  // namespace scenc::plot
