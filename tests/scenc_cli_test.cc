// scenc as its users run it: exit statuses, messages, which files it writes
// and that it never touches its inputs. File-system faults (missing,
// unreadable or unwritable files) are in file_fault_test.cc.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <map>
#include <thread>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "test_support.h"

namespace scen {
namespace {

using test::linea_con;
using test::treno_con;

using test::Risultato;

class ScencTest : public ::testing::Test {
 protected:
  test::TempDir dir;

  Risultato scenc(const std::string& argomenti) {
    return test::esegui(dir.path(), SCENC_PATH, argomenti, dir.path());
  }

  void sorgenti(const std::string& linea, const std::string& treno) {
    test::scrivi(dir / "R_linea.txt", linea);
    test::scrivi(dir / "R_T-.txt", treno);
  }
  bool esiste(const std::string& f) { return std::filesystem::exists(dir / f); }
};

const std::string kSegnale = "segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\n";

TEST_F(ScencTest, CompilesWithoutTouchingItsInputs) {
  sorgenti(linea_con("curvas6, 350, 100\r\n"), treno_con(kSegnale));
  const Risultato r = scenc("compile --route R --train T");
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(test::leggi(dir / "R_linea.txt"), linea_con("curvas6, 350, 100\r\n"));
  EXPECT_EQ(test::leggi(dir / "R_T-.txt"), treno_con(kSegnale));
  EXPECT_EQ(std::filesystem::file_size(dir / "R_T.dat"), 541u * 15);
  EXPECT_EQ(std::filesystem::file_size(dir / "R_linea.dat"), 20u * 27000 - 36);
  EXPECT_TRUE(esiste("R_T.sim"));
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 7);
}

TEST_F(ScencTest, CompileErrorsWriteNothingAndKeepEarlierFiles) {
  test::scrivi(dir / "R_T.dat", "earlier");
  struct {
    std::string linea, treno, atteso;
  } casi[] = {
      {linea_con(""), treno_con(kSegnale + kSegnale), "R_T-.txt:8:10: error: Errore n. 16: signal at 1350 m"},
      {linea_con("pendenza, 100, 1x\r\n"), treno_con(""), "R_linea.txt:11:16: error: Errore n. 25: not a number"},
      {"", treno_con(""), "R_linea.txt: error: Errore n. 25: read past the end of the file"},
  };
  for (const auto& c : casi) {
    sorgenti(c.linea, c.treno);
    const Risultato r = scenc("compile --route R --train T");
    EXPECT_EQ(r.stato, 1);
    EXPECT_NE(r.err.find(c.atteso), std::string::npos) << r.err;
    EXPECT_EQ(test::leggi(dir / "R_T.dat"), "earlier");
    EXPECT_FALSE(esiste("R_T.sim"));
  }
}

TEST_F(ScencTest, CodeTrackErrorsAreReportedAndTheFilesWritten) {
  // Start cell 201 with every cell of its first window occupied.
  std::string segnali;
  for (int p : {9750, 9700, 9650}) segnali += "segnale, " + std::to_string(p) + ", 2,4,1,0,0,2,2,1,0,0\r\n";
  sorgenti(linea_con(""), treno_con(segnali + "rallentamento, 10000, 60, 1000, 0, 0, 0\r\n"));
  const Risultato r = scenc("compile --route R --train T --out sub --no-track-plan");
  EXPECT_EQ(r.stato, 1);
  EXPECT_TRUE(r.err.find("warning: Errore n. 12") != std::string::npos) << r.err;
  EXPECT_TRUE(esiste("sub/R_T.dat"));
  EXPECT_FALSE(esiste("sub/R_linea.dat"));
}

TEST_F(ScencTest, ReservedSlotsAndWriteOnError) {
  // An indicator board in cell 1 with a zero first value reaches the check-code slot.
  sorgenti(linea_con("indicatori_vmax, 0, 0, 5, 5, 0, 0, 5, 5, 0\r\n"), treno_con(""));
  Risultato r = scenc("compile --route R --train T");
  EXPECT_EQ(r.stato, 1);
  EXPECT_TRUE(r.err.find("error: Errore n. 1251") != std::string::npos) << r.err;
  EXPECT_FALSE(esiste("R_T.dat"));

  sorgenti(linea_con("cartello_indicatore, 0, (A)\r\n"), treno_con(""));
  r = scenc("compile --route R --train T --write-on-error");
  EXPECT_TRUE(r.err.find("error: Errore n. 1250") != std::string::npos) << r.err;
  EXPECT_FALSE(esiste("R_T.dat"));

  sorgenti(linea_con(""), treno_con(kSegnale + kSegnale));
  r = scenc("compile --route R --train T --write-on-error");
  EXPECT_EQ(r.stato, 1);
  EXPECT_TRUE(r.err.find("error: Errore n. 16") != std::string::npos) << r.err;
  EXPECT_TRUE(esiste("R_T.dat"));
}

// The errors after the first change nothing of the run: the same exit
// status, and --write-on-error writes the same bytes, however many errors
// are reported.
TEST_F(ScencTest, MoreErrorsReportedTheRunsResultUnchanged) {
  sorgenti(linea_con("pendenza, 100, 1x\r\n"), treno_con(kSegnale + kSegnale + "sabbia, 40000\r\n"));
  std::filesystem::create_directories(dir / "uno");
  std::filesystem::create_directories(dir / "tutti");
  const Risultato uno = scenc("compile --route R --train T --write-on-error --max-errors 1 --out uno");
  const Risultato tutti = scenc("compile --route R --train T --write-on-error --max-errors 0 --out tutti");
  EXPECT_EQ(uno.stato, 1);
  EXPECT_EQ(tutti.stato, 1);
  // The compile's own error first, then the others, each once.
  const size_t primo = tutti.err.find("R_linea.txt:11:16: error: Errore n. 25");
  const size_t segnale = tutti.err.find("R_T-.txt:8:10: error: Errore n. 16");
  const size_t sabbia = tutti.err.find("R_T-.txt:9:9: error: Errore n. 25");
  EXPECT_EQ(primo, tutti.err.find(": error: ") - std::string("R_linea.txt:11:16").size()) << tutti.err;
  EXPECT_TRUE(primo < segnale && segnale < sabbia && sabbia != std::string::npos) << tutti.err;
  EXPECT_EQ(uno.err.find("R_T-.txt:8:10: error"), std::string::npos) << uno.err;
  for (const char* f : {"R_T.dat", "R_T.sim", "R_linea.dat"})
    EXPECT_EQ(test::leggi(dir / "uno" / f), test::leggi(dir / "tutti" / f)) << f;
}

// Names that would make odd files, two outputs one file, or an output one
// of the sources: a usage error before anything is read or written.
TEST_F(ScencTest, OutputNamesCheckedBeforeAnythingIsWritten) {
  sorgenti(linea_con(""), treno_con(kSegnale));
  const struct {
    std::string argomenti, detto;
  } casi[] = {
      {"--route R --train linea", "scenc: the compiled files ./R_linea.dat and ./R_linea.dat would be one file: "
                                  "choose other route or train names\n"},
      {"--route R --train T --line R_T.sim",
       "scenc: the compiled file ./R_T.sim would replace the source R_T.sim: sources are never changed\n"},
      {"--route R --train T --out sub --train-file sub/../sub/R_T.dat",
       "scenc: the compiled file sub/R_T.dat would replace the source sub/../sub/R_T.dat: sources are never "
       "changed\n"},
      {"--route '' --train T", "scenc: the route name is empty\n"},
      {"--route R --train \"$(printf 'T\\nX')\"",
       "scenc: the train name must not contain control characters (a line end, a tab, ...)\n"},
  };
  std::filesystem::create_directory(dir / "sub");
  test::scrivi(dir / "sub" / "R_T.dat", "a source by that name");
  for (const auto& c : casi) {
    const Risultato r = scenc("compile " + c.argomenti);
    EXPECT_EQ(r.stato, 2) << c.argomenti;
    EXPECT_EQ(r.err, c.detto) << c.argomenti;
    EXPECT_EQ(r.out, "") << c.argomenti;
  }
  EXPECT_EQ(test::leggi(dir / "sub" / "R_T.dat"), "a source by that name");
  EXPECT_FALSE(esiste("R_linea.dat"));
  EXPECT_FALSE(esiste("R_T.sim"));
}

// One run at a time writes into a directory; what runs that died there
// left behind is cleared, what a live run is writing is not.
TEST_F(ScencTest, OneRunAtATimeWritesIntoADirectory) {
  sorgenti(linea_con(""), treno_con(kSegnale));
  const pid_t morto = ::fork();
  if (morto == 0) ::_exit(0);
  ASSERT_GT(morto, 0);
  ASSERT_EQ(::waitpid(morto, nullptr, 0), morto);
  const std::string orfano = "R_T.dat.tmp." + std::to_string(morto) + ".0";
  const std::string vivo = "R_T.sim.tmp." + std::to_string(::getpid()) + ".0";
  test::scrivi(dir / orfano, "left by a run that died");
  test::scrivi(dir / vivo, "being written");

  const int cartella = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(cartella, 0);
  ASSERT_EQ(::flock(cartella, LOCK_EX), 0);
  // While another holds the directory, the run waits (here until timeout
  // ends it) and writes nothing.
  const Risultato atteso = test::esegui(dir.path(), "timeout", "2 '" SCENC_PATH "' compile --route R --train T", dir.path());
  EXPECT_EQ(atteso.stato, 124);
  EXPECT_EQ(atteso.err, "scenc: another run is writing into .; waiting for it to finish\n");
  EXPECT_FALSE(esiste("R_T.dat"));
  ::close(cartella);  // lets go of the lock

  const Risultato r = scenc("compile --route R --train T");
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_FALSE(esiste(orfano));
  EXPECT_TRUE(esiste(vivo));
}

// A run interrupted anywhere (SIGINT at times spread over a compile)
// ends with 130 and leaves no temporary; the compiled files in the folder
// are always one run's set, here told apart by the line's length.
TEST_F(ScencTest, AnInterruptedRunLeavesOneRunsFilesAndNoTemporary) {
  const int lunghezze[] = {600000, 400000};
  std::map<std::uintmax_t, std::uintmax_t> coppie;  // .dat size -> _linea.dat size
  std::chrono::steady_clock::duration durata{};
  for (int l : lunghezze) {
    sorgenti(linea_con("", l), treno_con(kSegnale));
    const auto inizio = std::chrono::steady_clock::now();
    ASSERT_EQ(scenc("compile --route R --train T").stato, 0);
    durata = std::max(durata, std::chrono::steady_clock::now() - inizio);
    coppie[std::filesystem::file_size(dir / "R_T.dat")] = std::filesystem::file_size(dir / "R_linea.dat");
  }
  ASSERT_EQ(coppie.size(), 2u);
  const int giri = 24;
  int interrotti = 0;
  for (int i = 0; i < giri; ++i) {
    SCOPED_TRACE(i);
    sorgenti(linea_con("", lunghezze[i % 2]), treno_con(kSegnale));
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      if (::chdir(dir.path().c_str()) != 0) ::_exit(98);
      const int nulla = ::open("/dev/null", O_WRONLY);
      ::dup2(nulla, 1);
      ::dup2(nulla, 2);
      ::execl(SCENC_PATH, "scenc", "compile", "--route", "R", "--train", "T", nullptr);
      ::_exit(99);
    }
    std::this_thread::sleep_for(durata * i / giri);
    ::kill(pid, SIGINT);
    int stato = 0;
    ASSERT_EQ(::waitpid(pid, &stato, 0), pid);
    // Before the run has begun (the process just started) the signal takes
    // its default course: there is nothing to remove yet.
    if (WIFSIGNALED(stato)) {
      EXPECT_EQ(WTERMSIG(stato), SIGINT);
    } else {
      ASSERT_TRUE(WIFEXITED(stato)) << stato;
      ASSERT_TRUE(WEXITSTATUS(stato) == 0 || WEXITSTATUS(stato) == 130) << WEXITSTATUS(stato);
      interrotti += WEXITSTATUS(stato) == 130;
    }
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
      EXPECT_EQ(e.path().filename().string().find(".tmp."), std::string::npos) << e.path();
    const auto coppia = coppie.find(std::filesystem::file_size(dir / "R_T.dat"));
    ASSERT_NE(coppia, coppie.end());
    EXPECT_EQ(std::filesystem::file_size(dir / "R_linea.dat"), coppia->second);
  }
  EXPECT_GT(interrotti, 0);
}

