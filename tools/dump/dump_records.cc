#include "tools/dump/dump_records.h"

#include "compiler/check_codes.h"
#include "tools/dump/text_format.h"

namespace scenc::dump {

namespace {

bool solo_testo(const scen::RecordSim& r) {
  if (r.testo.empty()) return false;
  for (const CampoNominato& c : campi_record(r))
    if (c.valore != 0) return false;
  return true;
}

}  // namespace

std::vector<CampoNominato> campi_record(const scen::RecordSim& r) {
  return {{"tipo", r.tipo, ""},
          {"inizio", r.inizio, ""},
          {"fine", r.fine, ""},
          {"posizione", r.posizione, ""},
          {"opzione_1", r.opzione_1, ""},
          {"parametro_1", r.parametro_1, ""},
          {"parametro_2", r.parametro_2, ""},
          {"parametro_4", r.parametro_4, ""},
          {"parametro_5", r.parametro_5, ""},
          {"parametro_6", r.parametro_6, ""},
          {"parametro_3", r.parametro_3, ""},
          {"sosta", r.sosta, ""},
          {"opzione_3", r.opzione_3, ""},
          {"opzione_2", r.opzione_2, ""},
          {"orario", r.orario, ""}};
}

std::set<std::string> campi_del_ruolo(size_t indice) {
  std::set<std::string> campi;
  if (const scen::RecordGenerale* g = scen::record_generale(indice))
    for (const scen::CampoRecord& c : g->campi) campi.emplace(c.campo);
  return campi;
}

bool record_vuoto(const scen::RecordSim& r) {
  if (!r.testo.empty()) return false;
  for (const CampoNominato& c : campi_record(r))
    if (c.valore != 0) return false;
  return true;
}

std::array<RuoloRecord, scen::kNumeroRecord> ruoli_record(
    const std::array<scen::RecordSim, scen::kNumeroRecord>& r) {
  std::array<RuoloRecord, scen::kNumeroRecord> ruoli;
  ruoli.fill(RuoloRecord::vuoto);
  size_t primo_cartello = scen::kRecordPrimoCartello + 1;
  while (primo_cartello > scen::kRecordPrimaStazione && solo_testo(r[primo_cartello - 1])) --primo_cartello;
  for (size_t i = scen::kRecordPrimaStazione; i < primo_cartello; ++i)
    if (!record_vuoto(r[i])) ruoli[i] = RuoloRecord::stazione;
  for (size_t i = primo_cartello; i <= scen::kRecordPrimoCartello; ++i) ruoli[i] = RuoloRecord::cartello;
  ruoli[scen::kRecordProgressivaTre] = ruoli[scen::kRecordProgressivaDue] = ruoli[scen::kRecordProgressivaUno] =
      RuoloRecord::progressiva;
  ruoli[scen::kRecordTrenoLinea] = RuoloRecord::treno_linea;
  ruoli[scen::kRecordSfondoPercorso] = RuoloRecord::sfondo_percorso;
  ruoli[scen::kRecordRipetizioneTreno] = RuoloRecord::ripetizione_treno;
  return ruoli;
}

std::string chiave_ruolo(RuoloRecord ruolo) {
  switch (ruolo) {
    case RuoloRecord::vuoto: return "empty";
    case RuoloRecord::stazione: return "station";
    case RuoloRecord::cartello: return "text_board";
    case RuoloRecord::progressiva: return "progressive";
    case RuoloRecord::treno_linea: return "record_84";
    case RuoloRecord::sfondo_percorso: return "record_85";
    case RuoloRecord::ripetizione_treno: return "record_86";
  }
  return "?";
}

CodiciControllo codici_attesi(const std::array<scen::RecordSim, scen::kNumeroRecord>& r) {
  scen::Modello m;
  m.dati_sim[scen::kRecordSfondoPercorso].testo = r[scen::kRecordSfondoPercorso].testo;
  m.dati_sim[scen::kRecordRipetizioneTreno].testo = r[scen::kRecordRipetizioneTreno].testo;
  CodiciControllo c;
  c.record_85 = scen::codice_gara_st(m);
  c.cella_1 = scen::codice_gara_og(m);
  return c;
}

std::string ora(int64_t secondi) {
  const char* segno = secondi < 0 ? "-" : "";
  const int64_t s = secondi < 0 ? -secondi : secondi;
  return formatta("%s%02lld:%02lld:%02lld", segno, static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
}

}  // namespace scenc::dump
