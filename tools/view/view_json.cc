#include "tools/view/view_json.h"

#include <cmath>
#include <optional>

#include "compiler/code_point_origin.h"
#include "format/cell_kinds.h"
#include "format/keywords.h"
#include "format/records.h"
#include "model/kilometric_progressive.h"
#include "tools/dump/dump_cells.h"
#include "tools/dump/dump_records.h"
#include "util/cp1252.h"

namespace scenc::view {

namespace {

using nlohmann::json;

// A text of the sources or the records, as UTF-8.
std::string utf8(const std::string& byte, bool gia_utf8) { return gia_utf8 ? byte : scen::da_cp1252(byte); }

double decimetri(double v) { return std::round(v * 10.0) / 10.0; }

json piano(const std::optional<scen::TabellaLinea>& t) {
  if (!t) return nullptr;
  json x = json::array();
  json y = json::array();
  for (size_t r = 0; r < t->righe(); r += kPassoPiano) {
    if (t->x.tipo[r] == scen::TipoSlot::vuoto || t->y.tipo[r] == scen::TipoSlot::vuoto) break;
    x.push_back(decimetri(t->x.valore[r]));
    y.push_back(decimetri(t->y.valore[r]));
  }
  return {{"step", kPassoPiano}, {"x", std::move(x)}, {"y", std::move(y)}};
}

// Stretches [from, to) in metres of one profile field; `valore` turns the
// stored number into what the page shows, nullopt where nothing holds.
template <class F>
json profilo(const std::vector<scen::Cella>& celle, uint8_t scen::Cella::*campo, F valore) {
  json a = json::array();
  for (const dump::Tratto& t : dump::tratti(celle, campo)) {
    const std::optional<double> v = valore(t.valore);
    if (!v) continue;
    a.push_back({static_cast<int64_t>(t.da) * scen::kMetriCella, static_cast<int64_t>(t.a + 1) * scen::kMetriCella, *v});
  }
  return a;
}

json campi(const std::vector<dump::CampoNominato>& c) {
  json a = json::array();
  for (const dump::CampoNominato& x : c) a.push_back({x.nome, x.valore, x.unita});
  return a;
}

json origine(const ScenarioVista& v, int64_t cella) {
  const auto o = v.origini.find(cella);
  if (o == v.origini.end()) return nullptr;
  return {{"file", o->second.file}, {"line", o->second.linea}, {"text", utf8(o->second.testo, v.testi_utf8)}};
}

json origine_stazione(const ScenarioVista& v, int record) {
  const auto o = v.origini_stazioni.find(record);
  if (o == v.origini_stazioni.end()) return nullptr;
  return {{"file", o->second.file}, {"line", o->second.linea}, {"text", utf8(o->second.testo, v.testi_utf8)}};
}

json oggetti(const ScenarioVista& v) {
  const scen::OriginiCodici origini(v.celle);
  json a = json::array();
  for (size_t i = 0; i < v.celle.size(); ++i) {
    const scen::Cella& c = v.celle[i];
    const scen::TipoCella tipo{c.tipo};
    if (tipo == scen::TipoCella::nessuno || tipo == scen::TipoCella::preavviso_rallentamento ||
        tipo == scen::TipoCella::segno_montagna)
      continue;
    const auto at = dump::posizione_oggetto(i, c.tipo);
    json o = {{"cell", i},
              {"at", at ? *at : static_cast<int64_t>(i) * scen::kMetriCella},
              {"kind", c.tipo},
              {"kind_name", dump::nome_tipo_cella(c.tipo)},
              {"fields", campi(dump::campi_cella(c))},
              {"src", origine(v, static_cast<int64_t>(i))}};
    if (dump::rimanda_a_un_record(c) && c.valore_1 >= 0 && c.valore_1 < scen::kNumeroRecord)
      o["text"] = scen::da_cp1252(v.dati_sim[static_cast<size_t>(c.valore_1)].testo);
    // The code track adds points of its own; they come from no source
    // line. Compiled files tell only which points it cannot have added
    // (compiler/code_point_origin.h): the others are null, unknown.
    if (tipo == scen::TipoCella::abbattimento || tipo == scen::TipoCella::abbattimento_senza_codice) {
      if (!v.da_compilati)
        o["auto"] = o["src"].is_null();
      else
        o["auto"] = origini.origine(i) == scen::OrigineCodice::incerto ? json(nullptr) : json(false);
    }
    a.push_back(std::move(o));
  }
  return a;
}

json stazioni(const ScenarioVista& v) {
  // Each station's stop mark names its record; a station without a stop
  // mark has none.
  std::map<int, size_t> fermate;
  for (size_t i = 0; i < v.celle.size(); ++i)
    if (scen::TipoCella{v.celle[i].tipo} == scen::TipoCella::fermata) fermate.emplace(v.celle[i].valore_1, i);
  const auto ruoli = dump::ruoli_record(v.dati_sim);
  json a = json::array();
  for (size_t k = 0; k < ruoli.size(); ++k) {
    if (ruoli[k] != dump::RuoloRecord::stazione) continue;
    const scen::RecordSim& r = v.dati_sim[k];
    const auto f = fermate.find(static_cast<int>(k));
    a.push_back({{"record", k},
                 {"name", scen::da_cp1252(r.testo)},
                 {"at", r.posizione},
                 {"from", r.inizio},
                 {"to", r.fine},
                 {"stop", r.sosta},
                 {"time", r.orario},
                 {"stop_cell", f == fermate.end() ? json(nullptr) : json(f->second)},
                 {"fields", campi(dump::campi_record(r))},
                 {"src", origine_stazione(v, static_cast<int>(k))}});
  }
  return a;
}

json progressiva(const ScenarioVista& v) {
  // The references as the line file writes them, by position
  // (model/kilometric_progressive.h); none: null.
  const scen::Chilometrica k = scen::chilometrica_da(v.dati_sim);
  if (!k.presente()) return nullptr;
  json a = json::array();
  for (const scen::RiferimentoKm& r : k.riferimenti()) a.push_back({{"at", r.posizione}, {"km_m", r.progressiva}});
  return a;
}

json parole() {
  json a = json::array();
  for (const scen::ParolaChiave& p : scen::kParoleChiave) {
    json c = json::array();
    for (const scen::CampoParola& f : p.campi)
      c.push_back({std::string(f.nome), std::string(f.unita), std::string(f.significato)});
    a.push_back({{"word", std::string(p.scritta)},
                 {"look", {std::string(p.cercate[0]), std::string(p.cercate[1])}},
                 {"meaning", std::string(p.significato)},
                 {"fields", std::move(c)}});
  }
  return a;
}

json diagnostiche(const ScenarioVista& v) {
  json a = json::array();
  for (const scen::Diagnostic& d : v.diagnostiche) {
    json x = {{"level", d.level == scen::Level::error ? "error" : d.level == scen::Level::warning ? "warning" : "note"},
              {"number", d.number},
              {"flag", d.flag},
              {"file", d.file},
              {"line", d.range.line},
              {"column", d.range.column},
              {"message", utf8(d.message, v.testi_utf8)}};
    const auto t = v.righe_diagnostiche.find({d.file, d.range.line});
    if (t != v.righe_diagnostiche.end()) x["text"] = utf8(t->second, v.testi_utf8);
    a.push_back(std::move(x));
  }
  return a;
}

}  // namespace

json json_vista(const ScenarioVista& v) {
  const scen::RecordSim& r84 = v.dati_sim[scen::kRecordTrenoLinea];
  const int64_t dalla_griglia = v.celle.size() > 3 ? static_cast<int64_t>(v.celle.size()) * scen::kMetriCella - 7000 : 0;
  const auto kmh = [](int x) { return x == 0 ? std::nullopt : std::optional<double>(x * 5); };
  const auto permille = [](int x) { return x == 0 ? std::nullopt : std::optional<double>(x - 100); };
  const auto tale = [](int x) { return x == 0 ? std::nullopt : std::optional<double>(x); };
  return {{"route", v.percorso},
          {"train", v.treno},
          {"compiled", v.da_compilati},
          {"length", r84.fine > 0 ? int64_t{r84.fine} : dalla_griglia},
          {"cells", v.celle.size()},
          {"plan", piano(v.tabella_linea)},
          {"speed", profilo(v.celle, &scen::Cella::vel_limite, kmh)},
          {"gradient", profilo(v.celle, &scen::Cella::pendenza, permille)},
          {"adhesion", profilo(v.celle, &scen::Cella::aderenza, tale)},
          {"mountain", profilo(v.celle, &scen::Cella::montagna, tale)},
          {"objects", oggetti(v)},
          {"stations", stazioni(v)},
          {"progressive", progressiva(v)},
          {"keywords", parole()},
          {"diagnostics", diagnostiche(v)}};
}

}  // namespace scenc::view
