// Helpers shared by the tests: temporary directories, files, and a compile
// of small source texts.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "model/model.h"
#include "platform/path_text.h"
#include "platform/program_run.h"
#include "platform/temporary_directory.h"
#include "run/compile_and_write.h"

namespace scen::test {

class TempDir {
 public:
  TempDir() {
    std::string why;
    if (!platform::make_temporary_directory("scen_test_", path_, why)) {
      std::cerr << "no temporary directory: " << why << "\n";
      std::abort();
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline void scrivi(const std::filesystem::path& p, const std::string& contenuto) {
  std::ofstream f(p, std::ios::binary);
  f << contenuto;
}

inline std::string leggi(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A command's exit status and what it printed.
struct Risultato {
  int stato = -1;
  std::string out;
  std::string err;
};

// Runs `programma` with `argomenti`, each handed over as it is (no shell),
// in `cartella`, standard input from the null device, its two streams
// caught in files of `appunti`. The same on Linux and on Windows.
inline Risultato run_program(const std::filesystem::path& cartella, const std::filesystem::path& programma,
                             const std::vector<std::string>& argomenti, const std::filesystem::path& appunti) {
  const auto out = appunti / "stdout.txt";
  const auto err = appunti / "stderr.txt";
  std::string why;
  const int stato = platform::run_program({programma, argomenti, cartella, out, err}, why);
  if (stato < 0) return {stato, leggi(out), leggi(err) + why};
  return {stato, leggi(out), leggi(err)};
}

// The same, `argomenti` being the words of a POSIX shell (quotes,
// redirections) after the program's name: for the tests that run only on
// Linux.
inline Risultato esegui(const std::filesystem::path& cartella, const std::string& programma,
                        const std::string& argomenti, const std::filesystem::path& appunti) {
  return run_program(cartella, "/bin/sh", {"-c", "'" + programma + "' " + argomenti}, appunti);
}

// A general section for a line of length `lunghezza`, then `dati` from line 11 on.
inline std::string linea_con(const std::string& dati, int lunghezza = 20000) {
  return "[generale]\r\n"
         "lunghezza percorso,    " + std::to_string(lunghezza) + "\r\n"
         "progressiva chilometrica uno,    0,    150300,    1\r\n"
         "progressiva chilometrica due,    0,    0,    0\r\n"
         "progressiva chilometrica tre,    0,    0,    0\r\n"
         "sfondo uno,    123000\r\n"
         "sfondo due,    0\r\n"
         "sfondo tre,    1\r\n"
         "ripetizione segnali 4 codici,    0,    19000\r\n"
         "[dati]\r\n" +
         dati + "[fine]\r\n";
}

// A train file with flat profiles, followed by `dati`.
inline std::string treno_con(const std::string& dati) {
  return "[generale]\r\n"
         "numero vetture,    12\r\n"
         "[aderenze]\r\n"
         "aderenza,   0,    100\r\n"
         "[vel_limite]\r\n"
         "velocita,       0,    100\r\n" +
         dati + "[fine]\r\n";
}

// Compiles two source texts (the model named "R" / "T", track plan on),
// handed to the compile in memory. With `elimina`, they are written as
// files, which the compile then deletes as the scenario program's does.
struct Compilato {
  Modello m;
  Diagnostica diagnostica;
  DiagnosticList diagnostiche;
  bool linea_esiste = false;
  bool treno_esiste = false;
};

inline Compilato compila(const std::string& linea, const std::string& treno, bool j = true,
                         bool elimina = false) {
  TempDir dir;
  SorgentiCompilazione s{dir / "R_linea.txt", dir / "R_T-.txt", elimina};
  if (elimina) {
    scrivi(s.linea, linea);
    scrivi(s.treno, treno);
  } else {
    s.testo_linea = std::make_shared<const std::string>(linea);
    s.testo_treno = std::make_shared<const std::string>(treno);
  }
  Compilato c;
  c.m.nome_percorso = "R";
  c.m.nome_treno = "T";
  c.m.scrivi_linea = j;
  c.diagnostica = memorizza_dati(c.m, s, nullptr, &c.diagnostiche);
  c.linea_esiste = std::filesystem::exists(s.linea);
  c.treno_esiste = std::filesystem::exists(s.treno);
  return c;
}

}  // namespace scen::test
