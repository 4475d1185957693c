#include "tools/plot/plot_page.h"

#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_plan.h"
#include "tools/plot/plot_profile.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

std::string riassunto(const ElementiLinea& e, const Progressiva& p, const Estensione& t) {
  std::string s = numero_testo(e.lunghezza / 1000.0, 3) + " km";
  if (p.presente())
    s += " (km " + numero_testo(p.metri(0) / 1000, 3) + " to " + numero_testo(p.metri(e.lunghezza) / 1000, 3) + ")";
  if (t.da != 0 || t.a != e.lunghezza) {
    s += ", drawn: ";
    s += p.presente() ? "km " + numero_testo(p.metri(t.da) / 1000, 3) + " to km " + numero_testo(p.metri(t.a) / 1000, 3)
                      : numero_testo(t.da / 1000.0, 3) + " to " + numero_testo(t.a / 1000.0, 3) + " km";
  }
  s += " \u00b7 " + std::to_string(e.stazioni.size()) + " stations \u00b7 " + std::to_string(e.segnali.size()) +
       " signals";
  return s;
}

}  // namespace

void disegna_pagina(const Tela& tela, const Titoli& titoli, const scen::TabellaLinea& tabella,
                    const ElementiLinea& elementi, const Progressiva& progressiva, const Estensione& tratto) {
  tela.riempi({0, 0, kLarghezzaPagina, kAltezzaPagina}, stile::kSfondo);
  tela.testo(titoli.percorso + " \u00b7 train " + titoli.treno, kPannelloPianta.x, 52, stile::kTitolo, stile::kTesto,
             Allinea::sinistra, true);
  tela.testo(riassunto(elementi, progressiva, tratto), kPannelloProfilo.destra(), 52, stile::kSottotitolo,
             stile::kTestoTenue, Allinea::destra);
  const ElementiLinea nel_tratto = ritaglia(elementi, tratto);
  disegna_pianta(tela, kPannelloPianta, tabella, nel_tratto, progressiva, tratto);
  disegna_profilo(tela, kPannelloProfilo, nel_tratto, progressiva, tratto);
}

}  // namespace scenc::plot
