// Placements made for lines of the line source file: mountain stretches and
// maximum-speed indicator boards.
#pragma once

#include <cstdint>

#include "model/model.h"

namespace scen {

inline constexpr int kErroreIndicatoreOccupato = 21;

void memo_montagna(Modello& m, int32_t inizio, int32_t fine, int32_t tipo);

void memo_indicatori_v_max(Modello& m, int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs,
                           int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                           int32_t strisced);

}  // namespace scen
