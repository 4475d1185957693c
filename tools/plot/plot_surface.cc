#include "tools/plot/plot_surface.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "util/file_replace.h"
#include "util/standard_output.h"

namespace scenc::plot {

namespace {

constexpr double kPuntiPerUnita = 0.5;  // SVG and PDF pages

// Where cairo's stream callbacks put the bytes: the file, or memory for an
// SVG that is finished before it is written. An exception thrown there must
// not cross cairo's C frames, so it waits here until cairo returns.
struct Flusso {
  scen::ByteSink* uscita;
  std::string* memoria;
  std::exception_ptr errore;
};

cairo_status_t scrivi_blocco(void* chiusura, const unsigned char* dati, unsigned int n) {
  auto* f = static_cast<Flusso*>(chiusura);
  if (f->errore) return CAIRO_STATUS_WRITE_ERROR;
  try {
    const std::string_view blocco(reinterpret_cast<const char*>(dati), n);
    if (f->memoria)
      f->memoria->append(blocco);
    else
      f->uscita->bytes(blocco);
  } catch (...) {
    f->errore = std::current_exception();
    return CAIRO_STATUS_WRITE_ERROR;
  }
  return CAIRO_STATUS_SUCCESS;
}

struct ChiudiSuperficie {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ChiudiContesto {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Superficie = std::unique_ptr<cairo_surface_t, ChiudiSuperficie>;
using Contesto = std::unique_ptr<cairo_t, ChiudiContesto>;

class Verifica {
 public:
  Verifica(const std::filesystem::path& file, const Flusso& flusso) : file_(file), flusso_(flusso) {}
  // A write failure first, as the file system reported it; then cairo's.
  void operator()(cairo_status_t s) const {
    if (flusso_.errore) std::rethrow_exception(flusso_.errore);
    if (s != CAIRO_STATUS_SUCCESS) throw scen::ErroreFile(file_, std::string("cairo: ") + cairo_status_to_string(s));
  }

 private:
  const std::filesystem::path& file_;
  const Flusso& flusso_;
};

Superficie superficie_per(FormatoImmagine formato, Flusso& flusso, int larghezza, int altezza) {
  const double w = larghezza * kPuntiPerUnita;
  const double h = altezza * kPuntiPerUnita;
  switch (formato) {
    case FormatoImmagine::png:
      return Superficie(cairo_image_surface_create(CAIRO_FORMAT_RGB24, larghezza, altezza));
    case FormatoImmagine::svg:
      return Superficie(cairo_svg_surface_create_for_stream(scrivi_blocco, &flusso, w, h));
    case FormatoImmagine::pdf:
      return Superficie(cairo_pdf_surface_create_for_stream(scrivi_blocco, &flusso, w, h));
  }
  return nullptr;
}

}  // namespace

void scrivi_immagine(const std::filesystem::path& file, FormatoImmagine formato, int larghezza,
                     int altezza, const std::function<void(const Tela&)>& disegna) {
  scen::scrivi_file_o_uscita(file, [&](scen::ByteSink& uscita) {
    std::string svg;
    const bool in_memoria = formato == FormatoImmagine::svg;
    Flusso flusso{&uscita, in_memoria ? &svg : nullptr, nullptr};
    std::vector<TestoPagina> testi;
    const Verifica verifica(file, flusso);
    Superficie s = superficie_per(formato, flusso, larghezza, altezza);
    verifica(cairo_surface_status(s.get()));
    {
      Contesto cr(cairo_create(s.get()));
      verifica(cairo_status(cr.get()));
      if (formato != FormatoImmagine::png) cairo_scale(cr.get(), kPuntiPerUnita, kPuntiPerUnita);
      disegna(Tela(cr.get(), in_memoria ? &testi : nullptr));
      verifica(cairo_status(cr.get()));
    }
    if (formato == FormatoImmagine::png) {
      cairo_surface_flush(s.get());
      verifica(cairo_surface_write_to_png_stream(s.get(), scrivi_blocco, &flusso));
    }
    cairo_surface_finish(s.get());
    verifica(cairo_surface_status(s.get()));
    if (in_memoria) uscita.bytes(svg_con_testi(std::move(svg), testi, kPuntiPerUnita));
  });
}

}  // namespace scenc::plot
