// Glossary: the error numbers (`Errore`, table in format/errors.def): each
// one's number, name, level, the stage that records it and a description.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace scen {

enum class Errore : int32_t {
#define ERRORE(id, numero, livello, fase, descrizione) id = numero,
#include "format/errors.def"
#undef ERRORE
};

// The number reported: `numero(Errore::fuori_griglia)` is 15.
constexpr int32_t numero(Errore e) { return static_cast<int32_t>(e); }

enum class LivelloErrore : uint8_t {
  errore,  // the compile stops; no file is written
  avviso,  // told as a warning while the files are written; exit status 1
};

enum class FaseErrore : uint8_t { compilazione, codici, timbro };

struct DescrizioneErrore {
  Errore id;
  std::string_view nome;  // the identifier: "fuori_griglia"
  LivelloErrore livello;
  FaseErrore fase;
  std::string_view descrizione;
};

// Every error, in ascending number.
inline constexpr DescrizioneErrore kErrori[] = {
#define ERRORE(id, numero, livello, fase, descrizione) \
  {Errore::id, #id, LivelloErrore::livello, FaseErrore::fase, descrizione},
#include "format/errors.def"
#undef ERRORE
};

static_assert([] {
  for (size_t i = 1; i < std::size(kErrori); ++i)
    if (numero(kErrori[i - 1].id) >= numero(kErrori[i].id)) return false;
  return true;
}(), "format/errors.def: numbers ascending, each once");

// The entry of a number; null for a number no error has.
constexpr const DescrizioneErrore* errore(int64_t numero_errore) {
  for (const DescrizioneErrore& e : kErrori)
    if (numero(e.id) == numero_errore) return &e;
  return nullptr;
}

}  // namespace scen
