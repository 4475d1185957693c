// The marks of the signals by kind: each pair of group kinds (sx, dx) met
// along the line gets a mark of its own, a shape and a colour, in the order
// the kinds first appear.
#pragma once

#include <string>
#include <vector>

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_features.h"

namespace scenc::plot {

struct MarcaSegnale {
  int sx = 0, dx = 0;
  Marcatore marcatore = Marcatore::cerchio;
  Colore colore{};
  std::string nome;  // "sx 1 · dx 0", as the viewer names it
};

std::vector<MarcaSegnale> marche_segnali(const std::vector<Segnale>& segnali);

// The mark of `s` among `marche`.
const MarcaSegnale& marca_di(const std::vector<MarcaSegnale>& marche, const Segnale& s);

}  // namespace scenc::plot
