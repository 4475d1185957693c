#include "tools/plot/plot_page.h"

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_plan.h"
#include "tools/plot/plot_profile.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

std::string riassunto(const ElementiLinea& e, const Progressiva& p) {
  std::string s = numero_testo(e.lunghezza / 1000.0, 3) + " km";
  if (p.presente())
    s += " (km " + numero_testo(p.metri(0) / 1000, 3) + " to " + numero_testo(p.metri(e.lunghezza) / 1000, 3) + ")";
  s += " \u00b7 " + std::to_string(e.stazioni.size()) + " stations \u00b7 " + std::to_string(e.segnali.size()) +
       " signals";
  return s;
}

}  // namespace

void disegna_pagina(cairo_t* cr, const Titoli& titoli, const scen::TabellaLinea& tabella,
                    const ElementiLinea& elementi, const Progressiva& progressiva) {
  const Tela tela(cr);
  tela.riempi({0, 0, kLarghezzaPagina, kAltezzaPagina}, stile::kSfondo);
  tela.testo(titoli.percorso + " \u00b7 train " + titoli.treno, kPannelloPianta.x, 52, stile::kTitolo, stile::kTesto,
             Allinea::sinistra, true);
  tela.testo(riassunto(elementi, progressiva), kPannelloProfilo.destra(), 52, stile::kSottotitolo,
             stile::kTestoTenue, Allinea::destra);
  disegna_pianta(tela, kPannelloPianta, tabella, elementi, progressiva);
  disegna_profilo(tela, kPannelloProfilo, elementi, progressiva);
}

}  // namespace scenc::plot
