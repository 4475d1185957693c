// Where the scenario program may do its job. It writes its files next to its
// own executable, so a copy that lies where it was installed (lib/scenc under
// any prefix; on Windows the installer's scenc\bin folder), or in a
// directory this user cannot write, writes nothing and tells how to copy it
// into a folder of one's own. Root (an administrator) is refused in the
// installed directory too: files left there would outlive the package.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "driver/program_directory.h"

namespace scen {

// The directory, under the install prefix, that holds the installed program.
inline constexpr std::string_view kInstalledProgramDir = "lib/scenc";
// On Windows, the folder under Program Files where the installer puts both
// programs.
inline constexpr std::string_view kInstalledProgramFolder = "scenc\\bin";

// Whether the directory is writable by this process; the system's reason
// when it is not.
struct Writability {
  bool writable = false;
  std::string reason;
};
Writability directory_writability(const std::string& directory);

// Null when the program may write in its directory; otherwise the whole
// message for the user, ending with the commands that copy it into a
// folder of their own and run it there. The system's conventions follow
// its separator: '/' a Linux shell's commands, '\\' those of Windows'
// Command Prompt and PowerShell.
std::optional<std::string> refusal_to_run_here(const Programma& program, const Writability& writability,
                                               char separator);
// The same, for the system the program runs on.
std::optional<std::string> refusal_to_run_here(const Programma& program, const Writability& writability);

}  // namespace scen
