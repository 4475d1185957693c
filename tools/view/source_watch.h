// What tells `scenc serve` that a source changed: whether the file is
// there, its size and its time of change, as the file system reports them
// on every system. A file that cannot be looked at counts as one state of
// its own.
#pragma once

#include <cstdint>
#include <filesystem>

namespace scenc {

struct SourceState {
  bool present = false;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type modified{};
  bool operator==(const SourceState&) const = default;
};

SourceState source_state(const std::filesystem::path& path);

}  // namespace scenc
