// What the picture shows of a compiled scenario: objects from the cell
// grid at their cells' positions, texts from the records in UTF-8, the
// profiles cut at the end of the line; and the stretch of it drawn.
#include <gtest/gtest.h>

#include <optional>

#include "util/cp1252.h"

#include "test_support.h"
#include "tools/plot/plot_features.h"
#include "tools/plot/plot_stretch.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {
namespace {

using scen::test::linea_con;
using scen::test::treno_con;

TEST(LineFeatures, ObjectsProfilesAndNamesOfACompiledScenario) {
  const auto c = scen::test::compila(
      linea_con("pendenza,   0,    0\r\n"
                "pendenza,  5000,   -4\r\n"
                "indicatori_vmax,  700,  95,  100,  105,  0,  90,  100,  105,  0\r\n"
                "cartello_indicatore,  1150,   (P.L.       )(Km.  90.233)\r\n"),
      treno_con("velocita,   10000,   60\r\n"
                "stazione,       0, 12, 1000,  0, 0, 0,  1,1,0,  4,1,1,    1,   9,57, 0, BOLZANO\r\n"
                "stazione,    6000, 22,  500,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, Dolc\xe8\r\n"
                "segnale,    1350,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\n"
                "rallentamento, 9000, 60, 1000, 0, 0, 0\r\n"
                "abbattimento,  12600,   180\r\n"));
  ASSERT_EQ(c.diagnostica.codice, 0);
  const ElementiLinea e = estrai_elementi(*c.m.celle, c.m.dati_sim);

  EXPECT_EQ(e.lunghezza, 20000);
  // The grid runs 7000 m past the end; the profiles stop at it.
  ASSERT_EQ(e.velocita.size(), 2u);
  EXPECT_EQ(e.velocita[0].valore, 100);
  EXPECT_EQ(e.velocita[1].inizio, 10000);
  EXPECT_EQ(e.velocita[1].fine, 20000);
  EXPECT_EQ(e.velocita[1].valore, 60);
  ASSERT_EQ(e.pendenza.size(), 2u);
  EXPECT_EQ(e.pendenza[1].inizio, 5000);
  EXPECT_EQ(e.pendenza[1].fine, 20000);
  EXPECT_EQ(e.pendenza[1].valore, -4);

  ASSERT_EQ(e.stazioni.size(), 2u);
  EXPECT_EQ(e.stazioni[0].nome, "BOLZANO");
  EXPECT_EQ(e.stazioni[1].posizione, 6000);
  EXPECT_EQ(e.stazioni[1].nome, "Dolc\u00e8");

  // Objects where their source lines put them.
  EXPECT_EQ(e.segnali, (std::vector<Segnale>{{1350, 2, 2}}));
  ASSERT_EQ(e.indicatori.size(), 1u);
  EXPECT_EQ(e.indicatori[0].posizione, 700);
  EXPECT_EQ(e.indicatori[0].etichetta, "95/100/105 | 90/100/105");
  ASSERT_EQ(e.cartelli.size(), 1u);
  EXPECT_EQ(e.cartelli[0].posizione, 1150);
  EXPECT_EQ(e.cartelli[0].etichetta, "P.L. Km. 90.233");
  ASSERT_EQ(e.rallentamenti.size(), 3u);
  EXPECT_EQ(e.rallentamenti[0].punto, PuntoRallentamento::avviso);
  EXPECT_EQ(e.rallentamenti[0].posizione, 7800);
  EXPECT_EQ(e.rallentamenti[1].punto, PuntoRallentamento::inizio);
  EXPECT_EQ(e.rallentamenti[1].velocita, 60);
  EXPECT_EQ(e.rallentamenti[2].punto, PuntoRallentamento::fine);
  EXPECT_EQ(e.rallentamenti[2].posizione, 10000);
  ASSERT_EQ(e.tratti_rallentamento.size(), 1u);
  EXPECT_EQ(e.tratti_rallentamento[0].inizio, 9000);
  EXPECT_EQ(e.tratti_rallentamento[0].fine, 10000);
  EXPECT_EQ(e.tratti_rallentamento[0].velocita, 60);
  // Out of the code track's reach: written in the source.
  ASSERT_EQ(e.abbattimenti.size(), 1u);
  EXPECT_EQ(e.abbattimenti[0].posizione, 12600);
  EXPECT_EQ(e.abbattimenti[0].etichetta, "180");
  EXPECT_FALSE(e.abbattimenti[0].forse_automatico);
}

TEST(LineStretch, KilometresInEitherOrderWithinTheLine) {
  const Progressiva falling(0, 150400);  // km 150.4 at the start, falling
  const Progressiva none;
  struct {
    const Progressiva* p;
    double km_1, km_2;
    std::optional<Estensione> atteso;
    const char* errore;
  } casi[] = {
      {&falling, 140.4, 130.4, Estensione{10000, 20000}, ""},
      {&falling, 130.4, 140.4, Estensione{10000, 20000}, ""},
      {&falling, 150.4, 0.4, Estensione{0, 150000}, ""},
      {&falling, 151, 140, std::nullopt, "the stretch km 151.000 to km 140.000 is not within the line, which runs from km 150.400 to km 0.400"},
      {&falling, 140, 140, std::nullopt, "the stretch km 140.000 to km 140.000 is empty; the line runs from km 150.400 to km 0.400"},
      {&none, 2, 1.5, Estensione{1500, 2000}, ""},
      {&none, -1, 3, std::nullopt, "the stretch -1.000 to 3.000 km from the line's start is not within the line, which runs from 0 to 150.000 km from its start"},
  };
  for (const auto& c : casi) {
    std::string errore;
    EXPECT_EQ(estensione_da_km(c.km_1, c.km_2, *c.p, 150000, errore), c.atteso) << c.km_1 << " " << c.km_2;
    EXPECT_EQ(errore, c.errore);
  }
}

TEST(LineStretch, KeepsWhatLiesWithinAndCutsTheCharts) {
  ElementiLinea e;
  e.lunghezza = 10000;
  e.velocita = {{0, 4000, 100}, {4000, 10000, 60}};
  e.stazioni = {{1000, "A"}, {5000, "B"}};
  e.segnali = {{3000, 1, 0}, {3500, 2, 1}, {9000, 1, 0}};
  e.tratti_rallentamento = {{2500, 6000, 30}};
  const ElementiLinea r = ritaglia(e, {3000, 5000});
  EXPECT_EQ(r.lunghezza, 10000);
  ASSERT_EQ(r.velocita.size(), 2u);
  EXPECT_EQ(r.velocita[0].inizio, 3000);
  EXPECT_EQ(r.velocita[1].fine, 5000);
  ASSERT_EQ(r.stazioni.size(), 1u);
  EXPECT_EQ(r.stazioni[0].nome, "B");
  EXPECT_EQ(r.segnali.size(), 2u);
  ASSERT_EQ(r.tratti_rallentamento.size(), 1u);
  EXPECT_EQ(r.tratti_rallentamento[0].inizio, 3000);
  EXPECT_EQ(r.tratti_rallentamento[0].fine, 5000);
}

TEST(LineFeatures, ABoardNamingAMissingRecordSaysSo) {
  std::vector<scen::Cella> celle(600);
  celle[30].tipo = 14;
  celle[30].valore_1 = 90;
  const ElementiLinea e = estrai_elementi(celle, {});
  ASSERT_EQ(e.cartelli.size(), 1u);
  EXPECT_EQ(e.cartelli[0].etichetta, "(record 90 missing)");
  EXPECT_EQ(e.lunghezza, 600 * 50 - 50 - 7000);  // record 84 empty: from the grid's size
}

TEST(PlotTexts, CodePageBytesAndBoardLettering) {
  EXPECT_EQ(scen::da_cp1252("Dolc\xe8 \x80 \x81"), "Dolc\u00e8 \u20ac \ufffd");
  struct {
    const char* testo;
    const char* riga;
  } casi[] = {
      {"(P.L.       )(Km.  90.233)", "P.L. Km. 90.233"},
      {"(CONFINE  )(PROVINCIA)(BZ - TN  )", "CONFINE PROVINCIA BZ - TN"},
      {"  no  brackets ", "no brackets"},
      {"(  unclosed  group", "unclosed group"},
      {"", ""},
  };
  for (const auto& c : casi) EXPECT_EQ(scritta_su_una_riga(c.testo), c.riga) << c.testo;
  EXPECT_EQ(numero_testo(-0.0004, 3), "0.000");
  EXPECT_EQ(numero_testo(150.4, 1), "150.4");
}

}  // namespace
}  // namespace scenc::plot
