// The temporary files (and folders) a process has made and not yet renamed into place or
// removed, so that a signal that ends it can remove them (signal_cleanup.h).
// One list per run, passed to whatever writes files for it.
#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace scen {

class TemporaryFiles {
 public:
  void add(const std::filesystem::path& file);
  // The file is no longer a temporary of ours: renamed or removed.
  void forget(const std::filesystem::path& file);

  // While held, an ending signal waits: a set of files being put in place
  // goes in whole, not some of it, and a temporary being made is listed
  // and on disk both before it is removed.
  std::unique_lock<std::mutex> hold_off_removal() { return std::unique_lock<std::mutex>(placing_); }

  // Removes every file still listed, a folder with what it holds, for a
  // process about to end. Waits for a set being put in place, and keeps
  // the list locked after: a thread that would make a new temporary (which
  // lists it first) waits until the process is gone.
  void remove_all_before_exit() noexcept;

  std::vector<std::filesystem::path> listed() const;

 private:
  std::mutex placing_;        // held while a set of files is renamed
  mutable std::mutex files_;  // guards paths_
  std::vector<std::filesystem::path> paths_;
};

}  // namespace scen
