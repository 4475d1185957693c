// A run ended by SIGINT, SIGTERM or SIGHUP: its temporaries are removed and
// its exit status is 128 + the signal.
#include "platform/signal_cleanup.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "test_support.h"
#include "util/file_replace.h"
#include "util/temporary_files.h"

namespace scen {
namespace {

namespace fs = std::filesystem;

size_t files_in(const fs::path& dir) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
  return n;
}

// A child that has a replacement's temporary open and a temporary folder,
// says so on `ready` and waits for its end.
[[noreturn]] void child(const fs::path& dir, int ready) {
  TemporaryFiles temporaries;
  const SignalCleanup cleanup([&temporaries] { temporaries.remove_all_before_exit(); });
  SostituzionePreparata open_file(dir / "R_T.dat", &temporaries);
  open_file.contenuto().bytes("half written");
  fs::create_directory(dir / "folder");
  test::scrivi(dir / "folder" / "inside", "x");
  temporaries.add(dir / "folder");
  const char byte = cleanup.active() ? 'y' : 'n';
  if (::write(ready, &byte, 1) != 1) ::_exit(99);
  for (;;) ::pause();
}

TEST(SignalCleanup, AnEndingSignalRemovesTheTemporariesAndExitsWith128PlusIt) {
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(sig);
    test::TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) child(dir.path(), ready[1]);
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(byte, 'y');
    EXPECT_EQ(files_in(dir.path()), 2u);  // the temporary and the folder
    ASSERT_EQ(::kill(pid, sig), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 128 + sig);
    EXPECT_EQ(files_in(dir.path()), 0u);
  }
}

// Once it is gone, the signals are as they were and the list is the
// caller's: what was renamed into place is not in it.
TEST(SignalCleanup, LeavesTheSignalsAsTheyWereAndForgetsFilesPutInPlace) {
  test::TempDir dir;
  TemporaryFiles temporaries;
  sigset_t before, during, after;
  ASSERT_EQ(pthread_sigmask(SIG_BLOCK, nullptr, &before), 0);
  {
    const SignalCleanup cleanup([&temporaries] { temporaries.remove_all_before_exit(); });
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, nullptr, &during), 0);
    EXPECT_EQ(sigismember(&during, SIGTERM), 1);
    sostituisci_file(dir / "R_T.sim", [](ByteSink& out) { out.bytes("whole"); }, &temporaries);
    EXPECT_TRUE(temporaries.listed().empty());
  }
  ASSERT_EQ(pthread_sigmask(SIG_BLOCK, nullptr, &after), 0);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) EXPECT_EQ(sigismember(&after, sig), sigismember(&before, sig));
  EXPECT_EQ(test::leggi(dir / "R_T.sim"), "whole");
}

}  // namespace
}  // namespace scen
