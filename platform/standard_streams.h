// The process's standard streams by their numbers (0 input, 1 output,
// 2 error), as bytes: nothing is added to or taken from what passes (no
// line ends turned into CR LF), and the console shows UTF-8 as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace scen::platform {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Made first thing in main: the standard streams pass bytes unchanged and
// a console shows UTF-8; its destructor gives the console back as it was.
class StandardStreamsSetup {
 public:
  StandardStreamsSetup();
  ~StandardStreamsSetup();
  StandardStreamsSetup(const StandardStreamsSetup&) = delete;
  StandardStreamsSetup& operator=(const StandardStreamsSetup&) = delete;

 private:
  [[maybe_unused]] unsigned previous_output_code_page_ = 0;  // Windows: the console's, given back
};

// Up to `n` bytes from the stream or pipe `fd`; 0 at its end, -1 on failure.
int64_t read_descriptor(int fd, char* into, size_t n, std::string& why);
bool write_descriptor(int fd, std::string_view bytes, std::string& why);
// Whether a read of `fd` would return at once (bytes waiting, or the end).
bool descriptor_has_input(int fd);
// What `fd` is: a redirected file gives its size.
bool descriptor_kind_and_size(int fd, FileKind& kind, uint64_t& size, std::string& why);

}  // namespace scen::platform
