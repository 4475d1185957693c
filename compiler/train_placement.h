// Placements made for lines of the train source file: signals and
// temporary slowdowns.
#pragma once

#include <cstdint>

#include "model/model.h"

namespace scen {

inline constexpr int kErroreSegnaleOccupato = 16;
inline constexpr int kErroreAvvisoOccupato = 17;
inline constexpr int kErroreInizioOccupato = 18;
inline constexpr int kErroreFineOccupata = 19;
inline constexpr int kErrorePreavvisoOccupato = 20;

// `tempo` is raised to 101 when it lies between 1 and 100, as the caller sees.
void memo_segnale(Modello& m, int32_t posizione, int32_t sx, int32_t s1, int32_t s2, int32_t s3,
                  int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t& tempo);

void memo_rallentamento(Modello& m, int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta,
                        int32_t d_v);

}  // namespace scen
