#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "compiler/checked_access.h"
#include "compiler/line_placement.h"
#include "parse/read_failure.h"
#include "compiler/track_plan.h"
#include "compiler/train_placement.h"
#include "compiler/check_codes.h"
#include "writer/compiled_writer.h"
#include "test_support.h"

namespace scen {
namespace {

uint64_t bit(double v) { return std::bit_cast<uint64_t>(v); }

Modello griglia(int celle) {
  Modello m;
  m.celle.emplace(static_cast<size_t>(celle));
  m.ultima_cella = celle - 1;
  return m;
}

// ---------------------------------------------------------------- track plan

TEST(TrackPlan, FirstCurveOfTheScenario) {
  const test::Compilato c = test::compila(
      test::linea_con("[curve]\r\ncurvas6,  350,  100\r\ncurvad4,  550,  200\r\n"),
      test::treno_con(""));
  ASSERT_EQ(c.m.codice_errore, 0) << c.diagnostica.messaggio;
  ASSERT_TRUE(c.m.tabella_linea.has_value());
  const TabellaLinea& t = *c.m.tabella_linea;
  ASSERT_EQ(t.righe(), 27001u);

  EXPECT_EQ(t.x.tipo[0], TipoSlot::intero);
  EXPECT_EQ(t.y.tipo[1], TipoSlot::intero);
  EXPECT_EQ(t.y.valore[1], 1.0);
  for (size_t r = 2; r <= 350; ++r) {
    ASSERT_EQ(t.x.tipo[r], TipoSlot::reale) << r;
    ASSERT_EQ(bit(t.x.valore[r]), bit(0.0)) << r;
    ASSERT_EQ(t.y.valore[r], static_cast<double>(r)) << r;
  }

  // Rows 351 and 352, step by step as the plan defines a step.
  const double k = -0.003;
  const double x351 = 0.0 + ((0.0 - 0.0) + k * (350.0 - 349.0));
  const double y351 = 350.0 + ((350.0 - 349.0) - k * (0.0 - 0.0));
  const double dx = x351 - 0.0;
  const double dy = y351 - 350.0;
  const double x352 = x351 + (dx + k * dy);
  const double y352 = y351 + (dy - k * dx);
  EXPECT_EQ(bit(t.x.valore[351]), bit(x351));
  EXPECT_EQ(bit(t.y.valore[351]), bit(y351));
  EXPECT_EQ(bit(t.x.valore[352]), bit(x352));
  EXPECT_EQ(bit(t.y.valore[352]), bit(y352));
  EXPECT_EQ(x351, -0.003);
  EXPECT_EQ(y351, 351.0);
  EXPECT_NEAR(x352, -0.009, 1e-15);
  EXPECT_NEAR(y352, 351.999991, 1e-9);

  // The curve ends with row 450; rows 451 to 550 continue its last direction.
  for (size_t r : {size_t{451}, size_t{550}}) {
    EXPECT_EQ(bit(t.x.valore[r]), bit(t.x.valore[r - 1] + (t.x.valore[r - 1] - t.x.valore[r - 2])))
        << r;
    EXPECT_EQ(bit(t.y.valore[r]), bit(t.y.valore[r - 1] + (t.y.valore[r - 1] - t.y.valore[r - 2])))
        << r;
  }
  EXPECT_NE(bit(t.x.valore[450]),
            bit(t.x.valore[449] + (t.x.valore[449] - t.x.valore[448])));
  EXPECT_NE(bit(t.x.valore[551]),
            bit(t.x.valore[550] + (t.x.valore[550] - t.x.valore[549])));

  // The last two rows stay empty.
  EXPECT_EQ(t.x.tipo[26998], TipoSlot::reale);
  EXPECT_EQ(t.y.tipo[26998], TipoSlot::reale);
  for (size_t r : {size_t{26999}, size_t{27000}}) {
    EXPECT_EQ(t.x.tipo[r], TipoSlot::vuoto);
    EXPECT_EQ(t.y.tipo[r], TipoSlot::vuoto);
  }
}

// The plan of `righe` rows for curve lines (start, length, turn per metre),
// from rows 0 and 1 as `avvia` sets them or as given.
struct Inizio {
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 1.0;
};
TabellaLinea piano(const std::vector<std::tuple<int, int, double>>& curve, int righe = 1000,
                   std::optional<Inizio> inizio = std::nullopt) {
  std::optional<TabellaLinea> t(std::in_place);
  t->x.dimensiona(static_cast<size_t>(righe));
  t->y.dimensiona(static_cast<size_t>(righe));
  GeometriaLinea g(t);
  g.avvia();
  if (inizio) {
    t->x.valore[0] = inizio->x0;
    t->y.valore[0] = inizio->y0;
    t->x.valore[1] = inizio->x1;
    t->y.valore[1] = inizio->y1;
  }
  for (const auto& [s, l, k] : curve) {
    EXPECT_TRUE(g.rettilineo_fino_a(s));
    EXPECT_TRUE(g.curva_fino_a(int64_t{s} + l, k));
  }
  g.completa(righe - 1);
  return *t;
}

bool uguali(const TabellaLinea& a, const TabellaLinea& b) {
  if (a.x.tipo != b.x.tipo || a.y.tipo != b.y.tipo) return false;
  for (size_t r = 0; r < a.righe(); ++r)
    if (bit(a.x.valore[r]) != bit(b.x.valore[r]) || bit(a.y.valore[r]) != bit(b.y.valore[r]))
      return false;
  return true;
}

TEST(TrackPlan, CurvesBehindTheCursor) {
  // A curve that starts behind the cursor turns from the cursor on.
  EXPECT_TRUE(uguali(piano({{350, 100, -0.003}, {400, 100, 0.001}}),
                     piano({{350, 100, -0.003}, {450, 50, 0.001}})));
  EXPECT_FALSE(uguali(piano({{350, 100, -0.003}, {400, 100, 0.001}}),
                      piano({{350, 100, -0.003}, {450, 49, 0.001}})));
  // One that ends behind the cursor has no effect at all.
  EXPECT_TRUE(uguali(piano({{350, 100, -0.003}, {300, 100, 0.001}}), piano({{350, 100, -0.003}})));
  EXPECT_TRUE(uguali(piano({{350, 100, -0.003}, {300, 150, 0.001}}), piano({{350, 100, -0.003}})));
  // A length of 0 turns nothing.
  EXPECT_TRUE(uguali(piano({{350, 0, -0.003}}), piano({})));
  const TabellaLinea dritto = piano({});
  EXPECT_EQ(bit(dritto.x.valore[997]), bit(0.0));
  EXPECT_EQ(dritto.y.valore[997], 997.0);
  EXPECT_EQ(dritto.y.tipo[998], TipoSlot::vuoto);
}

// Each bracket is computed before it is added: adding the three terms left
// to right gives other bits within a few curves. Straights leave out their
// zero products only where that changes no bit: from rows that hold a -0
// or lie near infinity they step as curves do.
TEST(TrackPlan, EveryRowFollowsTheStepBitForBit) {
  const std::vector<std::tuple<int, int, double>> curve = {
      {350, 100, -0.003}, {550, 200, 0.001}, {1000, 300, 0.003}, {2000, 500, -0.0001}};
  const struct {
    const char* nome;
    Inizio inizio;
  } casi[] = {
      {"as the compile starts", {}},
      {"x at -0", {0.0, 0.0, -0.0, 1.0}},
      {"y at -0", {1.0, 0.0, 2.0, -0.0}},
      {"both at -0 from +0", {0.0, 0.0, -0.0, -0.0}},
      {"near infinity", {-1e307, 1e300, 1.7e308, -1.5e308}},
      {"past 1e290", {0.0, 0.0, 2e290, 3e290}},
      {"infinite", {0.0, 0.0, std::numeric_limits<double>::infinity(), 1.0}},
  };
  for (const auto& caso : casi) {
    SCOPED_TRACE(caso.nome);
    const TabellaLinea t = piano(curve, 3000, caso.inizio);

    std::vector<double> x = {caso.inizio.x0, caso.inizio.x1};
    std::vector<double> y = {caso.inizio.y0, caso.inizio.y1};
    auto passo = [&](double k) {
      const double dx = x.back() - x[x.size() - 2];
      const double dy = y.back() - y[y.size() - 2];
      x.push_back(x.back() + (dx + k * dy));
      y.push_back(y.back() + (dy - k * dx));
    };
    for (const auto& [s, l, k] : curve) {
      while (static_cast<int>(x.size()) <= s) passo(0.0);
      while (static_cast<int>(x.size()) <= s + l) passo(k);
    }
    while (x.size() <= 2997) passo(0.0);  // rows 0 .. 2997; 2998 and 2999 stay empty

    ASSERT_EQ(x.size(), 2998u);
    for (size_t r = 0; r < x.size(); ++r) {
      ASSERT_EQ(bit(t.x.valore[r]), bit(x[r])) << "x at row " << r;
      ASSERT_EQ(bit(t.y.valore[r]), bit(y[r])) << "y at row " << r;
      ASSERT_EQ(t.x.tipo[r], r < 2 ? TipoSlot::intero : TipoSlot::reale) << r;
      ASSERT_EQ(t.y.tipo[r], r < 2 ? TipoSlot::intero : TipoSlot::reale) << r;
    }
  }
}

// Announced rows are final: every one of them stepped, the next one not yet.
TEST(TrackPlan, AnnouncesRowsOnlyOnceStepped) {
  struct Annunci : OsservatorePiano {
    std::vector<std::tuple<size_t, TipoSlot, TipoSlot>> visti;
    void righe_definitive(const TabellaLinea& t, size_t righe) override {
      visti.emplace_back(righe, t.y.tipo[righe - 1], righe < t.righe() ? t.y.tipo[righe] : TipoSlot::vuoto);
    }
  } annunci;
  constexpr auto kOgni = static_cast<size_t>(GeometriaLinea::kRighePerAvviso);
  const size_t righe = 3 * kOgni + 10;
  std::optional<TabellaLinea> t(std::in_place);
  t->x.dimensiona(righe);
  t->y.dimensiona(righe);
  GeometriaLinea g(t, &annunci);
  g.avvia();
  // A curve across the first announcement, a straight across the second.
  ASSERT_TRUE(g.rettilineo_fino_a(kOgni - 10));
  ASSERT_TRUE(g.curva_fino_a(kOgni + 10, 0.002));
  ASSERT_TRUE(g.rettilineo_fino_a(2 * kOgni - 1));
  g.completa(static_cast<int64_t>(righe) - 1);

  const std::vector<std::tuple<size_t, TipoSlot, TipoSlot>> attesi = {
      {kOgni, TipoSlot::reale, TipoSlot::vuoto},
      {2 * kOgni, TipoSlot::reale, TipoSlot::vuoto},
      {3 * kOgni, TipoSlot::reale, TipoSlot::vuoto},
      {righe, TipoSlot::vuoto, TipoSlot::vuoto},  // the whole plan; its last two rows stay empty
  };
  EXPECT_EQ(annunci.visti, attesi);
}

TEST(TrackPlan, CurveTurnsExactlyTheRowsAfterItsStart) {
  const TabellaLinea t = piano({{100, 3, 0.002}});
  EXPECT_EQ(bit(t.x.valore[100]), bit(0.0));
  EXPECT_EQ(t.x.valore[101], 0.002);  // positive turns towards +x
  EXPECT_GT(t.x.valore[103], t.x.valore[102]);
  // Row 104 is straight again: the direction of row 103 kept.
  EXPECT_EQ(bit(t.x.valore[104]), bit(t.x.valore[103] + (t.x.valore[103] - t.x.valore[102])));
}

// ----------------------------------------------------------------- mountains

TEST(Mountains, ScenarioStretches) {
  Modello m = griglia(3000);
  m.celle->at(1369).tipo = 6;  // an occupied cell keeps its kind
  memo_montagna(m, 68100, 69300, 11);
  EXPECT_EQ(m.numero_montagne, 1);
  for (int i = 1355; i <= 1390; ++i) {
    const Cella& c = m.celle->at(static_cast<size_t>(i));
    const bool dentro = i >= 1362 && i <= 1385;
    EXPECT_EQ(c.montagna, dentro ? 1 : 0) << i;
    const bool segno = dentro && (i - 1362) % 4 == 3 && i != 1369;
    EXPECT_EQ(c.tipo, i == 1369 ? 6 : segno ? 11 : 0) << i;
  }

  memo_montagna(m, 119200, 123500, 11);
  EXPECT_EQ(m.numero_montagne, 2);
  EXPECT_EQ(m.montagne_inizio[2], 119200);
  EXPECT_EQ(m.montagne_fine[2], 123500);
  std::vector<int> segni;
  for (int i = 2380; i <= 2475; ++i) {
    EXPECT_EQ(m.celle->at(static_cast<size_t>(i)).montagna, i >= 2384 && i <= 2469 ? 1 : 0) << i;
    if (m.celle->at(static_cast<size_t>(i)).tipo == 11) segni.push_back(i);
  }
  ASSERT_FALSE(segni.empty());
  EXPECT_EQ(segni.front(), 2387);
  EXPECT_EQ(segni.back(), 2467);
  EXPECT_EQ(segni.size(), 21u);
}

TEST(Mountains, StretchCloseToThePreviousOneContinuesIt) {
  const std::pair<int, int> casi[] = {{69400, 3}, {69450, 3}, {69451, 1}};
  for (const auto& [inizio, sfondo] : casi) {
    SCOPED_TRACE(inizio);
    Modello m = griglia(3000);
    memo_montagna(m, 68100, 69300, 11);
    memo_montagna(m, inizio, 72000, 11);
    const int primo = static_cast<int>(std::nearbyint(inizio / 50.0));
    EXPECT_EQ(m.celle->at(static_cast<size_t>(primo)).montagna, sfondo);
    EXPECT_EQ(m.celle->at(1439).montagna, sfondo);
    EXPECT_EQ(m.celle->at(static_cast<size_t>(primo + 3)).tipo, 11);  // marks stay on
  }
}

TEST(Mountains, PlainTypeAndEmptyStretch) {
  Modello m = griglia(3000);
  memo_montagna(m, 10000, 12000, 2);
  for (int i = 200; i <= 239; ++i) {
    EXPECT_EQ(m.celle->at(static_cast<size_t>(i)).montagna, 2) << i;
    EXPECT_EQ(m.celle->at(static_cast<size_t>(i)).tipo, 0) << i;
  }
  EXPECT_EQ(m.celle->at(240).montagna, 0);

  // End / 50 - 1 below the start / 50: counted, nothing written.
  const std::vector<Cella> prima = *m.celle;
  memo_montagna(m, 20000, 20020, 11);
  EXPECT_EQ(m.numero_montagne, 2);
  EXPECT_EQ(*m.celle, prima);
}

TEST(Mountains, EightyStretchesFit) {
  Modello m = griglia(3000);
  for (int i = 0; i < 80; ++i) memo_montagna(m, 1000 * i, 1000 * i + 500, 11);
  EXPECT_EQ(m.numero_montagne, 80);
  EXPECT_EQ(m.montagne_inizio[80], 79000);
  EXPECT_THROW(memo_montagna(m, 90000, 90500, 11), ErroreLettura);
  EXPECT_EQ(m.numero_montagne, 80);
  EXPECT_EQ(m.celle->at(1800).montagna, 0);
}

// ---------------------------------------------------------- speed indicators

TEST(SpeedIndicators, ScenarioBoards) {
  struct Caso {
    int posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced;
    int cella;
    int16_t v1, v2, v3, v4;
  };
  const Caso casi[] = {
      {700, 95, 100, 105, 0, 95, 100, 105, 0, 15, 1919, 2020, 2121, 0},
      {51150, 70, 75, 75, 2, 70, 75, 75, 2, 1024, 1414, 1515, 1515, 22},
      {1000, 60, 0, 0, 1, 72, 0, 0, 3, 21, 1214, 0, 0, 13},  // 72 / 5 = 14.4
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.posizione);
    Modello m = griglia(1100);
    memo_indicatori_v_max(m, k.posizione, k.vas, k.vbs, k.vcs, k.strisces, k.vad, k.vbd, k.vcd,
                          k.strisced);
    EXPECT_EQ(m.codice_errore, 0);
    const Cella& c = m.celle->at(static_cast<size_t>(k.cella));
    EXPECT_EQ(c.tipo, 6);
    EXPECT_EQ(std::tuple(c.valore_1, c.valore_2, c.valore_3, c.valore_4),
              std::tuple(k.v1, k.v2, k.v3, k.v4));
  }
}

TEST(SpeedIndicators, OnlyOnAFreeCell) {
  for (uint8_t tipo : {uint8_t{11}, uint8_t{6}, uint8_t{14}, uint8_t{1}}) {
    SCOPED_TRACE(static_cast<int>(tipo));
    Modello m = griglia(100);
    m.celle->at(15).tipo = tipo;
    m.celle->at(15).valore_1 = 80;
    const Cella prima = m.celle->at(15);
    memo_indicatori_v_max(m, 700, 95, 100, 105, 0, 95, 100, 105, 0);
    if (tipo == 11) {
      EXPECT_EQ(m.codice_errore, 0);
      EXPECT_EQ(m.celle->at(15).tipo, 6);
      EXPECT_EQ(m.celle->at(15).valore_1, 1919);
    } else {
      EXPECT_EQ(m.codice_errore, 21);
      EXPECT_EQ(m.celle->at(15), prima);
    }
  }
}

TEST(SpeedIndicators, PackedSpeedTooLargeIsAReadFailure) {
  Modello m = griglia(100);
  EXPECT_THROW(memo_indicatori_v_max(m, 700, 1700, 0, 0, 0, 0, 0, 0, 0), ErroreLettura);
}

// ------------------------------------------------------------------- signals

int32_t segnale(Modello& m, int32_t posizione, int32_t sx = 2, int32_t dx = 2,
                int32_t tempo = 0) {
  memo_segnale(m, posizione, sx, 4, 1, 0, 0, dx, 2, 1, 0, tempo);
  return tempo;
}

TEST(Signals, CellAndApproachMarks) {
  Modello m = griglia(100);
  segnale(m, 1350, 1, 0);
  EXPECT_EQ(m.codice_errore, 0);
  const Cella& s = m.celle->at(28);
  EXPECT_EQ(s.tipo, 1);
  EXPECT_EQ(std::tuple(s.valore_1, s.valore_2, s.valore_3, s.valore_4),
            std::tuple(int16_t{42}, int16_t{11}, int16_t{0}, int16_t{3}));
  std::vector<std::pair<int, int>> segni;
  for (int i = 0; i < 100; ++i)
    if (m.celle->at(static_cast<size_t>(i)).preavviso != 0)
      segni.emplace_back(i, m.celle->at(static_cast<size_t>(i)).preavviso);
  EXPECT_EQ(segni, (std::vector<std::pair<int, int>>{{20, 34}, {22, 33}, {24, 32}, {26, 31}}));
}

TEST(Signals, ApproachMarksOverwriteWhateverTheCellsHold) {
  Modello m = griglia(100);
  m.celle->at(26).tipo = 10;
  m.celle->at(26).preavviso = 84;
  m.celle->at(24).tipo = 1;
  segnale(m, 1350, 2, 1);
  EXPECT_EQ(m.celle->at(26).preavviso, 71);
  EXPECT_EQ(m.celle->at(26).tipo, 10);
  EXPECT_EQ(m.celle->at(24).preavviso, 72);
}

TEST(Signals, Time) {
  struct Caso {
    int32_t sx, tempo, in_cella, al_chiamante;
  };
  const Caso casi[] = {
      {2, 0, 0, 0},     {2, 1, 101, 101},   {2, 50, 101, 101}, {2, 100, 101, 101},
      {2, 101, 101, 101}, {2, 150, 150, 150}, {2, 300, 44, 300}, {1, 50, 0, 101},
      {1, 150, 0, 150},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE("sx " + std::to_string(k.sx) + ", tempo " + std::to_string(k.tempo));
    Modello m = griglia(100);
    EXPECT_EQ(segnale(m, 1350, k.sx, 2, k.tempo), k.al_chiamante);
    EXPECT_EQ(m.celle->at(28).tempo, k.in_cella);
  }
}

TEST(Signals, OnlyOnAFreeCell) {
  for (uint8_t tipo : {uint8_t{11}, uint8_t{1}, uint8_t{2}, uint8_t{3}, uint8_t{10}, uint8_t{12},
                       uint8_t{13}}) {
    SCOPED_TRACE(static_cast<int>(tipo));
    Modello m = griglia(100);
    m.celle->at(28).tipo = tipo;
    m.celle->at(28).valore_1 = 7;
    const std::vector<Cella> prima = *m.celle;
    segnale(m, 1350);
    if (tipo == 11) {
      EXPECT_EQ(m.codice_errore, 0);
      EXPECT_EQ(m.celle->at(28).tipo, 1);
      EXPECT_EQ(m.celle->at(28).valore_1, 42);
    } else {
      EXPECT_EQ(m.codice_errore, 16);
      EXPECT_EQ(*m.celle, prima);  // no approach marks either
    }
  }
}

TEST(Signals, NearTheStartOfTheLine) {
  Modello m = griglia(100);
  segnale(m, 325);
  EXPECT_EQ(m.celle->at(8).tipo, 1);
  EXPECT_EQ(m.celle->at(0).preavviso, 84);

  // At 200 m the last two marks would fall before cell 0: the cell and the
  // marks that fit are written, then the placement fails as a read.
  Modello n = griglia(100);
  EXPECT_THROW(segnale(n, 200), ErroreLettura);
  EXPECT_EQ(n.celle->at(5).tipo, 1);
  EXPECT_EQ(n.celle->at(3).preavviso, 81);
  EXPECT_EQ(n.celle->at(1).preavviso, 82);
  EXPECT_EQ(n.celle->at(0).preavviso, 0);
}

// ----------------------------------------------------------------- slowdowns

std::vector<int> celle_di_tipo(const Modello& m, uint8_t tipo) {
  std::vector<int> r;
  for (size_t i = 0; i < m.celle->size(); ++i)
    if ((*m.celle)[i].tipo == tipo) r.push_back(static_cast<int>(i));
  return r;
}

TEST(Slowdowns, WarningAndPreWarningCells) {
  struct Caso {
    int32_t x;
    std::vector<int> avviso, preavviso;  // preavviso numbered 1, 2, 3, 4 in this order
  };
  const Caso casi[] = {
      {1500, {}, {}},
      {1550, {8}, {7, 6, 5, 4}},
      {10000, {177}, {176, 175, 174, 173}},
      // (x - 1200) / 50 = 8.5 rounds to 8, the warning cell 9.5 to 10.
      {1625, {10}, {8, 7, 6, 5}},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.x);
    Modello m = griglia(400);
    memo_rallentamento(m, k.x, 60, 1000, 7, 1, 0);
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(celle_di_tipo(m, 4), k.avviso);
    std::vector<int> preavviso(k.preavviso.rbegin(), k.preavviso.rend());
    EXPECT_EQ(celle_di_tipo(m, 5), preavviso);
    for (size_t i = 0; i < k.preavviso.size(); ++i)
      EXPECT_EQ(m.celle->at(static_cast<size_t>(k.preavviso[i])).valore_1, static_cast<int>(i + 1));
  }
}