TEST_F(ScencTest, CommandLine) {
  EXPECT_EQ(scenc("compile --train T").stato, 2);
  EXPECT_EQ(scenc("frobnicate").stato, 2);
  EXPECT_EQ(scenc("compile --route a/b --train T").stato, 2);
  const Risultato aiuto = scenc("compile --help");
  EXPECT_EQ(aiuto.stato, 0);
  EXPECT_NE(aiuto.out.find("--write-on-error"), std::string::npos);
  EXPECT_TRUE(scenc("--version").out.starts_with("scenc "));
}

// An --out directory is made with its parents; one that exists as
// something else is a usage error, and nothing is written.
TEST_F(ScencTest, OutDirectoriesAreMadeWhenMissing) {
  sorgenti(linea_con(""), treno_con(kSegnale));
  test::scrivi(dir / "file", "");
  const struct {
    std::string argomenti;
    int stato;
    std::string scritto, errore;
  } casi[] = {
      {"sources --out a/b", 0, "a/b/Valcerra_Mosina_linea.txt", ""},
      {"compile --route R --train T --out c/d/e", 0, "c/d/e/R_T.sim", ""},
      {"sources --out file", 2, "", "scenc: --out file: exists and is not a directory\n"},
      {"compile --route R --train T --out file/f", 2, "", "scenc: cannot make the directory file/f: Not a directory\n"},
  };
  for (const auto& c : casi) {
    const Risultato r = scenc(c.argomenti);
    EXPECT_EQ(r.stato, c.stato) << c.argomenti << "\n" << r.err;
    EXPECT_EQ(r.err, c.errore) << c.argomenti;
    if (!c.scritto.empty()) {
      EXPECT_TRUE(esiste(c.scritto)) << c.argomenti;
    }
  }
  EXPECT_EQ(test::leggi(dir / "file"), "");
}

