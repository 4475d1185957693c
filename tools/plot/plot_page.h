// The page of `scenc plot`: a title, the plan panel on the left and the
// profile panel on the right, of the whole line or a stretch of it. The
// elements are the whole line's; the panels take what lies in the stretch.
#pragma once

#include <string>

#include "model/model.h"
#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_labels.h"
#include "tools/plot/plot_progressive.h"
#include "tools/plot/plot_stretch.h"

namespace scenc::plot {

inline constexpr int kLarghezzaPagina = 2400;
inline constexpr int kAltezzaPagina = 1500;
inline constexpr Rettangolo kPannelloPianta{30, 90, 760, 1380};
inline constexpr Rettangolo kPannelloProfilo{810, 90, 1560, 1380};

struct Titoli {
  std::string percorso;
  std::string treno;
};

void disegna_pagina(const Tela& tela, const Titoli& titoli, const scen::TabellaLinea& tabella,
                    const ElementiLinea& elementi, const Progressiva& progressiva, const Estensione& tratto);

}  // namespace scenc::plot
