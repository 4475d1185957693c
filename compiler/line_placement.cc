#include "compiler/line_placement.h"

#include "compiler/checked_access.h"
#include "format/cell_kinds.h"
#include "util/rounding.h"

namespace scen {

int32_t memo_montagna(Modello& m, FailureSink& guasti, int32_t inizio, int32_t fine, int32_t tipo) {
  int64_t sfondo = tipo;
  bool segni = false;
  if (sfondo > 10) {
    sfondo -= 10;
    segni = true;
  }
  if (m.numero_montagne >= kMaxMontagne) {
    guasti.guasto("more than " + std::to_string(kMaxMontagne) + " mountain stretches");
    return kErroreLettura;
  }
  const int n = ++m.numero_montagne;
  m.montagne_inizio[n] = inizio;
  m.montagne_fine[n] = fine;
  // A stretch that starts within 150 m of the previous one's end continues it.
  if (n > 1 && int64_t{m.montagne_inizio[n]} - m.montagne_fine[n - 1] <= 150) sfondo = 3;

  const int64_t primo = arrotonda(inizio / 50.0);
  const int64_t ultimo = arrotonda(fine / 50.0 - 1);
  for (int64_t i = primo; i <= ultimo; ++i) {
    Cella* c = cella(m, i, guasti);
    if (!c) return kErroreLettura;
    c->montagna = basso_8(sfondo);
    if (segni && (i - primo + 1) % 4 == 0 && c->tipo == numero(TipoCella::nessuno)) c->tipo = numero(TipoCella::segno_montagna);
  }
  return 0;
}

int32_t memo_indicatori_v_max(Modello& m, FailureSink& guasti, int32_t posizione, int32_t vas, int32_t vbs,
                              int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                              int32_t strisced) {
  Cella* c = cella(m, arrotonda(posizione / 50.0 + 1), guasti);
  if (!c) return kErroreLettura;
  if (!c->libera()) return kErroreIndicatoreOccupato;
  // Side s in the hundreds, side d in the units, both as speed / 5.
  auto coppia = [](int32_t d, int32_t s) { return arrotonda(d / 5.0 + static_cast<double>(int64_t{s} * 20)); };
  c->tipo = numero(TipoCella::indicatore_vmax);
  if (!in_16(coppia(vad, vas), c->valore_1, guasti) || !in_16(coppia(vbd, vbs), c->valore_2, guasti) ||
      !in_16(coppia(vcd, vcs), c->valore_3, guasti) ||
      !in_16(int64_t{strisces} * 10 + strisced, c->valore_4, guasti))
    return kErroreLettura;
  return 0;
}

}  // namespace scen
