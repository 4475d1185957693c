// What tells that a file has changed: its identity (device and file
// number), size and time of its last change. A file that cannot be looked
// at is a state of its own.
#pragma once

#include <cstdint>
#include <filesystem>

namespace scen::platform {

struct FileState {
  bool present = false;
  uint64_t device = 0;
  uint64_t file = 0;
  uint64_t size = 0;
  int64_t changed_ns = 0;
  bool operator==(const FileState&) const = default;
};

FileState file_state(const std::filesystem::path& p);

}  // namespace scen::platform
