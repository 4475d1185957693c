#include "platform/directory_lock.h"

#include <windows.h>

#include <cwctype>
#include <string>

namespace scen {

namespace {

// The directory's full name, as the system resolves it (links followed,
// case folded), so that two ways of naming one folder take one lock.
std::wstring identity_of(const std::filesystem::path& dir) {
  const HANDLE h = ::CreateFileW(dir.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::wstring name(1024, L'\0');
  DWORD n = ::GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
  if (n >= name.size()) {
    name.resize(n + 1);
    n = ::GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
  }
  ::CloseHandle(h);
  if (n == 0 || n >= name.size()) return {};
  name.resize(n);
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
  return name;
}

// A mutex's name may not hold a backslash, and is at most MAX_PATH long:
// the directory goes in as a 64-bit FNV-1a hash of its name.
std::wstring mutex_name(const std::wstring& identity) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const wchar_t c : identity) {
    hash ^= static_cast<uint16_t>(c);
    hash *= 0x100000001b3ull;
  }
  wchar_t hex[17];
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789abcdef"[hash & 0xF];
  hex[16] = L'\0';
  return std::wstring(L"Global\\scenc.directory.") + hex;
}

}  // namespace

DirectoryLock::DirectoryLock(const std::filesystem::path& dir, const std::function<void()>& on_wait) {
  const std::wstring identity = identity_of(dir.empty() ? std::filesystem::path(L".") : dir);
  if (identity.empty()) return;
  const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, mutex_name(identity).c_str());
  if (!mutex) return;  // no lock to be had: the run goes on without one
  DWORD r = ::WaitForSingleObject(mutex, 0);
  if (r == WAIT_TIMEOUT) {
    if (on_wait) on_wait();
    r = ::WaitForSingleObject(mutex, INFINITE);
  }
  // An abandoned mutex is one whose holder died: it is ours now.
  if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) {
    handle_ = reinterpret_cast<intptr_t>(mutex);
    return;
  }
  ::CloseHandle(mutex);
}

DirectoryLock::~DirectoryLock() {
  if (handle_ == kNone) return;
  const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
  ::ReleaseMutex(mutex);
  ::CloseHandle(mutex);
}

}  // namespace scen
