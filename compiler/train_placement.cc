#include "compiler/train_placement.h"

#include "compiler/checked_access.h"
#include "util/rounding.h"

namespace scen {

namespace {

int16_t coppia(int32_t a, int32_t b) { return basso_16(int64_t{a} * 10 + b); }

}  // namespace

void memo_segnale(Modello& m, int32_t posizione, int32_t sx, int32_t s1, int32_t s2, int32_t s3,
                  int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t& tempo) {
  const int64_t s = arrotonda(posizione / 50.0 + 1);
  Cella& c = cella(m, s);
  if (!c.libera()) {
    m.codice_errore = kErroreSegnaleOccupato;
    return;
  }
  c.tipo = 1;
  c.valore_4 = basso_16(int64_t{rapp} * 10 + int64_t{sx} * 3 + dx);
  c.valore_1 = coppia(s1, d1);
  c.valore_2 = coppia(s2, d2);
  c.valore_3 = coppia(s3, d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  c.tempo = sx == 2 ? basso_8(tempo) : 0;
  // Approach marks 100, 200, 300 and 400 m before the signal, whatever the
  // cells hold.
  const int64_t lato = int64_t{sx} * 3 + dx;
  for (int k = 1; k <= 4; ++k) cella(m, s - 2 * k).preavviso = basso_8(lato * 10 + k);
}

void memo_rallentamento(Modello& m, int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta,
                        int32_t d_v) {
  const int64_t e = arrotonda((int64_t{x} + l) / 50.0 + 1);
  const int64_t s = arrotonda(x / 50.0 + 1);
  const int64_t a = arrotonda((int64_t{x} - 1200) / 50.0 + 1);
  const bool avviso = x > 1500;
  if (!avviso) f_ta = 0;

  if (avviso && !cella(m, a).libera()) {
    m.codice_errore = kErroreAvvisoOccupato;
    return;
  }
  if (!cella(m, s).libera()) {
    m.codice_errore = kErroreInizioOccupato;
    return;
  }
  if (!cella(m, e).libera()) {
    m.codice_errore = kErroreFineOccupata;
    return;
  }
  Cella& fine = cella(m, e);
  fine.tipo = 2;
  if (d_v != 0) fine.valore_2 = basso_16(d_v);
  Cella& inizio = cella(m, s);
  inizio.tipo = 3;
  if (d_v != 0) inizio.valore_2 = basso_16(d_v);
  if (avviso) {
    Cella& punto = cella(m, a);
    punto.tipo = 4;
    if (d_v != 0) punto.valore_2 = basso_16(d_v);
    punto.valore_1 = basso_16(v);
  }
  for (Cella* c : {&inizio, &fine}) c->valore_1 = basso_16(v);
  for (Cella* c : {&inizio, &fine}) c->valore_3 = basso_16(f_tt);

  if (f_ta != 0) {
    // P(i) = R((x - 1200) / 50) - i, numbered 1 next to the warning point.
    const int64_t base = arrotonda((int64_t{x} - 1200) / 50.0);
    for (int i = 0; i <= 3; ++i) {
      if (!cella(m, base - i).libera()) {
        m.codice_errore = kErrorePreavvisoOccupato;
        return;
      }
    }
    for (int i = 0; i <= 3; ++i) {
      Cella& p = cella(m, base - i);
      p.tipo = 5;
      p.valore_1 = static_cast<int16_t>(i + 1);
      if (d_v != 0) p.valore_2 = static_cast<int16_t>(i + 1);
    }
  }
}

}  // namespace scen
