// The three compiled images: the cell grid (.dat), the general records
// (.sim) and the track plan (_linea.dat), byte for byte.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "util/byte_sink.h"
#include "model/model.h"

namespace scen {

inline constexpr size_t kByteCella = 15;
inline constexpr size_t kByteRecordFissi = 34;
// The largest slot of the track plan: a 16-bit tag and a double.
inline constexpr size_t kByteSlotMassimo = 2 + 8;

// A text too long for the 16-bit length field of its record.
struct TestoTroppoLungo : std::length_error {
  using std::length_error::length_error;
};

void immagine_celle(const std::vector<Cella>& celle, ByteSink& out);
void immagine_dati_sim(const std::array<RecordSim, kNumeroRecord>& dati_sim, ByteSink& out);
// The plan's image is its x column, then its y column, a slot per row.
void immagine_tabella_linea(const TabellaLinea& tabella, ByteSink& out);
// The slots of rows [da, a) of one column: the plan's image can be written
// a run of rows at a time.
void immagine_righe(const ColonnaLinea& colonna, size_t da, size_t a, ByteSink& out);

// Whole images in memory, for tests and small files.
std::string immagine_celle(const std::vector<Cella>& celle);
std::string immagine_dati_sim(const std::array<RecordSim, kNumeroRecord>& dati_sim);
std::string immagine_tabella_linea(const TabellaLinea& tabella);

}  // namespace scen
