#include "compiler/code_track.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "compiler/train_placement.h"
#include "model/model.h"

namespace scen {
namespace {

using Punti = std::map<int, int>;  // cell -> code of every tipo-12 cell

struct Preposta {
  int cella;
  uint8_t tipo;
  int16_t valore_1 = 0;
};

class CodeTrack : public ::testing::Test {
 protected:
  void griglia(int celle) {
    m.celle.emplace(static_cast<size_t>(celle));
    m.ultima_cella = celle - 1;
  }
  Cella& c(int i) { return m.celle->at(static_cast<size_t>(i)); }
  void metti(int i, uint8_t tipo, int16_t valore_1 = 0) {
    c(i).tipo = tipo;
    c(i).valore_1 = valore_1;
  }
  void metti(const std::vector<Preposta>& celle) {
    for (const Preposta& p : celle) metti(p.cella, p.tipo, p.valore_1);
  }
  Punti punti(int da = 0) const {
    Punti r;
    for (size_t i = static_cast<size_t>(da); i < m.celle->size(); ++i)
      if ((*m.celle)[i].tipo == 12) r[static_cast<int>(i)] = (*m.celle)[i].valore_1;
    return r;
  }

  Modello m;
  PrimoGuasto guasti;
};

// The number the run reports for the conflicts: the last one's, 0 without any.
int ultimo(const std::vector<ConflittoCodici>& conflitti) {
  return conflitti.empty() ? 0 : conflitti.back().codice;
}

Punti tutti_180(std::initializer_list<int> celle) {
  Punti r;
  for (int i : celle) r[i] = 180;
  return r;
}

TEST_F(CodeTrack, WorkedSlowdownExample) {
  griglia(400);
  ASSERT_EQ(memo_rallentamento(m, guasti, 10000, 60, 1000, 0, 0, 0), 0);
  int32_t tempo = 0;
  ASSERT_EQ(memo_segnale(m, guasti, 8200, 2, 4, 1, 0, 0, 2, 2, 1, 0, tempo), 0);
  ASSERT_EQ(memo_segnale(m, guasti, 11250, 2, 4, 1, 0, 0, 2, 2, 1, 0, tempo), 0);
  ASSERT_EQ(c(177).tipo, 4);
  ASSERT_EQ(c(201).tipo, 3);
  ASSERT_EQ(c(221).tipo, 2);
  ASSERT_EQ(c(165).tipo, 1);
  ASSERT_EQ(c(226).tipo, 1);

  const std::vector<ConflittoCodici> conflitti = completa_codici(m);

  EXPECT_EQ(punti(), tutti_180({164, 183, 190, 196, 209, 217, 225}));
  EXPECT_TRUE(conflitti.empty());
}

TEST_F(CodeTrack, WithoutSlowdownsNothingChanges) {
  griglia(200);
  int32_t tempo = 0;
  ASSERT_EQ(memo_segnale(m, guasti, 2000, 1, 4, 0, 0, 0, 2, 1, 0, 0, tempo), 0);
  ASSERT_EQ(memo_segnale(m, guasti, 5000, 2, 4, 1, 0, 0, 2, 2, 1, 0, tempo), 0);
  metti(60, 12, 270);  // a hand-placed point keeps its code
  metti(70, 13);
  metti(80, 6, 1919);
  metti(90, 11);
  const std::vector<Cella> prima = *m.celle;

  const std::vector<ConflittoCodici> conflitti = completa_codici(m);

  EXPECT_EQ(*m.celle, prima);
  EXPECT_TRUE(conflitti.empty());
}

TEST_F(CodeTrack, WithoutGridDoesNothing) {
  const std::vector<ConflittoCodici> conflitti = completa_codici(m);
  EXPECT_FALSE(m.celle.has_value());
  EXPECT_TRUE(conflitti.empty());
}

// Rule A: a warning point at `avviso` and the signals behind it.
TEST_F(CodeTrack, SignalsLeadingUpToAWarningPoint) {
  struct Caso {
    const char* nome;
    int avviso;
    std::vector<int> segnali;
    std::vector<Preposta> altre;
    Punti atteso;
    int errore;
  };
  const Caso casi[] = {
      {"free cell before the signal", 30, {25}, {}, {{24, 180}}, 0},
      {"cell before taken: the one before that", 30, {25}, {{24, 6}}, {{23, 180}}, 0},
      {"existing 270 with the cell before it taken becomes 180",
       30, {25}, {{24, 12, 270}, {23, 6}}, {{24, 180}}, 0},
      {"existing 120 keeps 120", 30, {25}, {{24, 12, 120}, {23, 6}}, {{24, 120}}, 0},
      {"a free cell wins over an existing point",
       30, {25}, {{24, 12, 270}}, {{24, 270}, {23, 180}}, 0},
      {"existing point two cells back cut down",
       30, {25}, {{24, 6}, {23, 12, 300}}, {{23, 180}}, 0},
      {"both cells taken, no point", 30, {25}, {{24, 6}, {23, 10, 1}}, {}, 11},
      {"every signal within 20 cells, not only the nearest",
       30, {29, 25, 10}, {}, {{28, 180}, {24, 180}, {9, 180}}, 0},
      {"a signal 21 cells back is not handled", 30, {9}, {}, {}, 0},
      {"signal at index 3 is handled", 8, {3}, {}, {{2, 180}}, 0},
      {"signal below index 3 is not handled", 8, {2}, {}, {}, 0},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    m = Modello{};
    griglia(60);
    metti(k.avviso, 4, 60);
    for (int s : k.segnali) metti(s, 1, 42);
    metti(k.altre);
    const std::vector<ConflittoCodici> conflitti = completa_codici(m);
    EXPECT_EQ(punti(), k.atteso);
    EXPECT_EQ(ultimo(conflitti), k.errore);
  }
}

// Rule B1. A start at 120 km/h gets no points along the slowdown, and
// without an end cell nothing follows it, so only the windows show.
TEST_F(CodeTrack, WindowsBeforeTheStartDependOnTheStartCell) {
  const std::pair<int, Punti> casi[] = {
      {5, {}},
      {7, {}},
      {8, tutti_180({3})},
      {13, tutti_180({8})},
      {14, tutti_180({9, 3})},
      {20, tutti_180({15, 9})},
      {21, tutti_180({16, 10, 3})},
  };
  for (const auto& [inizio, atteso] : casi) {
    SCOPED_TRACE("start at cell " + std::to_string(inizio));
    m = Modello{};
    griglia(60);
    metti(inizio, 3, 120);
    const std::vector<ConflittoCodici> conflitti = completa_codici(m);
    EXPECT_EQ(punti(), atteso);
    EXPECT_TRUE(conflitti.empty());
  }
}

TEST_F(CodeTrack, WindowTakesItsFirstFreeCellAndReportsAFullWindow) {
  struct Caso {
    const char* nome;
    std::vector<Preposta> occupate;
    Punti atteso;
    int errore;
  };
  // Start at 40: windows 35-34-33, 29-28-27, 22-21-20.
  const Caso casi[] = {
      {"first cell taken", {{35, 6}}, tutti_180({34, 29, 22}), 0},
      {"first two taken", {{35, 6}, {34, 14}}, tutti_180({33, 29, 22}), 0},
      {"mountain mark is free", {{35, 11}}, tutti_180({35, 29, 22}), 0},
      {"first window full", {{35, 6}, {34, 6}, {33, 6}}, tutti_180({29, 22}), 12},
      {"middle window full", {{29, 5}, {28, 5}, {27, 5}}, tutti_180({35, 22}), 12},
      {"last window full", {{22, 13}, {21, 10}, {20, 1}}, tutti_180({35, 29}), 12},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    m = Modello{};
    griglia(60);
    metti(40, 3, 120);
    metti(k.occupate);
    const std::vector<ConflittoCodici> conflitti = completa_codici(m);
    EXPECT_EQ(punti(), k.atteso);
    EXPECT_EQ(ultimo(conflitti), k.errore);
  }
}

// Rule B2 and B3 on a slowdown from cell 20 (speed 60) to its end cell;
// only the cells after the start are looked at.
TEST_F(CodeTrack, PointsAlongTheSlowdownAndBeforeTheNextSignal) {
  struct Caso {
    const char* nome;
    int fine;
    std::vector<Preposta> altre;
    Punti atteso;
    int errore;
  };
  const Caso casi[] = {
      {"every 8 cells", 45, {}, tutti_180({28, 36, 44}), 0},
      {"count reaching 8 on the end cell goes one back", 28, {}, tutti_180({27}), 0},
      {"shift back keeps the rhythm from the shifted point", 45, {{28, 6}},
       tutti_180({27, 35, 43}), 0},
      {"shift forward keeps the rhythm from the shifted point", 45, {{28, 6}, {27, 6}},
       tutti_180({29, 37, 44}), 0},
      {"error 13 ends the run, the signal after the end still gets its point", 45,
       {{27, 6}, {28, 6}, {29, 6}, {48, 1, 42}}, tutti_180({47}), 13},
      {"signal 12 cells after the end", 45, {{57, 1, 42}}, tutti_180({28, 36, 44, 56}), 0},
      {"signal 13 cells after the end is too far", 45, {{58, 1, 42}}, tutti_180({28, 36, 44}),
       0},
      {"only the first signal after the end", 45, {{50, 1, 42}, {54, 1, 42}},
       tutti_180({28, 36, 44, 49}), 0},
      {"cell before the signal taken: the one before that", 45, {{50, 1, 42}, {49, 6}},
       tutti_180({28, 36, 44, 48}), 0},
      {"both cells before the signal taken", 45, {{50, 1, 42}, {49, 6}, {48, 6}},
       tutti_180({28, 36, 44}), 13},
      {"signal right after the end", 45, {{46, 1, 42}}, tutti_180({28, 36, 44}), 13},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    m = Modello{};
    griglia(100);
    metti(20, 3, 60);
    metti(k.fine, 2, 60);
    metti(k.altre);
    const std::vector<ConflittoCodici> conflitti = completa_codici(m);
    EXPECT_EQ(punti(21), k.atteso);
    EXPECT_EQ(ultimo(conflitti), k.errore);
  }
}

TEST_F(CodeTrack, FastSlowdownGetsWindowsButNoPointsAlongIt) {
  griglia(100);
  metti(30, 3, 110);
  metti(55, 2, 110);
  metti(60, 1, 42);
  const std::vector<ConflittoCodici> conflitti = completa_codici(m);
  // Windows before the start, nothing along it, the point before the signal
  // found from the end cell.
  EXPECT_EQ(punti(), tutti_180({25, 19, 12, 59}));
  EXPECT_TRUE(conflitti.empty());
}

TEST_F(CodeTrack, FastSlowdownWithoutEndCellGetsOnlyWindows) {
  griglia(100);
  metti(30, 3, 120);
  metti(36, 1, 42);  // no end cell is found, so this signal gets no point
  completa_codici(m);
  EXPECT_EQ(punti(), tutti_180({25, 19, 12}));
}

TEST_F(CodeTrack, GridEndBoundsTheRuns) {
  struct Caso {
    const char* nome;
    int inizio;
    std::vector<Preposta> altre;
    Punti atteso;
    int errore;
  };
  // 40 cells, last index 39, no end cell; the windows before the start
  // show that the start was handled.
  const Caso casi[] = {
      {"run without end stops at the last cell", 21, {}, tutti_180({3, 10, 16, 29, 37}), 0},
      {"point on the last cell", 31, {}, tutti_180({13, 20, 26, 39}), 0},
      {"no placement beyond the grid", 31, {{39, 6}, {38, 6}}, tutti_180({13, 20, 26}), 13},
      {"start on the third-last cell is handled", 37, {}, tutti_180({19, 26, 32}), 0},
      {"start on the second-last cell is not", 38, {}, {}, 0},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    m = Modello{};
    griglia(40);
    metti(k.inizio, 3, 60);
    metti(k.altre);
    const std::vector<ConflittoCodici> conflitti = completa_codici(m);
    EXPECT_EQ(punti(), k.atteso);
    EXPECT_EQ(ultimo(conflitti), k.errore);
  }
  // A warning point on the last cell leaves the signal behind it alone.
  m = Modello{};
  griglia(40);
  metti(39, 4, 60);
  metti(30, 1, 42);
  completa_codici(m);
  EXPECT_EQ(punti(), Punti{});
}

TEST_F(CodeTrack, EveryConflictIsListedInOrderAndThePassGoesOn) {
  griglia(100);
  // A warning point whose signal has both cells before it taken (11) ...
  metti(20, 4, 60);
  metti(15, 1, 42);
  metti(14, 6);
  metti(13, 6);
  // ... then a slowdown whose first window is full (12).
  metti(50, 3, 120);
  metti(45, 6);
  metti(44, 6);
  metti(43, 6);
  const std::vector<ConflittoCodici> conflitti = completa_codici(m);
  ASSERT_EQ(conflitti.size(), 2u);
  EXPECT_EQ(std::tuple(conflitti[0].codice, conflitti[0].cella_regola, conflitti[0].cella),
            std::tuple(11, int64_t{20}, int64_t{14}));
  EXPECT_EQ(std::tuple(conflitti[1].codice, conflitti[1].cella_regola, conflitti[1].cella),
            std::tuple(12, int64_t{50}, int64_t{45}));
  EXPECT_EQ(punti(30), tutti_180({39, 32}));
}

}  // namespace
}  // namespace scen
