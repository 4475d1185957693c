#include "compiler/diagnostic_text.h"

#include <cstdio>
#include <cstdlib>

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
  if (d.riferimenti_km.empty()) return {};
  const RiferimentoKm& a = d.riferimenti_km[0];
  double pendenza = -1.0;
  if (d.riferimenti_km.size() > 1 && d.riferimenti_km[1].posizione != a.posizione) {
    const RiferimentoKm& b = d.riferimenti_km[1];
    pendenza = static_cast<double>(b.progressiva - a.progressiva) / static_cast<double>(b.posizione - a.posizione);
  }
  const double progressiva = static_cast<double>(a.progressiva) + pendenza * static_cast<double>(metri - a.posizione);
  char testo[48];
  std::snprintf(testo, sizeof testo, "km %.3f", progressiva / 1000.0);
  return testo;
}

std::string in_metri(const Diagnostica& d, int64_t metri) {
  const std::string km = km_di(d, metri);
  return std::to_string(metri) + " m" + (km.empty() ? "" : " (" + km + ")");
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
  switch (c.tipo) {
    case 0: return "nothing";
    case 1: return "a signal";
    case 2: return "the end of a slowdown";
    case 3: return "the start of a slowdown";
    case 4: return "the warning point of a slowdown";
    case 5: return "a pre-warning cell of a slowdown";
    case 6: return "a speed indicator board";
    case 10: return "the stop mark of station " + std::to_string(c.valore_1) + " \"" + record_testo(c.valore_1) + "\"";
    case 11: return "a mountain mark";
    case 12: return "a code cut-down point (code " + std::to_string(c.valore_1) + ")";
    case 13: return "a code point without code";
    case 14: return "text board \"" + record_testo(c.valore_1) + "\" (record " + std::to_string(c.valore_1) + ")";
    default: return "an object of kind " + std::to_string(c.tipo);
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

}  // namespace scen
