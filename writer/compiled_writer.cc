#include "writer/compiled_writer.h"

#include <array>
#include <exception>
#include <memory>
#include <optional>

#include "model/byte_images.h"
#include "platform/path_text.h"
#include "util/file_replace.h"

namespace scen {

NomiCompilati nomi_compilati(const std::filesystem::path& cartella, const Modello& m) {
  const std::string base = m.nome_percorso + "_" + m.nome_treno;
  return {cartella / path_from_utf8(m.nome_percorso + "_linea.dat"), cartella / path_from_utf8(base + ".sim"),
          cartella / path_from_utf8(base + ".dat")};
}

namespace {

// One compiled file written in full to its temporary, or what stopped it.
struct Written {
  std::unique_ptr<SostituzionePreparata> file;
  std::exception_ptr error;
};

template <class Write>
Written attempt(Write write) {
  try {
    return {write(), nullptr};
  } catch (const ErroreFile&) {
    return {nullptr, std::current_exception()};
  }
}

}  // namespace

std::vector<std::filesystem::path> scrivi_compilati(const Modello& m, const std::filesystem::path& cartella,
                                                    PlanWriter* plan_writer, TemporaryFiles* temporanei) {
  const NomiCompilati nomi = nomi_compilati(cartella, m);
  std::optional<PlanWriter> own;
  if (!m.scrivi_linea)
    plan_writer = nullptr;
  else if (!plan_writer && m.tabella_linea)
    plan_writer = &own.emplace(nomi.linea_dat, temporanei);
  if (plan_writer) plan_writer->complete(m.tabella_linea);

  // The files in the order they are put in place, which is also the order
  // in which their errors are told. None is put in place unless all were
  // written: a file that cannot be written leaves every earlier compiled
  // file as it was, not a mix of old and new.
  enum { kLinea, kSim, kDat };
  std::array<Written, 3> files;
  files[kSim] = attempt([&] {
    return std::make_unique<SostituzionePreparata>(
        nomi.sim, [&](ByteSink& out) { immagine_dati_sim(m.dati_sim, out); }, temporanei);
  });
  if (!files[kSim].error)
    files[kDat] = attempt([&] {
      return std::make_unique<SostituzionePreparata>(
          nomi.dat, [&](ByteSink& out) { immagine_celle(*m.celle, out); }, temporanei);
    });
  if (plan_writer) files[kLinea] = attempt([&] { return plan_writer->take_file(); });
  for (const Written& w : files)
    if (w.error) std::rethrow_exception(w.error);

  // A destination that another program holds open (a simulator, an
  // editor) is found before the first rename, so that the set is put in
  // place whole or not at all.
  for (const Written& w : files)
    if (w.file) w.file->attendi_destinazione();

  std::vector<std::filesystem::path> scritti;
  std::unique_lock<std::mutex> intera;
  if (temporanei) intera = temporanei->hold_off_removal();
  for (Written& w : files) {
    if (!w.file) continue;
    w.file->completa();
    scritti.push_back(w.file->destinazione());
  }
  return scritti;
}

}  // namespace scen
