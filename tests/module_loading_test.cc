// The modules carried inside the executables: neither executable needs the
// window toolkit, X11 or cairo to start; without those libraries each says
// why and goes on as far as it can; and the loader loads each module once,
// as itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "platform/embedded_module.h"
#include "test_support.h"

namespace scen {

namespace incorporato {
std::string_view modulo_uno();
const char* modulo_uno_nome();
std::string_view modulo_due();
const char* modulo_due_nome();
}  // namespace incorporato

namespace {

namespace fs = std::filesystem;

// The libraries a binary names as NEEDED in its dynamic section.
std::vector<std::string> librerie_richieste(const std::string& binario) {
  std::vector<std::string> librerie;
  FILE* f = ::popen(("readelf -d -W '" + binario + "'").c_str(), "r");
  if (!f) return librerie;
  const std::regex needed(R"(\(NEEDED\).*\[(.+)\])");
  char riga[1024];
  std::smatch m;
  while (std::fgets(riga, sizeof riga, f)) {
    const std::string testo = riga;
    if (std::regex_search(testo, m, needed)) librerie.push_back(m[1]);
  }
  if (::pclose(f) != 0) librerie.clear();
  return librerie;
}

TEST(ModuleLoading, ExecutablesNeedNeitherTheToolkitNorCairo) {
  const std::regex grafica("fltk|X11|Xft|Xext|Xrender|Xfixes|Xinerama|Xcursor|xcb|fontconfig|freetype|cairo|pixman|png");
  for (const char* binario : {SCENARIO_PATH, SCENC_PATH}) {
    SCOPED_TRACE(binario);
    const auto librerie = librerie_richieste(binario);
    ASSERT_NE(std::find(librerie.begin(), librerie.end(), "libc.so.6"), librerie.end())
        << "no dynamic section read";
    for (const auto& l : librerie) EXPECT_FALSE(std::regex_search(l, grafica)) << l;
  }
}

// The executables run with a library directory ahead of the system's in
// which the toolkit and cairo are empty files, which the dynamic loader
// finds first and refuses.
class WithoutTheirLibraries : public ::testing::Test {
 protected:
  test::TempDir dir;

  void SetUp() override {
    fs::create_directories(dir / "finte");
    fs::create_directories(dir / "lavoro");
    test::scrivi(dir / "finte" / "libfltk.so.1.3", "");
    test::scrivi(dir / "finte" / "libcairo.so.2", "");
  }

  test::Risultato esegui(const std::string& programma, const std::string& argomenti) {
    return test::esegui(dir / "lavoro", "/usr/bin/env",
                        "LD_LIBRARY_PATH='" + (dir / "finte").string() + "' DISPLAY=:7913 '" + programma + "' " +
                            argomenti,
                        dir.path());
  }
};

bool una_riga_con(const std::string& testo, const std::string& parola) {
  return std::count(testo.begin(), testo.end(), '\n') == 1 && testo.back() == '\n' &&
         testo.find(parola) != std::string::npos;
}

TEST_F(WithoutTheirLibraries, ScenarioRunsWithoutAWindowAndSaysWhy) {
  fs::copy_file(SCENARIO_PATH, dir / "lavoro" / "scenario");
  const auto r = esegui((dir / "lavoro" / "scenario").string(), "");
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_TRUE(una_riga_con(r.err, "libfltk.so.1.3")) << r.err;
  EXPECT_EQ(fs::file_size(dir / "lavoro" / "Valcerra_Mosina_IR20588.dat"), 48615u);
}

TEST_F(WithoutTheirLibraries, PlotDrawsNothingAndSaysWhy) {
  ASSERT_EQ(esegui(SCENC_PATH, "sources").stato, 0);
  ASSERT_EQ(esegui(SCENC_PATH, "compile --route Valcerra_Mosina --train IR20588").stato, 0);
  const auto r = esegui(SCENC_PATH, "plot --route Valcerra_Mosina --train IR20588 --out p.png");
  EXPECT_EQ(r.stato, 1) << r.err;
  EXPECT_TRUE(una_riga_con(r.err, "libcairo.so.2")) << r.err;
  EXPECT_NE(r.err.find("apt install libcairo2"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(fs::exists(dir / "lavoro" / "p.png"));
}

using Valore = int();
ModuloIncorporato uno() { return {incorporato::modulo_uno_nome(), incorporato::modulo_uno()}; }
ModuloIncorporato due() { return {incorporato::modulo_due_nome(), incorporato::modulo_due()}; }

// The first module's memory file is closed once it is loaded, so the
// second's gets the same descriptor number and /proc name.
TEST(EmbeddedModule, EachModuleIsLoadedOnceAndAsItself) {
  Valore* primo = funzione_modulo<Valore>(uno(), "scen_prova_valore");
  Valore* secondo = funzione_modulo<Valore>(due(), "scen_prova_valore");
  EXPECT_EQ(primo(), 1);
  EXPECT_EQ(secondo(), 2);
  EXPECT_EQ(funzione_modulo<Valore>(uno(), "scen_prova_valore"), primo);
}

TEST(EmbeddedModule, FailuresCarryTheLoadersReason) {
  const std::string non_elf(256, 'x');
  const struct {
    ModuloIncorporato modulo;
    const char* simbolo;
    const char* motivo;
  } casi[] = {
      {{"scen_prova_non_elf.so", non_elf}, "scen_prova_valore", "invalid ELF header"},
      {uno(), "scen_prova_assente", "undefined symbol: scen_prova_assente"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.motivo);
    try {
      funzione_modulo<Valore>(c.modulo, c.simbolo);
      ADD_FAILURE() << "loaded";
    } catch (const ErroreModulo& e) {
      EXPECT_NE(std::string(e.what()).find(c.motivo), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace scen
