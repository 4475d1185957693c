#include "tools/dump/dump_cells.h"

#include <algorithm>

namespace scenc::dump {

namespace {

// Floor division and its remainder, so that s * 10 + d unpacks to d in 0..9
// also for a negative s.
int64_t quoziente(int64_t v, int64_t d) { return v >= 0 ? v / d : -((-v + d - 1) / d); }
int64_t resto(int64_t v, int64_t d) { return v - quoziente(v, d) * d; }

void coppia_velocita(std::vector<CampoNominato>& campi, const char* s, const char* d, int16_t v) {
  campi.push_back({s, quoziente(v, 100) * 5, "km/h", true});
  campi.push_back({d, resto(v, 100) * 5, "km/h"});
}

}  // namespace

std::string nome_tipo_cella(uint8_t tipo) {
  switch (tipo) {
    case 0: return "nothing";
    case 1: return "signal";
    case 2: return "slowdown end";
    case 3: return "slowdown start";
    case 4: return "slowdown warning point";
    case 5: return "pre-warning";
    case 6: return "speed indicator board";
    case 10: return "station stop mark";
    case 11: return "mountain mark";
    case 12: return "code cut-down point";
    case 13: return "code point without code";
    case 14: return "text board";
    default: return "unknown kind " + std::to_string(tipo);
  }
}

std::vector<CampoNominato> campi_cella(const scen::Cella& c) {
  std::vector<CampoNominato> campi;
  switch (c.tipo) {
    case 1: {
      campi = {{"s1", quoziente(c.valore_1, 10), "", true}, {"d1", resto(c.valore_1, 10), ""},
               {"s2", quoziente(c.valore_2, 10), "", true}, {"d2", resto(c.valore_2, 10), ""},
               {"s3", quoziente(c.valore_3, 10), "", true}, {"d3", resto(c.valore_3, 10), ""}};
      // valore_4 = rapp * 10 + sx * 3 + dx, read with dx in 0..2.
      const int64_t lati = resto(c.valore_4, 10);
      campi.push_back({"rapp", quoziente(c.valore_4, 10), ""});
      campi.push_back({"sx", lati / 3, "", true});
      campi.push_back({"dx", lati % 3, ""});
      campi.push_back({"tempo", c.tempo, ""});
      break;
    }
    case 2:
    case 3:
      campi = {{"v", c.valore_1, ""}, {"d_v", c.valore_2, ""}, {"f_tt", c.valore_3, ""}};
      break;
    case 4:
      campi = {{"v", c.valore_1, ""}, {"d_v", c.valore_2, ""}};
      break;
    case 5:
      // 1 next to the warning point, 4 farthest from it; valore_2 repeats it when d_v is set.
      campi = {{"step", c.valore_1, ""}, {"d_v_step", c.valore_2, ""}};
      break;
    case 6:
      coppia_velocita(campi, "vas", "vad", c.valore_1);
      coppia_velocita(campi, "vbs", "vbd", c.valore_2);
      coppia_velocita(campi, "vcs", "vcd", c.valore_3);
      campi.push_back({"strisces", quoziente(c.valore_4, 10), "", true});
      campi.push_back({"strisced", resto(c.valore_4, 10), ""});
      break;
    case 10:
      campi = {{"station_record", c.valore_1, ""}};
      break;
    case 12:
      campi = {{"code", c.valore_1, ""}};
      break;
    case 14:
      campi = {{"text_record", c.valore_1, ""}};
      break;
    default:
      break;
  }
  return campi;
}

std::optional<int64_t> posizione_oggetto(size_t indice, uint8_t tipo) {
  const auto i = static_cast<int64_t>(indice);
  switch (tipo) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 6:
    case 14: return (i - 1) * kMetriCella;
    case 12:
    case 13: return i * kMetriCella;
    default: return std::nullopt;
  }
}

std::vector<size_t> celle_occupate(const std::vector<scen::Cella>& celle) {
  std::vector<size_t> occupate;
  for (size_t i = 0; i < celle.size(); ++i)
    if (celle[i].tipo != 0 || i == 1) occupate.push_back(i);
  return occupate;
}

std::vector<Tratto> tratti(const std::vector<scen::Cella>& celle, uint8_t scen::Cella::*campo) {
  std::vector<Tratto> t;
  for (size_t i = 0; i < celle.size(); ++i) {
    const int v = celle[i].*campo;
    if (t.empty() || t.back().valore != v)
      t.push_back({i, i, v});
    else
      t.back().a = i;
  }
  return t;
}

AvvisiGriglia avvisi(const std::vector<scen::Cella>& celle) {
  AvvisiGriglia g;
  for (size_t c = 0; c < celle.size(); ++c) {
    const int v = celle[c].preavviso;
    if (v == 0) continue;
    ++g.totale;
    const size_t k = static_cast<size_t>(v % 10);
    std::optional<size_t> oggetto;
    if (k >= 1 && k <= 4) {
      if (c + 2 * k < celle.size() && celle[c + 2 * k].tipo == 1)
        oggetto = c + 2 * k;
      else if (c + k < celle.size() && celle[c + k].tipo == 10)
        oggetto = c + k;
    }
    if (oggetto)
      g.per_oggetto[*oggetto].push_back({c, v});
    else
      g.senza_oggetto.push_back({c, v});
  }
  for (auto& [oggetto, marche] : g.per_oggetto)
    std::sort(marche.begin(), marche.end(), [](const MarcaAvviso& a, const MarcaAvviso& b) { return a.cella > b.cella; });
  return g;
}

}  // namespace scenc::dump
