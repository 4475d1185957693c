// The program and `scenc compile` when the file system refuses: a directory
// that cannot be written, a read-only compiled file, a directory or a pipe
// where a file should be, a full disk (a write that fails part-way), a
// source file missing or unreadable. Each ends with a message that names
// the file and the system's reason and a nonzero exit status, and leaves
// every earlier compiled file byte for byte as it was, with no temporary
// file behind.
//
// The faults are real: the binaries run as child processes, as the
// unprivileged user 'nobody' when the suite runs as root (root ignores
// permission bits), and with a file-size limit for the full disk.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "test_support.h"

extern char** environ;

namespace scen {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

struct Risultato {
  int stato = -1;
  std::string err;
};

struct Figlio {
  std::vector<std::string> argv;
  fs::path cartella;                   // working directory
  rlim_t limite_file = RLIM_INFINITY;  // RLIMIT_FSIZE: writes beyond it fail with EFBIG
};

// What the child cannot report otherwise: the step that failed before exec.
[[noreturn]] void fallisci(int fd, const char* passo) {
  const int e = errno;
  if (::write(fd, passo, std::strlen(passo)) < 0 || ::write(fd, ": ", 2) < 0 ||
      ::write(fd, std::strerror(e), std::strlen(std::strerror(e))) < 0)
    ::_exit(126);
  ::_exit(127);
}

class FaultTest : public ::testing::Test {
 protected:
  test::TempDir base;
  bool come_nobody = ::geteuid() == 0;

  void SetUp() override {
    // The unprivileged user must reach the directories of the test.
    fs::permissions(base.path(), fs::perms::all);
    if (come_nobody) {
      // A set-up that refuses to drop privileges cannot test permissions.
      const pid_t pid = ::fork();
      ASSERT_GE(pid, 0) << std::strerror(errno);
      if (pid == 0) ::_exit(::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 ? 0 : 1);
      int s = 0;
      ASSERT_EQ(::waitpid(pid, &s, 0), pid);
      if (!WIFEXITED(s) || WEXITSTATUS(s) != 0) GTEST_SKIP() << "cannot become 'nobody' to test permissions";
    }
  }

  // A directory (or file) the child may write, or only read.
  fs::path cartella(const std::string& nome, bool scrivibile = true) {
    const fs::path p = base / nome;
    fs::create_directories(p);
    consegna(p, scrivibile ? fs::perms::all : fs::perms::owner_all | fs::perms::group_read |
                                                  fs::perms::group_exec | fs::perms::others_read |
                                                  fs::perms::others_exec);
    return p;
  }
  void file(const fs::path& p, const std::string& contenuto, fs::perms permessi = fs::perms::owner_read |
                                                                                 fs::perms::owner_write |
                                                                                 fs::perms::group_read |
                                                                                 fs::perms::others_read) {
    test::scrivi(p, contenuto);
    ASSERT_EQ(test::leggi(p), contenuto);
    consegna(p, permessi);
  }
  // Owned by the child's user, so that the owner's bits are the ones that count.
  void consegna(const fs::path& p, fs::perms permessi) {
    if (come_nobody) {
      ASSERT_EQ(::chown(p.c_str(), kNobody, kNobody), 0) << p << ": " << std::strerror(errno);
    }
    fs::permissions(p, permessi);
  }

  Risultato esegui(const Figlio& f) {
    const fs::path log = base / ("stderr." + std::to_string(++esecuzioni_));
    const int err = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    EXPECT_GE(err, 0) << std::strerror(errno);
    std::vector<char*> argv;
    for (const std::string& a : f.argv) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // Without a display the program writes its message on standard error.
    std::vector<char*> ambiente;
    for (char** e = environ; *e; ++e)
      if (std::strncmp(*e, "DISPLAY=", 8) != 0) ambiente.push_back(*e);
    ambiente.push_back(nullptr);
    const rlimit limite{f.limite_file, f.limite_file};

    const pid_t pid = ::fork();
    if (pid == 0) {
      if (::dup2(err, STDERR_FILENO) < 0) ::_exit(125);
      if (::dup2(err, STDOUT_FILENO) < 0) fallisci(err, "dup2");
      if (::chdir(f.cartella.c_str()) != 0) fallisci(err, "chdir");
      if (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR) fallisci(err, "signal");
      if (::setrlimit(RLIMIT_FSIZE, &limite) != 0) fallisci(err, "setrlimit");
      ::alarm(120);  // a child that waits forever is killed, and the test fails instead of hanging
      if (come_nobody && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
        fallisci(err, "dropping privileges");
      ::execve(argv[0], argv.data(), ambiente.data());
      fallisci(err, "execve");
    }
    EXPECT_GT(pid, 0) << std::strerror(errno);
    EXPECT_EQ(::close(err), 0);
    int s = 0;
    EXPECT_EQ(::waitpid(pid, &s, 0), pid);
    Risultato r;
    r.stato = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    r.err = test::leggi(log);
    return r;
  }

  static std::string bytes(const fs::path& p) {
    return fs::is_regular_file(fs::symlink_status(p)) ? test::leggi(p) : "<not a file>";
  }
  // Every file of the directory, with its bytes.
  static std::map<std::string, std::string> contenuto(const fs::path& dir) {
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(dir)) m[e.path().filename().string()] = bytes(e.path());
    return m;
  }

