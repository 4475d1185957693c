#include "util/temporary_files.h"

#include <algorithm>

namespace scen {

void TemporaryFiles::add(const std::filesystem::path& file) {
  const std::lock_guard<std::mutex> lock(files_);
  paths_.push_back(file);
}

void TemporaryFiles::forget(const std::filesystem::path& file) {
  const std::lock_guard<std::mutex> lock(files_);
  const auto it = std::find(paths_.begin(), paths_.end(), file);
  if (it != paths_.end()) paths_.erase(it);
}

void TemporaryFiles::remove_all_before_exit() noexcept {
  // Both locks stay held: the process ends right after.
  placing_.lock();
  files_.lock();
  // Best effort: a file already gone is what was wanted.
  for (const std::filesystem::path& p : paths_) {
    std::error_code ec;
    std::filesystem::remove_all(p, ec);
  }
  paths_.clear();
}

std::vector<std::filesystem::path> TemporaryFiles::listed() const {
  const std::lock_guard<std::mutex> lock(files_);
  return paths_;
}

}  // namespace scen
