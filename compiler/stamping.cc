#include "compiler/stamping.h"

#include "compiler/check_codes.h"

namespace scen {

int timbra(Modello& m) {
  RecordSim& r85 = m.dati_sim[kRecordSfondoPercorso];
  Cella& c1 = m.celle->at(kCellaRiservata);
  if (r85.parametro_1 != 0 || c1.valore_1 != 0) return kErroreMarcatore;
  r85.parametro_1 = kMarcatoreSim;
  c1.valore_1 = kMarcatoreDat;
  if (r85.orario != 0 || c1.valore_2 != 0) return kErroreCodiceControllo;
  r85.orario = codice_gara_st(m);
  c1.valore_2 = codice_gara_og(m);
  return 0;
}

}  // namespace scen
