#include "run/all_errors.h"

#include <algorithm>

#include "format/errors.h"

namespace scen {

namespace {

bool stesso(const Diagnostic& a, const Diagnostic& b) {
  return a.number == b.number && a.file == b.file && a.range == b.range;
}

bool stessa_riga(const std::string& file, const SourceRange& r, const Diagnostic& d) {
  return r.line > 0 && file == d.file && r.line == d.range.line;
}

// Where a later error may be an earlier one's doing: a line that failed
// after it had placed its object still holds its cell, so an error that
// names it as the line that placed what takes a cell follows from it; and
// once the stations are too many, every further station is too.
const Diagnostic* causa(const Diagnostic& d, const std::vector<Diagnostic>& prima) {
  for (const RelatedLocation& r : d.related)
    for (const Diagnostic& p : prima)
      if (stessa_riga(r.file, r.range, p)) return &p;
  if (d.number == numero(Errore::troppe_stazioni))
    for (const Diagnostic& p : prima)
      if (p.number == d.number) return &p;
  return nullptr;
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
  std::vector<Diagnostic> prima{primo};
  for (auto it = dopo + 1; it != trovati.end(); ++it) {
    if (massimo != 0 && prima.size() >= massimo) {
      out.troncati = true;
      break;
    }
    Diagnostic d = std::move(*it);
    if (const Diagnostic* c = causa(d, prima))
      d.related.push_back({c->file, c->range, "this may follow from the error here"});
    prima.push_back(d);
    out.errori.push_back(std::move(d));
  }
  return out;
}

}  // namespace scen
