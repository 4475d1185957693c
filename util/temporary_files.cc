#include "util/temporary_files.h"

#include <algorithm>

namespace scen {

void TemporaryFiles::add(const std::filesystem::path& file) {
  const std::lock_guard<std::mutex> lock(files_);
  paths_.push_back(file.string());
}

void TemporaryFiles::forget(const std::filesystem::path& file) {
  const std::lock_guard<std::mutex> lock(files_);
  const auto it = std::find(paths_.begin(), paths_.end(), file.string());
  if (it != paths_.end()) paths_.erase(it);
}

void TemporaryFiles::remove_all() noexcept {
  const std::lock_guard<std::mutex> placing(placing_);
  const std::lock_guard<std::mutex> lock(files_);
  // Best effort: a file already gone is what was wanted.
  for (const std::string& p : paths_) {
    std::error_code ec;
    std::filesystem::remove_all(p, ec);
  }
  paths_.clear();
}

std::vector<std::filesystem::path> TemporaryFiles::listed() const {
  const std::lock_guard<std::mutex> lock(files_);
  return {paths_.begin(), paths_.end()};
}

}  // namespace scen
