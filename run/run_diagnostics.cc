#include "run/run_diagnostics.h"

#include "format/cell_kinds.h"
#include "platform/path_text.h"

#include "compiler/diagnostic_text.h"
#include "compiler/stamping.h"
#include "writer/compiled_writer.h"

namespace scen {

namespace {

SourceRange punto(const PosizioneCampo& p) {
  if (p.linea <= 0) return {};
  return {p.linea, p.colonna, p.linea, p.colonna};
}

// The diagnostic's place: the line that placed the object in `cella`, if
// the compile knows it.
void alla_cella(Diagnostic& g, const Diagnostica& d, const SorgentiCompilazione& s, int64_t cella) {
  const auto o = d.origini.find(cella);
  if (o == d.origini.end()) return;
  g.file = nome_sorgente(o->second.file, s);
  g.range = punto(o->second.campo);
}

}  // namespace

std::string nome_sorgente(FileSorgente f, const SorgentiCompilazione& s) {
  return f == FileSorgente::linea ? utf8_of(s.linea) : f == FileSorgente::treno ? utf8_of(s.treno) : std::string();
}

Diagnostic diagnostica_conflitto(const ConflittoCodici& c, const Diagnostica& d, const SorgentiCompilazione& s) {
  Diagnostic g;
  g.level = Level::warning;
  g.number = c.codice;
  g.message = "no room for a code cut-down point " + c.dove + "; the first cell tried is " + nome_cella(d, c.cella);
  alla_cella(g, d, s, c.cella_regola);
  return g;
}

namespace {

// Where an object stands to fall in cell 1: a code point from 25 to 75 m,
// anything else (a signal, a board, a mark) from -25 to 25 m.
std::string metri_cella_1(const Cella& c) {
  const bool punto = c.tipo == numero(TipoCella::abbattimento) || c.tipo == numero(TipoCella::abbattimento_senza_codice);
  return punto ? "code points from 25 to 75 m fall in it" : "objects from -25 to 25 m fall in it";
}

}  // namespace

Diagnostic diagnostica_slot_riservato(int32_t numero, const Modello& m, const Diagnostica& d,
                                      const SorgentiCompilazione& s) {
  Diagnostic g;
  g.number = numero;
  alla_cella(g, d, s, 1);
  const Cella& c = m.celle->at(1);
  const bool marcatore = numero == kErroreMarcatore;
  if (marcatore && m.dati_sim[85].parametro_1 != 0) {
    g.message = "record 85 already holds " + std::to_string(m.dati_sim[85].parametro_1) +
                " where the format marker 610 goes";
  } else if (!marcatore && m.dati_sim[85].orario != 0) {
    g.message = "record 85 already holds " + std::to_string(m.dati_sim[85].orario) + " where the check code goes";
  } else {
    const int valore = marcatore ? c.valore_1 : c.valore_2;
    g.message = std::string(marcatore ? "valore_1" : "valore_2") + " of " + nome_cella(d, 1) + " holds " +
                std::to_string(valore) + " (" + occupante(m, d, 1) + "), but " +
                (marcatore ? "the format marker 5121" : "the check code") +
                " goes there: nothing may stand in cell 1 (" + metri_cella_1(c) + ")";
  }
  return g;
}

Diagnostic diagnostica_file(const std::string& file, const std::string& motivo) {
  Diagnostic g;
  g.flag = kCannotWrite;
  g.file = file;
  g.message = motivo;
  return g;
}

int32_t numero_da_mostrare(const DiagnosticList& l) {
  int32_t numero = 0;
  for (const Diagnostic& d : l.items())
    if (d.number != 0) numero = d.number;
  return numero;
}

const Diagnostic* file_non_scritto(const DiagnosticList& l) {
  for (const Diagnostic& d : l.items())
    if (d.flag == kCannotWrite) return &d;
  return nullptr;
}

}  // namespace scen