 private:
  int esecuzioni_ = 0;
};

bool contiene(const std::string& testo, const std::string& parte) { return testo.find(parte) != std::string::npos; }

// ---------------------------------------------------------------- scenc

const std::string kSegnale = "segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\n";

class ScencFaultTest : public FaultTest {
 protected:
  fs::path sorgenti, uscita, scenc;

  void SetUp() override {
    FaultTest::SetUp();
    if (IsSkipped()) return;
    sorgenti = cartella("src");
    uscita = cartella("out");
    // A copy the unprivileged user can run, wherever the build is.
    scenc = cartella("bin") / "scenc";
    fs::copy_file(SCENC_PATH, scenc);
    file(sorgenti / "R_linea.txt", test::linea_con("curvas6, 350, 100\r\n"));
    file(sorgenti / "R_T-.txt", test::treno_con(kSegnale));
    for (const char* f : {"R_linea.dat", "R_T.sim", "R_T.dat"})
      file(uscita / f, std::string("earlier ") + f, fs::perms::owner_read | fs::perms::owner_write);
  }

  // Every path under the test's directory but the logs of the runs.
  std::set<std::string> albero() {
    std::set<std::string> nomi;
    for (const auto& e : fs::recursive_directory_iterator(base.path()))
      if (!e.path().filename().string().starts_with("stderr.")) nomi.insert(e.path().string());
    return nomi;
  }

