// The kilometric progressive of the line: the kilometre count of its boards
// and timetable, fixed by the first reference of record 81 (a position
// along the line and the progressive there, both in metres). The count
// falls as the position grows, as on the embedded route. A line without a
// reference counts its kilometres from its start.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/model.h"

namespace scenc::plot {

class Progressiva {
 public:
  Progressiva() = default;  // no reference: kilometres from the start
  Progressiva(int32_t posizione, int32_t progressiva)
      : presente_(true), posizione_(posizione), progressiva_(progressiva) {}

  bool presente() const { return presente_; }
  // The progressive at a position along the line, both in metres.
  double metri(double posizione) const;

  struct Marca {
    int64_t posizione;  // m along the line
    int64_t progressiva;  // m, a multiple of the step
  };
  // The points of [da, a] where the progressive is a multiple of `passo`
  // metres, in increasing position.
  std::vector<Marca> marche(int64_t da, int64_t a, int64_t passo) const;

  // The position where the progressive is `metri`: the inverse of metri().
  int64_t posizione(int64_t metri) const;

 private:
  bool presente_ = false;
  int64_t posizione_ = 0;
  int64_t progressiva_ = 0;
};

// Record 81 holds no reference when its position and progressive are 0; a
// reference with the flag 1 holds its progressive + 100.
Progressiva progressiva_da(const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim);

}  // namespace scenc::plot
