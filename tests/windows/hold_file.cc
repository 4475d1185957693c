// hold_file FILE SHARE SECONDS READY: holds FILE open for reading as a
// simulator or an editor would, letting other programs share it only as
// SHARE says ("read": reading; "read-write": reading and writing; never
// deleting or renaming over it). Makes the file READY once it holds FILE,
// and lets FILE go after SECONDS.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: hold_file FILE read|read-write SECONDS READY\n");
    return 2;
  }
  const DWORD share = std::strcmp(argv[2], "read") == 0 ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
  const HANDLE h = ::CreateFileA(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "hold_file: cannot open %s: error %lu\n", argv[1], ::GetLastError());
    return 1;
  }
  const HANDLE ready = ::CreateFileA(argv[4], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE || !::CloseHandle(ready)) {
    std::fprintf(stderr, "hold_file: cannot make %s: error %lu\n", argv[4], ::GetLastError());
    return 1;
  }
  ::Sleep(static_cast<DWORD>(std::atoi(argv[3]) * 1000));
  if (!::CloseHandle(h)) return 1;
  return 0;
}
