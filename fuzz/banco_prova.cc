#include "fuzz/banco_prova.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "compiler/compile.h"
#include "format/errors.h"
#include "model/byte_images.h"
#include "model/image_reader.h"
#include "model/model.h"
#include "run/compile_and_write.h"
#include "compiler/stamping.h"
#include "writer/compiled_writer.h"

namespace scen::prova {

namespace fs = std::filesystem;

namespace {

// Whether `n` is 0 or a number the error table gives to `fase`: the compile
// (the line file, the train file, their placements and read failures) or
// the code track.
bool della_fase(FaseErrore fase, int32_t n) {
  const DescrizioneErrore* e = errore(n);
  return n == 0 || (e && e->fase == fase);
}
// The line-file half stops before the train file is read (and deleted).
constexpr auto kFermanoLaLinea = std::to_array<int32_t>(
    {numero(Errore::lunghezza_eccessiva), numero(Errore::ripetizione_inizio), numero(Errore::ripetizione_fine),
     numero(Errore::ripetizione_codici), numero(Errore::cartello_occupato), numero(Errore::indicatore_occupato),
     numero(Errore::senza_generale), numero(Errore::curva_non_valida)});

template <size_t N>
bool in(const std::array<int32_t, N>& elenco, int32_t n) {
  return std::find(elenco.begin(), elenco.end(), n) != elenco.end();
}

[[noreturn]] void errore_di_sistema(const fs::path& p, const char* cosa) {
  throw std::system_error(errno, std::generic_category(), std::string(cosa) + " " + p.string());
}

void scrivi_file(const fs::path& p, std::string_view dati) {
  const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) errore_di_sistema(p, "open");
  while (!dati.empty()) {
    const ssize_t n = ::write(fd, dati.data(), dati.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      errno = e;
      errore_di_sistema(p, "write");
    }
    dati.remove_prefix(static_cast<size_t>(n));
  }
  if (::close(fd) != 0) errore_di_sistema(p, "close");
}

std::string leggi_file(const fs::path& p) {
  const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) errore_di_sistema(p, "open");
  std::string dati;
  char blocco[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, blocco, sizeof blocco);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      errno = e;
      errore_di_sistema(p, "read");
    }
    if (n == 0) break;
    dati.append(blocco, static_cast<size_t>(n));
  }
  if (::close(fd) != 0) errore_di_sistema(p, "close");
  return dati;
}

bool esiste(const fs::path& p) {
  std::error_code ec;
  const bool si = fs::exists(p, ec);
  if (ec) throw std::system_error(ec, p.string());
  return si;
}

void elimina(const fs::path& p) {
  std::error_code ec;
  fs::remove(p, ec);
  if (ec) throw std::system_error(ec, p.string());
}

// The tables have the sizes the line length gave them, and every text fits
// its record.
std::string tabelle_coerenti(const Modello& m) {
  std::string p;
  if (m.celle && m.celle->size() != static_cast<size_t>(m.ultima_cella) + 1)
    p += "the grid holds " + std::to_string(m.celle->size()) + " cells, ultima_cella is " +
         std::to_string(m.ultima_cella) + "; ";
  if (m.tabella_linea) {
    const TabellaLinea& t = *m.tabella_linea;
    if (t.x.tipo.size() != static_cast<size_t>(m.lunghezza_totale) + 1 ||
        t.y.tipo.size() != t.x.tipo.size() || t.x.valore.size() != t.x.tipo.size() ||
        t.y.valore.size() != t.y.tipo.size())
      p += "the track plan's columns do not hold lunghezza_totale + 1 rows; ";
  }
  for (const RecordSim& r : m.dati_sim)
    if (r.testo.size() > 65535) p += "a record text longer than 65535 bytes; ";
  return p;
}

}  // namespace

