// The diagnostics of a scenario, as the editor shows them: everything
// `scenc check` finds in the pair, each at its field's range in the
// editor's position encoding, and every character the code page lacks.
#pragma once

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "tools/lsp/editor_text.h"
#include "tools/lsp/position_encoding.h"
#include "tools/lsp/scenario_pair.h"

namespace scenc::lsp {

// A source as the check reads it, from the editor's buffer or from disk.
struct TestoSorgente {
  std::string utf8;                             // what the editor counts positions in
  std::shared_ptr<const std::string> cp1252;    // what the compile reads
  std::vector<CarattereMancante> mancanti;
};

// A buffer's text, converted for the compile.
TestoSorgente da_editor(std::string utf8);
// A file on disk, in code page 1252; none when it cannot be read.
std::optional<TestoSorgente> da_disco(const std::string& percorso);

struct DiagnosticheScenario {
  // The diagnostics of each file of the pair (an empty array for a file
  // without any), as `publishDiagnostics` carries them. A file that could
  // not be read gets none; what is said about it goes to the other file's
  // first line.
  std::map<std::string, nlohmann::json> per_file;
  // The line's kilometric progressive references, as the compile read them.
  std::vector<scen::RiferimentoKm> riferimenti_km;
};

// A file that could not be read is `nullptr`.
DiagnosticheScenario diagnostiche_scenario(const CoppiaScenario& c, const TestoSorgente* linea,
                                           const TestoSorgente* treno, Codifica codifica);

}  // namespace scenc::lsp
