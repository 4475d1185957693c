// What the cells of a compiled cell grid mean: the kind of each object, its
// values unpacked and named, the runs of the profiles and the objects that
// the approach marks announce.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "format/cell_kinds.h"
#include "model/model.h"

namespace scenc::dump {

using scen::kMetriCella;

// A value of a cell or record under the name the source files use for it.
struct CampoNominato {
  std::string nome;
  int64_t valore = 0;
  std::string unita;  // empty, or for example "km/h"
  // Shown together with the next field as "s1/d1 4/2": the two halves of one packed value.
  bool coppia_con_successivo = false;
};

// "signal", "text board", ...; "unknown kind N" for a kind the compiler never writes.
std::string nome_tipo_cella(uint8_t tipo);

// The same as one word, for programs: "signal", "text_board", ...; "unknown"
// for a kind the compiler never writes.
std::string chiave_tipo_cella(uint8_t tipo);

// The values of an object cell unpacked by its kind (a signal's s1 and d1
// from valore_1 = s1 * 10 + d1, a board's speeds from their packed pairs, ...).
std::vector<CampoNominato> campi_cella(const scen::Cella& c);

// A station stop mark or a text board: valore_1 is the number of the
// general record that holds its name or text.
bool rimanda_a_un_record(const scen::Cella& c);

// Where the source line put the object that stands in cell `indice`:
// signals, slowdown cells and boards sit one cell after their position,
// code points in the cell of their position. Empty for other kinds.
std::optional<int64_t> posizione_oggetto(size_t indice, uint8_t tipo);

// The cells listed as occupied: every cell whose tipo is not 0, and cell 1,
// which holds the format marker and the check code.
std::vector<size_t> celle_occupate(const std::vector<scen::Cella>& celle);

// A run of cells da..a (inclusive) holding the same raw value of one field.
struct Tratto {
  size_t da = 0;
  size_t a = 0;
  int valore = 0;
};
std::vector<Tratto> tratti(const std::vector<scen::Cella>& celle, uint8_t scen::Cella::*campo);

// One approach mark (preavviso) and the object it announces: the signal in
// the cell 2k after it or the station stop mark in the cell k after it,
// k being its last digit.
struct MarcaAvviso {
  size_t cella = 0;
  int valore = 0;
};
struct AvvisiGriglia {
  std::map<size_t, std::vector<MarcaAvviso>> per_oggetto;  // object cell -> its marks, nearest first
  std::vector<MarcaAvviso> senza_oggetto;
  size_t totale = 0;
};
AvvisiGriglia avvisi(const std::vector<scen::Cella>& celle);

}  // namespace scenc::dump
