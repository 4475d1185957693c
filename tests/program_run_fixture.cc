// Prints its arguments, one a line, as the program received them (UTF-8),
// its working directory's last name on the first line, and exits with the
// number of arguments.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/command_arguments.h"
#include "platform/path_text.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
  scen::platform::StandardStreamsSetup streams;
  scen::platform::CommandArguments words(argc, argv);
  std::string out = scen::utf8_of(std::filesystem::current_path().filename()) + "\n";
  for (int i = 1; i < words.argc(); ++i) out += std::string(words.argv()[i]) + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fputs("to standard error\n", stderr);
  return words.argc() - 1;
}
