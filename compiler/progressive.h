// Orders the three kilometric-progressive references of records 81 ("tre"),
// 82 ("due") and 83 ("uno") by decreasing position. A progressive that
// no longer fits 32 bits once raised is a read failure, told to `guasti`:
// false, with the records before it written.
#pragma once

#include "compiler/failure_sink.h"
#include "model/model.h"

namespace scen {

bool progressive_ordina(Modello& m, FailureSink& guasti);

}  // namespace scen
