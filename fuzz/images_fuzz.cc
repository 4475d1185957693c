// For the decoders' target, beside BancoProva::immagini: the rules `scenc
// dump` holds a decoded file to, whose "at byte N" must lie inside it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/image_reader.h"
#include "tools/dump/structure_check.h"

namespace scen::prova {

namespace {

// "at byte N: ..." with N inside the input, or the problem.
std::string posto_valido(const std::optional<std::string>& regola, size_t dimensione, const char* quale) {
  if (!regola) return {};
  unsigned long long n = 0;
  if (std::sscanf(regola->c_str(), "at byte %llu:", &n) != 1) return std::string(quale) + ": rule without a byte: " + *regola;
  if (n > dimensione) return std::string(quale) + ": rule beyond the input: " + *regola;
  return {};
}

}  // namespace

std::string regole_dump(std::string_view input) {
  std::string p;
  try {
    p += posto_valido(scenc::dump::regola_celle(scen::leggi_immagine_celle(input), nullptr), input.size(), "cells");
  } catch (const scen::ErroreDecodifica&) {
  }
  try {
    p += posto_valido(
        scenc::dump::regola_tabella_linea(scen::leggi_immagine_tabella_linea(input), input.size(), nullptr),
        input.size(), "track plan");
  } catch (const scen::ErroreDecodifica&) {
  }
  return p;
}

}  // namespace scen::prova
