// Glossary: the grid of 50 m cells a line compiles to: how far it runs
// beyond the line's end, the cell a position goes into, and how far a
// line's position may go before it is error 15.
#pragma once

#include <cstdint>

#include "format/cell_kinds.h"
#include "util/rounding.h"

namespace scen {

// The grid runs this far beyond the line's end: cells 0 to
// round((length + 7000) / 50).
inline constexpr int64_t kMetriOltreLinea = 7000;

// How far ahead of a line's position the grid must still run: the line
// stands on the grid when (p + margin) / 50 <= the last cell.
inline constexpr int64_t kMargineGriglia = 100;
inline constexpr int64_t kMargineGrigliaStazione = 800;

// The last cell of the grid of a line `lunghezza` metres long.
inline int64_t ultima_cella_di(int64_t lunghezza) { return arrotonda((lunghezza + kMetriOltreLinea) / 50.0); }

// Whether position `p` stands on a grid whose last cell is `ultima`.
inline bool sulla_griglia(int64_t ultima, int64_t p, int64_t margine) {
  return !(static_cast<double>(ultima) < (p + margine) / 50.0);
}

// The cell that position `p` goes into by rule `posa`.
inline int64_t cella_di(PosaCella posa, int64_t p) {
  return posa == PosaCella::dopo ? arrotonda(p / 50.0 + 1) : arrotonda(p / 50.0);
}

// The position on the 50 m boundary that goes into cell `c` by rule `posa`
// (what `scenc dump` shows as the cell's metres).
constexpr int64_t metri_di(PosaCella posa, int64_t c) {
  return (posa == PosaCella::dopo ? c - 1 : c) * kMetriCella;
}

}  // namespace scen
