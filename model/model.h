// The scenario model: the cell grid, the 87 general records, the track plan
// and the scalars that the compile, the code track and the writer share.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/cell_kinds.h"
#include "util/large_pages.h"

namespace scen {

// One 50 m cell of the grid, in the field order of the .dat image.
struct Cella {
  uint8_t tipo = 0;
  int16_t valore_1 = 0;
  int16_t valore_2 = 0;
  int16_t valore_3 = 0;
  int16_t valore_4 = 0;
  uint8_t tempo = 0;
  uint8_t preavviso = 0;
  uint8_t montagna = 0;
  uint8_t vel_limite = 0;
  uint8_t pendenza = 0;
  uint8_t aderenza = 0;

  // Nothing, or a mountain mark: a placement may overwrite it.
  bool libera() const { return scen::libera(TipoCella{tipo}); }
  bool operator==(const Cella&) const = default;
};

// One general record of the .sim image.
struct RecordSim {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t opzione_1 = 0;
  std::string testo;  // bytes as stored (code page 1252 in scenarios)
  int16_t parametro_1 = 0;
  int16_t parametro_2 = 0;
  int16_t parametro_4 = 0;
  int16_t parametro_5 = 0;
  int16_t parametro_6 = 0;
  uint8_t parametro_3 = 0;
  uint8_t sosta = 0;
  uint8_t opzione_3 = 0;
  uint8_t opzione_2 = 0;
  int32_t orario = 0;

  bool operator==(const RecordSim&) const = default;
};

inline constexpr int kNumeroRecord = 87;
inline constexpr int kMaxMontagne = 80;

// Type tags of a track-plan slot, as they appear in the _linea.dat image.
enum class TipoSlot : uint8_t { vuoto = 0, intero = 2, reale = 5 };
static_assert(TipoSlot{} == TipoSlot::vuoto);

// One column of the track plan. An integer slot keeps its 16-bit value in
// `valore` (every int16 is exact as a double); `tipo` says how to write it.
// A column of the longest line takes 8 MB, all of it written as soon as it
// is sized: its blocks come in huge pages (util/large_pages.h).
struct ColonnaLinea {
  std::vector<TipoSlot, LargePageAllocator<TipoSlot>> tipo;
  std::vector<double, LargePageAllocator<double>> valore;

  // Every slot empty (vuoto, 0.0).
  void dimensiona(size_t righe) {
    tipo.assign(righe, TipoSlot::vuoto);
    valore.assign(righe, 0.0);
  }
  void metti_intero(size_t r, int16_t v) {
    tipo[r] = TipoSlot::intero;
    valore[r] = v;
  }
  void metti_reale(size_t r, double v) {
    tipo[r] = TipoSlot::reale;
    valore[r] = v;
  }
};

// The per-metre plan of the track, rows 0 .. lunghezza_totale.
struct TabellaLinea {
  ColonnaLinea x;
  ColonnaLinea y;
  size_t righe() const { return x.tipo.size(); }
};

struct Modello {
  std::string nome_percorso;
  std::string nome_treno;

  bool scrivi_linea = false;  // build the track plan and write its file
  int32_t lunghezza_totale = 0;
  int32_t ultima_cella = 0;
  int32_t numero_montagne = 0;

  // Absent until "lunghezza percorso" has been read.
  std::optional<std::vector<Cella>> celle;
  std::optional<TabellaLinea> tabella_linea;
  std::array<RecordSim, kNumeroRecord> dati_sim;
  std::array<int32_t, kMaxMontagne + 1> montagne_inizio{};
  std::array<int32_t, kMaxMontagne + 1> montagne_fine{};
};

}  // namespace scen
