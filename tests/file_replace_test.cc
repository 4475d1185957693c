// Replacing a file whole: what may stand at its name beforehand.
#include "util/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "test_support.h"

namespace scen {
namespace {

namespace fs = std::filesystem;

void scrivi_nuovo(const fs::path& p) {
  sostituisci_file(p, [](ByteSink& out) { out.bytes("nuovo"); });
}

// A link at the name is replaced by the new file, whatever it points at;
// what it pointed at is left alone.
TEST(FileReplace, ALinkIsReplacedWhateverItPointsAt) {
  test::TempDir dir;
  test::scrivi(dir / "bersaglio.txt", "vecchio");
  fs::create_directory(dir / "cartella");
  ASSERT_EQ(::mkfifo((dir / "tubo").c_str(), 0600), 0);
  const struct {
    const char* caso;
    fs::path a;
  } casi[] = {{"a regular file", dir / "bersaglio.txt"},
              {"nothing", dir / "nessuno"},
              {"a directory", dir / "cartella"},
              {"a pipe", dir / "tubo"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    const fs::path link = dir / "R_T.dat";
    fs::remove(link);
    fs::create_symlink(c.a, link);
    ASSERT_NO_THROW(scrivi_nuovo(link));
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(test::leggi(link), "nuovo");
  }
  EXPECT_EQ(test::leggi(dir / "bersaglio.txt"), "vecchio");
  EXPECT_TRUE(fs::is_directory(dir / "cartella"));
}

TEST(FileReplace, ADirectoryOrAPipeAtTheNameIsRefused) {
  test::TempDir dir;
  fs::create_directory(dir / "R_T.dat");
  ASSERT_EQ(::mkfifo((dir / "R_T.sim").c_str(), 0600), 0);
  EXPECT_THROW(scrivi_nuovo(dir / "R_T.dat"), ErroreFile);
  EXPECT_THROW(scrivi_nuovo(dir / "R_T.sim"), ErroreFile);
  EXPECT_TRUE(fs::is_directory(dir / "R_T.dat"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);  // no temporary left
}

}  // namespace
}  // namespace scen
