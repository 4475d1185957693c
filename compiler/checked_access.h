// Access to the model's tables and narrowing of values read from a file,
// as the compile does them: anything outside a table or a field's width is
// a read failure (error 25), told to `guasti`, never a write outside the
// table. A narrowing that fails leaves its field as it was.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "compiler/failure_sink.h"
#include "model/model.h"

namespace scen {

// The cell, or null after telling `guasti`.
inline Cella* cella(Modello& m, int64_t i, FailureSink& guasti) {
  if (!m.celle) {
    guasti.guasto("the line file has no \"lunghezza percorso\" line before its data: the grid is not sized");
    return nullptr;
  }
  if (i < 0 || i >= static_cast<int64_t>(m.celle->size())) {
    guasti.guasto("cell " + std::to_string(i) + " is outside the grid 0.." + std::to_string(m.celle->size() - 1));
    return nullptr;
  }
  return &(*m.celle)[static_cast<size_t>(i)];
}

// The general record, or null after telling `guasti`.
inline RecordSim* record(Modello& m, int64_t i, FailureSink& guasti) {
  if (i < 0 || i >= kNumeroRecord) {
    guasti.guasto("record " + std::to_string(i) + " is outside the general records 0..86");
    return nullptr;
  }
  return &m.dati_sim[static_cast<size_t>(i)];
}

// `v` into `campo` when it fits its width.
template <class T>
bool adatta(int64_t v, T& campo, FailureSink& guasti) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
    guasti.guasto("value " + std::to_string(v) + " does not fit " + std::to_string(sizeof(T) * 8) + " bits" +
                  (std::numeric_limits<T>::is_signed ? "" : " unsigned"));
    return false;
  }
  campo = static_cast<T>(v);
  return true;
}

inline bool in_32(int64_t v, int32_t& campo, FailureSink& guasti) { return adatta(v, campo, guasti); }
inline bool in_16(int64_t v, int16_t& campo, FailureSink& guasti) { return adatta(v, campo, guasti); }
inline bool in_8(int64_t v, uint8_t& campo, FailureSink& guasti) { return adatta(v, campo, guasti); }

// The fields documented as keeping only the low bits.
inline int16_t basso_16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }
inline uint8_t basso_8(int64_t v) { return static_cast<uint8_t>(v); }

// Whether a text fits the 16-bit length of a record's text.
inline bool testo_in_record(const std::string& s, FailureSink& guasti) {
  if (s.size() > std::numeric_limits<uint16_t>::max()) {
    guasti.guasto("text of " + std::to_string(s.size()) + " bytes does not fit the 16-bit length of its record");
    return false;
  }
  return true;
}

}  // namespace scen
