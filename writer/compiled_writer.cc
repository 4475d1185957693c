#include "writer/compiled_writer.h"

#include <exception>
#include <memory>

#include "model/byte_images.h"
#include "compiler/check_codes.h"
#include "util/file_replace.h"

namespace scen {

NomiCompilati nomi_compilati(const std::filesystem::path& cartella, const Modello& m) {
  const std::string base = m.nome_percorso + "_" + m.nome_treno;
  return {cartella / (m.nome_percorso + "_linea.dat"), cartella / (base + ".sim"),
          cartella / (base + ".dat")};
}

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

std::vector<std::filesystem::path> scrivi_compilati(const Modello& m, const std::filesystem::path& cartella,
                                                    const LineaPronta& linea_pronta) {
  const NomiCompilati nomi = nomi_compilati(cartella, m);
  // All written before any is put in place: a file that cannot be written
  // leaves every earlier compiled file as it was, not a mix of old and new.
  std::unique_ptr<SostituzionePreparata> linea;
  if (!linea_pronta && m.scrivi_linea && m.tabella_linea)
    linea = std::make_unique<SostituzionePreparata>(
        nomi.linea_dat, [&](ByteSink& out) { immagine_tabella_linea(*m.tabella_linea, out); });
  std::unique_ptr<SostituzionePreparata> sim, dat;
  std::exception_ptr errore;
  try {
    sim = std::make_unique<SostituzionePreparata>(nomi.sim, [&](ByteSink& out) { immagine_dati_sim(m.dati_sim, out); });
    dat = std::make_unique<SostituzionePreparata>(nomi.dat, [&](ByteSink& out) { immagine_celle(*m.celle, out); });
  } catch (const ErroreFile&) {
    // The plan's file comes first: its own error, if any, is the one told.
    errore = std::current_exception();
  }
  if (linea_pronta) linea = linea_pronta();
  if (errore) std::rethrow_exception(errore);

  std::vector<std::filesystem::path> scritti;
  for (SostituzionePreparata* p : {linea.get(), sim.get(), dat.get()}) {
    if (!p) continue;
    p->completa();
    scritti.push_back(p->destinazione());
  }
  return scritti;
}

}  // namespace scen
