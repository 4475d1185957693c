// The horizontal axis of the profile: metres along the line to page units.
#pragma once

#include <cstdint>
#include <string>

#include "tools/plot/plot_text.h"

namespace scenc::plot {

struct AsseLinea {
  double x0, x1;      // page units of the line's start and end
  double lunghezza;   // m
  double x(double metri) const { return x0 + (x1 - x0) * metri / lunghezza; }
  double scala() const { return (x1 - x0) / lunghezza; }
};

// Kilometres for a tick: "150", or "150.5" off a whole kilometre.
inline std::string km_tacca(int64_t metri) {
  return numero_testo(static_cast<double>(metri) / 1000, metri % 1000 == 0 ? 0 : 1);
}

}  // namespace scenc::plot
