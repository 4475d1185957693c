// A lock on a directory, so that one run at a time writes a set of files
// into it. The system lets go of it when its holder ends, however it ends:
// a dead run never keeps another waiting. Linux locks the directory itself
// (flock); Windows, which locks byte ranges of files only, takes a named
// mutex of the directory's full name, which no file in the folder is left
// behind for.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

namespace scen {

class DirectoryLock {
 public:
  // Takes the lock of `dir`, waiting while another process holds it
  // (`on_wait` is called once first). Without the lock (a directory that
  // cannot be opened: the writing into it will say why) it holds nothing.
  DirectoryLock(const std::filesystem::path& dir, const std::function<void()>& on_wait);
  ~DirectoryLock();
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

  bool held() const { return handle_ != kNone; }

 private:
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;
};

}  // namespace scen
