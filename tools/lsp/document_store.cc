#include "tools/lsp/document_store.h"

#include <algorithm>
#include <utility>

namespace scenc::lsp {

void DocumentStore::apri(const std::string& percorso, std::string testo, int64_t versione) {
  documenti_[percorso] = Documento{std::move(testo), versione};
}

bool DocumentStore::modifica(const std::string& percorso, const Modifica& m, int64_t versione, Codifica c) {
  const auto it = documenti_.find(percorso);
  if (it == documenti_.end()) return false;
  Documento& d = it->second;
  d.versione = versione;
  if (m.intero) {
    d.testo = m.testo;
    return true;
  }
  const LineIndex indice(d.testo);
  size_t inizio = indice.offset(d.testo, m.riga_inizio, m.carattere_inizio, c);
  size_t fine = indice.offset(d.testo, m.riga_fine, m.carattere_fine, c);
  if (fine < inizio) std::swap(inizio, fine);
  d.testo.replace(inizio, fine - inizio, m.testo);
  return true;
}

const Documento* DocumentStore::trova(const std::string& percorso) const {
  const auto it = documenti_.find(percorso);
  return it == documenti_.end() ? nullptr : &it->second;
}

}  // namespace scenc::lsp