BancoProva::BancoProva(fs::path cartella)
    : cartella_(std::move(cartella)),
      linea_fissa_(SCEN_ESEMPI_DIR "/Esempio_linea.txt"),
      treno_fisso_(cartella_ / "Fisso_T-.txt") {
  scrivi_file(treno_fisso_,
              "[generale]\r\nnumero vetture,    6\r\n[aderenze]\r\naderenza,   0,    100\r\n"
              "[vel_limite]\r\nvelocita,       0,    100\r\n[fine]\r\n");
  std::error_code ec;
  fs::create_directory(cartella_ / "out", ec);
  if (ec) throw std::system_error(ec, (cartella_ / "out").string());
  testo_linea_fissa_ = std::make_shared<const std::string>(leggi_file(linea_fissa_));
  testo_treno_fisso_ = std::make_shared<const std::string>(leggi_file(treno_fisso_));
  compila_linea_fissa();
}

std::string BancoProva::mezza_compilazione(std::string_view testo, int32_t lunghezza_massima) {
  // From memory: the input and the fixed file handed to the compile as
  // texts, no file written or read.
  Modello m;
  m.nome_percorso = "R";
  m.nome_treno = "T";
  m.scrivi_linea = true;
  SorgentiCompilazione s{cartella_ / "R_linea.txt", cartella_ / "R_T-.txt", false};
  s.testo_linea = std::make_shared<const std::string>(testo);
  s.testo_treno = testo_treno_fisso_;
  s.lunghezza_massima = lunghezza_massima;
  const Diagnostica d = memorizza_dati(m, s);
  std::string p = tabelle_coerenti(m);
  if (!della_fase(FaseErrore::compilazione, d.codice)) p += "the compile ended with " + std::to_string(d.codice) + "; ";
  return p;
}

std::string BancoProva::linea(std::string_view input) { return mezza_compilazione(input, kLunghezzaBreve); }

std::string BancoProva::linea_lunga(std::string_view input) {
  return mezza_compilazione(input, SorgentiCompilazione{}.lunghezza_massima);
}

void BancoProva::compila_linea_fissa() {
  dopo_linea_fissa_.nome_percorso = "R";
  dopo_linea_fissa_.nome_treno = "T";
  // The train half needs no track plan, nor a long line: each run fills
  // the profiles over the whole grid.
  dopo_linea_fissa_.scrivi_linea = false;
  SorgentiCompilazione s{cartella_ / "R_linea.txt", cartella_ / "R_T-.txt", false};
  s.testo_linea = testo_linea_fissa_;
  Diagnostica d;
  stato_linea_fissa_ = memorizza_linea(dopo_linea_fissa_, s, d);
  if (!stato_linea_fissa_)
    throw std::runtime_error("the fixed line file does not compile: error " + std::to_string(d.codice) + ", " +
                             d.messaggio);
}

std::string BancoProva::treno(std::string_view input) {
  Modello m = dopo_linea_fissa_;
  SorgentiCompilazione s{cartella_ / "R_linea.txt", cartella_ / "R_T-.txt", false};
  s.testo_linea = testo_linea_fissa_;
  s.testo_treno = std::make_shared<const std::string>(input);
  const Diagnostica d = memorizza_treno(m, s, *stato_linea_fissa_);
  std::string p = tabelle_coerenti(m);
  if (!della_fase(FaseErrore::compilazione, d.codice)) p += "the compile ended with " + std::to_string(d.codice) + "; ";
  return p;
}