TEST(Slowdowns, CellValues) {
  Modello m = griglia(400);
  memo_rallentamento(m, 10000, 60, 1000, 3, 1, 25);
  ASSERT_EQ(m.codice_errore, 0);
  const Cella& s = m.celle->at(201);
  const Cella& e = m.celle->at(221);
  const Cella& a = m.celle->at(177);
  EXPECT_EQ(std::tuple(s.tipo, s.valore_1, s.valore_2, s.valore_3),
            std::tuple(uint8_t{3}, int16_t{60}, int16_t{25}, int16_t{3}));
  EXPECT_EQ(std::tuple(e.tipo, e.valore_1, e.valore_2, e.valore_3),
            std::tuple(uint8_t{2}, int16_t{60}, int16_t{25}, int16_t{3}));
  EXPECT_EQ(std::tuple(a.tipo, a.valore_1, a.valore_2, a.valore_3),
            std::tuple(uint8_t{4}, int16_t{60}, int16_t{25}, int16_t{0}));
  for (int i = 0; i < 4; ++i) {
    const Cella& p = m.celle->at(static_cast<size_t>(176 - i));
    EXPECT_EQ(std::tuple(p.tipo, p.valore_1, p.valore_2),
              std::tuple(uint8_t{5}, int16_t(i + 1), int16_t(i + 1)));
  }
}