// `scenc help [SUBCOMMAND]` prints the same as --help, and `scenc` alone
// says where to look.
TEST_F(ScencTest, HelpSubcommand) {
  for (const std::string sotto : {"", "dump", "compile", "help"}) {
    const Risultato aiuto = scenc("help " + sotto);
    EXPECT_EQ(aiuto.stato, 0) << sotto;
    EXPECT_EQ(aiuto.out, scenc(sotto + " --help").out) << sotto;
    EXPECT_NE(aiuto.out.find("Usage: scenc " + sotto), std::string::npos) << aiuto.out;
  }
  for (const std::string riga : {"help nosuch", "nosuch --flag"}) {
    const Risultato nessuno = scenc(riga);
    EXPECT_EQ(nessuno.stato, 2);
    EXPECT_EQ(nessuno.out, "");
    EXPECT_NE(nessuno.err.find("scenc: no subcommand 'nosuch'; the subcommands are compile, check, sources, dump"),
              std::string::npos) << nessuno.err;
  }
  const Risultato solo = scenc("");
  EXPECT_EQ(solo.stato, 2);
  EXPECT_NE(solo.err.find("A subcommand is required"), std::string::npos) << solo.err;
  EXPECT_NE(solo.err.find("Run 'scenc help'"), std::string::npos) << solo.err;
}

