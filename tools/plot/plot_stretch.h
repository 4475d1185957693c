// The stretch of the line a picture draws: the whole line, or the part
// `scenc plot --from KM --to KM` asks for, with KM read as the plot's axis
// shows kilometres (the kilometric progressive when the line has a
// reference, from the line's start otherwise).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/plot/plot_features.h"
#include "tools/plot/plot_progressive.h"

namespace scenc::plot {

struct Estensione {
  int32_t da = 0, a = 0;  // m along the line, da < a
  bool operator==(const Estensione&) const = default;
};

// The positions between two kilometres given in either order, or nullopt
// with `errore` saying why (an empty stretch, or one not within the line,
// with the line's kilometres).
std::optional<Estensione> estensione_da_km(double km_1, double km_2, const Progressiva& p, int32_t lunghezza,
                                           std::string& errore);

// What of `e` lies within `t`: the objects in it, the stretches of the
// charts cut at its ends. The line's length stays.
ElementiLinea ritaglia(const ElementiLinea& e, const Estensione& t);

}  // namespace scenc::plot
