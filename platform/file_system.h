// The file system as the stages above see it: files opened, read, written
// and closed through one small class, names looked at, replaced and removed.
// Every failure comes back as false (or -1) with the reason in the C
// library's words ("No such file or directory", "Permission denied"), the
// same on every system, and "in use" where another program holds a file
// that must be replaced. File names are std::filesystem::path, built from
// UTF-8 (platform/path_text.h), never from a code page of the system's.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace scen::platform {

enum class FileKind { missing, regular, directory, link, pipe, other };

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // An existing file, for reading; a directory opens too (kind() says so).
  // With `never_wait`, a named pipe without a writer is opened at once
  // instead of waiting for one.
  static File open_for_reading(const std::filesystem::path& p, bool never_wait, std::string& why);
  // A new file for writing; refused when the name is taken, `taken` then
  // being true.
  static File create_new(const std::filesystem::path& p, bool& taken, std::string& why);

  bool is_open() const { return handle_ != kNone; }
  // What the open file is, and its size in bytes when it is a regular file.
  bool kind_and_size(FileKind& kind, uint64_t& size, std::string& why) const;
  // Up to `n` bytes; 0 at the end, -1 on failure.
  int64_t read(char* into, size_t n, std::string& why);
  bool write_all(std::string_view bytes, std::string& why);
  // Reserves room for the file to grow to `bytes`, in one piece where the
  // file system can; the file may then be that long until `truncate`. False
  // where it cannot (the file then simply grows as it is written).
  bool reserve(uint64_t bytes);
  // Cuts the file to `bytes`.
  bool truncate(uint64_t bytes, std::string& why);
  bool close(std::string& why);

 private:
  static constexpr intptr_t kNone = -1;
  explicit File(intptr_t handle) : handle_(handle) {}
  intptr_t handle_ = kNone;  // a descriptor, or a system handle
};

// What stands at the name itself: a link is a link, whatever it points at.
// false, with the reason, when the name cannot be looked at (a missing
// name is FileKind::missing, not a failure).
bool kind_of_name(const std::filesystem::path& p, FileKind& kind, std::string& why);

// Whether an existing regular file may be opened for writing now: it is
// neither read-only nor held by another program. Never waits.
bool can_write_existing(const std::filesystem::path& p, std::string& why);

// Whether replace_file could put a file in place of `to` now: waits, as
// replace_file does, while another program holds `to`, then refuses it as
// "in use". A missing `to` may be replaced. Lets a set of files be refused
// before the first of them is replaced. Where a held file never stops a
// rename (Linux), true at once.
bool wait_until_replaceable(const std::filesystem::path& to, std::string& why);

// Renames `from` over `to` in one step: `to` is either the old file or the
// new one, never missing. A file held open by another program is waited
// for a little, then refused as "in use", `to` as it was.
bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to, std::string& why);

// Best effort: false when the file could not be removed.
bool remove_file(const std::filesystem::path& p) noexcept;

// Whether this process may create files in `dir`.
bool directory_writable(const std::filesystem::path& dir, std::string& why);

long current_process_id();
// false only when no process of that number lives.
bool process_may_be_alive(long pid);

}  // namespace scen::platform