// One source read from standard input, named <stdin> in the diagnostics.
TEST_F(ScencTest, SourceFromStandardInput) {
  sorgenti(linea_con(""), treno_con(kSegnale));
  Risultato r = scenc("compile --route R --train T --train-file - < R_T-.txt");
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(std::filesystem::file_size(dir / "R_T.dat"), 541u * 15);
  test::scrivi(dir / "doppio.txt", treno_con(kSegnale + kSegnale));
  r = scenc("check --route R --train T --train-file - < doppio.txt");
  EXPECT_EQ(r.stato, 1);
  EXPECT_NE(r.err.find("<stdin>:8:10: error: Errore n. 16"), std::string::npos) << r.err;
  r = scenc("check --route R --train T --line - < R_linea.txt");
  EXPECT_EQ(r.stato, 0) << r.err;
  r = scenc("check --route R --train T --line - --train-file - < R_linea.txt");
  EXPECT_EQ(r.stato, 2);
  EXPECT_EQ(r.err, "scenc: --line and --train-file cannot both be - (standard input)\n");
}

TEST_F(ScencTest, SourcesWritesTheEmbeddedScenario) {
  const Risultato r = scenc("sources --out .");
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(std::filesystem::file_size(dir / "Valcerra_Mosina_IR20588_rallentamenti.txt"), 46u);
  const Risultato c = scenc("compile --route Valcerra_Mosina --train IR20588");
  EXPECT_EQ(c.stato, 0) << c.err;
  EXPECT_EQ(c.err, "");  // not one warning: signal spacing, board widths, profile order...
  EXPECT_EQ(std::filesystem::file_size(dir / "Valcerra_Mosina_IR20588.dat"), 48615u);
}

