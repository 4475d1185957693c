// Glossary: the kinds of object in a cell of the grid (`TipoCella`, table in
// format/cell_kinds.def), the cell size and the reserved cell 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace scen {

// One cell stands for 50 m of line.
inline constexpr int kMetriCella = 50;

// Cell 1 holds no object of its own: its `valore_1` is the format marker
// and its `valore_2` the check code A (errors 1250 and 1251).
inline constexpr size_t kCellaRiservata = 1;
inline constexpr int16_t kMarcatoreDat = 5121;

enum class TipoCella : uint8_t {
#define TIPO_CELLA(id, numero, nome, descrizione, nel_messaggio, posa) id = numero,
#include "format/cell_kinds.def"
#undef TIPO_CELLA
};

// The number a kind is stored as: `c.tipo = numero(TipoCella::cartello)`.
// A stored number reads back as `TipoCella{c.tipo}`.
constexpr uint8_t numero(TipoCella t) { return static_cast<uint8_t>(t); }

// Where an object's cell lies from the position p of the line that placed
// it; for a change that holds from p on (gradient, speed limit, adhesion,
// a mountain stretch's start), the first cell it holds in.
enum class PosaCella : uint8_t {
  nessuna,  // not at a position of its own (marks placed from something else)
  dopo,     // round(p / 50 + 1): signals, slowdown cells, boards
  nella,    // round(p / 50): code points, and the first cell of a change
};

struct DescrizioneCella {
  TipoCella id;
  std::string_view nome;           // "slowdown end"
  std::string_view descrizione;    // "end of a slowdown"
  std::string_view nel_messaggio;  // "the end of a slowdown"
  PosaCella posa;
};

// Every kind, in ascending number.
inline constexpr DescrizioneCella kTipiCella[] = {
#define TIPO_CELLA(id, numero, nome, descrizione, nel_messaggio, posa) \
  {TipoCella::id, nome, descrizione, nel_messaggio, PosaCella::posa},
#include "format/cell_kinds.def"
#undef TIPO_CELLA
};

static_assert([] {
  for (size_t i = 1; i < std::size(kTipiCella); ++i)
    if (numero(kTipiCella[i - 1].id) >= numero(kTipiCella[i].id)) return false;
  return true;
}(), "format/cell_kinds.def: numbers ascending, each once");

// The kind stored as `tipo`; null for a number no kind has.
constexpr const DescrizioneCella* tipo_cella(uint8_t tipo) {
  for (const DescrizioneCella& d : kTipiCella)
    if (numero(d.id) == tipo) return &d;
  return nullptr;
}

// Nothing and a mountain mark may be overwritten by a placement.
constexpr bool libera(TipoCella t) { return t == TipoCella::nessuno || t == TipoCella::segno_montagna; }

}  // namespace scen
