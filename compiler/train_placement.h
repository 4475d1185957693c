// Placements made for lines of the train source file: signals and
// temporary slowdowns. Each returns 0 when placed, the number of its
// refusal, or kErroreLettura after telling `guasti` of a read failure; the
// cells written before a refusal or failure stay written.
#pragma once

#include <cstdint>

#include "compiler/failure_sink.h"
#include "model/model.h"

namespace scen {

inline constexpr int kErroreSegnaleOccupato = numero(Errore::segnale_occupato);
inline constexpr int kErroreAvvisoOccupato = numero(Errore::avviso_occupato);
inline constexpr int kErroreInizioOccupato = numero(Errore::inizio_occupato);
inline constexpr int kErroreFineOccupata = numero(Errore::fine_occupata);
inline constexpr int kErrorePreavvisoOccupato = numero(Errore::preavviso_occupato);

// `tempo` is raised to 101 when it lies between 1 and 100, as the caller sees.
int32_t memo_segnale(Modello& m, FailureSink& guasti, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                     int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t& tempo);

int32_t memo_rallentamento(Modello& m, FailureSink& guasti, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                           int32_t f_ta, int32_t d_v);

}  // namespace scen
