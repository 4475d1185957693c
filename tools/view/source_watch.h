// What tells `scenc serve` that a source changed: the file's identity,
// size and time of change (platform/file_state.h). A file that cannot be
// looked at counts as one state of its own.
#pragma once

#include <filesystem>

#include "platform/file_state.h"

namespace scenc {

using SourceState = scen::platform::FileState;

inline SourceState source_state(const std::filesystem::path& path) { return scen::platform::file_state(path); }

}  // namespace scenc