TEST(Slowdowns, ZeroSpeedChangeLeavesTheSecondValue) {
  Modello m = griglia(400);
  for (int i : {201, 221, 177, 176, 175, 174, 173}) m.celle->at(static_cast<size_t>(i)).valore_2 = 99;
  memo_rallentamento(m, 10000, 60, 1000, 3, 1, 0);
  ASSERT_EQ(m.codice_errore, 0);
  for (int i : {201, 221, 177, 176, 175, 174, 173})
    EXPECT_EQ(m.celle->at(static_cast<size_t>(i)).valore_2, 99) << i;
  EXPECT_EQ(m.celle->at(176).tipo, 5);
}

TEST(Slowdowns, ZeroLengthLeavesOneStartCell) {
  Modello m = griglia(400);
  memo_rallentamento(m, 10000, 60, 0, 3, 0, 0);
  ASSERT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.celle->at(201).tipo, 3);
  EXPECT_EQ(m.celle->at(201).valore_1, 60);
  EXPECT_TRUE(celle_di_tipo(m, 2).empty());
}

TEST(Slowdowns, Refusals) {
  struct Caso {
    int occupata;
    uint8_t tipo;
    int errore;
  };
  // Start 10000 m: warning 177, start 201, end 221, pre-warning 176..173.
  const Caso casi[] = {{177, 1, 17}, {201, 12, 18}, {221, 6, 19}, {201, 2, 18}};
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.occupata);
    Modello m = griglia(400);
    m.celle->at(static_cast<size_t>(k.occupata)).tipo = k.tipo;
    const std::vector<Cella> prima = *m.celle;
    memo_rallentamento(m, 10000, 60, 1000, 3, 1, 25);
    EXPECT_EQ(m.codice_errore, k.errore);
    EXPECT_EQ(*m.celle, prima);  // nothing written
  }
  // A taken pre-warning cell: start, end and warning stay written, no
  // pre-warning cell is.
  for (int occupata : {176, 173}) {
    SCOPED_TRACE(occupata);
    Modello m = griglia(400);
    m.celle->at(static_cast<size_t>(occupata)).tipo = 10;
    memo_rallentamento(m, 10000, 60, 1000, 3, 1, 25);
    EXPECT_EQ(m.codice_errore, 20);
    EXPECT_EQ(m.celle->at(201).tipo, 3);
    EXPECT_EQ(m.celle->at(221).tipo, 2);
    EXPECT_EQ(m.celle->at(177).tipo, 4);
    EXPECT_TRUE(celle_di_tipo(m, 5).empty());
  }
  // (x - 1200) / 50 = 7.5 and 8.5 both round to 8: the first pre-warning
  // cell is the warning cell itself, which is no longer free.
  Modello m = griglia(400);
  memo_rallentamento(m, 1575, 60, 1000, 3, 1, 0);
  EXPECT_EQ(m.codice_errore, 20);
  EXPECT_EQ(m.celle->at(8).tipo, 4);
  EXPECT_TRUE(celle_di_tipo(m, 5).empty());
}

