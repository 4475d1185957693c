// The program's side of its window: without a display nothing of the
// toolkit is loaded; with one, the window module (driver/window_module.h).
#include "driver/window.h"

#include <cstdlib>
#include <string_view>

#include "driver/window_module.h"
#include "platform/embedded_module.h"
#include "platform/standard_streams.h"

namespace scen {

namespace {

// Writes the whole text on the standard error; a failed write ends the
// attempt, as there is no other place left to report it.
void scrivi_stderr(std::string_view testo) {
  std::string why;
  (void)platform::write_descriptor(platform::kStandardError, testo, why);
}

class FinestraMuta final : public Finestra {
 public:
  void mostra_attendere() override {}
  void messaggio(const std::string& testo) override { scrivi_stderr(testo + "\n"); }
  bool grafica() const override { return false; }
};

}  // namespace

std::unique_ptr<Finestra> apri_finestra(const std::string& titolo) {
  const char* nome = std::getenv("DISPLAY");
  if (!nome || !*nome) return std::make_unique<FinestraMuta>();
  ApriFinestraGrafica* apri = nullptr;
  try {
    apri = funzione_modulo<ApriFinestraGrafica>({incorporato::modulo_finestra_nome(), incorporato::modulo_finestra()},
                                                kApriFinestraGrafica);
  } catch (const ErroreModulo& e) {
    scrivi_stderr(titolo + ": no window, the toolkit cannot be loaded (apt install libfltk1.3 for it): " + e.what() +
                  "\n");
    return std::make_unique<FinestraMuta>();
  }
  std::unique_ptr<Finestra> grafica(apri(titolo.c_str()));
  if (!grafica) return std::make_unique<FinestraMuta>();
  return grafica;
}

}  // namespace scen
