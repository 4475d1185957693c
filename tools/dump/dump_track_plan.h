// What a compiled track plan holds: the kinds of its slots, the rows that
// were computed and the shape of the track they draw.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/model.h"

namespace scenc::dump {

// A run of rows da..a (inclusive) whose slots in one column have the same type.
struct TrattoSlot {
  size_t da = 0;
  size_t a = 0;
  scen::TipoSlot tipo = scen::TipoSlot::vuoto;
};
std::vector<TrattoSlot> tratti_slot(const scen::ColonnaLinea& colonna);

// "empty", "int16", "double".
const char* nome_slot(scen::TipoSlot tipo);

struct SintesiLinea {
  size_t righe = 0;
  std::optional<size_t> ultima_calcolata;  // last row with a slot that is not empty
  size_t vuote_in_fondo = 0;               // empty rows after it
  // Over the rows whose two slots both hold a value:
  size_t righe_con_valore = 0;
  double lunghezza = 0;  // sum of the distances between consecutive such rows
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
  // The last such row and the direction of the step that reaches it, in
  // degrees from +y (the start direction) towards +x.
  std::optional<size_t> riga_finale;
  double x_finale = 0, y_finale = 0;
  std::optional<double> direzione_gradi;
};
SintesiLinea sintesi_linea(const scen::TabellaLinea& t);

}  // namespace scenc::dump
