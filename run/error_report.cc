#include "run/error_report.h"

#include "format/errors.h"

namespace scen {

std::string testo_errore(long numero) { return " Errore n. " + std::to_string(numero); }

std::string_view descrizione_errore(long numero) {
  const DescrizioneErrore* e = errore(numero);
  return e ? e->descrizione : std::string_view{};
}

std::vector<long> numeri_errore() {
  std::vector<long> numeri;
  for (const DescrizioneErrore& e : kErrori) numeri.push_back(numero(e.id));
  return numeri;
}

}  // namespace scen
