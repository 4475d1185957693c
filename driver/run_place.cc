#include "driver/run_place.h"

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace scen {

namespace {

// The path as one shell word: left as it is when it has only characters no
// shell treats specially, else in single quotes.
std::string shell_word(const std::string& path) {
  const bool plain = !path.empty() && path.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                             "0123456789/._-+,:@%") == std::string::npos;
  if (plain) return path;
  std::string quoted = "'";
  for (const char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool is_installed_location(const std::string& directory) {
  const std::string tail = "/" + std::string(kInstalledProgramDir) + "/";
  return directory.ends_with(tail);
}

}  // namespace

Writability directory_writability(const std::string& directory) {
  std::string why;
  if (platform::directory_writable(path_from_utf8(directory), why)) return {true, {}};
  return {false, why};
}

std::optional<std::string> refusal_to_run_here(const Programma& program, const Writability& writability) {
  std::string why;
  if (is_installed_location(program.cartella))
    why = program.nome + " lies where it was installed, in " + program.cartella + ", and writes its files next to itself";
  else if (!writability.writable)
    why = program.nome + " cannot write in " + program.cartella + " (" + writability.reason +
          "), where it writes its files";
  else
    return std::nullopt;
  const std::string own = "~/" + shell_word(program.nome);
  return why + ": copy it into a folder of your own and run it there:\n"
               "    mkdir -p " + own + " && cp " + shell_word(program.cartella + program.nome) + " " + own +
         "/ && " + own + "/" + shell_word(program.nome) + "\n"
         "Nothing was written.";
}

}  // namespace scen