std::string BancoProva::compilazione(std::string_view input) {
  const size_t taglio = input.find(kSeparatore);
  const std::string_view testo_linea = input.substr(0, taglio);
  const std::string_view testo_treno =
      taglio == std::string_view::npos ? std::string_view{} : input.substr(taglio + kSeparatore.size());

  const fs::path uscita = cartella_ / "out";
  Modello m;
  m.nome_percorso = "R";
  m.nome_treno = "T";
  const NomiCompilati nomi = nomi_compilati(uscita, m);
  for (const fs::path& f : {nomi.linea_dat, nomi.sim, nomi.dat}) elimina(f);

  OpzioniPercorso o;
  // The track plan, its writer's thread and its file cost more than all
  // the rest of a run: one input in eight, chosen by its bytes (so that a
  // replay does the same), builds and writes it.
  o.scrivi_linea = std::hash<std::string_view>{}(input) % 8 == 0;
  o.sorgenti = {cartella_ / "R_linea.txt", cartella_ / "R_T-.txt", true};
  o.sorgenti.lunghezza_massima = kLunghezzaBreve;
  o.cartella_uscita = uscita;
  o.scrivi_con_errori = true;
  scrivi_file(o.sorgenti.linea, testo_linea);
  scrivi_file(o.sorgenti.treno, testo_treno);

  const EsitoPercorso e = memorizza_percorso(m, o);
  const int32_t codice = e.compilazione.codice;
  std::string p = tabelle_coerenti(m);
  if (!della_fase(FaseErrore::compilazione, codice)) p += "the compile ended with " + std::to_string(codice) + "; ";
  if (!della_fase(FaseErrore::compilazione, e.codice_errore) && !della_fase(FaseErrore::codici, e.codice_errore))
    p += "the run ended with " + std::to_string(e.codice_errore) + "; ";
  if (e.errore_riservato != 0 && e.errore_riservato != kErroreMarcatore &&
      e.errore_riservato != kErroreCodiceControllo)
    p += "the stamping ended with " + std::to_string(e.errore_riservato) + "; ";

  // Every way out of the line-file half deletes the line file; the train
  // file goes once its half has started.
  if (esiste(o.sorgenti.linea)) p += "the line file was not deleted; ";
  if (esiste(o.sorgenti.treno) != in(kFermanoLaLinea, codice))
    p += std::string("the train file was ") + (in(kFermanoLaLinea, codice) ? "" : "not ") +
         "deleted after error " + std::to_string(codice) + "; ";

  // What was written reads back as the model it was written from.
  const bool scrive = e.griglia && e.errore_riservato == 0;
  if (scrive != esiste(nomi.dat) || scrive != esiste(nomi.sim) ||
      (scrive && m.tabella_linea.has_value()) != esiste(nomi.linea_dat))
    p += "the compiled files written are not those the run had to write; ";
  if (esiste(nomi.dat) && leggi_immagine_celle(leggi_file(nomi.dat)) != *m.celle)
    p += "the .dat file does not read back as the grid; ";
  if (esiste(nomi.sim) && leggi_immagine_dati_sim(leggi_file(nomi.sim)) != m.dati_sim)
    p += "the .sim file does not read back as the general records; ";
  // The plan is held to its encoding: decoding thousands of rows on every
  // run would cost more than the rest of it, and the decoder has a target
  // of its own, which holds every image that decodes to encoding back the
  // same.
  if (esiste(nomi.linea_dat) && leggi_file(nomi.linea_dat) != immagine_tabella_linea(*m.tabella_linea))
    p += "the _linea.dat file is not the track plan's image; ";
  size_t voci = 0;
  for (const auto& voce : fs::directory_iterator(uscita)) {
    (void)voce;
    ++voci;
  }
  if (voci != e.scritti.size()) p += "files other than the compiled ones were left in the output directory; ";
  return p;
}

std::string BancoProva::immagini(std::string_view input) {
  std::string p;
  auto offset_valido = [&](const ErroreDecodifica& e, const char* quale) {
    if (e.offset() > input.size())
      p += std::string(quale) + ": error offset " + std::to_string(e.offset()) + " beyond the input; ";
  };
  try {
    if (immagine_celle(leggi_immagine_celle(input)) != input) p += "cells: decoded image encodes differently; ";
  } catch (const ErroreDecodifica& e) {
    offset_valido(e, "cells");
  }
  try {
    if (immagine_dati_sim(leggi_immagine_dati_sim(input)) != input)
      p += "records: decoded image encodes differently; ";
  } catch (const ErroreDecodifica& e) {
    offset_valido(e, "records");
  }
  try {
    if (immagine_tabella_linea(leggi_immagine_tabella_linea(input)) != input)
      p += "track plan: decoded image encodes differently; ";
  } catch (const ErroreDecodifica& e) {
    offset_valido(e, "track plan");
  }
  return p;
}

}  // namespace scen::prova
