// Steps of axis ticks and scale bars: 1, 2 or 5 times a power of ten.
#pragma once

#include <cstdint>

namespace scenc::plot {

// The smallest round step, in metres and at least `minimo` metres, that
// puts marks at least `distanza` page units apart at `scala` units per metre.
int64_t passo_tondo(double scala, double distanza, int64_t minimo = 1);

// The largest round length in metres that is at most `distanza` page units
// long at `scala` units per metre (1 m at least).
int64_t lunghezza_tonda(double scala, double distanza);

}  // namespace scenc::plot
