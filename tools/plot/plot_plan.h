// The plan panel: the track as the track plan lays it out, x to the right
// and y upwards at one scale, with the stations and the kilometre marks of
// the progressive along it, and a scale bar.
#pragma once

#include "model/model.h"
#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_progressive.h"

namespace scenc::plot {

void disegna_pianta(const Tela& tela, const Rettangolo& pannello, const scen::TabellaLinea& tabella,
                    const ElementiLinea& elementi, const Progressiva& progressiva);

}  // namespace scenc::plot