TEST_F(ScencTest, SourcesKeepAnAuthorsEditsUnlessForced) {
  ASSERT_EQ(scenc("sources").stato, 0);
  EXPECT_EQ(scenc("sources").stato, 0);  // the same bytes again: nothing to keep
  const auto treno = dir / "Valcerra_Mosina_IR20588-.txt";
  const std::string originale = test::leggi(treno);
  test::scrivi(treno, "edited\r\n");
  std::filesystem::remove(dir / "Valcerra_Mosina_IR20588_note.txt");
  const Risultato r = scenc("sources");
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.err, "scenc: ./Valcerra_Mosina_IR20588-.txt differs from the embedded scenario's\n"
                   "scenc: nothing written; --force replaces them\n");
  EXPECT_EQ(test::leggi(treno), "edited\r\n");
  EXPECT_FALSE(esiste("Valcerra_Mosina_IR20588_note.txt"));
  EXPECT_EQ(scenc("sources --force").stato, 0);
  EXPECT_EQ(test::leggi(treno), originale);

  // A pipe at a file's name is not read (it would wait for a writer): it differs.
  std::filesystem::remove(dir / "Valcerra_Mosina_IR20588_note.txt");
  ASSERT_EQ(::mkfifo((dir / "Valcerra_Mosina_IR20588_note.txt").c_str(), 0600), 0);
  const Risultato tubo = scenc("sources");
  EXPECT_EQ(tubo.stato, 1);
  EXPECT_NE(tubo.err.find("Valcerra_Mosina_IR20588_note.txt differs"), std::string::npos) << tubo.err;
}

}  // namespace
}  // namespace scen

