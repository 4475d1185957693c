#include "tools/plot/plot_lanes.h"

#include <algorithm>

#include "tools/plot/plot_labels.h"

namespace scenc::plot {

namespace {

constexpr double kRigaMarcatori = 20;
constexpr double kRigaEtichette = 18;
constexpr double kScarto = 60;     // how far a label may move right of its object
constexpr double kDistanza = 18;   // between two labels of a row

std::string nota_nascoste(int n) {
  return n == 0 ? "" : std::to_string(n) + (n == 1 ? " label" : " labels") + " left out";
}

}  // namespace

double Corsia::altezza() const { return kRigaMarcatori + kRigaEtichette * righe + 6; }

void disegna_corsia(const Tela& tela, const AsseLinea& a, const Corsia& corsia, double x_titolo,
                    const std::string& titolo, const std::vector<Segno>& segni) {
  tela.linea(x_titolo, corsia.y, a.x1, corsia.y, stile::kGriglia, 1);
  const double ym = corsia.y + kRigaMarcatori / 2;
  std::vector<const Segno*> con_etichetta;
  std::vector<Intervallo> spazi;
  for (const Segno& s : segni) {
    tela.marcatore(s.marcatore, a.x(s.posizione), ym, s.colore);
    if (s.etichetta.empty()) continue;
    const double w = tela.larghezza(s.etichetta, stile::kEtichettaPiccola);
    const double inizio = std::clamp(a.x(s.posizione) - 3, a.x0, a.x1 - w);
    con_etichetta.push_back(&s);
    spazi.push_back({inizio, inizio + w});
  }
  const std::vector<Posto> posti = disponi_in_righe(spazi, corsia.righe, kDistanza, kScarto, a.x1);
  const auto base = [&](size_t i) { return corsia.y + kRigaMarcatori + kRigaEtichette * (posti[i].riga + 1) - 4; };
  // Leaders first, down to the label's top and slanting to it when it moved
  // right: a label drawn later hides the stretch behind it.
  int nascoste = 0;
  for (size_t i = 0; i < posti.size(); ++i) {
    if (posti[i].riga < 0) {
      ++nascoste;
      continue;
    }
    const double x = a.x(con_etichetta[i]->posizione);
    tela.linea(x, ym + 6, std::max(x, posti[i].inizio + 3), base(i) - 11, con_etichetta[i]->colore, 0.7);
  }
  for (size_t i = 0; i < posti.size(); ++i)
    if (posti[i].riga >= 0)
      tela.testo_su_fondo(con_etichetta[i]->etichetta, posti[i].inizio, base(i), stile::kEtichettaPiccola,
                          con_etichetta[i]->colore);
  tela.titolo(titolo + " \u00b7 " + std::to_string(segni.size()), nota_nascoste(nascoste), x_titolo,
              corsia.y + 15);
}

}  // namespace scenc::plot
