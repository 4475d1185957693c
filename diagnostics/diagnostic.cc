#include "diagnostics/diagnostic.h"

namespace scen {

const Diagnostic* DiagnosticList::first_error() const {
  for (const Diagnostic& d : items_)
    if (d.level == Level::error) return &d;
  return nullptr;
}

}  // namespace scen
