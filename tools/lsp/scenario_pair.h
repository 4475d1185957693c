// The scenario a source belongs to: `<route>_linea.txt` and
// `<route>_<train>-.txt` in one folder, the names taken from the files'.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scenc::lsp {

struct CoppiaScenario {
  std::string route;
  std::string train;  // empty: a line file with no train file beside it
  std::string linea;  // the paths
  std::string treno;  // empty with no train
  bool operator==(const CoppiaScenario&) const = default;
};

// What the pairing asks of the world: whether a file is there (open in the
// editor or on disk), and the files of a folder (the open ones among them).
struct VistaFile {
  std::function<bool(const std::string&)> esiste;
  std::function<std::vector<std::string>(const std::string&)> nella_cartella;  // names, sorted
};

// The pair of the file at `percorso`; none for a file that is neither a
// line file nor a train file. A train file whose line file is nowhere is
// paired with the line file it names all the same (the compile says that
// it is missing). Of several train files beside a line file, `preferito`
// (an open one, say) when it is one of them, else the first by name.
std::optional<CoppiaScenario> coppia_di(const std::string& percorso, const VistaFile& vista,
                                        const std::string& preferito = {});

}  // namespace scenc::lsp
