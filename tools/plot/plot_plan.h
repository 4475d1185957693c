// The plan panel: the track as the track plan lays it out, x to the right
// and y upwards at one scale, with the stations and the kilometre marks of
// the progressive along it, and a scale bar; of the stretch drawn only.
#pragma once

#include "model/model.h"
#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_progressive.h"
#include "tools/plot/plot_stretch.h"

namespace scenc::plot {

void disegna_pianta(const Tela& tela, const Rettangolo& pannello, const scen::TabellaLinea& tabella,
                    const ElementiLinea& elementi, const Progressiva& progressiva, const Estensione& tratto);

}  // namespace scenc::plot
