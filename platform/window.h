// The scenario program's window: a small window with the label "Attendere"
// while the work runs, and the modal message box of the error report. On
// Linux the toolkit's window (only when a display is named), on Windows the
// system's own window and message box.
#pragma once

#include <memory>
#include <string>

namespace scen::platform {

// The window's client area and its label, in pixels at 96 dots per inch:
// the label "Attendere", bold 24-point, in its box.
struct WindowLayout {
  static constexpr int kWidth = 280;
  static constexpr int kHeight = 179;
  static constexpr int kLabelX = 64;
  static constexpr int kLabelY = 64;
  static constexpr int kLabelWidth = 177;
  static constexpr int kLabelHeight = 53;
  static constexpr int kLabelPoints = 24;
  static constexpr char kLabel[] = "Attendere";
};

// The program's window. Without a display (Linux), both are no-ops / stderr.
class ProgramWindow {
 public:
  virtual ~ProgramWindow() = default;
  // Shows the window and paints it before returning (bounded wait, ~2 s max).
  // No window event is processed after it returns, until show_message().
  virtual void show_waiting() = 0;
  // Modal message box with the text, one "OK" button, the program's name as
  // title; returns when closed. Headless: prints the text on stderr and returns.
  virtual void show_message(const std::string& text) = 0;
  virtual bool on_screen() const = 0;  // true when a real window exists
};

// The program's window, titled with the program's name `title`.
// Linux: opens the display if it can (DISPLAY set and openable) and returns
// the real window; otherwise a headless one. Nothing is printed when the
// display cannot be opened. The toolkit is loaded only when DISPLAY names a
// display; when it cannot be loaded, one line on the standard error says why
// and the window is a headless one. The toolkit keeps one display connection
// per process: a second call reuses the one already open.
// Windows: always the system's window; nothing is shown until show_waiting().
std::unique_ptr<ProgramWindow> open_program_window(const std::string& title);

}  // namespace scen::platform
