// Where a compiled grid's code points may come from. The code track
// (compiler/code_track.h) adds points of kind 12 with code 180 and marks
// them in no way, so in a grid read back from its file an added point and
// one written in the source with code 180 look the same; nor does running
// the code track again tell them apart, since it picks the first free cell
// of a window and a written point moves its pick (a point written at 300 m
// before a slowdown makes it add one at 350 m, and a point written at 350 m
// gives the same grid). What the grid does tell is where the code track can
// never add a point: the cells its rules can reach follow from the signals
// and slowdowns alone, which it does not move.
#pragma once

#include <vector>

#include "model/model.h"

namespace scen {

enum class OrigineCodice {
  scritto,   // from the source: kind 13, a code other than 180, or out of the code track's reach
  incerto,   // kind 12 with code 180 where the code track may have put it
};

// For the code point (kind 12 or 13) in cell `i` of a compiled grid.
class OriginiCodici {
 public:
  explicit OriginiCodici(const std::vector<Cella>& celle);
  OrigineCodice origine(size_t i) const;

 private:
  const std::vector<Cella>& celle_;
  std::vector<bool> raggiunte_;  // cells where the code track may put a point
};

}  // namespace scen
