// Orders the three kilometric-progressive references of records 81 ("tre"),
// 82 ("due") and 83 ("uno") by decreasing position.
#pragma once

#include "model/model.h"

namespace scen {

void progressive_ordina(Modello& m);

}  // namespace scen