  Risultato compila(const std::vector<std::string>& extra = {}, rlim_t limite = RLIM_INFINITY) {
    Figlio f{{scenc.string(), "compile", "--route", "R", "--train", "T", "--line", (sorgenti / "R_linea.txt").string(),
              "--train-file", (sorgenti / "R_T-.txt").string(), "--out", uscita.string()},
             base.path(), limite};
    f.argv.insert(f.argv.end(), extra.begin(), extra.end());
    return esegui(f);
  }
};

TEST_F(ScencFaultTest, AWritableDirectoryIsReallyWritten) {
  // The fixture itself works: the same child, without a fault, replaces all three.
  const Risultato r = compila();
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(fs::file_size(uscita / "R_T.dat"), 541u * 15);
  EXPECT_EQ(contenuto(uscita).size(), 3u);
}

TEST_F(ScencFaultTest, OutputThatCannotBeReplacedLeavesEveryEarlierFile) {
  struct Caso {
    const char* nome;
    std::function<void()> guasto;
    std::string messaggio;
    rlim_t limite = RLIM_INFINITY;
    std::vector<std::string> extra = {};
  };
  const fs::perms sola_lettura = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const Caso casi[] = {
      {"unwritable directory", [&] { consegna(uscita, sola_lettura | fs::perms::owner_exec); },
       (uscita / "R_linea.dat").string() + ": Permission denied"},
      // The last of the three: the first two are written, and must not be put in place.
      {"read-only compiled file", [&] { consegna(uscita / "R_T.dat", sola_lettura); },
       (uscita / "R_T.dat").string() + ": Permission denied"},
      {"directory in place of a file",
       [&] {
         fs::remove(uscita / "R_T.sim");
         cartella("out/R_T.sim");
       },
       (uscita / "R_T.sim").string() + ": Is a directory"},
      {"pipe in place of a file",
       [&] {
         fs::remove(uscita / "R_T.sim");
         ASSERT_EQ(::mkfifo((uscita / "R_T.sim").c_str(), 0666), 0) << std::strerror(errno);
         consegna(uscita / "R_T.sim", fs::perms::all);  // writable: an open would wait for a reader
       },
       (uscita / "R_T.sim").string() + ": not a regular file"},
      // The track plan (540 kB) is cut off at 64 kB.
      {"full disk", [] {}, (uscita / "R_linea.dat").string() + ": File too large", 64 * 1024},
      // Without a plan the .sim (under 4 kB) is written whole, the .dat (8 kB) is not.
      {"full disk on the last file", [] {}, (uscita / "R_T.dat").string() + ": File too large", 4096,
       {"--no-track-plan"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    c.guasto();
    const auto prima = contenuto(uscita);
    const Risultato r = compila(c.extra, c.limite);
    EXPECT_EQ(r.stato, 3) << r.err;
    EXPECT_TRUE(contiene(r.err, "scenc: cannot write " + c.messaggio)) << r.err;
    EXPECT_EQ(contenuto(uscita), prima);  // byte for byte, and no temporary file
    // Back to the fixture's state for the next case.
    consegna(uscita, fs::perms::all);
    fs::remove_all(uscita);
    uscita = cartella("out");
    for (const char* f : {"R_linea.dat", "R_T.sim", "R_T.dat"})
      file(uscita / f, std::string("earlier ") + f, fs::perms::owner_read | fs::perms::owner_write);
  }
}

TEST_F(ScencFaultTest, SourceFilesMissingOrUnreadable) {
  const std::string linea = (sorgenti / "R_linea.txt").string();
  const std::string treno = (sorgenti / "R_T-.txt").string();
  const std::map<std::string, std::string> testi = {{linea, test::leggi(linea)}, {treno, test::leggi(treno)}};
  struct Caso {
    const char* nome;
    std::function<void()> guasto;
    std::string autore;  // whom the message is from: the source at fault, or scenc itself
    std::string messaggio;
    std::vector<std::string> intatti;  // the sources left as they were
    const char* errore = "Errore n. 25";
  };
  const Caso casi[] = {
      {"line file removed", [&] { fs::remove(linea); }, linea, linea + " does not exist", {treno}, "Errore n. 101"},
      {"train file removed", [&] { fs::remove(treno); }, treno, treno + ": No such file or directory", {linea}},
      {"line file unreadable", [&] { consegna(linea, fs::perms::none); }, linea, linea + ": Permission denied",
       {treno}},
      {"train file unreadable", [&] { consegna(treno, fs::perms::none); }, treno, treno + ": Permission denied",
       {linea}},
      {"source directory not searchable", [&] { consegna(sorgenti, fs::perms::owner_read); }, "scenc",
       linea + ": Permission denied", {linea, treno}},
      {"train file a directory",
       [&] {
         fs::remove(treno);
         cartella("src/R_T-.txt");
       },
       treno, treno + " is not a regular file", {linea}},
  };
  const auto prima = contenuto(uscita);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    c.guasto();
    const Risultato r = compila();
    EXPECT_EQ(r.stato, 1) << r.err;
    EXPECT_TRUE(r.err.starts_with(c.autore + ": error: " + c.errore + ": ")) << r.err;
    EXPECT_TRUE(contiene(r.err, c.messaggio)) << r.err;
    EXPECT_EQ(contenuto(uscita), prima);
    consegna(sorgenti, fs::perms::all);
    for (const std::string& f : c.intatti) EXPECT_EQ(test::leggi(f), testi.at(f)) << f;
    fs::remove_all(sorgenti);
    sorgenti = cartella("src");
    file(sorgenti / "R_linea.txt", test::linea_con("curvas6, 350, 100\r\n"));
    file(sorgenti / "R_T-.txt", test::treno_con(kSegnale));
  }
}

TEST_F(ScencFaultTest, NamesFromTheSourcesNeverBecomePaths) {
  // Board texts and station names that look like paths, and a compiled
  // file that is a link to a file elsewhere: only the three files named
  // by --out, --route and --train are written, and the link is replaced,
  // not followed.
  file(sorgenti / "R_linea.txt", test::linea_con("cartello_indicatore, 1150, ../../../evil\r\n"));
  file(sorgenti / "R_T-.txt",
       test::treno_con("stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 9,57,0, /tmp/evil/../x\r\n"));
  const fs::path altrove = cartella("elsewhere");
  file(altrove / "victim", "victim");
  fs::remove(uscita / "R_T.dat");
  fs::create_symlink(altrove / "victim", uscita / "R_T.dat");
  const auto prima = albero();

  const Risultato r = compila();
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(test::leggi(altrove / "victim"), "victim");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(uscita / "R_T.dat")));
  EXPECT_EQ(albero(), prima);
  EXPECT_FALSE(fs::exists("/evil"));
}

