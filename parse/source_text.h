// A source file's text, held in memory once: read from a file, or handed
// over by a caller (an editor's buffer, a test).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace scen {

struct SourceText {
  std::string name;   // the file's name as given, for messages
  std::string bytes;  // the file's bytes as they are (code page 1252 or UTF-8)
};

// The largest source read. No line of a real scenario comes near it; the
// limit keeps a device or an endless pipe from taking memory without bound.
inline constexpr size_t kLargestSource = size_t{256} << 20;

// Reads the whole of `path` into `out.bytes` (its name into `out.name`).
// A regular file or a pipe; anything else (a device, a directory) is
// refused before a byte is read. False, with the reason in `error`
// ("cannot open NAME: REASON", "cannot read NAME: REASON", "NAME is not a
// regular file", "NAME is larger than 256 MiB"), when it cannot.
// `largest` lowers the limit (for tests).
bool read_source_file(const std::filesystem::path& path, SourceText& out, std::string& error,
                      size_t largest = kLargestSource);

}  // namespace scen
