// The horizontal axis of the profile: metres along the line, from `da` to
// `a` (the whole line or the stretch drawn), to page units.
#pragma once

#include <cstdint>
#include <string>

#include "tools/plot/plot_text.h"

namespace scenc::plot {

struct AsseLinea {
  double x0, x1;  // page units of the stretch's start and end
  double da, a;   // m
  double x(double metri) const { return x0 + (x1 - x0) * (metri - da) / (a - da); }
  double scala() const { return (x1 - x0) / (a - da); }
};

// Kilometres for a tick: "150", or "150.5" off a whole kilometre.
inline std::string km_tacca(int64_t metri) {
  return numero_testo(static_cast<double>(metri) / 1000, metri % 1000 == 0 ? 0 : 1);
}

}  // namespace scenc::plot
