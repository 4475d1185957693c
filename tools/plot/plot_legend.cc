#include "tools/plot/plot_legend.h"

#include <functional>
#include <string>
#include <vector>

namespace scenc::plot {

namespace {

constexpr double kSimbolo = 30;  // room of a symbol, before its name
constexpr double kTraVoci = 26;
constexpr double kRiga = 22;

struct Voce {
  std::string testo;
  std::function<void(double x, double y)> simbolo;  // centred on (x, y)
};

}  // namespace

void legenda_profilo(const Tela& tela, double x0, double x1, double y, const std::vector<MarcaSegnale>& segnali) {
  const auto marcatore = [&tela](Marcatore m, Colore c) {
    return [&tela, m, c](double x, double y) { tela.marcatore(m, x, y, c); };
  };
  const auto campione = [&tela](Colore c) {
    return [&tela, c](double x, double y) { tela.riempi({x - 10, y - 6, 20, 12}, c); };
  };
  const auto tratteggiato = [&tela](double x, double y) {
    const Colore c = stile::kInizioRallentamento;
    tela.riempi({x - 10, y - 4, 20, 10}, {1 - (1 - c.r) * 0.12, 1 - (1 - c.g) * 0.12, 1 - (1 - c.b) * 0.12});
    tela.linea(x - 10, y - 4, x + 10, y - 4, c, 2.4);
  };
  std::vector<Voce> voci = {
      {"speed limit (km/h)", [&](double x, double y) { tela.linea(x - 12, y, x + 12, y, stile::kVelocita, 2.6); }},
      {"slowdown, start to end at its speed (km/h)", tratteggiato},
      {"gradient falling (\u2030)", campione(stile::kDiscesa)},
      {"gradient rising (\u2030)", campione(stile::kSalita)},
      {"station", [&](double x, double y) { tela.tratteggio(x, y - 8, x, y + 8, stile::kStazione, 1, 4, 3); }},
      {"station zone", campione(stile::kZonaStazione)},
  };
  for (const MarcaSegnale& m : segnali) voci.push_back({"signal " + m.nome, marcatore(m.marcatore, m.colore)});
  const std::vector<Voce> altre = {
      {"speed indicator board (speeds a/b/c, km/h)", marcatore(Marcatore::quadrato, stile::kIndicatore)},
      {"text board (its lettering)", marcatore(Marcatore::quadrato, stile::kCartello)},
      {"slowdown warning", marcatore(Marcatore::rombo, stile::kAvvisoRallentamento)},
      {"slowdown start (km/h)", marcatore(Marcatore::triangolo_giu, stile::kInizioRallentamento)},
      {"slowdown end", marcatore(Marcatore::triangolo_su, stile::kFineRallentamento)},
      {"code cut-down point written in the source (code)", marcatore(Marcatore::croce, stile::kAbbattimento)},
      {"code point of 180 the code track may have added", marcatore(Marcatore::anello, stile::kAbbattimento)},
  };
  voci.insert(voci.end(), altre.begin(), altre.end());
  double x = x0;
  for (const Voce& v : voci) {
    const double w = kSimbolo + tela.larghezza(v.testo, stile::kEtichettaPiccola) + kTraVoci;
    if (x + w > x1 && x > x0) {
      x = x0;
      y += kRiga;
    }
    v.simbolo(x + 12, y - 4);
    tela.testo(v.testo, x + kSimbolo, y, stile::kEtichettaPiccola, stile::kTesto);
    x += w;
  }
}

}  // namespace scenc::plot
