// Every conversion of a computed value to an integer rounds to the nearest
// integer, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
#pragma once

#include <cmath>
#include <cstdint>

namespace scen {

inline int64_t arrotonda(double q) { return static_cast<int64_t>(std::nearbyint(q)); }

}  // namespace scen
