#include "run/all_errors.h"

#include <algorithm>

#include "format/errors.h"

namespace scen {

namespace {

// Errors that weigh a line against others (a cell another line took, the
// distance from the station before, the count of stations, the grid the
// line length sized): after a line was left out, they may be its doing.
bool dipende_da_altre_righe(int32_t numero) {
  switch (numero) {
    case 6: case 7: case 10: case 15: case 16: case 17: case 18: case 19: case 20: case 21: case 22:
      return true;
    default:
      return false;
  }
}

bool stesso(const Diagnostic& a, const Diagnostic& b) {
  return a.number == b.number && a.file == b.file && a.range == b.range;
}

}  // namespace

AltriErrori altri_errori(const Diagnostic& primo, const Modello& nomi, const SorgentiCompilazione& sorgenti,
                         size_t massimo) {
  AltriErrori out;
  if (massimo == 1) return out;
  // One more than is shown, to know whether more follow.
  std::vector<Diagnostic> trovati = errori_dopo_il_primo(nomi, sorgenti, massimo == 0 ? 0 : massimo + 1);
  // The compile after its first error may record the run's own error
  // again, or one the run went past: only what it finds after that counts.
  const auto dopo = std::find_if(trovati.begin(), trovati.end(), [&](const Diagnostic& d) { return stesso(d, primo); });
  if (dopo == trovati.end()) return out;
  SourceRange prima = primo.range;
  std::string file_prima = primo.file;
  std::vector<Diagnostic> scelti(dopo + 1, trovati.end());
  for (Diagnostic& d : scelti) {
    if (massimo != 0 && out.errori.size() + 1 >= massimo) {
      out.troncati = true;
      break;
    }
    if (dipende_da_altre_righe(d.number) && prima.line > 0)
      d.related.push_back({file_prima, prima, "this may follow from the error here: its line was left out"});
    prima = d.range;
    file_prima = d.file;
    out.errori.push_back(std::move(d));
  }
  return out;
}

}  // namespace scen
