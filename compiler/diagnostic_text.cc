#include "compiler/diagnostic_text.h"

#include <cstdio>
#include <cstdlib>

#include "format/cell_kinds.h"
#include "model/kilometric_progressive.h"

namespace scen {

const char* nome_file_sorgente(FileSorgente f) {
  switch (f) {
    case FileSorgente::linea: return "the line file";
    case FileSorgente::treno: return "the train file";
    case FileSorgente::nessuno: break;
  }
  return "the sources";
}

std::string km_di(const Diagnostica& d, int64_t metri) {
  const Chilometrica k(d.riferimenti_km);
  if (!k.presente()) return {};
  return testo_km(k.progressiva(static_cast<double>(metri)));
}

std::string in_metri(const Diagnostica& d, int64_t metri) {
  return testo_posizione(Chilometrica(d.riferimenti_km), metri);
}

std::string nome_cella(const Diagnostica& d, int64_t cella) {
  const std::string km = km_di(d, cella * 50);
  return "cell " + std::to_string(cella) + " (" + std::to_string(cella * 50) + " m" +
         (km.empty() ? "" : ", " + km) + ")";
}

namespace {

std::string oggetto(const Modello& m, const Cella& c) {
  auto record_testo = [&](int64_t r) -> std::string {
    if (r < 0 || r >= kNumeroRecord) return {};
    return m.dati_sim[static_cast<size_t>(r)].testo;
  };
  const DescrizioneCella* tipo = tipo_cella(c.tipo);
  if (!tipo) return "an object of kind " + std::to_string(c.tipo);
  std::string testo(tipo->nel_messaggio);
  switch (tipo->id) {
    case TipoCella::fermata:
      return testo + " " + std::to_string(c.valore_1) + " \"" + record_testo(c.valore_1) + "\"";
    case TipoCella::abbattimento: return testo + " (code " + std::to_string(c.valore_1) + ")";
    case TipoCella::cartello:
      return testo + " \"" + record_testo(c.valore_1) + "\" (record " + std::to_string(c.valore_1) + ")";
    default: return testo;
  }
}

std::string occupante_di(const Modello& m, const Diagnostica& d, int64_t cella, const std::optional<Cella>& c) {
  if (!c) return "nothing";
  std::string testo = oggetto(m, *c);
  const auto o = d.origini.find(cella);
  if (o != d.origini.end() && o->second.campo.linea > 0)
    testo += " placed by line " + std::to_string(o->second.campo.linea) + " of " + nome_file_sorgente(o->second.file);
  return testo;
}

}  // namespace

std::optional<Cella> cella_com_era(const Modello& m, int64_t cella) {
  if (!m.celle || cella < 0 || cella >= static_cast<int64_t>(m.celle->size())) return std::nullopt;
  return (*m.celle)[static_cast<size_t>(cella)];
}

std::string occupante(const Modello& m, const Diagnostica& d, int64_t cella) {
  return occupante_di(m, d, cella, cella_com_era(m, cella));
}

std::string cella_occupata(const Modello& m, const Diagnostica& d, int64_t cella) {
  return cella_occupata(m, d, cella, cella_com_era(m, cella));
}

std::string cella_occupata(const Modello& m, const Diagnostica& d, int64_t cella, const std::optional<Cella>& com_era) {
  return nome_cella(d, cella) + " is taken by " + occupante_di(m, d, cella, com_era);
}

std::string cade_in_cella_occupata(const Modello& m, const Diagnostica& d, int64_t cella) {
  return nome_cella(d, cella) + ", which is taken by " + occupante(m, d, cella);
}

}  // namespace scen
