// The two check codes of a scenario, computed from the train and route
// names in records 86 and 85 and a fixed fill text.
#pragma once

#include <cstdint>

#include "model/model.h"

namespace scen {

// Sum of the 25 key characters; at most 6375.
int16_t codice_gara_og(const Modello& m);
// Sum of the 25 key characters weighted by their position; at most 82875.
int32_t codice_gara_st(const Modello& m);

}  // namespace scen
