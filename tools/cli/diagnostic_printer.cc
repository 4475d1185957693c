#include "tools/cli/diagnostic_printer.h"

#include <string>

#include "run/error_report.h"
#include "tools/cli/source_excerpt.h"

namespace scenc {

namespace {

// A warning ends with the flag that silences it; made an error by
// --strict, with both, as compilers write a warning made an error.
std::string flag(const scen::Diagnostic& d) {
  if (d.flag.empty()) return "";
  return d.level == scen::Level::error ? " [--strict,--" + d.flag + "]" : " [--" + d.flag + "]";
}

std::string testo(const scen::Diagnostic& d) {
  if (d.number == 0) return " " + d.message + flag(d);
  std::string t = scen::testo_errore(d.number);
  const std::string_view spiegazione = d.message.empty() ? scen::descrizione_errore(d.number) : d.message;
  if (!spiegazione.empty()) t += ": " + std::string(spiegazione);
  return t;
}

}  // namespace

void stampa_diagnostica(std::ostream& err, const scen::Diagnostic& d, bool utf8, const RigaSorgente& riga) {
  const bool luogo = !d.file.empty() && d.range.line > 0;
  if (!d.file.empty()) {
    err << d.file;
    if (luogo) err << ":" << d.range.line << ":" << d.range.column;
    err << ": ";
  } else {
    err << "scenc: ";
  }
  err << scen::level_name(d.level) << ":" << testo_leggibile(testo(d), utf8) << "\n";
  if (luogo) err << estratto_con_cursore(riga(d.file, d.range.line), d.range.column, utf8);
  // The other places the message names, each a note with its line.
  for (const scen::RelatedLocation& r : d.related) {
    if (r.file.empty() || r.range.line <= 0) continue;
    err << r.file << ":" << r.range.line << ":" << r.range.column
        << ": note: " << testo_leggibile(r.message, utf8) << "\n";
    err << estratto_con_cursore(riga(r.file, r.range.line), r.range.column, utf8);
  }
}

}  // namespace scenc
