#include "tools/lsp/scenario_diagnostics.h"

#include <cstdio>
#include <utility>

#include "parse/source_text.h"
#include "platform/path_text.h"
#include "run/error_report.h"
#include "tools/lint/scenario_check.h"
#include "tools/lsp/uri.h"
#include "util/cp1252.h"

namespace scenc::lsp {

namespace {

using json = nlohmann::json;

constexpr size_t kAvvisiTenuti = 1000;
constexpr size_t kErroriMassimi = 50;  // as `scenc check` reports by default

// A file of the pair with what positions are counted in.
struct FileCoppia {
  const std::string* percorso;
  const TestoSorgente* testo;
  std::unique_ptr<LineIndex> indice_utf8;
  std::unique_ptr<LineIndex> indice_cp1252;
};

json posizione(int64_t riga, int64_t carattere) { return {{"line", riga}, {"character", carattere}}; }

// The editor's range of a compile's range: columns count characters. A
// point is widened to the field it starts, so that the editor marks it.
json intervallo(const FileCoppia& f, const scen::SourceRange& r, Codifica codifica) {
  if (r.line <= 0) return {{"start", posizione(0, 0)}, {"end", posizione(0, 0)}};
  const auto riga = static_cast<size_t>(r.line - 1);
  const std::string_view testo_utf8 = f.testo->utf8;
  const std::string_view testo_cp = *f.testo->cp1252;
  const int64_t inizio = std::max<int64_t>(r.column - 1, 0);
  size_t riga_fine = riga;
  int64_t fine = inizio;
  if (r.end_line > 0 && (r.end_line != r.line || r.end_column != r.column)) {
    riga_fine = static_cast<size_t>(r.end_line - 1);
    fine = std::max<int64_t>(r.end_column - 1, 0);
  } else {
    const std::string_view cp = f.indice_cp1252->riga(testo_cp, riga);
    size_t e = static_cast<size_t>(std::min<int64_t>(inizio, static_cast<int64_t>(cp.size())));
    while (e < cp.size() && cp[e] != ',') ++e;
    while (e > static_cast<size_t>(inizio) && (cp[e - 1] == ' ' || cp[e - 1] == '\t')) --e;
    fine = std::max<int64_t>(static_cast<int64_t>(e), inizio);
  }
  const auto unita = [&](size_t n, int64_t caratteri) {
    return unita_da_caratteri(f.indice_utf8->riga(testo_utf8, n), caratteri, codifica);
  };
  return {{"start", posizione(static_cast<int64_t>(riga), unita(riga, inizio))},
          {"end", posizione(static_cast<int64_t>(riga_fine), unita(riga_fine, fine))}};
}

std::string messaggio(const scen::Diagnostic& d) {
  std::string t;
  if (d.number == 0) {
    t = d.message;
  } else {
    t = scen::testo_errore(d.number);
    const std::string_view spiegazione = d.message.empty() ? scen::descrizione_errore(d.number) : d.message;
    if (!spiegazione.empty()) t += ": " + std::string(spiegazione);
  }
  const size_t inizio = t.find_first_not_of(' ');
  return scen::da_cp1252(inizio == std::string::npos ? t : t.substr(inizio));
}

int gravita(scen::Level l) {
  switch (l) {
    case scen::Level::error: return 1;
    case scen::Level::warning: return 2;
    case scen::Level::note: return 3;
  }
  return 1;
}

std::string codice_carattere(uint32_t c) {
  char t[16];
  std::snprintf(t, sizeof t, "U+%04X", static_cast<unsigned>(c));
  return t;
}

}  // namespace

TestoSorgente da_editor(std::string utf8) {
  TestoPerCompilare c = per_compilare(utf8);
  return {std::move(utf8), std::make_shared<const std::string>(std::move(c.cp1252)), std::move(c.mancanti)};
}

std::optional<TestoSorgente> da_disco(const std::string& percorso) {
  scen::SourceText letto;
  std::string errore;
  if (!scen::read_source_file(scen::path_from_utf8(percorso), letto, errore)) return std::nullopt;
  TestoSorgente t;
  t.utf8 = scen::da_cp1252(letto.bytes);
  t.cp1252 = std::make_shared<const std::string>(std::move(letto.bytes));
  return t;
}

DiagnosticheScenario diagnostiche_scenario(const CoppiaScenario& c, const TestoSorgente* linea,
                                           const TestoSorgente* treno, Codifica codifica) {
  RichiestaControllo r;
  r.route = c.route;
  r.train = c.train.empty() ? "_" : c.train;
  r.opzioni.scrivi = false;
  r.opzioni.scrivi_linea = true;
  r.opzioni.sorgenti.elimina_sorgenti = false;
  r.opzioni.sorgenti.linea = scen::path_from_utf8(c.linea);
  // A line file alone is read against a train file that is nowhere: the
  // line file is compiled first, and what is said of the missing train
  // file is left out.
  r.opzioni.sorgenti.treno = scen::path_from_utf8(c.treno.empty() ? c.linea + ".nessun-treno" : c.treno);
  if (linea) r.opzioni.sorgenti.testo_linea = linea->cp1252;
  if (treno) r.opzioni.sorgenti.testo_treno = treno->cp1252;
  r.attivi.assign(std::begin(kTuttiAvvisi), std::end(kTuttiAvvisi));
  r.avvisi_tenuti = kAvvisiTenuti;
  r.max_errori = kErroriMassimi;
  const EsitoControllo esito = controlla_scenario(r);

  std::vector<FileCoppia> files;
  for (auto [percorso, testo] : {std::pair{&c.linea, linea}, {&c.treno, treno}}) {
    if (percorso->empty()) continue;
    FileCoppia f{percorso, testo, nullptr, nullptr};
    if (testo) {
      f.indice_utf8 = std::make_unique<LineIndex>(testo->utf8);
      f.indice_cp1252 = std::make_unique<LineIndex>(*testo->cp1252);
    }
    files.push_back(std::move(f));
  }
  DiagnosticheScenario risultato;
  risultato.riferimenti_km = esito.percorso.compilazione.riferimenti_km;
  std::map<std::string, json>& per_file = risultato.per_file;
  for (const FileCoppia& f : files) per_file[*f.percorso] = json::array();
  // The file a diagnostic is shown in, and where: its own, or the first
  // line of a file of the pair that was read.
  const auto luogo = [&files](const std::string& file) -> const FileCoppia* {
    for (const FileCoppia& f : files)
      if (*f.percorso == file && f.testo) return &f;
    return nullptr;
  };
  const FileCoppia* ripiego = nullptr;
  for (const FileCoppia& f : files)
    if (f.testo && !ripiego) ripiego = &f;

  const auto aggiungi = [&](const scen::Diagnostic& d) {
    const FileCoppia* f = luogo(d.file);
    scen::SourceRange range = d.range;
    std::string testo = messaggio(d);
    if (!f) {
      if (c.treno.empty() && d.file == scen::utf8_of(r.opzioni.sorgenti.treno)) return;  // no train file: not a fault
      f = ripiego;
      if (!f) return;
      if (!d.file.empty()) testo = d.file + ": " + testo;
      range = {};
    }
    json j = {{"range", intervallo(*f, range, codifica)},
              {"severity", gravita(d.level)},
              {"source", "scenc"},
              {"message", testo}};
    if (d.number != 0)
      j["code"] = d.number;
    else if (!d.flag.empty())
      j["code"] = d.flag;
    json collegati = json::array();
    for (const scen::RelatedLocation& l : d.related) {
      const FileCoppia* altro = luogo(l.file);
      if (!altro) continue;
      collegati.push_back({{"location", {{"uri", uri_da_percorso(l.file)}, {"range", intervallo(*altro, l.range, codifica)}}},
                           {"message", scen::da_cp1252(l.message)}});
    }
    if (!collegati.empty()) j["relatedInformation"] = std::move(collegati);
    per_file[*f->percorso].push_back(std::move(j));
  };
  for (const scen::Diagnostic& d : esito.diagnostiche_avvisi) aggiungi(d);
  for (const scen::Diagnostic& d : esito.percorso.diagnostiche.items()) aggiungi(d);
  for (const scen::Diagnostic& d : esito.altri.errori) aggiungi(d);

  for (const FileCoppia& f : files) {
    if (!f.testo) continue;
    for (const CarattereMancante& m : f.testo->mancanti) {
      const std::string_view riga = f.indice_utf8->riga(f.testo->utf8, static_cast<size_t>(m.riga));
      const int64_t inizio = unita_da_caratteri(riga, m.carattere, codifica);
      const int64_t fine = unita_da_caratteri(riga, m.carattere + 1, codifica);
      const std::string nome = m.codice == 0 ? "a byte that is not UTF-8"
                                             : "'" + std::string(riga.substr(byte_da_unita(riga, inizio, codifica),
                                                                             byte_da_unita(riga, fine, codifica) -
                                                                                 byte_da_unita(riga, inizio, codifica))) +
                                                   "' (" + codice_carattere(m.codice) + ")";
      per_file[*f.percorso].push_back(
          {{"range", {{"start", posizione(m.riga, inizio)}, {"end", posizione(m.riga, fine)}}},
           {"severity", 1},
           {"source", "scenc"},
           {"code", "cp1252"},
           {"message", nome + " has no place in code page 1252, which the sources are stored in: the compile reads '?'"}});
    }
  }
  return risultato;
}

}  // namespace scenc::lsp
