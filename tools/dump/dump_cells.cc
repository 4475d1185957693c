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
  const scen::DescrizioneCella* d = scen::tipo_cella(tipo);
  return d ? std::string(d->nome) : "unknown kind " + std::to_string(tipo);
}

std::string chiave_tipo_cella(uint8_t tipo) {
  const scen::DescrizioneCella* d = scen::tipo_cella(tipo);
  if (!d) return "unknown";
  std::string chiave(d->nome);
  std::replace_if(chiave.begin(), chiave.end(), [](char c) { return c == ' ' || c == '-'; }, '_');
  return chiave;
}

std::vector<CampoNominato> campi_cella(const scen::Cella& c) {
  std::vector<CampoNominato> campi;
  using scen::TipoCella;
  switch (TipoCella{c.tipo}) {
    case TipoCella::segnale: {
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
    case TipoCella::fine_rallentamento:
    case TipoCella::inizio_rallentamento:
      campi = {{"v", c.valore_1, ""}, {"d_v", c.valore_2, ""}, {"f_tt", c.valore_3, ""}};
      break;
    case TipoCella::avviso_rallentamento:
      campi = {{"v", c.valore_1, ""}, {"d_v", c.valore_2, ""}};
      break;
    case TipoCella::preavviso_rallentamento:
      // 1 next to the warning point, 4 farthest from it; valore_2 repeats it when d_v is set.
      campi = {{"step", c.valore_1, ""}, {"d_v_step", c.valore_2, ""}};
      break;
    case TipoCella::indicatore_vmax:
      coppia_velocita(campi, "vas", "vad", c.valore_1);
      coppia_velocita(campi, "vbs", "vbd", c.valore_2);
      coppia_velocita(campi, "vcs", "vcd", c.valore_3);
      campi.push_back({"strisces", quoziente(c.valore_4, 10), "", true});
      campi.push_back({"strisced", resto(c.valore_4, 10), ""});
      break;
    case TipoCella::fermata:
      campi = {{"station_record", c.valore_1, ""}};
      break;
    case TipoCella::abbattimento:
      campi = {{"code", c.valore_1, ""}};
      break;
    case TipoCella::cartello:
      campi = {{"text_record", c.valore_1, ""}};
      break;
    default:
      break;
  }
  return campi;
}

bool rimanda_a_un_record(const scen::Cella& c) {
  return scen::TipoCella{c.tipo} == scen::TipoCella::fermata || scen::TipoCella{c.tipo} == scen::TipoCella::cartello;
}

std::optional<int64_t> posizione_oggetto(size_t indice, uint8_t tipo) {
  const auto i = static_cast<int64_t>(indice);
  const scen::DescrizioneCella* d = scen::tipo_cella(tipo);
  switch (d ? d->posa : scen::PosaCella::nessuna) {
    case scen::PosaCella::dopo: return (i - 1) * kMetriCella;
    case scen::PosaCella::nella: return i * kMetriCella;
    case scen::PosaCella::nessuna: break;
  }
  return std::nullopt;
}

std::vector<size_t> celle_occupate(const std::vector<scen::Cella>& celle) {
  std::vector<size_t> occupate;
  for (size_t i = 0; i < celle.size(); ++i)
    if (scen::TipoCella{celle[i].tipo} != scen::TipoCella::nessuno || i == scen::kCellaRiservata) occupate.push_back(i);
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
      if (c + 2 * k < celle.size() && scen::TipoCella{celle[c + 2 * k].tipo} == scen::TipoCella::segnale)
        oggetto = c + 2 * k;
      else if (c + k < celle.size() && scen::TipoCella{celle[c + k].tipo} == scen::TipoCella::fermata)
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
