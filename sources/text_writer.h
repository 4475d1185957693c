// Writes a table of text lines as a file: each line in code page 1252
// followed by CR LF, up to the sentinel that closes the list.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "util/temporary_files.h"

namespace scen {

inline constexpr std::string_view kSentinella = "riferimento fine del file";
inline constexpr size_t kPostiElenco = 1001;

// A writer's list of 1001 slots: the lines, the sentinel, then empty slots.
class ElencoRighe {
 public:
  // Throws std::length_error when the lines and the sentinel do not fit.
  explicit ElencoRighe(const std::vector<std::string>& righe);
  const std::array<std::string, kPostiElenco>& posti() const { return posti_; }

 private:
  std::array<std::string, kPostiElenco> posti_;
};

// Replaces `percorso` whole with the slots before the first sentinel (an
// exact, case-sensitive match). Throws ErroreFile or ErroreCodifica; the
// earlier file then stays as it was. With `temporanei`, the temporary is
// listed there while it exists.
void scrivi_elenco(const std::string& percorso, const ElencoRighe& elenco, TemporaryFiles* temporanei = nullptr);

}  // namespace scen
