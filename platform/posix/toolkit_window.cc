// The module's side of the program's window: the toolkit's window and its
// message box (platform/posix/window_module.h).
#include "platform/module_entry.h"
#include "platform/posix/window_module.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>

namespace scen {

namespace {

// The window and its label, in pixels of the client area.
using platform::WindowLayout;
constexpr int kLarghezza = WindowLayout::kWidth;
constexpr int kAltezza = WindowLayout::kHeight;
constexpr int kEtichettaX = WindowLayout::kLabelX;
constexpr int kEtichettaY = WindowLayout::kLabelY;
constexpr int kEtichettaLarghezza = WindowLayout::kLabelWidth;
constexpr int kEtichettaAltezza = WindowLayout::kLabelHeight;
constexpr const char* kEtichetta = WindowLayout::kLabel;
// 24 points at 96 dots per inch; the label gets this size when the word fits.
constexpr int kEtichettaMassima = WindowLayout::kLabelPoints * 96 / 72;

// How long show_waiting waits for the window's first paint.
constexpr auto kAttesaPittura = std::chrono::seconds(2);

// Closes a descriptor used only for the redirection below. Nothing was
// written through it, so a failed close loses nothing; after EINTR Linux has
// released it already, and any other failure leaves a close-on-exec
// descriptor that nobody uses.
void chiudi(int fd) {
  if (::close(fd) != 0 && errno != EINTR) return;
}

// Opens the display named by DISPLAY with the standard error sent to
// /dev/null meanwhile: Xlib prints its own complaints (a refused cookie, no
// protocol specified) before it returns null. When the standard error cannot
// be set aside, the display is opened without that.
Display* apri_display() {
  const int salvato = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
  if (salvato < 0) return XOpenDisplay(nullptr);
  const int nulla = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (nulla < 0) {
    chiudi(salvato);
    return XOpenDisplay(nullptr);
  }
  const bool deviato = ::dup2(nulla, STDERR_FILENO) >= 0;
  chiudi(nulla);
  Display* d = XOpenDisplay(nullptr);
  if (deviato) {
    // Should this fail, the standard error stays on /dev/null: there is no
    // channel left to say so, and the window itself still works.
    while (::dup2(salvato, STDERR_FILENO) < 0 && errno == EINTR) {
    }
  }
  chiudi(salvato);
  return d;
}

// The largest label size, at most kEtichettaMassima, at which the word keeps
// inside its box in the font the display really has.
int misura_etichetta() {
  for (int dimensione = kEtichettaMassima; dimensione > 1; --dimensione) {
    fl_font(FL_HELVETICA_BOLD, dimensione);
    if (fl_width(kEtichetta) <= kEtichettaLarghezza && fl_height() <= kEtichettaAltezza) return dimensione;
  }
  return 1;
}

// A window that records that it has been painted.
class FinestraDipinta final : public Fl_Window {
 public:
  FinestraDipinta(int w, int h) : Fl_Window(w, h) {}
  bool dipinta() const { return dipinta_; }

 protected:
  void draw() override {
    Fl_Window::draw();
    dipinta_ = true;
  }

 private:
  bool dipinta_ = false;
};

class ToolkitWindow final : public platform::ProgramWindow {
 public:
  explicit ToolkitWindow(const std::string& titolo) : titolo_(titolo) {
    fl_close = "OK";
    const int dimensione = misura_etichetta();
    finestra_ = std::make_unique<FinestraDipinta>(kLarghezza, kAltezza);
    finestra_->copy_label(titolo_.c_str());
    auto* etichetta = new Fl_Box(kEtichettaX, kEtichettaY, kEtichettaLarghezza, kEtichettaAltezza, kEtichetta);
    etichetta->box(FL_NO_BOX);
    etichetta->labelfont(FL_HELVETICA_BOLD);
    etichetta->labelsize(dimensione);
    etichetta->labelcolor(FL_FOREGROUND_COLOR);
    etichetta->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP);
    finestra_->end();  // the window owns the label
  }

  ~ToolkitWindow() override {
    finestra_->hide();
    Fl::flush();
  }

  ToolkitWindow(const ToolkitWindow&) = delete;
  ToolkitWindow& operator=(const ToolkitWindow&) = delete;

  // The window is painted only when its first Expose has been handled, so
  // the events are run until draw() has been called, for a bounded time.
  void show_waiting() override {
    finestra_->show();
    const auto limite = std::chrono::steady_clock::now() + kAttesaPittura;
    while (!finestra_->dipinta() && std::chrono::steady_clock::now() < limite) {
      Fl::wait(0.01);
      Fl::flush();
    }
    Fl::flush();
    XSync(fl_display, False);
  }

  void show_message(const std::string& testo) override {
    fl_message_title(titolo_.c_str());
    fl_alert("%s", testo.c_str());
    Fl::flush();
  }

  bool on_screen() const override { return true; }

 private:
  std::string titolo_;
  std::unique_ptr<FinestraDipinta> finestra_;
};

}  // namespace

}  // namespace scen

SCEN_MODULE_ENTRY scen::platform::ProgramWindow* scen_open_toolkit_window(const char* titolo) {
  if (!fl_display) {
    Display* d = scen::apri_display();
    if (!d) return nullptr;
    fl_open_display(d);
  }
  return new scen::ToolkitWindow(titolo);
}
