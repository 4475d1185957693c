// The page of `scenc plot`: a title, the plan panel on the left and the
// profile panel on the right.
#pragma once

#include <cairo.h>

#include <string>

#include "model/model.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_labels.h"
#include "tools/plot/plot_progressive.h"

namespace scenc::plot {

inline constexpr int kLarghezzaPagina = 2400;
inline constexpr int kAltezzaPagina = 1500;
inline constexpr Rettangolo kPannelloPianta{30, 90, 760, 1380};
inline constexpr Rettangolo kPannelloProfilo{810, 90, 1560, 1380};

struct Titoli {
  std::string percorso;
  std::string treno;
};

void disegna_pagina(cairo_t* cr, const Titoli& titoli, const scen::TabellaLinea& tabella,
                    const ElementiLinea& elementi, const Progressiva& progressiva);

}  // namespace scenc::plot
