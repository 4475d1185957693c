#include "compiler/train_placement.h"

#include "compiler/checked_access.h"
#include "format/cell_kinds.h"
#include "util/rounding.h"

namespace scen {

namespace {

int16_t coppia(int32_t a, int32_t b) { return basso_16(int64_t{a} * 10 + b); }

}  // namespace

int32_t memo_segnale(Modello& m, FailureSink& guasti, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                     int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t& tempo) {
  const int64_t s = arrotonda(posizione / 50.0 + 1);
  Cella* c = cella(m, s, guasti);
  if (!c) return kErroreLettura;
  if (!c->libera()) return kErroreSegnaleOccupato;
  c->tipo = numero(TipoCella::segnale);
  c->valore_4 = basso_16(int64_t{rapp} * 10 + int64_t{sx} * 3 + dx);
  c->valore_1 = coppia(s1, d1);
  c->valore_2 = coppia(s2, d2);
  c->valore_3 = coppia(s3, d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  c->tempo = sx == 2 ? basso_8(tempo) : 0;
  // Approach marks 100, 200, 300 and 400 m before the signal, whatever the
  // cells hold.
  const int64_t lato = int64_t{sx} * 3 + dx;
  for (int k = 1; k <= 4; ++k) {
    Cella* marca = cella(m, s - 2 * k, guasti);
    if (!marca) return kErroreLettura;
    marca->preavviso = basso_8(lato * 10 + k);
  }
  return 0;
}

int32_t memo_rallentamento(Modello& m, FailureSink& guasti, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                           int32_t f_ta, int32_t d_v) {
  const int64_t e = arrotonda((int64_t{x} + l) / 50.0 + 1);
  const int64_t s = arrotonda(x / 50.0 + 1);
  const int64_t a = arrotonda((int64_t{x} - 1200) / 50.0 + 1);
  const bool avviso = x > 1500;
  if (!avviso) f_ta = 0;

  Cella* punto = nullptr;
  if (avviso) {
    punto = cella(m, a, guasti);
    if (!punto) return kErroreLettura;
    if (!punto->libera()) return kErroreAvvisoOccupato;
  }
  Cella* inizio = cella(m, s, guasti);
  if (!inizio) return kErroreLettura;
  if (!inizio->libera()) return kErroreInizioOccupato;
  Cella* fine = cella(m, e, guasti);
  if (!fine) return kErroreLettura;
  if (!fine->libera()) return kErroreFineOccupata;

  fine->tipo = numero(TipoCella::fine_rallentamento);
  if (d_v != 0) fine->valore_2 = basso_16(d_v);
  inizio->tipo = numero(TipoCella::inizio_rallentamento);
  if (d_v != 0) inizio->valore_2 = basso_16(d_v);
  if (avviso) {
    punto->tipo = numero(TipoCella::avviso_rallentamento);
    if (d_v != 0) punto->valore_2 = basso_16(d_v);
    punto->valore_1 = basso_16(v);
  }
  for (Cella* c : {inizio, fine}) c->valore_1 = basso_16(v);
  for (Cella* c : {inizio, fine}) c->valore_3 = basso_16(f_tt);

  if (f_ta != 0) {
    // P(i) = R((x - 1200) / 50) - i, numbered 1 next to the warning point.
    const int64_t base = arrotonda((int64_t{x} - 1200) / 50.0);
    Cella* preavviso[4];
    for (int i = 0; i <= 3; ++i) {
      preavviso[i] = cella(m, base - i, guasti);
      if (!preavviso[i]) return kErroreLettura;
      if (!preavviso[i]->libera()) return kErrorePreavvisoOccupato;
    }
    for (int i = 0; i <= 3; ++i) {
      Cella& p = *preavviso[i];
      p.tipo = numero(TipoCella::preavviso_rallentamento);
      p.valore_1 = static_cast<int16_t>(i + 1);
      if (d_v != 0) p.valore_2 = static_cast<int16_t>(i + 1);
    }
  }
  return 0;
}

}  // namespace scen
