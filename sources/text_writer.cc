#include "sources/text_writer.h"

#include <stdexcept>

#include "util/file_replace.h"
#include "util/cp1252.h"

namespace scen {

ElencoRighe::ElencoRighe(const std::vector<std::string>& righe) {
  if (righe.size() >= kPostiElenco)
    throw std::length_error("a text table holds at most " + std::to_string(kPostiElenco - 1) + " lines");
  for (size_t i = 0; i < righe.size(); ++i) posti_[i] = righe[i];
  posti_[righe.size()] = kSentinella;
}

void scrivi_elenco(const std::string& percorso, const ElencoRighe& elenco, TemporaryFiles* temporanei) {
  sostituisci_file(path_from_utf8(percorso), [&](ByteSink& out) {
    for (const std::string& riga : elenco.posti()) {
      if (riga == kSentinella) break;
      out.bytes(in_cp1252(riga));
      out.bytes("\r\n");
    }
  }, temporanei);
}

}  // namespace scen
