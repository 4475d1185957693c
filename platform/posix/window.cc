// The program's side of its window on Linux: without a display nothing of
// the toolkit is loaded; with one, the window module
// (platform/posix/window_module.h).
#include "platform/window.h"

#include <cstdlib>
#include <string_view>

#include "platform/embedded_module.h"
#include "platform/posix/window_module.h"
#include "platform/standard_streams.h"

namespace scen::platform {

namespace {

// Writes the whole text on the standard error; a failed write ends the
// attempt, as there is no other place left to report it.
void scrivi_stderr(std::string_view testo) {
  std::string why;
  (void)write_descriptor(kStandardError, testo, why);
}

class HeadlessWindow final : public ProgramWindow {
 public:
  void show_waiting() override {}
  void show_message(const std::string& testo) override { scrivi_stderr(testo + "\n"); }
  bool on_screen() const override { return false; }
};

}  // namespace

std::unique_ptr<ProgramWindow> open_program_window(const std::string& titolo) {
  const char* nome = std::getenv("DISPLAY");
  if (!nome || !*nome) return std::make_unique<HeadlessWindow>();
  scen::OpenToolkitWindow* apri = nullptr;
  try {
    apri = scen::funzione_modulo<OpenToolkitWindow>({scen::incorporato::modulo_finestra_nome(), incorporato::modulo_finestra()},
                                                scen::kOpenToolkitWindow);
  } catch (const scen::ErroreModulo& e) {
    scrivi_stderr(titolo + ": no window, the toolkit cannot be loaded (apt install libfltk1.3 for it): " + e.what() +
                  "\n");
    return std::make_unique<HeadlessWindow>();
  }
  std::unique_ptr<ProgramWindow> grafica(apri(titolo.c_str()));
  if (!grafica) return std::make_unique<HeadlessWindow>();
  return grafica;
}

}  // namespace scen::platform
