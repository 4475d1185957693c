// What the compile tells, as it computes the track plan, about the rows
// that will not change any more: the plan can be written out while the
// compile goes on.
#pragma once

#include <cstddef>

#include "model/model.h"

namespace scen {

class OsservatorePiano {
 public:
  virtual ~OsservatorePiano() = default;
  // Rows 0 .. righe - 1 of `tabella` keep their slots until the compile
  // ends; rows from `righe` on may still be written. Called on the
  // compile's thread, with `righe` growing from call to call.
  virtual void righe_definitive(const TabellaLinea& tabella, size_t righe) = 0;
};

}  // namespace scen
