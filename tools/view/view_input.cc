#include "tools/view/view_input.h"

#include <cctype>
#include <charconv>
#include <memory>
#include <tuple>
#include <utility>

#include "format/records.h"
#include "model/image_reader.h"
#include "parse/parsed_source.h"
#include "parse/source_text.h"
#include "run/all_errors.h"
#include "run/compile_and_write.h"
#include "tools/lint/lint_beside.h"
#include "util/regular_file.h"
#include "writer/compiled_writer.h"

namespace scenc::view {

namespace {

// Errors after the first that a page lists, as `scenc check` does by default.
constexpr size_t kErroriMostrati = 50;
constexpr size_t kAvvisiMostrati = 100;

// A compiled file read whole, when it is a regular file no larger than its
// kind can be.
bool leggi_file(const std::filesystem::path& file, size_t massimo, std::string& byte, std::string& errore) {
  std::string perche;
  if (scen::read_regular_file(file, massimo, byte, perche)) return true;
  errore = scen::utf8_of(file) + ": " + (perche.empty() ? "cannot be read" : perche);
  return false;
}

std::string_view senza_spazi(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The stations fill the records from 1 in the order of the train file's
// station lines: the k-th such line whose position is the record's is the
// line of record k. A station no line matches keeps none.
std::map<int, RigaOrigine> righe_stazioni(const scen::ParsedSource& treno,
                                          const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim) {
  std::map<int, RigaOrigine> out;
  int record = scen::kRecordPrimaStazione;
  for (int64_t n = 1; n <= treno.line_count() && record < scen::kRecordPrimoCartello; ++n) {
    const std::string_view riga = treno.line(n);
    const size_t virgola = riga.find(',');
    if (virgola == std::string_view::npos) continue;
    std::string parola(senza_spazi(riga.substr(0, virgola)));
    for (char& c : parola) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (parola != "stazione") continue;
    const std::string_view resto = riga.substr(virgola + 1);
    const std::string_view posizione = senza_spazi(resto.substr(0, resto.find(',')));
    int64_t p = 0;
    const auto [fine, errore] = std::from_chars(posizione.data(), posizione.data() + posizione.size(), p);
    const scen::RecordSim& r = dati_sim[static_cast<size_t>(record)];
    if (errore != std::errc{} || fine != posizione.data() + posizione.size() || p != r.posizione || r.testo.empty())
      continue;
    out[record++] = {treno.name(), n, std::string(riga)};
  }
  return out;
}

}  // namespace

LetturaVista vista_da_sorgenti(const RichiestaVista& r) {
  scen::OpzioniPercorso opzioni;
  opzioni.scrivi = false;
  opzioni.scrivi_linea = true;
  opzioni.sorgenti.linea = (r.cartella / scen::path_from_utf8(r.percorso + "_linea.txt")).lexically_normal();
  opzioni.sorgenti.treno = (r.cartella / scen::path_from_utf8(r.percorso + "_" + r.treno + "-.txt")).lexically_normal();
  opzioni.sorgenti.elimina_sorgenti = false;
  opzioni.sorgenti.testi_utf8 = r.testi_utf8;
  // Each source read once, for the compile and the warnings alike; one
  // that cannot be read is left to the compile, which reports it.
  for (auto [file, testo] : {std::pair{&opzioni.sorgenti.linea, &opzioni.sorgenti.testo_linea},
                             {&opzioni.sorgenti.treno, &opzioni.sorgenti.testo_treno}}) {
    scen::SourceText letto;
    std::string errore;
    if (scen::read_source_file(*file, letto, errore)) *testo = std::make_shared<const std::string>(std::move(letto.bytes));
  }
  ControlloAccanto controllo({{opzioni.sorgenti.linea, opzioni.sorgenti.testo_linea},
                              {opzioni.sorgenti.treno, opzioni.sorgenti.testo_treno},
                              r.percorso,
                              r.treno,
                              r.testi_utf8},
                             std::vector<Avviso>(std::begin(kTuttiAvvisi), std::end(kTuttiAvvisi)), kAvvisiMostrati);

  scen::Modello m;
  m.nome_percorso = r.percorso;
  m.nome_treno = r.treno;
  const scen::EsitoPercorso esito = scen::memorizza_percorso(m, opzioni);
  const EsitoLint avvisi = controllo.avvisi();

  ScenarioVista v;
  v.percorso = r.percorso;
  v.treno = r.treno;
  v.testi_utf8 = r.testi_utf8;
  if (m.celle) v.celle = std::move(*m.celle);
  v.dati_sim = m.dati_sim;
  v.tabella_linea = std::move(m.tabella_linea);

  const scen::Diagnostica& d = esito.compilazione;
  const auto sorgente = [&d](scen::FileSorgente f) -> const scen::ParsedSource* {
    if (f == scen::FileSorgente::linea && d.linea) return &*d.linea;
    if (f == scen::FileSorgente::treno && d.treno) return &*d.treno;
    return nullptr;
  };
  for (const auto& [cella, o] : d.origini) {
    const scen::ParsedSource* s = sorgente(o.file);
    if (!s || o.campo.linea <= 0) continue;
    v.origini[cella] = {s->name(), o.campo.linea, std::string(s->line(o.campo.linea))};
  }

  if (d.treno) v.origini_stazioni = righe_stazioni(*d.treno, v.dati_sim);

  for (const AvvisoLint& w : avvisi.avvisi) {
    scen::Diagnostic x;
    x.level = scen::Level::warning;
    x.flag = flag_avviso(w.tipo);
    x.file = scen::utf8_of(w.file);
    x.range = {w.linea, w.colonna, w.linea, w.colonna};
    x.message = w.testo;
    v.diagnostiche.push_back(std::move(x));
  }
  for (const scen::Diagnostic& x : esito.diagnostiche.items()) v.diagnostiche.push_back(x);
  if (const scen::Diagnostic* primo = esito.diagnostiche.first_error(); primo && d.codice != 0) {
    m.scrivi_linea = opzioni.scrivi_linea;
    for (scen::Diagnostic& x : scen::altri_errori(*primo, m, opzioni.sorgenti, kErroriMostrati).errori)
      v.diagnostiche.push_back(std::move(x));
  }

  // The lines the diagnostics point at, from the texts read.
  std::vector<scen::ParsedSource> letti;
  for (auto [file, testo] : {std::pair{&opzioni.sorgenti.linea, &opzioni.sorgenti.testo_linea},
                             {&opzioni.sorgenti.treno, &opzioni.sorgenti.testo_treno}})
    if (*testo) letti.emplace_back(scen::utf8_of(*file), *testo);
  for (const scen::Diagnostic& x : v.diagnostiche)
    for (const scen::ParsedSource& s : letti)
      if (s.name() == x.file && x.range.line > 0)
        v.righe_diagnostiche[{x.file, x.range.line}] = std::string(s.line(x.range.line).substr(0, 4096));
  return {std::move(v), {}};
}

LetturaVista vista_da_compilati(const RichiestaVista& r) {
  scen::Modello nomi;
  nomi.nome_percorso = r.percorso;
  nomi.nome_treno = r.treno;
  const scen::NomiCompilati file = scen::nomi_compilati(r.cartella, nomi);
  ScenarioVista v;
  v.percorso = r.percorso;
  v.treno = r.treno;
  v.da_compilati = true;
  std::string byte;
  std::string errore;
  const std::filesystem::path* corrente = nullptr;
  try {
    corrente = &file.dat;
    if (!leggi_file(file.dat, scen::kMassimoCelle, byte, errore)) return {{}, errore};
    v.celle = scen::leggi_immagine_celle(byte);
    corrente = &file.sim;
    if (!leggi_file(file.sim, scen::kMassimoDatiSim, byte, errore)) return {{}, errore};
    v.dati_sim = scen::leggi_immagine_dati_sim(byte);
    corrente = &file.linea_dat;
    // A scenario compiled with --no-track-plan has no plan file.
    if (std::error_code ec; std::filesystem::exists(file.linea_dat, ec)) {
      if (!leggi_file(file.linea_dat, scen::kMassimoTabellaLinea, byte, errore)) return {{}, errore};
      v.tabella_linea = scen::leggi_immagine_tabella_linea(byte);
    }
  } catch (const scen::ErroreDecodifica& e) {
    return {{}, scen::utf8_of(*corrente) + ": corrupt, " + e.what()};
  }
  return {std::move(v), {}};
}

}  // namespace scenc::view
