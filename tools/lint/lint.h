// Warnings for mistakes the compiler accepts but a driver in the simulator
// would trip over. Each has its own flag to silence it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace scenc {

enum class Avviso {
  ordine_profili,      // profile lines out of order or not starting at 0
  distanza_segnali,    // signals closer than 750 m
  stazione_segnale,    // a station zone overlapping a signal's approach marks
  larghezza_cartello,  // text boards wider than the board groups allow
  nomi_non_ascii,      // route or train names that are not plain ASCII
  parola_sconosciuta,  // a line whose keyword the compile does not know: it is ignored
};

// The flag that silences a warning, e.g. "no-warn-signal-spacing".
const char* flag_avviso(Avviso a);
inline constexpr Avviso kTuttiAvvisi[] = {Avviso::ordine_profili, Avviso::distanza_segnali,
                                          Avviso::stazione_segnale, Avviso::larghezza_cartello,
                                          Avviso::nomi_non_ascii, Avviso::parola_sconosciuta};

struct AvvisoLint {
  Avviso tipo;
  std::filesystem::path file;  // empty for the names given on the command line
  int64_t linea = 0;
  int64_t colonna = 0;
  std::string testo;
};

struct SorgentiLint {
  std::filesystem::path linea;
  std::filesystem::path treno;
  std::string percorso;
  std::string treno_nome;
};

// All warnings, in file order; `attivi` lists the ones wanted.
std::vector<AvvisoLint> controlla_sorgenti(const SorgentiLint& s, const std::vector<Avviso>& attivi);

}  // namespace scenc
