// The compile's one exceptional path: a read that fails (past the end, not a
// number, a value too wide for its field, an address outside a table). It is
// caught at the edge of the compile and becomes error 25.
#pragma once

#include <stdexcept>
#include <string>

namespace scen {

inline constexpr int kErroreLettura = 25;

struct ErroreLettura : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace scen
