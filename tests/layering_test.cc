// The stages depend only downward: each folder includes from itself and the
// folders below it, never from one above. Read from the tree itself, so
// that an include running back up fails the suite.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What each stage may include besides itself.
const std::map<std::string, std::set<std::string>> kSotto = {
    {"platform", {}},
    {"util", {"platform"}},
    {"format", {"util", "platform"}},
    {"diagnostics", {"util", "platform"}},
    {"model", {"format", "util", "platform"}},
    {"parse", {"diagnostics", "format", "util", "platform"}},
    {"compiler", {"parse", "model", "diagnostics", "format", "util", "platform"}},
    {"writer", {"compiler", "parse", "model", "diagnostics", "format", "util", "platform"}},
    {"run", {"writer", "compiler", "parse", "model", "diagnostics", "format", "util", "platform"}},
    {"sources", {"model", "format", "util", "platform"}},
    {"driver", {"sources", "run", "writer", "compiler", "parse", "model", "diagnostics", "format", "util", "platform"}},
    {"tools", {"sources", "run", "writer", "compiler", "parse", "model", "diagnostics", "format", "util", "platform"}},
};

// The project's own includes of a file: the folder of each.
std::vector<std::string> cartelle_incluse(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::string> cartelle;
  for (std::string riga; std::getline(in, riga);) {
    const std::string prefisso = "#include \"";
    if (riga.rfind(prefisso, 0) != 0) continue;
    const std::string incluso = riga.substr(prefisso.size());
    const size_t barra = incluso.find('/');
    if (barra != std::string::npos) cartelle.push_back(incluso.substr(0, barra));
  }
  return cartelle;
}

TEST(Layering, EveryStageIncludesOnlyFromBelow) {
  const fs::path radice = SOURCE_DIR;
  size_t letti = 0;
  for (const auto& [stadio, sotto] : kSotto) {
    ASSERT_TRUE(fs::is_directory(radice / stadio)) << stadio;
    for (const auto& voce : fs::recursive_directory_iterator(radice / stadio)) {
      const fs::path& p = voce.path();
      if (p.extension() != ".h" && p.extension() != ".cc" && p.extension() != ".def") continue;
      ++letti;
      for (const std::string& c : cartelle_incluse(p)) {
        if (c == stadio || !kSotto.contains(c)) continue;  // itself, or a system header with a folder
        EXPECT_TRUE(sotto.contains(c)) << fs::relative(p, radice).string() << " includes from " << c
                                       << "/, a stage above " << stadio << "/";
      }
    }
  }
  EXPECT_GT(letti, 100u);
}

}  // namespace
