// A lane of the profile: the objects of one kind as markers in a row at
// their positions, their labels in staggered rows below, and the lane's
// title with the count of its objects in the gutter. Labels that find no
// room are left out, and the title says how many.
#pragma once

#include <string>
#include <vector>

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_line_axis.h"

namespace scenc::plot {

struct Corsia {
  double y = 0;   // top
  int righe = 0;  // rows of labels
  double altezza() const;
};

struct Segno {
  double posizione = 0;  // m
  Marcatore marcatore = Marcatore::quadrato;
  Colore colore{};
  std::string etichetta;  // none when empty
};

void disegna_corsia(const Tela& tela, const AsseLinea& a, const Corsia& corsia, double x_titolo,
                    const std::string& titolo, const std::vector<Segno>& segni);

}  // namespace scenc::plot