namespace scen {
namespace {

TEST_F(ScencTest, Utf8InputEncoding) {
  const std::string stazione = "stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, Dolc\xc3\xa8\r\n";
  sorgenti(linea_con("cartello_indicatore, 1150, (CITT\xc3\x80)\r\n"), treno_con(stazione));
  Risultato r = scenc("compile --route R --train T --input-encoding utf-8");
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string sim = test::leggi(dir / "R_T.sim");
  EXPECT_NE(sim.find(std::string("\x05\x00" "Dolc\xe8", 7)), std::string::npos);
  EXPECT_NE(sim.find("(CITT\xc0)"), std::string::npos);

  // Without the option the bytes are stored as they stand, with a warning.
  r = scenc("compile --route R --train T");
  EXPECT_NE(test::leggi(dir / "R_T.sim").find("Dolc\xc3\xa8"), std::string::npos);
  EXPECT_NE(r.err.find("R_linea.txt:11:33: warning:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("R_T-.txt:7:61: warning:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--input-encoding utf-8 [--no-warn-utf8-source]"), std::string::npos) << r.err;

  // A character code page 1252 lacks is an error at its field.
  sorgenti(linea_con(""), treno_con("stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, \xce\xa9mega\r\n"));
  r = scenc("check --route R --train T --input-encoding utf-8");
  EXPECT_EQ(r.stato, 1);
  EXPECT_NE(r.err.find("R_T-.txt:7:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Errore n. 25: \"\xce\xa9mega\" has a character that code page 1252 lacks"), std::string::npos) << r.err;
}

TEST_F(ScencTest, WarningsCanBeSilencedOneByOne) {
  sorgenti(linea_con(""), treno_con(kSegnale + "segnale, 1700, 2,4,1,0,0,2,2,1,0,0\r\n"));
  Risultato r = scenc("check --route Citt\xc3\xa0 --train T --line R_linea.txt --train-file R_T-.txt");
  EXPECT_EQ(r.stato, 0);
  EXPECT_NE(r.err.find("[--no-warn-signal-spacing]"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("[--no-warn-non-ascii-names]"), std::string::npos) << r.err;
  r = scenc("check --route Citt\xc3\xa0 --train T --line R_linea.txt --train-file R_T-.txt "
            "--no-warn-signal-spacing --no-warn-non-ascii-names");
  EXPECT_EQ(r.err, "");
}

TEST_F(ScencTest, StrictMakesEveryWarningAnErrorThatItsFlagStillSilences) {
  const std::string treno = treno_con(kSegnale + "segnale, 1700, 2,4,1,0,0,2,2,1,0,0\r\n");
  sorgenti(linea_con(""), treno);
  test::scrivi(dir / "R_T.dat", "earlier");
  for (const char* comando : {"check", "compile"}) {
    const Risultato r = scenc(std::string(comando) + " --route R --train T --strict");
    EXPECT_EQ(r.stato, 1) << comando;
    EXPECT_NE(r.err.find("R_T-.txt:8:10: error: this signal at 1700 m is only 350 m"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(" [--strict,--no-warn-signal-spacing]\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("scenc: 1 warning made errors by --strict\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Errore n."), std::string::npos) << r.err;
    // Nothing written, nothing left behind.
    EXPECT_EQ(test::leggi(dir / "R_T.dat"), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 5) << comando;
  }
  EXPECT_NE(scenc("compile --route R --train T --strict").err.find("scenc: no compiled file written\n"),
            std::string::npos);

  Risultato r = scenc("compile --route R --train T --strict --no-warn-signal-spacing");
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(esiste("R_T.sim"));

  std::filesystem::remove(dir / "R_T.sim");
  r = scenc("compile --route R --train T --strict --write-on-error");
  EXPECT_EQ(r.stato, 1);
  EXPECT_TRUE(esiste("R_T.sim"));

  // The code track's conflicts, errors too.
  std::filesystem::remove(dir / "R_T.sim");
  std::string segnali;
  for (int p : {9750, 9700, 9650}) segnali += "segnale, " + std::to_string(p) + ", 2,4,1,0,0,2,2,1,0,0\r\n";
  sorgenti(linea_con(""), treno_con(segnali + "rallentamento, 10000, 60, 1000, 0, 0, 0\r\n"));
  r = scenc("compile --route R --train T --strict --no-warn-signal-spacing --no-track-plan");
  EXPECT_EQ(r.stato, 1);
  EXPECT_NE(r.err.find("error: Errore n. 12"), std::string::npos) << r.err;
  EXPECT_FALSE(esiste("R_T.sim"));
}

TEST_F(ScencTest, TheFirstHundredWarningsAreShownAndTheRestCounted) {
  // One unknown word a line, each worth a warning.
  std::string linea;
  for (int i = 0; i < 150; ++i) linea += "x\r\n";
  sorgenti(linea, treno_con(""));
  const Risultato r = scenc("check --route R --train T");
  size_t mostrati = 0;
  for (size_t i = r.err.find(": warning:"); i != std::string::npos; i = r.err.find(": warning:", i + 1)) ++mostrati;
  EXPECT_EQ(mostrati, 100u);
  EXPECT_NE(r.err.find("scenc: 50 more warnings not shown\n"), std::string::npos) << r.err.substr(r.err.size() - std::min<size_t>(r.err.size(), 300));
}

TEST_F(ScencTest, DiagnosticsAsJson) {
  using nlohmann::json;
  // A warning (the name's bytes are UTF-8, read as code page 1252), a
  // second signal too close, and the error of its taken cell.
  const std::string stazione = "stazione, 3000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, Magr\xc3\xa8\r\n";
  sorgenti(linea_con(""), treno_con(stazione + kSegnale + "segnale, 1360, 2,4,1,0,0,2,2,1,0,0\r\n"));
  // (1360 m also lies off its cell's boundary, a warning not wanted here.)
  Risultato r = scenc("compile --route R --train T --diagnostics-format json --no-warn-cell-boundary");
  EXPECT_EQ(r.stato, 1);
  EXPECT_EQ(r.err, "scenc: no compiled file written\n");
  const json d = json::parse(r.out);  // throws on anything but one JSON value
  ASSERT_TRUE(d.is_array()) << r.out;
  ASSERT_EQ(d.size(), 3u) << r.out;
  EXPECT_EQ(d[0]["level"], "warning");
  EXPECT_EQ(d[0]["code"], "no-warn-utf8-source");
  EXPECT_EQ(d[0]["line"], 7);
  // The bytes C3 A8 as code page 1252 reads them, in UTF-8.
  EXPECT_TRUE(d[0]["message"].get<std::string>().starts_with("\"\xc3\x83\xc2\xa8\" (bytes C3 A8)")) << d[0];
  EXPECT_EQ(d[1]["code"], "no-warn-signal-spacing");
  const json& e = d[2];
  EXPECT_EQ(e["level"], "error");
  EXPECT_EQ(e["code"], 16);
  EXPECT_EQ(e["file"], "R_T-.txt");
  EXPECT_EQ(e["line"], 9);
  EXPECT_EQ(e["column"], 10);
  EXPECT_EQ(e["end_line"], 9);
  EXPECT_EQ(e["end_column"], 14);
  EXPECT_TRUE(e["message"].get<std::string>().starts_with("signal at 1360 m")) << e;
  ASSERT_EQ(e["related"].size(), 1u) << e;
  EXPECT_EQ(e["related"][0]["line"], 8);
  EXPECT_EQ(e["related"][0]["column"], 1);
  EXPECT_EQ(e["related"][0]["message"], "the line that placed what takes cell 28");

  // A clean compile: an empty array, the files written told on standard error.
  sorgenti(linea_con(""), treno_con(kSegnale));
  r = scenc("compile --route R --train T --diagnostics-format json");
  EXPECT_EQ(r.stato, 0);
  EXPECT_EQ(r.out, "[]\n");
  EXPECT_NE(r.err.find("wrote ./R_T.dat\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace scen
