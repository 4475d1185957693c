// Placements made for lines of the line source file: mountain stretches and
// maximum-speed indicator boards. Each returns 0 when placed, the number of
// its refusal, or kErroreLettura after telling `guasti` of a read failure;
// the cells written before a refusal or failure stay written.
#pragma once

#include <cstdint>

#include "compiler/failure_sink.h"
#include "model/model.h"

namespace scen {

inline constexpr int kErroreIndicatoreOccupato = numero(Errore::indicatore_occupato);

// 0 or kErroreLettura (more than kMaxMontagne stretches, a cell outside the grid).
int32_t memo_montagna(Modello& m, FailureSink& guasti, int32_t inizio, int32_t fine, int32_t tipo);

// 0, kErroreIndicatoreOccupato or kErroreLettura.
int32_t memo_indicatori_v_max(Modello& m, FailureSink& guasti, int32_t posizione, int32_t vas, int32_t vbs,
                              int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                              int32_t strisced);

}  // namespace scen
