#include "platform/standard_streams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace scen::platform {

namespace {

HANDLE handle_of_descriptor(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

}  // namespace

// The C runtime would turn "\n" into "\r\n" on the way out and drop "\r"
// (and stop at Ctrl-Z) on the way in: the language server's framing, a
// compiled file on standard output and the bytes of a page would not
// survive. A console shows UTF-8 once its output code page is 65001.
StandardStreamsSetup::StandardStreamsSetup() {
  for (int fd : {kStandardInput, kStandardOutput, kStandardError}) (void)::_setmode(fd, _O_BINARY);
  previous_output_code_page_ = ::GetConsoleOutputCP();
  if (previous_output_code_page_ != 0) ::SetConsoleOutputCP(CP_UTF8);
}

StandardStreamsSetup::~StandardStreamsSetup() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (previous_output_code_page_ != 0) ::SetConsoleOutputCP(previous_output_code_page_);
}

int64_t read_descriptor(int fd, char* into, size_t n, std::string& why) {
  const unsigned want = n > 0x40000000 ? 0x40000000u : static_cast<unsigned>(n);
  const int got = ::_read(fd, into, want);
  if (got >= 0) return got;
  // A pipe whose writer has gone reads as its end.
  if (::GetLastError() == ERROR_BROKEN_PIPE) return 0;
  why = std::strerror(errno);
  return -1;
}

bool write_descriptor(int fd, std::string_view bytes, std::string& why) {
  while (!bytes.empty()) {
    const unsigned want = bytes.size() > 0x40000000 ? 0x40000000u : static_cast<unsigned>(bytes.size());
    const int n = ::_write(fd, bytes.data(), want);
    if (n <= 0) {
      why = n < 0 ? std::strerror(errno) : "nothing written";
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool descriptor_has_input(int fd) {
  const HANDLE h = handle_of_descriptor(fd);
  if (h == INVALID_HANDLE_VALUE) return false;
  switch (::GetFileType(h)) {
    case FILE_TYPE_PIPE: {
      DWORD available = 0;
      // A pipe whose writer has gone: the next read returns its end at once.
      // A pipe that cannot be looked into (Wine's, made by a Linux shell)
      // is taken as empty: a reader that waits for more before it acts
      // would otherwise wait for ever.
      if (!::PeekNamedPipe(h, nullptr, 0, nullptr, &available, nullptr)) return ::GetLastError() == ERROR_BROKEN_PIPE;
      return available > 0;
    }
    case FILE_TYPE_DISK:
      return true;
    default:
      return ::WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
  }
}

bool descriptor_kind_and_size(int fd, FileKind& kind, uint64_t& size, std::string& why) {
  size = 0;
  const HANDLE h = handle_of_descriptor(fd);
  if (h == INVALID_HANDLE_VALUE) {
    why = "Bad file descriptor";
    return false;
  }
  switch (::GetFileType(h)) {
    case FILE_TYPE_PIPE:
      kind = FileKind::pipe;
      return true;
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION info;
      // Not every file handed over as a standard stream answers (Wine's
      // for a file redirected from the shell does not): read as a stream
      // then, up to the limit, which is as safe.
      if (!::GetFileInformationByHandle(h, &info)) {
        kind = FileKind::other;
        return true;
      }
      kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::directory : FileKind::regular;
      if (kind == FileKind::regular) size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
      return true;
    }
    default:
      kind = FileKind::other;
      return true;
  }
}

}  // namespace scen::platform
