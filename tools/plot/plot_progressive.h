// The kilometric progressive of the line: the kilometre count of its boards
// and timetable, fixed by the first reference of record 81 (a position
// along the line and the progressive there, both in metres). The count
// falls as the position grows, as on the embedded route. A line without a
// reference counts its kilometres from its start.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/kilometric_progressive.h"
#include "model/model.h"

namespace scenc::plot {

class Progressiva {
 public:
  Progressiva() = default;  // no reference: kilometres from the start
  // One reference.
  Progressiva(int32_t posizione, int32_t progressiva) : chilometrica_({{posizione, progressiva}}) {}
  // The line's references, each holding up to the next
  // (model/kilometric_progressive.h).
  explicit Progressiva(scen::Chilometrica chilometrica) : chilometrica_(std::move(chilometrica)) {}

  bool presente() const { return chilometrica_.presente(); }
  // The progressive at a position along the line, both in metres.
  double metri(double posizione) const;

  struct Marca {
    int64_t posizione;  // m along the line
    int64_t progressiva;  // m, a multiple of the step
  };
  // The points of [da, a] where the progressive is a multiple of `passo`
  // metres, in increasing position.
  std::vector<Marca> marche(int64_t da, int64_t a, int64_t passo) const;

  // The position where the progressive is `metri`: the inverse of metri();
  // with several references, the first such position along the line.
  int64_t posizione(int64_t metri) const;

 private:
  // Each reference and the positions it holds for, [da, a).
  struct Tratto {
    scen::RiferimentoKm riferimento;
    int64_t da, a;
  };
  std::vector<Tratto> tratti() const;

  scen::Chilometrica chilometrica_;
};

// The references of records 81 to 83 as the line file wrote them.
Progressiva progressiva_da(const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim);

}  // namespace scenc::plot
