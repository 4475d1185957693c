// Placement of the line's and the train's objects on the cell grid:
// mountains, speed indicators, signals, slowdowns, and the reserved slots
// of cell 1 and record 85.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "compiler/checked_access.h"
#include "compiler/line_placement.h"
#include "compiler/train_placement.h"
#include "compiler/check_codes.h"
#include "compiler/stamping.h"
#include "writer/compiled_writer.h"
#include "test_support.h"

namespace scen {
namespace {

Modello griglia(int celle) {
  Modello m;
  m.celle.emplace(static_cast<size_t>(celle));
  m.ultima_cella = celle - 1;
  return m;
}

// ----------------------------------------------------------------- mountains

TEST(Mountains, ScenarioStretches) {
  Modello m = griglia(3000);
  m.celle->at(1369).tipo = 6;  // an occupied cell keeps its kind
  PrimoGuasto guasti;
  EXPECT_EQ(memo_montagna(m, guasti, 68100, 69300, 11), 0);
  EXPECT_EQ(m.numero_montagne, 1);
  for (int i = 1355; i <= 1390; ++i) {
    const Cella& c = m.celle->at(static_cast<size_t>(i));
    const bool dentro = i >= 1362 && i <= 1385;
    EXPECT_EQ(c.montagna, dentro ? 1 : 0) << i;
    const bool segno = dentro && (i - 1362) % 4 == 3 && i != 1369;
    EXPECT_EQ(c.tipo, i == 1369 ? 6 : segno ? 11 : 0) << i;
  }

  EXPECT_EQ(memo_montagna(m, guasti, 119200, 123500, 11), 0);
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
    PrimoGuasto guasti;
    memo_montagna(m, guasti, 68100, 69300, 11);
    memo_montagna(m, guasti, inizio, 72000, 11);
    const int primo = static_cast<int>(std::nearbyint(inizio / 50.0));
    EXPECT_EQ(m.celle->at(static_cast<size_t>(primo)).montagna, sfondo);
    EXPECT_EQ(m.celle->at(1439).montagna, sfondo);
    EXPECT_EQ(m.celle->at(static_cast<size_t>(primo + 3)).tipo, 11);  // marks stay on
  }
}

TEST(Mountains, PlainTypeAndEmptyStretch) {
  Modello m = griglia(3000);
  PrimoGuasto guasti;
  memo_montagna(m, guasti, 10000, 12000, 2);
  for (int i = 200; i <= 239; ++i) {
    EXPECT_EQ(m.celle->at(static_cast<size_t>(i)).montagna, 2) << i;
    EXPECT_EQ(m.celle->at(static_cast<size_t>(i)).tipo, 0) << i;
  }
  EXPECT_EQ(m.celle->at(240).montagna, 0);

  // End / 50 - 1 below the start / 50: counted, nothing written.
  const std::vector<Cella> prima = *m.celle;
  EXPECT_EQ(memo_montagna(m, guasti, 20000, 20020, 11), 0);
  EXPECT_EQ(m.numero_montagne, 2);
  EXPECT_EQ(*m.celle, prima);
}

TEST(Mountains, EightyStretchesFit) {
  Modello m = griglia(3000);
  PrimoGuasto guasti;
  for (int i = 0; i < 80; ++i) ASSERT_EQ(memo_montagna(m, guasti, 1000 * i, 1000 * i + 500, 11), 0);
  EXPECT_EQ(m.numero_montagne, 80);
  EXPECT_EQ(m.montagne_inizio[80], 79000);
  EXPECT_EQ(memo_montagna(m, guasti, 90000, 90500, 11), kErroreLettura);
  EXPECT_EQ(guasti.messaggio(), "more than 80 mountain stretches");
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
    PrimoGuasto guasti;
    EXPECT_EQ(memo_indicatori_v_max(m, guasti, k.posizione, k.vas, k.vbs, k.vcs, k.strisces, k.vad, k.vbd,
                                    k.vcd, k.strisced),
              0);
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
    PrimoGuasto guasti;
    const int32_t esito = memo_indicatori_v_max(m, guasti, 700, 95, 100, 105, 0, 95, 100, 105, 0);
    if (tipo == 11) {
      EXPECT_EQ(esito, 0);
      EXPECT_EQ(m.celle->at(15).tipo, 6);
      EXPECT_EQ(m.celle->at(15).valore_1, 1919);
    } else {
      EXPECT_EQ(esito, 21);
      EXPECT_EQ(m.celle->at(15), prima);
    }
  }
}

TEST(SpeedIndicators, PackedSpeedTooLargeIsAReadFailure) {
  // The kind is written before the values; the failing value and those
  // after it are not.
  Modello m = griglia(100);
  PrimoGuasto guasti;
  EXPECT_EQ(memo_indicatori_v_max(m, guasti, 700, 95, 1700, 0, 0, 95, 0, 0, 7), kErroreLettura);
  EXPECT_EQ(guasti.messaggio(), "value 34000 does not fit 16 bits");
  const Cella& c = m.celle->at(15);
  EXPECT_EQ(std::tuple(c.tipo, c.valore_1, c.valore_2, c.valore_4),
            std::tuple(uint8_t{6}, int16_t{1919}, int16_t{0}, int16_t{0}));
}

