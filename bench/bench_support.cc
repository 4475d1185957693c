#include "bench/bench_support.h"

#include <stdlib.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "bench/long_line.h"
#include "compiler/compile.h"
#include "compiler/train_placement.h"
#include "compiler/code_track.h"
#include "compiler/stamping.h"
#include "writer/compiled_writer.h"

namespace scen::bench {

CartellaTemporanea::CartellaTemporanea() {
  std::string modello = (std::filesystem::temp_directory_path() / "scen_bench_XXXXXX").string();
  if (!::mkdtemp(modello.data())) throw std::system_error(errno, std::generic_category(), modello);
  path_ = modello;
}

CartellaTemporanea::~CartellaTemporanea() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);  // nothing left to report it to
}

Modello modello_lungo(int32_t lunghezza) {
  CartellaTemporanea cartella;
  scrivi_sorgenti_lunghe(cartella.path(), lunghezza, "Lunga", "B1");
  Modello m;
  m.nome_percorso = "Lunga";
  m.nome_treno = "B1";
  m.scrivi_linea = true;
  const SorgentiCompilazione sorgenti{cartella.path() / "Lunga_linea.txt",
                                      cartella.path() / "Lunga_B1-.txt", false};
  const Diagnostica d = memorizza_dati(m, sorgenti);
  if (d.codice != 0) throw std::runtime_error("the long line does not compile: error " + std::to_string(d.codice));
  const std::vector<ConflittoCodici> conflitti = completa_codici(m);
  if (!conflitti.empty()) throw std::runtime_error("code track error " + std::to_string(conflitti.back().codice));
  if (timbra(m) != 0) throw std::runtime_error("a reserved slot of the long line is taken");
  return m;
}

std::vector<Cella> griglia_di_rallentamenti(int32_t celle) {
  Modello m;
  m.celle.emplace(static_cast<size_t>(celle));
  m.ultima_cella = celle - 1;
  const int32_t fine = (celle - 60) * 50;
  PrimoGuasto guasti;
  int32_t errore = 0;
  for (int32_t x = 1600; x + 2000 < fine; x += 2000)
    if (const int32_t e = memo_rallentamento(m, guasti, x, 60, 400, 0, 1, 0)) errore = e;
  for (int32_t p = 500; p + 1000 < fine; p += 1000) {
    int32_t tempo = 0;
    if (const int32_t e = memo_segnale(m, guasti, p, 2, 4, 1, 0, 0, 2, 2, 1, 0, tempo)) errore = e;
  }
  if (errore != 0) throw std::runtime_error("grid of slowdowns: placement error " + std::to_string(errore));
  return std::move(*m.celle);
}

uintmax_t dimensione(const std::filesystem::path& p) { return std::filesystem::file_size(p); }

}  // namespace scen::bench
