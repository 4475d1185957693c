#include "driver/run_place.h"

#include <algorithm>
#include <cctype>

#include "platform/executable_path.h"
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

// Windows' names ignore the case of ASCII letters.
std::string ascii_lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool is_installed_folder(const std::string& directory) {
  const std::string tail = "\\" + std::string(kInstalledProgramFolder) + "\\";
  return ascii_lower(directory).ends_with(tail);
}

// The program's name without its ".exe": the name of the folder it is
// copied into.
std::string without_exe(const std::string& name) {
  if (name.size() > 4 && ascii_lower(name.substr(name.size() - 4)) == ".exe") return name.substr(0, name.size() - 4);
  return name;
}

// Text inside a PowerShell string in double quotes: a backtick keeps the
// characters that would end it or expand there as they are.
std::string powershell_expandable(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '`' || c == '$' || c == '"') escaped += '`';
    escaped += c;
  }
  return escaped;
}

// A name as one PowerShell word, taken as it is: in single quotes, the
// quote itself doubled.
std::string powershell_literal(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

// The commands, for Command Prompt and for PowerShell, that copy the
// program into a folder of the user's own and run it there. A Windows name
// holds no double quote, so a name in double quotes is one word for
// Command Prompt.
std::string windows_copy_commands(const Programma& program) {
  const std::string own = "\\" + without_exe(program.nome);
  const std::string copy = program.cartella + program.nome;
  const std::string cmd_folder = "\"%USERPROFILE%" + own + "\\\"";
  const std::string cmd_program = "\"%USERPROFILE%" + own + "\\" + program.nome + "\"";
  const std::string ps_own = powershell_expandable(own);
  const std::string ps_folder = "\"$env:USERPROFILE" + ps_own + "\\\"";
  const std::string ps_program = "\"$env:USERPROFILE" + ps_own + "\\" + powershell_expandable(program.nome) + "\"";
  return "in Command Prompt:\n"
         "    mkdir " + cmd_folder + " & copy \"" + copy + "\" " + cmd_folder + " & " + cmd_program + "\n"
         "or in PowerShell:\n"
         "    mkdir " + ps_folder + "; copy " + powershell_literal(copy) + " " + ps_folder + "; & " + ps_program + "\n";
}

}  // namespace

Writability directory_writability(const std::string& directory) {
  std::string why;
  if (platform::directory_writable(path_from_utf8(directory), why)) return {true, {}};
  return {false, why};
}

std::optional<std::string> refusal_to_run_here(const Programma& program, const Writability& writability,
                                               char separator) {
  const bool windows = separator == '\\';
  std::string why;
  if (windows ? is_installed_folder(program.cartella) : is_installed_location(program.cartella))
    why = program.nome + " lies where it was installed, in " + program.cartella + ", and writes its files next to itself";
  else if (!writability.writable)
    why = program.nome + " cannot write in " + program.cartella + " (" + writability.reason +
          "), where it writes its files";
  else
    return std::nullopt;
  if (windows)
    return why + ": copy it into a folder of your own and run it there, " + windows_copy_commands(program) +
           "Nothing was written.";
  const std::string own = "~/" + shell_word(program.nome);
  return why + ": copy it into a folder of your own and run it there:\n"
               "    mkdir -p " + own + " && cp " + shell_word(program.cartella + program.nome) + " " + own +
         "/ && " + own + "/" + shell_word(program.nome) + "\n"
         "Nothing was written.";
}

std::optional<std::string> refusal_to_run_here(const Programma& program, const Writability& writability) {
  return refusal_to_run_here(program, writability, platform::path_separator());
}

}  // namespace scen
