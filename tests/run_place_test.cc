// Where the scenario program refuses to work: where it was installed, under
// any prefix, and in a directory its user cannot write. The message ends
// with commands that work when pasted into a shell.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "driver/run_place.h"

namespace scen {
namespace {

// Linux: the shell's commands, whichever system the test runs on.
TEST(RunPlace, RefusedWhereInstalledOrNotWritable) {
  const Writability scrivibile{true, {}};
  const Writability negata{false, "Permission denied"};
  const struct {
    const char* cartella;
    const char* nome;
    Writability scrittura;
    const char* detto;  // null: the program may work there
  } casi[] = {
      {"/home/anna/scenari/", "scenario", scrivibile, nullptr},
      {"/home/anna/lib/scenc-prove/", "scenario", scrivibile, nullptr},
      {"/usr/lib/scenc/", "scenario", scrivibile,
       "scenario lies where it was installed, in /usr/lib/scenc/,"},
      {"/home/anna/.local/lib/scenc/", "scenario", scrivibile, "where it was installed"},
      {"/srv/condivisa/", "scenario", negata, "scenario cannot write in /srv/condivisa/ (Permission denied),"},
      {"/srv/la mia cartella/", "scenario", negata,
       "mkdir -p ~/scenario && cp '/srv/la mia cartella/scenario' ~/scenario/ && ~/scenario/scenario\n"},
      {"/usr/lib/scenc/", "scenario", negata,
       "mkdir -p ~/scenario && cp /usr/lib/scenc/scenario ~/scenario/ && ~/scenario/scenario\nNothing was written."},
      {"/srv/x/", "it's", negata, "cp '/srv/x/it'\\''s' ~/'it'\\''s'/ && ~/'it'\\''s'/'it'\\''s'\n"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cartella);
    const std::optional<std::string> rifiuto = refusal_to_run_here({c.cartella, c.nome}, c.scrittura, '/');
    if (!c.detto) {
      EXPECT_FALSE(rifiuto) << *rifiuto;
      continue;
    }
    ASSERT_TRUE(rifiuto);
    EXPECT_NE(rifiuto->find(c.detto), std::string::npos) << *rifiuto;
  }
}

// On Windows: the installer's folder, in any letter case, and commands that
// Command Prompt and PowerShell each take as they are.
TEST(RunPlace, WindowsInstalledFolderAndItsCommands) {
  const Writability scrivibile{true, {}};
  const Writability negata{false, "Access is denied."};
  const struct {
    const char* cartella;
    const char* nome;
    Writability scrittura;
    const char* detto;  // null: the program may work there
  } casi[] = {
      {"C:\\Users\\anna\\scenari\\", "scenario.exe", scrivibile, nullptr},
      {"C:\\Users\\anna\\scenc\\bin-prove\\", "scenario.exe", scrivibile, nullptr},
      {"C:\\\\", "scenario.exe", scrivibile, nullptr},
      {"C:\\Program Files\\scenc\\bin\\", "scenario.exe", scrivibile,
       "scenario.exe lies where it was installed, in C:\\Program Files\\scenc\\bin\\,"},
      {"D:\\Programmi\\SCENC\\Bin\\", "scenario.exe", scrivibile, "where it was installed"},
      {"C:\\Program Files\\scenc\\bin\\", "scenario.exe", negata,
       "in Command Prompt:\n"
       "    mkdir \"%USERPROFILE%\\scenario\\\" & copy \"C:\\Program Files\\scenc\\bin\\scenario.exe\" "
       "\"%USERPROFILE%\\scenario\\\" & \"%USERPROFILE%\\scenario\\scenario.exe\"\n"
       "or in PowerShell:\n"
       "    mkdir \"$env:USERPROFILE\\scenario\\\"; copy 'C:\\Program Files\\scenc\\bin\\scenario.exe' "
       "\"$env:USERPROFILE\\scenario\\\"; & \"$env:USERPROFILE\\scenario\\scenario.exe\"\nNothing was written."},
      {"\\\\server\\share\\", "scenario.exe", negata,
       "scenario.exe cannot write in \\\\server\\share\\ (Access is denied.),"},
      {"E:\\it's $x\\", "a$b.EXE", negata,
       "mkdir \"$env:USERPROFILE\\a`$b\\\"; copy 'E:\\it''s $x\\a$b.EXE' \"$env:USERPROFILE\\a`$b\\\"; "
       "& \"$env:USERPROFILE\\a`$b\\a`$b.EXE\"\n"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cartella);
    const std::optional<std::string> rifiuto = refusal_to_run_here({c.cartella, c.nome}, c.scrittura, '\\');
    if (!c.detto) {
      EXPECT_FALSE(rifiuto) << *rifiuto;
      continue;
    }
    ASSERT_TRUE(rifiuto);
    EXPECT_NE(rifiuto->find(c.detto), std::string::npos) << *rifiuto;
  }
}

}  // namespace
}  // namespace scen
