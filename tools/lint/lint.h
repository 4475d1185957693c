// Warnings for mistakes the compiler accepts but a driver in the simulator
// would trip over. Each has its own flag to silence it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/warnings.h"

namespace scenc {

// The warnings, their flags and help: format/warnings.def.
using scen::Avviso;
using scen::kTuttiAvvisi;

// The flag that silences a warning, e.g. "no-warn-signal-spacing".
const char* flag_avviso(Avviso a);

struct AvvisoLint {
  Avviso tipo;
  std::filesystem::path file;  // empty for the names given on the command line
  int64_t linea = 0;
  int64_t colonna = 0;
  std::string testo;
};

// A source as the warnings get it: its name, and its text as it was read
// for the compile, shared, not copied; none for a file that could not be
// read (the compile reports it), which then gives no warnings.
struct SorgenteLint {
  std::filesystem::path file;
  std::shared_ptr<const std::string> testo;
};

struct SorgentiLint {
  SorgenteLint linea;
  SorgenteLint treno;
  std::string percorso;
  std::string treno_nome;
  // The sources are read as UTF-8 rather than code page 1252: the widths
  // of station names and board texts count characters, not bytes.
  bool testi_utf8 = false;
};

struct EsitoLint {
  std::vector<AvvisoLint> avvisi;  // the first ones, in file order
  size_t totale = 0;               // how many were found in all
};

// The warnings of both sources, whole: the first `tenuti` in file order
// (line, then column), and how many there are; `attivi` lists the ones
// wanted.
EsitoLint controlla_sorgenti(const SorgentiLint& s, const std::vector<Avviso>& attivi,
                             size_t tenuti = SIZE_MAX);

}  // namespace scenc
