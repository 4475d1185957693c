// window_probe: what the scenario program shows, seen from another Windows
// process, for the tests run under Wine (scenario_window_test.sh).
//   window_probe window TITLE MS  waits up to MS milliseconds for a visible
//                                 window titled TITLE with a label; prints
//                                 "label TEXT", then "box" when a message
//                                 box of the same title was already up
//   window_probe box TITLE MS     waits for the message box titled TITLE;
//                                 prints "text TEXT" and "button TEXT" lines
//   window_probe hold FILE MS     holds FILE open for MS milliseconds as a
//                                 reader that shares reading and writing
//                                 but not deleting (the simulator loading
//                                 it): it can be written, not replaced
// Exit status 0 when found (or held), 1 when not, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

std::wstring wide(const char* text) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) ::MultiByteToWideChar(CP_UTF8, 0, text, -1, w.data(), n);
  return w;
}

std::string narrow(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring text_of(HWND w) {
  wchar_t buffer[1024];
  const int n = ::GetWindowTextW(w, buffer, 1024);
  return std::wstring(buffer, n > 0 ? n : 0);
}

std::wstring class_of(HWND w) {
  wchar_t buffer[256];
  const int n = ::GetClassNameW(w, buffer, 256);
  return std::wstring(buffer, n > 0 ? n : 0);
}

// The visible top-level windows titled `title`.
std::vector<HWND> windows_titled(const std::wstring& title) {
  struct Search {
    std::wstring title;
    std::vector<HWND> found;
  } search{title, {}};
  ::EnumWindows(
      [](HWND w, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        if (::IsWindowVisible(w) && text_of(w) == s->title) s->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> children_of(HWND parent) {
  std::vector<HWND> children;
  ::EnumChildWindows(
      parent,
      [](HWND w, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

bool is_box(HWND w) { return class_of(w) == kDialogClass; }

// The program's window and its label; whether its message box is up too.
bool find_window(const std::wstring& title) {
  bool box = false;
  std::wstring label;
  for (HWND w : windows_titled(title)) {
    if (is_box(w)) {
      box = true;
      continue;
    }
    for (HWND child : children_of(w))
      if (class_of(child) == L"Static") label = text_of(child);
  }
  if (label.empty()) return false;
  std::printf("label %s\n", narrow(label).c_str());
  if (box) std::printf("box\n");
  return true;
}

bool find_box(const std::wstring& title) {
  for (HWND w : windows_titled(title)) {
    if (!is_box(w)) continue;
    for (HWND child : children_of(w)) {
      const std::wstring kind = class_of(child);
      if (kind == L"Static" && !text_of(child).empty()) std::printf("text %s\n", narrow(text_of(child)).c_str());
      if (kind == L"Button") std::printf("button %s\n", narrow(text_of(child)).c_str());
    }
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string mode = argv[1];
  const std::wstring name = wide(argv[2]);
  const DWORD limit = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
  if (mode == "hold") {
    const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    ::Sleep(limit);
    ::CloseHandle(h);
    return 0;
  }
  if (mode != "window" && mode != "box") return 2;
  const DWORD start = ::GetTickCount();
  do {
    if (mode == "window" ? find_window(name) : find_box(name)) return 0;
    ::Sleep(20);
  } while (::GetTickCount() - start < limit);
  return 1;
}
