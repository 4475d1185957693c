// The program's window: a small window with the label "Attendere" while the
// work runs, and the modal message box of the error report.
#pragma once

#include <memory>
#include <string>

namespace scen {

// The program's window: the "Attendere" label while the work runs, and the
// modal error message box. Without a display, both are no-ops / stderr.
class Finestra {
 public:
  virtual ~Finestra() = default;
  // Shows the window and paints it before returning (bounded wait, ~2 s max).
  // No window event is processed after it returns, until messaggio().
  virtual void mostra_attendere() = 0;
  // Modal message box with the text, one "OK" button, the program's name as
  // title; returns when closed. Headless: prints the text on stderr and returns.
  virtual void messaggio(const std::string& testo) = 0;
  virtual bool grafica() const = 0;  // true when a real window exists
};

// Opens the display if it can (DISPLAY set and openable) and returns the real
// window; otherwise a headless one. `titolo` is the program's name. Nothing is
// printed when the display cannot be opened. The toolkit is loaded only when
// DISPLAY names a display; when it cannot be loaded, one line on the standard
// error says why and the window is a headless one. The toolkit keeps one
// display connection per process: a second call reuses the one already open.
std::unique_ptr<Finestra> apri_finestra(const std::string& titolo);

}  // namespace scen
