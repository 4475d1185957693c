#include "tools/plot/plot_page.h"

#include "model/kilometric_progressive.h"
#include "tools/plot/plot_canvas.h"
#include "tools/plot/plot_plan.h"
#include "tools/plot/plot_profile.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

std::string riassunto(const ElementiLinea& e, const Progressiva& p, const Estensione& t) {
  std::string s = numero_testo(e.lunghezza / 1000.0, 3) + " km";
  if (p.presente())
    s += " (" + scen::testo_km(p.metri(0)) + " to " + scen::testo_km(p.metri(e.lunghezza)) + ")";
  if (t.da != 0 || t.a != e.lunghezza) {
    s += ", drawn: ";
    s += p.presente() ? scen::testo_km(p.metri(t.da)) + " to " + scen::testo_km(p.metri(t.a))
                      : std::to_string(t.da) + " m to " + std::to_string(t.a) + " m";
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
