#include "platform/file_system.h"

#include <windows.h>

#include "platform/windows/system_error_text.h"

namespace scen::platform {

namespace {

HANDLE handle_of(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
std::string last_error() { return system_error_text(::GetLastError()); }

// Another program's hold on a file is often brief (a virus scanner, an
// indexer, an editor saving): a replacement refused for it is tried again
// for about two seconds before it is given up as "in use".
constexpr int kTriesWhileInUse = 20;
constexpr DWORD kPauseWhileInUse = 100;  // milliseconds

bool held_by_another(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED ||
         code == ERROR_USER_MAPPED_FILE;
}

}  // namespace

File::~File() {
  if (handle_ != kNone) ::CloseHandle(handle_of(handle_));
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (handle_ != kNone) ::CloseHandle(handle_of(handle_));
    handle_ = other.handle_;
    other.handle_ = kNone;
  }
  return *this;
}

// Opened so that others may go on reading, writing, renaming or removing
// it: a source open here never stands in an editor's way. A directory
// opens too (backup semantics), so that reading it fails as on Linux.
File File::open_for_reading(const std::filesystem::path& p, bool, std::string& why) {
  const HANDLE h = ::CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    why = last_error();
    return File();
  }
  return File(reinterpret_cast<intptr_t>(h));
}

File File::create_new(const std::filesystem::path& p, bool& taken, std::string& why) {
  const HANDLE h = ::CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    taken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
    why = system_error_text(code);
    return File();
  }
  taken = false;
  return File(reinterpret_cast<intptr_t>(h));
}

bool File::kind_and_size(FileKind& kind, uint64_t& size, std::string& why) const {
  size = 0;
  switch (::GetFileType(handle_of(handle_))) {
    case FILE_TYPE_PIPE:
      kind = FileKind::pipe;
      return true;
    case FILE_TYPE_DISK:
      break;
    case FILE_TYPE_UNKNOWN:
      if (::GetLastError() != NO_ERROR) {
        why = last_error();
        return false;
      }
      [[fallthrough]];
    default:
      kind = FileKind::other;
      return true;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(handle_of(handle_), &info)) {
    why = last_error();
    return false;
  }
  kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::directory : FileKind::regular;
  if (kind == FileKind::regular) size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  return true;
}

int64_t File::read(char* into, size_t n, std::string& why) {
  DWORD got = 0;
  const DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
  if (!::ReadFile(handle_of(handle_), into, want, &got, nullptr)) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF) return 0;  // the writer has gone: the end
    if (code == ERROR_INVALID_FUNCTION) {
      why = "Is a directory";
      return -1;
    }
    why = system_error_text(code);
    return -1;
  }
  return got;
}

bool File::write_all(std::string_view bytes, std::string& why) {
  while (!bytes.empty()) {
    DWORD wrote = 0;
    const DWORD want = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    if (!::WriteFile(handle_of(handle_), bytes.data(), want, &wrote, nullptr)) {
      why = last_error();
      return false;
    }
    bytes.remove_prefix(wrote);
  }
  return true;
}

// Setting the allocation size reserves the room without changing the
// file's end.
bool File::reserve(uint64_t bytes) {
  if (bytes == 0) return true;
  FILE_ALLOCATION_INFO info;
  info.AllocationSize.QuadPart = static_cast<LONGLONG>(bytes);
  return ::SetFileInformationByHandle(handle_of(handle_), FileAllocationInfo, &info, sizeof info) != 0;
}

bool File::truncate(uint64_t bytes, std::string& why) {
  FILE_END_OF_FILE_INFO info;
  info.EndOfFile.QuadPart = static_cast<LONGLONG>(bytes);
  if (::SetFileInformationByHandle(handle_of(handle_), FileEndOfFileInfo, &info, sizeof info)) return true;
  why = last_error();
  return false;
}

bool File::close(std::string& why) {
  const HANDLE h = handle_of(handle_);
  handle_ = kNone;
  if (!::CloseHandle(h)) {
    why = last_error();
    return false;
  }
  return true;
}

bool kind_of_name(const std::filesystem::path& p, FileKind& kind, std::string& why) {
  const DWORD attributes = ::GetFileAttributesW(p.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
      kind = FileKind::missing;
      return true;
    }
    why = system_error_text(code);
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
    kind = FileKind::link;
  else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    kind = FileKind::directory;
  else
    kind = FileKind::regular;
  return true;
}

// Opening for writing with others allowed to read only fails at once when
// another program has it open for writing, or has not allowed writing.
bool can_write_existing(const std::filesystem::path& p, std::string& why) {
  const DWORD attributes = ::GetFileAttributesW(p.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    why = "Permission denied";
    return false;
  }
  const HANDLE h = ::CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    why = last_error();
    return false;
  }
  if (!::CloseHandle(h)) {
    why = last_error();
    return false;
  }
  return true;
}

// A rename over a file needs to delete it: opened for writing and deleting
// with every other program's access allowed, the file is refused at once
// by a program that has it open and allowed no writing or no deleting
// (a simulator reading it, an editor).
bool wait_until_replaceable(const std::filesystem::path& to, std::string& why) {
  const DWORD attributes = ::GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    why = "Permission denied";
    return false;
  }
  for (int attempt = 0;; ++attempt) {
    const HANDLE h = ::CreateFileW(to.c_str(), GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      if (::CloseHandle(h)) return true;
      why = last_error();
      return false;
    }
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return true;
    if (!held_by_another(code) || attempt + 1 >= kTriesWhileInUse) {
      why = held_by_another(code) ? "in use" : system_error_text(code);
      return false;
    }
    ::Sleep(kPauseWhileInUse);
  }
}

bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to, std::string& why) {
  for (int attempt = 0;; ++attempt) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD code = ::GetLastError();
    if (!held_by_another(code) || attempt + 1 >= kTriesWhileInUse) {
      why = held_by_another(code) ? "in use" : system_error_text(code);
      return false;
    }
    ::Sleep(kPauseWhileInUse);
  }
}

bool remove_file(const std::filesystem::path& p) noexcept { return ::DeleteFileW(p.c_str()) != 0; }

// Windows tells no access rights for a folder short of reading its
// security descriptor; creating a file there (gone when closed) is the
// test that holds.
bool directory_writable(const std::filesystem::path& dir, std::string& why) {
  std::filesystem::path probe = dir;
  probe /= L".scenc-write-test." + std::to_wstring(::GetCurrentProcessId());
  const HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    why = last_error();
    return false;
  }
  ::CloseHandle(h);
  return true;
}

long current_process_id() { return static_cast<long>(::GetCurrentProcessId()); }

bool process_may_be_alive(long pid) {
  const HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!h) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD status = 0;
  const bool alive = !::GetExitCodeProcess(h, &status) || status == STILL_ACTIVE;
  ::CloseHandle(h);
  return alive;
}

}  // namespace scen::platform