TEST_F(ScencFaultTest, AMillionUnknownLines) {
  // A million lines no keyword matches: each is worth a warning, but only
  // the first hundred are shown (each shown with its source line, found by
  // reading the file again), and the compile ends in its own error number
  // as it would without them.
  std::string junk = "[generale]\r\n";
  for (int i = 0; i < 1'000'000; ++i) junk += "x\r\n";
  file(sorgenti / "R_linea.txt", junk);
  const Risultato r = compila();
  EXPECT_EQ(r.stato, 1);
  EXPECT_TRUE(contiene(r.err, "Errore n. 25")) << r.err.substr(r.err.size() - std::min<size_t>(r.err.size(), 500));
  size_t avvisi = 0;
  for (size_t i = r.err.find(": warning:"); i != std::string::npos; i = r.err.find(": warning:", i + 1)) ++avvisi;
  EXPECT_EQ(avvisi, 100u);
  EXPECT_TRUE(contiene(r.err, "more warnings not shown")) << r.err.substr(0, 500);
}

// ----------------------------------------------------- the scenario program

constexpr const char* kCompilati[] = {"Valcerra_Mosina_linea.dat", "Valcerra_Mosina_IR20588.sim",
                                      "Valcerra_Mosina_IR20588.dat"};

class ProgramFaultTest : public FaultTest {
 protected:
  fs::path dir, programma;

  void SetUp() override {
    FaultTest::SetUp();
    if (IsSkipped()) return;
    dir = cartella("prog");
    programma = dir / "scenario";
    fs::copy_file(SCENARIO_PATH, programma);
    for (const char* f : kCompilati)
      file(dir / f, std::string("earlier ") + f, fs::perms::owner_read | fs::perms::owner_write);
  }

  Risultato esegui_programma(rlim_t limite = RLIM_INFINITY) {
    return esegui(Figlio{{programma.string()}, base.path(), limite});
  }
};

TEST_F(ProgramFaultTest, FilesItCannotWriteLeaveEveryEarlierCompiledFile) {
  const fs::perms sola_lettura = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const fs::perms eseguibile = sola_lettura | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  struct Caso {
    const char* nome;
    std::function<void()> guasto;
    std::string file;
    std::string motivo;
    rlim_t limite = RLIM_INFINITY;
  };
  const Caso casi[] = {
      // Refused before anything is written: the message names the directory.
      {"unwritable program directory", [&] { consegna(dir, eseguibile); }, "", "Permission denied"},
      {"read-only source file of the same name",
       [&] { file(dir / "Valcerra_Mosina_IR20588-.txt", "earlier source", sola_lettura); },
       "Valcerra_Mosina_IR20588-.txt", "Permission denied"},
      {"read-only compiled file", [&] { consegna(dir / "Valcerra_Mosina_IR20588.dat", sola_lettura); },
       "Valcerra_Mosina_IR20588.dat", "Permission denied"},
      {"directory in place of a compiled file",
       [&] {
         fs::remove(dir / "Valcerra_Mosina_IR20588.sim");
         cartella("prog/Valcerra_Mosina_IR20588.sim");
       },
       "Valcerra_Mosina_IR20588.sim", "Is a directory"},
      // Sources and documents fit in 1 MiB; the 3 MB track plan does not.
      {"full disk", [] {}, "Valcerra_Mosina_linea.dat", "File too large", 1 << 20},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    c.guasto();
    std::map<std::string, std::string> prima;
    for (const char* f : kCompilati) prima[f] = bytes(dir / f);
    const Risultato r = esegui_programma(c.limite);
    EXPECT_EQ(r.stato, 3) << r.err;
    const std::string detto = c.file.empty() ? "cannot write in " + (dir / "").string() + " (" + c.motivo + ")"
                                             : "cannot write " + (dir / c.file).string() + ": " + c.motivo;
    EXPECT_TRUE(contiene(r.err, detto)) << r.err;
    for (const char* f : kCompilati) EXPECT_EQ(bytes(dir / f), prima[f]) << f;
    for (const auto& [nome, bytes] : contenuto(dir)) {
      EXPECT_FALSE(contiene(nome, ".tmp.")) << nome;
      // The program deletes the sources it wrote, whatever happened.
      EXPECT_FALSE(nome == "Valcerra_Mosina_linea.txt" ||
                   (nome == "Valcerra_Mosina_IR20588-.txt" && bytes != "earlier source"))
          << nome;
    }
    consegna(dir, fs::perms::all);
    fs::remove_all(dir);
    SetUp();
  }
}

}  // namespace
}  // namespace scen
