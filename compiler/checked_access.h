// Access to the model's tables and narrowing of values read from a file,
// as the compile does them: anything outside a table or a field's width is
// a read failure (error 25), never a write outside the table.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "parse/read_failure.h"
#include "model/model.h"

namespace scen {

inline Cella& cella(Modello& m, int64_t i) {
  if (!m.celle) throw ErroreLettura("the line file has no \"lunghezza percorso\" line before its data: the grid is not sized");
  if (i < 0 || i >= static_cast<int64_t>(m.celle->size()))
    throw ErroreLettura("cell " + std::to_string(i) + " is outside the grid 0.." +
                        std::to_string(m.celle->size() - 1));
  return (*m.celle)[static_cast<size_t>(i)];
}

inline RecordSim& record(Modello& m, int64_t i) {
  if (i < 0 || i >= kNumeroRecord)
    throw ErroreLettura("record " + std::to_string(i) + " is outside the general records 0..86");
  return m.dati_sim[static_cast<size_t>(i)];
}

template <class T>
T adatta(int64_t v) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
    throw ErroreLettura("value " + std::to_string(v) + " does not fit " +
                        std::to_string(sizeof(T) * 8) + " bits" +
                        (std::numeric_limits<T>::is_signed ? "" : " unsigned"));
  return static_cast<T>(v);
}

inline int32_t in_32(int64_t v) { return adatta<int32_t>(v); }
inline int16_t in_16(int64_t v) { return adatta<int16_t>(v); }
inline uint8_t in_8(int64_t v) { return adatta<uint8_t>(v); }

// The fields documented as keeping only the low bits.
inline int16_t basso_16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }
inline uint8_t basso_8(int64_t v) { return static_cast<uint8_t>(v); }

inline std::string testo_record(std::string s) {
  if (s.size() > std::numeric_limits<uint16_t>::max())
    throw ErroreLettura("text of " + std::to_string(s.size()) +
                        " bytes does not fit the 16-bit length of its record");
  return s;
}

}  // namespace scen
