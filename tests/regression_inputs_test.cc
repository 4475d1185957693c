// Every input in regression_inputs/ once broke a rule of the compile or of
// the decoders. Each goes through all the runs of the fuzz targets: as the
// line file (of a bounded and of any length), as the train file, as both files of a whole run, and through
// the decoders; each run must end in a clean compile or one of the
// compile's error numbers, and decode back to what was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/banco_prova.h"
#include "test_support.h"

namespace scen {
namespace {

TEST(RegressionInputs, EachEndsInAnErrorNumberOrACleanCompile) {
  test::TempDir dir;
  prova::BancoProva banco(dir.path());
  int casi = 0;
  for (const auto& voce : std::filesystem::directory_iterator(REGRESSION_DIR)) {
    if (voce.path().extension() == ".md") continue;
    SCOPED_TRACE(voce.path().filename().string());
    const std::string input = test::leggi(voce.path());
    EXPECT_EQ(banco.linea(input), "");
    EXPECT_EQ(banco.linea_lunga(input), "");
    EXPECT_EQ(banco.treno(input), "");
    EXPECT_EQ(banco.compilazione(input), "");
    EXPECT_EQ(banco.immagini(input), "");
    ++casi;
  }
  EXPECT_GT(casi, 0);
}

}  // namespace
}  // namespace scen
