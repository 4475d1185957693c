// Placing the picture's labels and kilometre marks.
#include <gtest/gtest.h>

#include "tools/plot/plot_labels.h"
#include "tools/plot/plot_progressive.h"

namespace scenc::plot {
namespace {

TEST(LabelRows, NoTwoLabelsOfARowTouchAndTheRestMoveRightOrAreLeftOut) {
  struct {
    double scarto, limite;
    std::vector<Posto> attesi;
  } casi[] = {
      // Five labels 50 wide over 120 units, in two rows: three fit where they are.
      {0, 1000, {{-1, 40}, {0, 0}, {1, 20}, {0, 60}, {-1, 70}}},
      // Moving right by up to 40 puts the others in the row that moves them least.
      {40, 1000, {{0, 55}, {0, 0}, {1, 20}, {1, 75}, {0, 110}}},
      // ... unless they would then end beyond the limit.
      {40, 150, {{0, 55}, {0, 0}, {1, 20}, {1, 75}, {-1, 70}}},
  };
  const std::vector<Intervallo> etichette = {{40, 90}, {0, 50}, {20, 70}, {60, 110}, {70, 120}};
  for (const auto& c : casi) {
    const std::vector<Posto> posti = disponi_in_righe(etichette, 2, 5, c.scarto, c.limite);
    ASSERT_EQ(posti.size(), etichette.size());
    for (size_t i = 0; i < posti.size(); ++i) {
      EXPECT_EQ(posti[i].riga, c.attesi[i].riga) << c.scarto << " " << i;
      if (posti[i].riga >= 0) {
        EXPECT_DOUBLE_EQ(posti[i].inizio, c.attesi[i].inizio) << c.scarto << " " << i;
      }
    }
    for (size_t i = 0; i < posti.size(); ++i) {
      for (size_t j = i + 1; j < posti.size(); ++j) {
        if (posti[i].riga < 0 || posti[i].riga != posti[j].riga) continue;
        const double wi = etichette[i].fine - etichette[i].inizio, wj = etichette[j].fine - etichette[j].inizio;
        EXPECT_TRUE(posti[i].inizio + wi + 5 <= posti[j].inizio || posti[j].inizio + wj + 5 <= posti[i].inizio);
      }
    }
  }
}

TEST(SpreadLabels, CrowdedLabelsMoveApartWithinTheBoundsAndOthersStay) {
  struct {
    std::vector<double> ancore;
    double minimo, massimo;
    std::vector<double> attesi;
  } casi[] = {
      {{10, 50, 90}, 0, 100, {10, 50, 90}},          // already apart
      {{50, 50, 50}, 0, 100, {40, 50, 60}},          // a cluster spreads about its centre
      {{0, 2, 60}, 0, 100, {0, 10, 60}},             // held at the lower bound
      {{95, 96, 97, 98}, 0, 100, {70, 80, 90, 100}}, // held at the upper bound
      {{20, 25, 30, 80}, 0, 100, {15, 25, 35, 80}},  // two runs merge, the far label stays
  };
  for (const auto& c : casi) {
    const std::vector<double> centri = distribuisci(c.ancore, 10, c.minimo, c.massimo);
    ASSERT_EQ(centri.size(), c.attesi.size());
    for (size_t i = 0; i < centri.size(); ++i) EXPECT_NEAR(centri[i], c.attesi[i], 1e-9) << i;
  }
}

TEST(OccupiedPlane, LabelsAndLeadersKeepOffWhatIsTaken) {
  MappaOccupata mappa({0, 0, 100, 100});
  mappa.occupa({40, 40, 20, 20});
  EXPECT_TRUE(mappa.libero({0, 0, 40, 40}));
  EXPECT_FALSE(mappa.libero({30, 30, 20, 20}));
  EXPECT_FALSE(mappa.libero({90, 0, 20, 10}));  // leaves the area
  EXPECT_FALSE(mappa.libero_tratto(0, 50, 100, 50, 0));
  EXPECT_TRUE(mappa.libero_tratto(0, 10, 100, 10, 0));
  EXPECT_TRUE(mappa.libero_tratto(50, 50, 50, 100, 15));  // starts inside, skips its first 15
  mappa.occupa_tratto(0, 10, 100, 10, 0);
  EXPECT_FALSE(mappa.libero({45, 5, 10, 10}));
}

TEST(KilometreMarks, TheProgressiveFallsAlongTheLine) {
  using M = Progressiva::Marca;
  const auto marche = [](const Progressiva& p, int64_t lunghezza, int64_t passo, int64_t da = 0) {
    std::vector<std::pair<int64_t, int64_t>> out;
    for (const M& m : p.marche(da, lunghezza, passo)) out.push_back({m.posizione, m.progressiva});
    return out;
  };
  using V = std::vector<std::pair<int64_t, int64_t>>;
  // The embedded route: km 150.400 at 0.
  const Progressiva route(0, 150400);
  EXPECT_DOUBLE_EQ(route.metri(155000), -4600);
  const V su_route = marche(route, 155000, 50000);
  EXPECT_EQ(su_route, (V{{400, 150000}, {50400, 100000}, {100400, 50000}, {150400, 0}}));
  // A reference further along, and marks below zero.
  EXPECT_EQ(marche(Progressiva(3000, 8000), 20000, 5000),
            (V{{1000, 10000}, {6000, 5000}, {11000, 0}, {16000, -5000}}));
  // Without a reference: kilometres from the start.
  EXPECT_EQ(marche(Progressiva(), 2500, 1000), (V{{0, 0}, {1000, 1000}, {2000, 2000}}));
  // A stretch: only the marks within it, the ends included.
  EXPECT_EQ(marche(route, 60400, 5000, 50400), (V{{50400, 100000}, {55400, 95000}, {60400, 90000}}));
  EXPECT_EQ(marche(Progressiva(), 3500, 1000, 1500), (V{{2000, 2000}, {3000, 3000}}));
  EXPECT_EQ(route.posizione(100000), 50400);
  // Two references: the count jumps where the second begins, as in the
  // messages and the viewer.
  const Progressiva salto(scen::Chilometrica({{0, 150000}, {10000, 5000}}));
  EXPECT_EQ(marche(salto, 20000, 5000),
            (V{{0, 150000}, {5000, 145000}, {10000, 5000}, {15000, 0}, {20000, -5000}}));
  EXPECT_EQ(salto.posizione(145000), 5000);
  EXPECT_EQ(salto.posizione(0), 15000);

  std::array<scen::RecordSim, scen::kNumeroRecord> dati{};
  EXPECT_FALSE(progressiva_da(dati).presente());
  dati[81].fine = 150400;
  EXPECT_DOUBLE_EQ(progressiva_da(dati).metri(1000), 149400);
}

}  // namespace
}  // namespace scenc::plot
