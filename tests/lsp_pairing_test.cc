#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tools/lsp/scenario_pair.h"

namespace {

using scenc::lsp::CoppiaScenario;

TEST(LspPairing, RouteAndTrainNamesComeFromTheFilesOfOneFolder) {
  const std::set<std::string> cartella = {"/s/Valcerra_Mosina_linea.txt", "/s/Valcerra_Mosina_IR20588-.txt",
                                          "/s/Valcerra_Mosina_R_2-.txt", "/s/Sola_linea.txt", "/s/note.txt"};
  scenc::lsp::VistaFile vista;
  vista.esiste = [&](const std::string& f) { return cartella.contains(f); };
  vista.nella_cartella = [&](const std::string& c) {
    std::vector<std::string> nomi;
    for (const std::string& f : cartella)
      if (f.starts_with(c)) nomi.push_back(f.substr(c.size()));
    return nomi;
  };
  struct Caso {
    std::string file;
    std::string preferito;
    std::optional<CoppiaScenario> attesa;
  };
  const CoppiaScenario ir{"Valcerra_Mosina", "IR20588", "/s/Valcerra_Mosina_linea.txt", "/s/Valcerra_Mosina_IR20588-.txt"};
  const CoppiaScenario r2{"Valcerra_Mosina", "R_2", "/s/Valcerra_Mosina_linea.txt", "/s/Valcerra_Mosina_R_2-.txt"};
  const Caso casi[] = {
      {"/s/Valcerra_Mosina_IR20588-.txt", "", ir},
      // Underscores in both names: the route is the one whose line file is there.
      {"/s/Valcerra_Mosina_R_2-.txt", "", r2},
      // Of two trains, the first by name, or the one preferred.
      {"/s/Valcerra_Mosina_linea.txt", "", ir},
      {"/s/Valcerra_Mosina_linea.txt", "/s/Valcerra_Mosina_R_2-.txt", r2},
      {"/s/Sola_linea.txt", "", CoppiaScenario{"Sola", "", "/s/Sola_linea.txt", ""}},
      // A train file whose line file is nowhere: the last underscore.
      {"/s/Altra_T1-.txt", "", CoppiaScenario{"Altra", "T1", "/s/Altra_linea.txt", "/s/Altra_T1-.txt"}},
      {"/s/note.txt", "", std::nullopt},
      {"/s/_linea.txt", "", std::nullopt},
      {"/s/senza-.txt", "", std::nullopt},
  };
  for (const Caso& c : casi) EXPECT_EQ(scenc::lsp::coppia_di(c.file, vista, c.preferito), c.attesa) << c.file;
}

}  // namespace
