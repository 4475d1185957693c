// The buffers the editor has open: their text (UTF-8) as the editor last
// sent it, kept whole or edited in place by incremental changes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "tools/lsp/position_encoding.h"

namespace scenc::lsp {

struct Documento {
  std::string testo;
  int64_t versione = 0;
};

// A change as `didChange` sends it: the whole text, or a range replaced.
struct Modifica {
  bool intero = true;
  int64_t riga_inizio = 0, carattere_inizio = 0;
  int64_t riga_fine = 0, carattere_fine = 0;
  std::string testo;
};

class DocumentStore {
 public:
  void apri(const std::string& percorso, std::string testo, int64_t versione);
  void chiudi(const std::string& percorso) { documenti_.erase(percorso); }
  // Applies a change; false for a buffer not open.
  bool modifica(const std::string& percorso, const Modifica& m, int64_t versione, Codifica c);
  const Documento* trova(const std::string& percorso) const;
  const std::map<std::string, Documento>& tutti() const { return documenti_; }

 private:
  std::map<std::string, Documento> documenti_;  // by path
};

}  // namespace scenc::lsp