TEST(Slowdowns, MountainMarksAreFree) {
  Modello m = griglia(400);
  for (int i : {201, 221, 177, 176}) m.celle->at(static_cast<size_t>(i)).tipo = 11;
  memo_rallentamento(m, 10000, 60, 1000, 3, 1, 0);
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(celle_di_tipo(m, 11), std::vector<int>{});
}

// ------------------------------------------------------------ reserved slots

Modello da_timbrare() {
  Modello m = griglia(10);
  m.dati_sim[85].testo = "Valcerra_Mosina";
  m.dati_sim[86].testo = "IR20588";
  return m;
}

TEST(ReservedSlots, StampsMarkersAndCheckCodes) {
  Modello m = da_timbrare();
  ASSERT_EQ(timbra(m), 0);
  EXPECT_EQ(m.dati_sim[85].parametro_1, 610);
  EXPECT_EQ(m.celle->at(1).valore_1, 5121);
  EXPECT_EQ(m.dati_sim[85].orario, 33588);
  EXPECT_EQ(m.celle->at(1).valore_2, 2409);
}

TEST(ReservedSlots, TakenSlots) {
  struct Caso {
    const char* nome;
    void (*prepara)(Modello&);
    int errore;
    bool marcatori;
  };
  const Caso casi[] = {
      {"cell 1 first value", [](Modello& m) { m.celle->at(1).valore_1 = 42; }, 1250, false},
      {"record 85 parametro_1", [](Modello& m) { m.dati_sim[85].parametro_1 = -1; }, 1250, false},
      {"cell 1 second value", [](Modello& m) { m.celle->at(1).valore_2 = 11; }, 1251, true},
      {"record 85 orario", [](Modello& m) { m.dati_sim[85].orario = 37920; }, 1251, true},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    Modello m = da_timbrare();
    k.prepara(m);
    Modello atteso = m;
    if (k.marcatori) {
      atteso.dati_sim[85].parametro_1 = 610;
      atteso.celle->at(1).valore_1 = 5121;
    }
    EXPECT_EQ(timbra(m), k.errore);
    EXPECT_EQ(m.dati_sim, atteso.dati_sim);
    EXPECT_EQ(*m.celle, *atteso.celle);
  }
}

TEST(ReservedSlots, CompiledDataInCellOne) {
  // A slowdown starting at 0 m has its start cell at 1: its speed takes the
  // marker slot, or, at speed 0, its speed change takes the check-code slot.
  const std::pair<const char*, int> casi[] = {
      {"rallentamento,  0,  60,  100,  0,  0,  0\r\n", 1250},
      {"rallentamento,  0,  0,  100,  0,  0,  5\r\n", 1251},
  };
  for (const auto& [riga, errore] : casi) {
    SCOPED_TRACE(riga);
    test::Compilato c = test::compila(test::linea_con(""), test::treno_con(riga));
    ASSERT_EQ(c.m.codice_errore, 0) << c.diagnostica.messaggio;
    ASSERT_EQ(c.m.celle->at(1).tipo, 3);
    EXPECT_EQ(timbra(c.m), errore);
  }
}

}  // namespace
}  // namespace scen
