// The program's window on Windows: the system's own window, with a static
// control for the label, and the system's message box.
#include "platform/window.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/standard_streams.h"
#include "platform/windows/utf16.h"

namespace scen::platform {

namespace {

constexpr wchar_t kWindowClass[] = L"scenc.scenario.window";
constexpr wchar_t kLabelFont[] = L"MS Sans Serif";
// A caption, a close box and a minimize box; no resizing, no maximize.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// At most this many waiting messages are dispatched once the window is
// shown: its first paint and what the system sends on showing a window.
constexpr int kMessagesOnShow = 64;

// Writes the whole text on the standard error; a failed write ends the
// attempt, as there is no other place left to report it.
void write_standard_error(std::string_view text) {
  std::string why;
  (void)write_descriptor(kStandardError, text, why);
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  // The program closes its window itself when its work is done; closing it
  // while a message box is up would leave the box without its owner.
  if (message == WM_CLOSE) return 0;
  return ::DefWindowProcW(window, message, w, l);
}

// The window class, registered once per process (the system keeps it; a
// second registration finds it there).
bool register_window_class(HINSTANCE instance) {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = window_procedure;
  c.hInstance = instance;
  c.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  c.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  c.lpszClassName = kWindowClass;
  return ::RegisterClassExW(&c) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Started from Explorer, a console program gets a console of its own, an
// empty black window beside the program's: it is hidden. A console shared
// with the shell that started the program stays as it is.
void hide_own_console() {
  const HWND console = ::GetConsoleWindow();
  if (!console) return;
  DWORD processes[2];
  if (::GetConsoleProcessList(processes, 2) == 1) ::ShowWindow(console, SW_HIDE);
}

// No window could be made: the message goes to the standard error.
class NoWindow final : public ProgramWindow {
 public:
  void show_waiting() override {}
  void show_message(const std::string& text) override { write_standard_error(text + "\n"); }
  bool on_screen() const override { return false; }
};

class SystemWindow final : public ProgramWindow {
 public:
  SystemWindow(std::wstring title, HWND window, HFONT font) : title_(std::move(title)), window_(window), font_(font) {}
  ~SystemWindow() override {
    // Nothing is left to report a failure to: the process is ending.
    (void)::DestroyWindow(window_);
    if (font_) (void)::DeleteObject(font_);
  }
  SystemWindow(const SystemWindow&) = delete;
  SystemWindow& operator=(const SystemWindow&) = delete;

  // Shown, then painted at once with its label; the messages the system
  // sent on showing it are dispatched once, and then none until the
  // message box.
  void show_waiting() override {
    ::ShowWindow(window_, SW_SHOWNORMAL);
    if (!::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN))
      (void)::UpdateWindow(window_);
    MSG message;
    for (int n = 0; n < kMessagesOnShow && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++n) {
      if (message.message == WM_QUIT) break;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    (void)::GdiFlush();
  }

  void show_message(const std::string& text) override {
    const HWND owner = ::IsWindowVisible(window_) ? window_ : nullptr;
    const UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
    if (::MessageBoxW(owner, utf16_of(text).c_str(), title_.c_str(), MB_OK | modality | MB_SETFOREGROUND) == 0)
      write_standard_error(text + "\n");  // no box could be shown
  }

  bool on_screen() const override { return true; }

 private:
  std::wstring title_;
  HWND window_;
  HFONT font_;
};

HFONT bold_label_font(int pixels) {
  return ::CreateFontW(-pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, kLabelFont);
}

// Whether the label's word keeps inside its box in that font.
bool label_fits(HDC screen, HFONT font, const std::wstring& label) {
  const HGDIOBJ before = ::SelectObject(screen, font);
  if (!before) return true;  // cannot measure: the size as designed
  SIZE extent{};
  const bool measured = ::GetTextExtentPoint32W(screen, label.c_str(), static_cast<int>(label.size()), &extent);
  ::SelectObject(screen, before);
  return !measured || (extent.cx <= WindowLayout::kLabelWidth && extent.cy <= WindowLayout::kLabelHeight);
}

// The label's font: bold, 24 points at the screen's dots per inch (32
// pixels at 96), "MS Sans Serif" or what the system puts in its place;
// smaller when the word would not keep inside its box in the font the
// system really has (Wine puts a wider one in its place).
HFONT label_font(const std::wstring& label) {
  const HDC screen = ::GetDC(nullptr);
  int dots_per_inch = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (dots_per_inch <= 0) dots_per_inch = 96;
  const int designed = ::MulDiv(WindowLayout::kLabelPoints, dots_per_inch, 72);
  HFONT font = bold_label_font(designed);
  for (int pixels = designed - 1; screen && font && pixels > 1 && !label_fits(screen, font, label); --pixels) {
    ::DeleteObject(font);
    font = bold_label_font(pixels);
  }
  if (screen) ::ReleaseDC(nullptr, screen);
  return font;
}

}  // namespace

std::unique_ptr<ProgramWindow> open_program_window(const std::string& title) {
  hide_own_console();
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!register_window_class(instance)) return std::make_unique<NoWindow>();
  // The window's outer size for a client area of the layout's size.
  RECT outer{0, 0, WindowLayout::kWidth, WindowLayout::kHeight};
  if (!::AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0)) return std::make_unique<NoWindow>();
  std::wstring wide_title = utf16_of(title);
  const HWND window = ::CreateWindowExW(0, kWindowClass, wide_title.c_str(), kWindowStyle, CW_USEDEFAULT,
                                        CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                        nullptr, instance, nullptr);
  if (!window) return std::make_unique<NoWindow>();
  const std::wstring label_text = utf16_of(WindowLayout::kLabel);
  const HWND label = ::CreateWindowExW(0, L"STATIC", label_text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                       WindowLayout::kLabelX, WindowLayout::kLabelY, WindowLayout::kLabelWidth,
                                       WindowLayout::kLabelHeight, window, nullptr, instance, nullptr);
  HFONT font = label ? label_font(label_text) : nullptr;
  // Without its font the label keeps the system's; without the label the
  // window still shows that the program is working.
  if (font) ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return std::make_unique<SystemWindow>(std::move(wide_title), window, font);
}

}  // namespace scen::platform