// ------------------------------------------------------------------- signals

// What memo_segnale returned, the time as the caller sees it, and the
// words of a read failure.
struct Posa {
  int32_t esito = 0;
  int32_t tempo = 0;
  std::optional<std::string> guasto;
};

Posa segnale(Modello& m, int32_t posizione, int32_t sx = 2, int32_t dx = 2, int32_t tempo = 0) {
  PrimoGuasto guasti;
  const int32_t esito = memo_segnale(m, guasti, posizione, sx, 4, 1, 0, 0, dx, 2, 1, 0, tempo);
  return {esito, tempo, guasti.messaggio()};
}

TEST(Signals, CellAndApproachMarks) {
  Modello m = griglia(100);
  EXPECT_EQ(segnale(m, 1350, 1, 0).esito, 0);
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
    EXPECT_EQ(segnale(m, 1350, k.sx, 2, k.tempo).tempo, k.al_chiamante);
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
    const int32_t esito = segnale(m, 1350).esito;
    if (tipo == 11) {
      EXPECT_EQ(esito, 0);
      EXPECT_EQ(m.celle->at(28).tipo, 1);
      EXPECT_EQ(m.celle->at(28).valore_1, 42);
    } else {
      EXPECT_EQ(esito, 16);
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
  const Posa posa = segnale(n, 200);
  EXPECT_EQ(posa.esito, kErroreLettura);
  EXPECT_EQ(posa.guasto, "cell -1 is outside the grid 0..99");
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
    PrimoGuasto guasti;
    EXPECT_EQ(memo_rallentamento(m, guasti, k.x, 60, 1000, 7, 1, 0), 0);
    EXPECT_EQ(celle_di_tipo(m, 4), k.avviso);
    std::vector<int> preavviso(k.preavviso.rbegin(), k.preavviso.rend());
    EXPECT_EQ(celle_di_tipo(m, 5), preavviso);
    for (size_t i = 0; i < k.preavviso.size(); ++i)
      EXPECT_EQ(m.celle->at(static_cast<size_t>(k.preavviso[i])).valore_1, static_cast<int>(i + 1));
  }
}

TEST(Slowdowns, CellValues) {
  Modello m = griglia(400);
  PrimoGuasto guasti;
  ASSERT_EQ(memo_rallentamento(m, guasti, 10000, 60, 1000, 3, 1, 25), 0);
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
  PrimoGuasto guasti;
  ASSERT_EQ(memo_rallentamento(m, guasti, 10000, 60, 1000, 3, 1, 0), 0);
  for (int i : {201, 221, 177, 176, 175, 174, 173})
    EXPECT_EQ(m.celle->at(static_cast<size_t>(i)).valore_2, 99) << i;
  EXPECT_EQ(m.celle->at(176).tipo, 5);
}

TEST(Slowdowns, ZeroLengthLeavesOneStartCell) {
  Modello m = griglia(400);
  PrimoGuasto guasti;
  ASSERT_EQ(memo_rallentamento(m, guasti, 10000, 60, 0, 3, 0, 0), 0);
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
    PrimoGuasto guasti;
    EXPECT_EQ(memo_rallentamento(m, guasti, 10000, 60, 1000, 3, 1, 25), k.errore);
    EXPECT_EQ(*m.celle, prima);  // nothing written
  }
  // A taken pre-warning cell: start, end and warning stay written, no
  // pre-warning cell is.
  for (int occupata : {176, 173}) {
    SCOPED_TRACE(occupata);
    Modello m = griglia(400);
    m.celle->at(static_cast<size_t>(occupata)).tipo = 10;
    PrimoGuasto guasti;
    EXPECT_EQ(memo_rallentamento(m, guasti, 10000, 60, 1000, 3, 1, 25), 20);
    EXPECT_EQ(m.celle->at(201).tipo, 3);
    EXPECT_EQ(m.celle->at(221).tipo, 2);
    EXPECT_EQ(m.celle->at(177).tipo, 4);
    EXPECT_TRUE(celle_di_tipo(m, 5).empty());
  }
  // (x - 1200) / 50 = 7.5 and 8.5 both round to 8: the first pre-warning
  // cell is the warning cell itself, which is no longer free.
  Modello m = griglia(400);
  PrimoGuasto guasti;
  EXPECT_EQ(memo_rallentamento(m, guasti, 1575, 60, 1000, 3, 1, 0), 20);
  EXPECT_EQ(m.celle->at(8).tipo, 4);
  EXPECT_TRUE(celle_di_tipo(m, 5).empty());
}

TEST(Slowdowns, MountainMarksAreFree) {
  Modello m = griglia(400);
  for (int i : {201, 221, 177, 176}) m.celle->at(static_cast<size_t>(i)).tipo = 11;
  PrimoGuasto guasti;
  EXPECT_EQ(memo_rallentamento(m, guasti, 10000, 60, 1000, 3, 1, 0), 0);
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
    ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
    ASSERT_EQ(c.m.celle->at(1).tipo, 3);
    EXPECT_EQ(timbra(c.m), errore);
  }
}

}  // namespace
}  // namespace scen
