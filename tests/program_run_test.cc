// Running a program without a shell (platform/program_run.h): every
// argument arrives as it was given, whatever quotes, spaces, backslashes or
// letters it holds, in the directory asked for, with the exit status and
// both streams caught. On Windows this is the command line's quoting, which
// the program's C runtime must read back word for word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace scen {
namespace {

TEST(ProgramRun, ArgumentsArriveWordForWord) {
  test::TempDir dir;
  const std::filesystem::path cartella = dir.path() / path_from_utf8("Ščenari ☃");
  std::filesystem::create_directory(cartella);
  const std::vector<std::string> argomenti{
      "plain",        "two words", "",         "\"quoted\"",   "a\\b\\",  "trailing\\",
      "\\\\server\\x", "in \"side\" \\\" it", "tab\there", "Magrè ☃ ©", "C:\\Program Files\\x\\"};
  const test::Risultato r = test::run_program(cartella, PROGRAM_RUN_FIXTURE, argomenti, dir.path());
  EXPECT_EQ(r.stato, static_cast<int>(argomenti.size())) << r.err;
  std::string atteso = "Ščenari ☃\n";
  for (const std::string& a : argomenti) atteso += a + "\n";
  EXPECT_EQ(r.out, atteso);
  EXPECT_EQ(r.err, "to standard error\n");
}

TEST(ProgramRun, AProgramThatCannotStartSaysWhy) {
  test::TempDir dir;
  const test::Risultato r = test::run_program(dir.path(), dir / "missing", {}, dir.path());
  EXPECT_NE(r.stato, 0);
}

}  // namespace
}  // namespace scen
