// Glossary: the warnings about the source files (`Avviso`, table in
// format/warnings.def): each one's flag, what it warns about, and its help.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scen {

enum class Avviso : uint8_t {
#define AVVISO(id, flag, descrizione, aiuto) id,
#include "format/warnings.def"
#undef AVVISO
};

struct DescrizioneAvviso {
  Avviso id;
  std::string_view flag;         // "no-warn-signal-spacing"
  std::string_view descrizione;  // "signals closer than 750 m"
  std::string_view aiuto;        // "Do not warn about signals closer than 750 m"
};

// Every warning, in the order of `Avviso`.
inline constexpr DescrizioneAvviso kAvvisi[] = {
#define AVVISO(id, flag, descrizione, aiuto) {Avviso::id, flag, descrizione, aiuto},
#include "format/warnings.def"
#undef AVVISO
};

constexpr const DescrizioneAvviso& avviso(Avviso a) { return kAvvisi[static_cast<size_t>(a)]; }

// Every warning, as a list to iterate or to start a set of active ones from.
inline constexpr auto kTuttiAvvisi = [] {
  std::array<Avviso, std::size(kAvvisi)> tutti{};
  for (size_t i = 0; i < tutti.size(); ++i) tutti[i] = kAvvisi[i].id;
  return tutti;
}();

}  // namespace scen
