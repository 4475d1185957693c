#include "platform/command_arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/windows/utf16.h"

namespace scen::platform {

// The system's own split of its UTF-16 command line; should it fail, the
// narrow words are all there is.
CommandArguments::CommandArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide && count == argc) {
    for (int i = 0; i < count; ++i) words_.push_back(utf8_of_utf16(wide[i]));
  } else {
    words_.assign(argv, argv + argc);
  }
  if (wide) ::LocalFree(wide);
  for (std::string& w : words_) pointers_.push_back(w.data());
  pointers_.push_back(nullptr);
}

}  // namespace scen::platform
