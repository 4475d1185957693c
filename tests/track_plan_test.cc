// The per-metre plan of the track: rows 0 and 1, straights and curves step
// by step bit for bit, curves behind the cursor, and the rows announced to
// the plan's writer.
#include "compiler/track_plan.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

#include "test_support.h"

namespace scen {
namespace {

uint64_t bit(double v) { return std::bit_cast<uint64_t>(v); }

TEST(TrackPlan, FirstCurveOfTheScenario) {
  const test::Compilato c = test::compila(
      test::linea_con("[curve]\r\ncurvas6,  350,  100\r\ncurvad4,  550,  200\r\n"),
      test::treno_con(""));
  ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
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
  PrimoGuasto guasti;
  GeometriaLinea g(t, guasti);
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
// The first two, set when the plan starts, are announced at once.
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
  PrimoGuasto guasti;
  GeometriaLinea g(t, guasti, &annunci);
  g.avvia();
  // A curve across the first announcement, a straight across the second.
  ASSERT_TRUE(g.rettilineo_fino_a(kOgni - 10));
  ASSERT_TRUE(g.curva_fino_a(kOgni + 10, 0.002));
  ASSERT_TRUE(g.rettilineo_fino_a(2 * kOgni - 1));
  g.completa(static_cast<int64_t>(righe) - 1);

  const std::vector<std::tuple<size_t, TipoSlot, TipoSlot>> attesi = {
      {2, TipoSlot::intero, TipoSlot::vuoto},
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

}  // namespace
}  // namespace scen
