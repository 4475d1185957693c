// The scenario as the page's JSON: the track plan thinned to a step, the
// profiles as stretches, every object with its values named, its cell and
// the source line that placed it, the stations, the kilometric reference,
// the keywords' field names and the diagnostics. Texts are UTF-8.
#pragma once

#include <nlohmann/json.hpp>

#include "tools/view/view_input.h"

namespace scenc::view {

// Metres between two points of the track plan the page draws.
inline constexpr int kPassoPiano = 10;

nlohmann::json json_vista(const ScenarioVista& v);

}  // namespace scenc::view
