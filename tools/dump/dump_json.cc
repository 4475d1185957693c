#include "tools/dump/dump_json.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "util/cp1252.h"
#include "tools/dump/dump_cells.h"
#include "tools/dump/dump_records.h"
#include "tools/dump/dump_track_plan.h"

namespace scenc::dump {

namespace {

using nlohmann::json;

json campi(const std::vector<CampoNominato>& c) {
  json j = json::object();
  for (const CampoNominato& x : c) j[x.nome] = x.valore;
  return j;
}

json cella(const std::vector<scen::Cella>& celle, size_t i, const RecordCollegati& collegati,
           const AvvisiGriglia& marche) {
  const scen::Cella& c = celle[i];
  const auto at = posizione_oggetto(i, c.tipo);
  const bool marcatore = i == scen::kCellaRiservata && scen::TipoCella{c.tipo} == scen::TipoCella::nessuno;
  json j = {{"cell", i},
            {"metre", static_cast<int64_t>(i) * kMetriCella},
            {"at", at ? json(*at) : json(nullptr)},
            {"kind", marcatore ? "format_marker" : chiave_tipo_cella(c.tipo)},
            {"description", marcatore ? "format marker and check code" : nome_tipo_cella(c.tipo)},
            {"tipo", c.tipo},
            {"valore_1", c.valore_1},
            {"valore_2", c.valore_2},
            {"valore_3", c.valore_3},
            {"valore_4", c.valore_4},
            {"tempo", c.tempo},
            {"preavviso", c.preavviso},
            {"montagna", c.montagna},
            {"vel_limite", c.vel_limite},
            {"pendenza", c.pendenza},
            {"aderenza", c.aderenza},
            {"fields", campi(campi_cella(c))}};
  if (rimanda_a_un_record(c) && collegati.dati_sim && c.valore_1 >= 0 && c.valore_1 < scen::kNumeroRecord)
    j["text"] = scen::da_cp1252((*collegati.dati_sim)[static_cast<size_t>(c.valore_1)].testo);
  const auto m = marche.per_oggetto.find(i);
  if (m != marche.per_oggetto.end()) {
    json a = json::array();
    for (const MarcaAvviso& x : m->second) a.push_back({{"cell", x.cella}, {"preavviso", x.valore}});
    j["approach_marks"] = a;
  }
  return j;
}

json profilo(const std::vector<scen::Cella>& celle, uint8_t scen::Cella::*campo, const char* interpretato,
             int (*valore)(int)) {
  json a = json::array();
  for (const Tratto& t : tratti(celle, campo)) {
    json r = {{"from_cell", t.da},
              {"to_cell", t.a},
              {"from_m", static_cast<int64_t>(t.da) * kMetriCella},
              {"to_m", static_cast<int64_t>(t.a + 1) * kMetriCella},
              {"value", t.valore}};
    if (interpretato) r[interpretato] = t.valore == 0 ? json(nullptr) : json(valore(t.valore));
    a.push_back(r);
  }
  return a;
}

json slot(const scen::ColonnaLinea& c, size_t r) {
  json valore = nullptr;
  if (c.tipo[r] == scen::TipoSlot::intero) valore = static_cast<int16_t>(c.valore[r]);
  if (c.tipo[r] == scen::TipoSlot::reale) {
    const double v = c.valore[r];
    if (std::isfinite(v)) {
      valore = v;
    } else {
      // JSON has no number for these: a name, and the 64 bits that read
      // back the same NaN.
      const auto bits = std::bit_cast<uint64_t>(v);
      char esadecimale[19];
      std::snprintf(esadecimale, sizeof esadecimale, "0x%016llx", static_cast<unsigned long long>(bits));
      return {{"type", nome_slot(c.tipo[r])},
              {"value", std::isnan(v) ? "NaN" : v > 0 ? "Infinity" : "-Infinity"},
              {"bits", esadecimale}};
    }
  }
  return {{"type", nome_slot(c.tipo[r])}, {"value", valore}};
}

json riga(const scen::TabellaLinea& t, size_t r) { return {{"row", r}, {"x", slot(t.x, r)}, {"y", slot(t.y, r)}}; }

json righe(const scen::TabellaLinea& t, size_t da, size_t a) {
  json j = json::array();
  for (size_t r = da; r <= a && r < t.righe(); ++r) j.push_back(riga(t, r));
  return j;
}

json tratti_json(const scen::ColonnaLinea& c) {
  json j = json::array();
  for (const TrattoSlot& t : tratti_slot(c)) j.push_back({{"from_row", t.da}, {"to_row", t.a}, {"type", nome_slot(t.tipo)}});
  return j;
}

}  // namespace

json json_celle(const std::vector<scen::Cella>& celle, const RecordCollegati& collegati) {
  json j = {{"cell_count", celle.size()}};
  if (celle.empty()) return j;
  const int64_t ultima = static_cast<int64_t>(celle.size()) - 1;
  j["last_cell"] = ultima;
  j["line_length_m"] = ultima * kMetriCella - 7000;
  if (celle.size() > scen::kCellaRiservata) {
    const scen::Cella& riservata = celle[scen::kCellaRiservata];
    json c1 = {{"format_marker", riservata.valore_1},
               {"format_marker_correct", riservata.valore_1 == scen::kMarcatoreDat},
               {"check_code", riservata.valore_2},
               {"check_code_expected", nullptr}};
    if (collegati.dati_sim) c1["check_code_expected"] = codici_attesi(*collegati.dati_sim).cella_1;
    j["cell_1"] = c1;
  }
  const AvvisiGriglia marche = avvisi(celle);
  json oggetti = json::array();
  for (const size_t i : celle_occupate(celle)) oggetti.push_back(cella(celle, i, collegati, marche));
  j["objects"] = oggetti;
  json orfane = json::array();
  for (const MarcaAvviso& a : marche.senza_oggetto) orfane.push_back({{"cell", a.cella}, {"preavviso", a.valore}});
  j["approach_marks"] = {{"cell_count", marche.totale}, {"without_object", orfane}};
  j["profiles"] = {
      {"vel_limite", profilo(celle, &scen::Cella::vel_limite, "km_h", [](int v) { return v * 5; })},
      {"pendenza", profilo(celle, &scen::Cella::pendenza, "per_mille", [](int v) { return v - 100; })},
      {"aderenza", profilo(celle, &scen::Cella::aderenza, nullptr, nullptr)},
      {"montagna", profilo(celle, &scen::Cella::montagna, nullptr, nullptr)}};
  return j;
}

json json_dati_sim(const std::array<scen::RecordSim, scen::kNumeroRecord>& d) {
  const auto ruoli = ruoli_record(d);
  json records = json::array();
  for (size_t i = 0; i < d.size(); ++i) {
    json r = {{"record", i}, {"role", chiave_ruolo(ruoli[i])}};
    for (const CampoNominato& c : campi_record(d[i])) r[c.nome] = c.valore;
    r["testo"] = scen::da_cp1252(d[i].testo);
    records.push_back(r);
  }
  const CodiciControllo attesi = codici_attesi(d);
  return {{"records", records},
          {"format_marker_correct", d[scen::kRecordSfondoPercorso].parametro_1 == scen::kMarcatoreSim},
          {"check_code_expected", attesi.record_85}};
}

json json_tabella_linea(const scen::TabellaLinea& t, const std::optional<IntervalloRighe>& chieste) {
  const SintesiLinea s = sintesi_linea(t);
  json j = {{"row_count", s.righe}};
  if (s.righe == 0) return j;
  j["line_length_m"] = static_cast<int64_t>(s.righe) - 1 - 7000;
  j["slot_runs"] = {{"x", tratti_json(t.x)}, {"y", tratti_json(t.y)}};
  j["first_rows"] = righe(t, 0, std::min<size_t>(s.righe, 5) - 1);
  j["last_computed_row"] = s.ultima_calcolata ? riga(t, *s.ultima_calcolata) : json(nullptr);
  j["empty_rows_at_end"] = s.vuote_in_fondo;
  if (s.righe_con_valore > 0) {
    j["summary"] = {{"track_length_m", s.lunghezza},
                    {"rows_with_both_coordinates", s.righe_con_valore},
                    {"bounding_box", {{"x_min", s.x_min}, {"x_max", s.x_max}, {"y_min", s.y_min}, {"y_max", s.y_max}}},
                    {"end_point", {{"row", *s.riga_finale}, {"x", s.x_finale}, {"y", s.y_finale}}},
                    {"final_heading_degrees", s.direzione_gradi ? json(*s.direzione_gradi) : json(nullptr)}};
  }
  if (chieste) j["rows"] = righe(t, chieste->da, chieste->a);
  return j;
}

}  // namespace scenc::dump
