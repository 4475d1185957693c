// The command line as UTF-8 words: on Linux the words as given; on Windows
// taken from the system's UTF-16 command line, not from the narrow argv,
// which the system has put into its code page (and lost every character
// outside it).
#pragma once

#include <string>
#include <vector>

namespace scen::platform {

class CommandArguments {
 public:
  CommandArguments(int argc, char** argv);
  int argc() const { return static_cast<int>(pointers_.size()) - 1; }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> words_;
  std::vector<char*> pointers_;  // into words_, then a null
};

}  // namespace scen::platform
