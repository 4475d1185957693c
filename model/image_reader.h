// Reads the three compiled images back into the model's tables: the one
// decoder behind every tool that inspects compiled files. Decoding what the
// writer wrote and encoding it again gives the same bytes.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/model.h"

namespace scen {

// The largest each compiled file can be: the plan and the grid of the
// longest line (1 000 000 m and the 7 000 m the grid runs beyond), the
// records with every text at its 16-bit length. A reader refuses a larger
// file before reading it.
inline constexpr size_t kMassimoTabellaLinea = 20 * size_t{1007000} - 36;
inline constexpr size_t kMassimoCelle = 15 * (size_t{20140} + 1);
inline constexpr size_t kMassimoDatiSim = kNumeroRecord * (size_t{34} + 65535);

// A corrupt or truncated image: what was expected and where decoding failed.
class ErroreDecodifica : public std::runtime_error {
 public:
  ErroreDecodifica(size_t offset, const std::string& motivo)
      : std::runtime_error("at byte " + std::to_string(offset) + ": " + motivo), offset_(offset) {}
  size_t offset() const { return offset_; }

 private:
  size_t offset_;
};

std::vector<Cella> leggi_immagine_celle(std::string_view byte);
std::array<RecordSim, kNumeroRecord> leggi_immagine_dati_sim(std::string_view byte);
TabellaLinea leggi_immagine_tabella_linea(std::string_view byte);

}  // namespace scen
