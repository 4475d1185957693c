// The catalogue of diagnostics: every folder of tests/diagnostics holds a
// line file and a train file that are broken in one way, and what
// `scenc check` says about them, exactly (the exit status last). A folder
// may hold args.txt: further arguments for `scenc check`, on one line.
// SCENC_UPDATE_EXPECTED=1 rewrites the expected texts from the tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace scen {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> casi() {
  std::vector<fs::path> out;
  for (const auto& e : fs::directory_iterator(DIAGNOSTICS_DIR))
    if (e.is_directory()) out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

std::string controlla(const fs::path& caso, const fs::path& appunti) {
  std::vector<std::string> argomenti{"check", "--route", "R", "--train", "T", "--line", "linea.txt",
                                     "--train-file", "treno.txt"};
  if (fs::exists(caso / "args.txt")) {
    std::istringstream altri(test::leggi(caso / "args.txt"));
    for (std::string parola; altri >> parola;) argomenti.push_back(parola);
  }
  const test::Risultato r = test::run_program(caso, SCENC_PATH, argomenti, appunti);
  return r.err + "exit " + std::to_string(r.stato) + "\n";
}

TEST(Diagnostics, CatalogueMatchesTheTool) {
  test::TempDir dir;
  const bool aggiorna = std::getenv("SCENC_UPDATE_EXPECTED") != nullptr;
  const auto elenco = casi();
  ASSERT_GE(elenco.size(), 30u);
  for (const fs::path& caso : elenco) {
    SCOPED_TRACE(caso.filename().string());
    const std::string detto = controlla(caso, dir.path());
    if (aggiorna) test::scrivi(caso / "expected.txt", detto);
    EXPECT_EQ(detto, test::leggi(caso / "expected.txt"));
    // A folder named eNNN_... is about error NNN, and says so.
    const std::string nome = caso.filename().string();
    if (nome[0] == 'e') {
      const std::string numero = nome.substr(1, nome.find('_') - 1);
      EXPECT_NE(detto.find(" Errore n. " + std::to_string(std::stoi(numero)) + ":"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace scen
