#include "platform/command_arguments.h"

namespace scen::platform {

CommandArguments::CommandArguments(int argc, char** argv) : words_(argv, argv + argc) {
  for (std::string& w : words_) pointers_.push_back(w.data());
  pointers_.push_back(nullptr);
}

}  // namespace scen::platform
