// The three compiled files put in place together or not at all: whichever
// of them cannot be written, the error told is the first one's in the
// order <route>_linea.dat, .sim, .dat, and every earlier file stays as it
// was, whether the plan's file was written while the plan was computed or
// once the compile had ended.
#include "compiler/stamping.h"
#include "writer/compiled_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "test_support.h"

namespace scen {
namespace {

std::map<std::string, std::string> contenuto(const std::filesystem::path& cartella) {
  std::map<std::string, std::string> m;
  for (const auto& e : std::filesystem::directory_iterator(cartella))
    m[utf8_of(e.path().filename())] = std::filesystem::is_directory(e.path()) ? "<dir>" : test::leggi(e.path());
  return m;
}

TEST(CompiledFiles, TheFirstErrorInOrderIsToldAndNothingIsReplaced) {
  test::Compilato c = test::compila(test::linea_con("", 70000), test::treno_con(""));
  ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
  ASSERT_EQ(timbra(c.m), 0);
  const char* const nomi[] = {"R_linea.dat", "R_T.sim", "R_T.dat"};
  // Which files have a directory in their place, and whose error is told.
  const struct {
    std::vector<int> bloccati;
    int errore;
  } casi[] = {
      {{0}, 0}, {{1}, 1}, {{2}, 2}, {{1, 2}, 1}, {{0, 2}, 0}, {{0, 1, 2}, 0},
  };
  for (const bool annunciato : {false, true}) {
    for (const auto& caso : casi) {
      SCOPED_TRACE(testing::Message() << "plan announced " << annunciato << ", told " << nomi[caso.errore]);
      test::TempDir d;
      for (const char* n : nomi) test::scrivi(d / n, std::string("earlier ") + n);
      for (int b : caso.bloccati) {
        std::filesystem::remove(d / nomi[b]);
        std::filesystem::create_directory(d / nomi[b]);
      }
      const auto prima = contenuto(d.path());
      std::optional<PlanWriter> piano;
      if (annunciato) {
        piano.emplace(d / "R_linea.dat");
        piano->righe_definitive(*c.m.tabella_linea, c.m.tabella_linea->righe());
      }
      try {
        scrivi_compilati(c.m, d.path(), piano ? &*piano : nullptr);
        ADD_FAILURE() << "written over a directory";
      } catch (const ErroreFile& e) {
        EXPECT_EQ(e.file(), d / nomi[caso.errore]);
      }
      EXPECT_EQ(contenuto(d.path()), prima);
    }
  }
}

}  // namespace
}  // namespace scen
