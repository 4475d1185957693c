// The scenario program run as its users run it: from a fresh directory,
// without a display, twice, with a file it cannot replace, and where it was
// installed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "test_support.h"

namespace scen {
namespace {

namespace fs = std::filesystem;

const std::set<std::string> kLasciati = {
    "scenario",
    "Valcerra_Mosina_IR20588_note.txt",
    "Valcerra_Mosina_IR20588_rallentamenti.txt",
    "Valcerra_Mosina_IR20588_scheda_treno.txt",
    "Valcerra_Mosina_linea.dat",
    "Valcerra_Mosina_IR20588.sim",
    "Valcerra_Mosina_IR20588.dat",
};

class ProgramTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::TempDir altrove;  // the program is started from another directory
  fs::path cartella = dir.path();  // where the program lies

  void SetUp() override { fs::copy_file(SCENARIO_PATH, dir / "scenario"); }

  int esegui(std::string* err = nullptr, const std::string& argomenti = "") {
    const std::string cmd = "cd '" + altrove.path().string() + "' && env -u DISPLAY '" +
                            (cartella / "scenario").string() + "' " + argomenti + " >'" +
                            (altrove / "out.txt").string() + "' 2>'" + (altrove / "err.txt").string() + "'";
    const int s = std::system(cmd.c_str());
    if (err) *err = test::leggi(altrove / "err.txt");
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  }

  std::set<std::string> file() {
    std::set<std::string> nomi;
    for (const auto& e : fs::directory_iterator(cartella)) nomi.insert(e.path().filename().string());
    return nomi;
  }
};

TEST_F(ProgramTest, LeavesTheDocumentsAndTheCompiledFiles) {
  std::string err;
  ASSERT_EQ(esegui(&err), 0) << err;
  EXPECT_EQ(file(), kLasciati);
  // One "wrote FILE" line for each file it left, by its full name.
  std::set<std::string> detti;
  std::istringstream righe(test::leggi(altrove / "out.txt"));
  for (std::string riga; std::getline(righe, riga);) {
    ASSERT_TRUE(riga.starts_with("wrote " + (dir.path() / "").string())) << riga;
    detti.insert(fs::path(riga.substr(6)).filename().string());
  }
  std::set<std::string> scritti = kLasciati;
  scritti.erase("scenario");
  EXPECT_EQ(detti, scritti);
  EXPECT_EQ(fs::file_size(dir / "Valcerra_Mosina_IR20588.dat"), 48615u);
  EXPECT_EQ(fs::file_size(dir / "Valcerra_Mosina_linea.dat"), 3239964u);

  // The same bytes as compiling the embedded sources with the tool.
  const std::string scenc = "cd '" + altrove.path().string() + "' && '" SCENC_PATH "' sources >/dev/null && '" SCENC_PATH
                            "' compile --route Valcerra_Mosina --train IR20588 >/dev/null";
  ASSERT_EQ(std::system(scenc.c_str()), 0);
  for (const char* f : {"Valcerra_Mosina_linea.dat", "Valcerra_Mosina_IR20588.sim", "Valcerra_Mosina_IR20588.dat",
                        "Valcerra_Mosina_IR20588_note.txt", "Valcerra_Mosina_IR20588_scheda_treno.txt"})
    EXPECT_TRUE(test::leggi(dir / f) == test::leggi(altrove / f)) << f;

  // A second run replaces every file whole.
  test::scrivi(dir / "Valcerra_Mosina_IR20588_note.txt", std::string(20000, 'x'));
  ASSERT_EQ(esegui(), 0);
  EXPECT_EQ(file(), kLasciati);
  EXPECT_TRUE(test::leggi(dir / "Valcerra_Mosina_IR20588_note.txt") ==
              test::leggi(altrove / "Valcerra_Mosina_IR20588_note.txt"));
}

// Only --help and --version are understood; anything else is a usage
// error, and none of them writes a file.
TEST_F(ProgramTest, ArgumentsWriteNothing) {
  const struct {
    const char* argomenti;
    int stato;
    const char* in_uscita;  // on standard output, or standard error for a usage error
  } casi[] = {{"--help", 0, "usage: scenario"},
              {"--version", 0, "scenario "},
              {"--frobnicate", 2, "scenario: takes no arguments"},
              {"--help --version", 2, "scenario: takes no arguments"},
              {"out", 2, "scenario: takes no arguments"}};
  for (const auto& c : casi) {
    std::string err;
    EXPECT_EQ(esegui(&err, c.argomenti), c.stato) << c.argomenti;
    const std::string detto = c.stato == 0 ? test::leggi(altrove / "out.txt") : err;
    EXPECT_TRUE(detto.starts_with(c.in_uscita)) << c.argomenti << ": " << detto;
    EXPECT_EQ(file(), std::set<std::string>{"scenario"}) << c.argomenti;
  }
}

TEST_F(ProgramTest, AFileItCannotReplaceIsReportedAndEarlierFilesStay) {
  test::scrivi(dir / "Valcerra_Mosina_IR20588.dat", "earlier");
  fs::create_directory(dir / "Valcerra_Mosina_IR20588.sim");
  std::string err;
  EXPECT_EQ(esegui(&err), 3);
  EXPECT_TRUE(err.starts_with("cannot write ")) << err;
  EXPECT_NE(err.find("Valcerra_Mosina_IR20588.sim: Is a directory"), std::string::npos) << err;
  EXPECT_EQ(test::leggi(dir / "Valcerra_Mosina_IR20588.dat"), "earlier");
  EXPECT_FALSE(fs::exists(dir / "Valcerra_Mosina_linea.txt"));
  EXPECT_FALSE(fs::exists(dir / "Valcerra_Mosina_IR20588-.txt"));
}

// Where it was installed (lib/scenc under any prefix) it writes nothing,
// whoever runs it, and says how to copy it out.
TEST_F(ProgramTest, WhereInstalledItWritesNothingAndSaysHowToCopyIt) {
  cartella = dir / "lib" / "scenc";
  fs::create_directories(cartella);
  fs::rename(dir / "scenario", cartella / "scenario");
  std::string err;
  EXPECT_EQ(esegui(&err), 3);
  EXPECT_NE(err.find("cp " + (cartella / "scenario").string() + " ~/scenario/ && ~/scenario/scenario\n"),
            std::string::npos)
      << err;
  EXPECT_EQ(file(), std::set<std::string>{"scenario"});
  EXPECT_EQ(test::leggi(altrove / "out.txt"), "");
}

}  // namespace
}  // namespace scen
