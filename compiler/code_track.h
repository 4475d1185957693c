// Completes the cab-signal code track: code cut-down points of 180 around
// every slowdown and before the signals that lead up to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/model.h"

namespace scen {

// The code of the cut-down points the code track adds.
inline constexpr int16_t kCodiceAbbattimento = 180;

// The smaller of two values: y when x > y, otherwise x.
template <class T>
T minimo(T x, T y) {
  return x > y ? y : x;
}

// A cut-down point that found no room.
struct ConflittoCodici {
  int codice = 0;          // 11, 12 or 13: Errore::codice_segnale, codice_finestra, codice_rallentamento
  int64_t cella_regola;    // the warning point or slowdown start that called for it
  int64_t cella;           // the first cell it tried
  std::string dove;        // which rule, in plain words
};

// Runs over the grid as the compile left it. Each conflict is listed and
// the pass goes on; the conflicts are returned in order. Without a grid it
// does nothing.
std::vector<ConflittoCodici> completa_codici(Modello& m);

}  // namespace scen
