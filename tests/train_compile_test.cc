// The train-file half of the compile: profiles, stations, signals,
// slowdowns, code points, the end steps and their error numbers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "model/byte_images.h"
#include "test_support.h"

namespace scen {
namespace {

using test::compila;
using test::linea_con;
using test::treno_con;

const std::string kLinea = linea_con("", 20000);  // ultima_cella 540

std::string stazione(int posizione, int tipo, int lunghezza, const std::string& resto = "0, 0, 0,  1,1,0,  4,1,1,  0,  0, 0, 0") {
  return "stazione, " + std::to_string(posizione) + ", " + std::to_string(tipo) + ", " +
         std::to_string(lunghezza) + ", " + resto + ", Nome\r\n";
}

struct CasoErrore {
  const char* nome;
  std::string treno;
  int codice;
  int64_t riga;  // line of the diagnostic; 0: not checked
  std::function<void(const test::Compilato&)> verifica = nullptr;
};

TEST(TrainCompile, ErrorNumbers) {
  auto senza_coda = [](const test::Compilato& c) { EXPECT_EQ(c.m.celle->at(300).vel_limite, 0); };
  const CasoErrore casi[] = {
      {"code point on a stop mark", treno_con(stazione(1000, 12, 400) + "abbattimento, 1150, 180\r\n"), 7, 8,
       senza_coda},
      {"station not on a 50 m mark", treno_con(stazione(1010, 12, 400)), 8, 7},
      {"station length", treno_con(stazione(1000, 12, 450)), 9, 7},
      {"stations too close", treno_con(stazione(1000, 12, 400) + stazione(1700, 12, 400)), 22, 8},
      {"stop at the line start", treno_con(stazione(0, 12, 200)), 24, 7},
      {"signal on a stop mark", treno_con(stazione(1000, 12, 400) + "segnale, 1100, 2,4,1,0,0,2,2,1,0,0\r\n"), 16, 8},
      {"signal on a signal", treno_con("segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\nsegnale, 1350, 1,4,1,0,0,2,2,1,0,0\r\n"), 16, 8},
      {"slowdown warning", treno_con("segnale, 3750, 2,4,1,0,0,2,2,1,0,0\r\nrallentamento, 4950, 60, 500, 0, 0, 0\r\n"), 17, 8},
      {"slowdown start", treno_con("segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\nrallentamento, 1350, 60, 500, 0, 0, 0\r\n"), 18, 8},
      {"slowdown end", treno_con("segnale, 1850, 2,4,1,0,0,2,2,1,0,0\r\nrallentamento, 1350, 60, 500, 0, 0, 0\r\n"), 19, 8},
      {"slowdown pre-warning", treno_con("segnale, 3650, 2,4,1,0,0,2,2,1,0,0\r\nrallentamento, 4950, 60, 500, 0, 1, 0\r\n"), 20, 8,
       [](const test::Compilato& c) {
         EXPECT_EQ(c.m.celle->at(100).tipo, 3);
         EXPECT_EQ(c.m.celle->at(110).tipo, 2);
         EXPECT_EQ(c.m.celle->at(76).tipo, 4);
       }},
      {"station beyond the grid", treno_con(stazione(26250, 12, 400)), 15, 7,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.celle->at(537).vel_limite, 20); }},
      {"signal beyond the grid", treno_con("segnale, 26901, 2,4,1,0,0,2,2,1,0,0\r\n"), 15, 7},
      {"missing progressive multiple", treno_con(""), 0, 0},
      {"speed too high for a byte", treno_con("velocita, 1000, 1278\r\n"), 25, 0,
       [](const test::Compilato& c) { EXPECT_EQ(c.m.celle->at(19).vel_limite, 20); }},
      {"station type too wide", treno_con(stazione(1000, 256, 400)), 25, 7},
      {"station field too wide: the fields before it written, it and those after not",
       treno_con(stazione(1000, 12, 400, "1, 2, 3,  40000,1,0,  4,1,1,  0,  0, 0, 0")), 25, 7,
       [](const test::Compilato& c) {
         const RecordSim& r = c.m.dati_sim[1];
         EXPECT_EQ(std::tuple(r.posizione, r.tipo, r.opzione_1, r.opzione_3, r.parametro_1, r.parametro_2),
                   std::tuple(1000, uint8_t{12}, uint8_t{1}, uint8_t{3}, int16_t{0}, int16_t{0}));
         EXPECT_EQ(c.diagnostica.campo.colonna, 36);  // the field that does not fit
       }},
      {"code above 16 bits", treno_con("abbattimento, 1000, 32768\r\n"), 25, 7,
       [](const test::Compilato& c) {
         EXPECT_EQ(c.m.celle->at(20).tipo, 12);
         EXPECT_EQ(c.m.celle->at(20).valore_1, 0);
       }},
      {"end of file inside a line", "[generale]\r\nsegnale, 1350, 2", 25, 2},
      {"signal before 325 m", treno_con("segnale, 200, 2,4,1,0,0,2,2,1,0,0\r\n"), 25, 0,
       [](const test::Compilato& c) {
         EXPECT_EQ(c.m.celle->at(5).tipo, 1);
         EXPECT_EQ(c.m.celle->at(1).preavviso, 82);
       }},
  };
  for (const CasoErrore& caso : casi) {
    SCOPED_TRACE(caso.nome);
    const auto c = compila(kLinea, caso.treno);
    EXPECT_EQ(c.diagnostica.codice, caso.codice);
    if (caso.codice) {
      EXPECT_EQ(c.diagnostica.file, FileSorgente::treno);
    }
    if (caso.riga) {
      EXPECT_EQ(c.diagnostica.campo.linea, caso.riga);
    }
    if (caso.verifica) caso.verifica(c);
  }
}

// The compile in two halves, the line file's once for several train files,
// each on a copy of the model it left, ends as the whole compile does:
// the same grid, records and plan, the same error at the same field.
TEST(TrainCompile, TheHalvesApartEndAsTheWholeCompile) {
  const std::string treni[] = {
      treno_con(""),
      treno_con(stazione(1000, 12, 400) + "abbattimento, 1150, 180\r\n"),
      treno_con("segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\nsegnale, 2350, 2,4,1,0,0,2,2,1,0,0\r\n"),
      treno_con("velocita, 1000, 1278\r\n"),
      "[generale]\r\nsegnale, 1350, 2",
      "",
  };
  const std::string linee[] = {kLinea, linea_con("pendenza, 30000, 0\r\n"),
                               "[generale]\r\nlunghezza percorso, 20000\r\n"
                               "progressiva chilometrica uno, 25, 150300, 1\r\n[dati]\r\n[fine]\r\n"};
  for (const std::string& linea : linee) {
    for (const bool piano : {false, true}) {
      Modello dopo_linea;
      dopo_linea.nome_percorso = "R";
      dopo_linea.nome_treno = "T";
      dopo_linea.scrivi_linea = piano;
      SorgentiCompilazione s{"R_linea.txt", "R_T-.txt", false};
      s.testo_linea = std::make_shared<const std::string>(linea);
      Diagnostica fine_linea;
      const std::shared_ptr<const StatoDopoLinea> stato = memorizza_linea(dopo_linea, s, fine_linea);
      ASSERT_NE(stato, nullptr) << fine_linea.messaggio;
      for (const std::string& treno : treni) {
        SCOPED_TRACE(linea + "\n" + treno);
        const auto intera = compila(linea, treno, piano);
        Modello m = dopo_linea;
        s.testo_treno = std::make_shared<const std::string>(treno);
        const Diagnostica d = memorizza_treno(m, s, *stato);
        EXPECT_EQ(std::tuple(d.codice, d.file, d.campo.linea, d.campo.colonna, d.messaggio),
                  std::tuple(intera.diagnostica.codice, intera.diagnostica.file, intera.diagnostica.campo.linea,
                             intera.diagnostica.campo.colonna, intera.diagnostica.messaggio));
        EXPECT_EQ(immagine_celle(*m.celle), immagine_celle(*intera.m.celle));
        EXPECT_EQ(immagine_dati_sim(m.dati_sim), immagine_dati_sim(intera.m.dati_sim));
        EXPECT_EQ(m.tabella_linea.has_value(), piano);
        if (piano) {
          EXPECT_EQ(immagine_tabella_linea(*m.tabella_linea), immagine_tabella_linea(*intera.m.tabella_linea));
        }
      }
    }
  }
}

TEST(TrainCompile, MissingTrainFileIs25) {
  test::TempDir dir;
  SorgentiCompilazione s{dir / "R_linea.txt", dir / "R_T-.txt", true};
  test::scrivi(s.linea, kLinea);
  Modello m;
  EXPECT_EQ(memorizza_dati(m, s).codice, 25);
  EXPECT_FALSE(std::filesystem::exists(s.linea));
}

TEST(TrainCompile, ProgressiveCheckReplacesAnEarlier15) {
  const std::string linea = "[generale]\r\nlunghezza percorso, 20000\r\n"
                            "progressiva chilometrica uno, 25, 150300, 1\r\n[dati]\r\n"
                            "pendenza, 30000, 0\r\n[fine]\r\n";
  const auto c = compila(linea, treno_con(""));
  EXPECT_EQ(c.diagnostica.codice, 2);
  EXPECT_EQ(c.m.celle->at(537).vel_limite, 20);
}

TEST(TrainCompile, A15FromTheLineStopsAtTheFirstSignal) {
  const auto c = compila(linea_con("pendenza, 30000, 0\r\n"),
                         treno_con("segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\nsegnale, 2350, 2,4,1,0,0,2,2,1,0,0\r\n"));
  EXPECT_EQ(c.diagnostica.codice, 15);
  EXPECT_EQ(c.m.celle->at(28).tipo, 1);
  EXPECT_EQ(c.m.celle->at(48).tipo, 0);
  EXPECT_EQ(c.m.celle->at(300).vel_limite, 0);  // no end steps
}

TEST(TrainCompile, StationRecordsAndMarks) {
  const auto c = compila(
      linea_con("", 155000),
      treno_con("stazione,       0, 12, 1000,  0, 0, 0,  1,1,0,  4,1,1,    1,   9,57, 0, BOLZANO\r\n"
                "STAZIONE,   55500, 12,  700,  0, 3, 0,  1,1,0,  4,1,1,   60,  10,32, 0, TRENTO\r\n"
                "stazione,   58000, 22,  500,  0, 3, 2,  0,0,0,  4,1,1,    0,   0, 0, 0, Dolc\xe8\r\n"
                "stazione,   60000,  5,  400,  0, 0, 2,  0,0,0,  4,1,1,    0,   0, 0, 0, Fermata\r\n"
                "stazione,   62000,  7,  300,  0, 0, 2,  0,0,0,  4,1,1,    0,   0, 0, 0, Posto\r\n"
                "stazione,  143700, 25,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, Bivio S.Massimo\r\n"));
  ASSERT_EQ(c.diagnostica.codice, 0);
  const auto& celle = *c.m.celle;
  const auto& r = c.m.dati_sim;

  EXPECT_EQ(r[1].inizio, -500);
  EXPECT_EQ(r[1].fine, 500);
  EXPECT_EQ(r[1].orario, (9 * 60 + 57) * 60);
  EXPECT_EQ(r[1].sosta, 1);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(celle[9 - k].preavviso, 80 + k);
  EXPECT_EQ(celle[9].tipo, 10);
  EXPECT_EQ(celle[9].valore_1, 1);

  EXPECT_EQ(r[2].inizio, 55150);
  EXPECT_EQ(r[2].fine, 55850);
  EXPECT_EQ(r[2].orario, 37920);
  EXPECT_EQ(r[2].opzione_2, 3);
  EXPECT_EQ(r[2].testo, "TRENTO");
  EXPECT_EQ(celle[1116].tipo, 10);
  EXPECT_EQ(celle[1116].valore_1, 2);
  EXPECT_EQ(celle[1115].preavviso, 81);
  EXPECT_EQ(celle[1112].preavviso, 84);

  EXPECT_EQ(r[3].opzione_2, 0);  // shorter than 600 m
  EXPECT_EQ(r[3].fine, 58300);   // option 3 adds 50 m
  EXPECT_EQ(r[3].testo, "Dolc\xe8");

  EXPECT_EQ(r[4].inizio, 59600);  // types 5 and 6: length before, 150 m after
  EXPECT_EQ(r[4].fine, 60150);
  EXPECT_EQ(r[4].opzione_3, 0);
  EXPECT_EQ(celle[1202].tipo, 10);
  EXPECT_EQ(celle[1200].preavviso, 0);  // no approach marks

  EXPECT_EQ(r[5].inizio, 61700);  // types 7 and 8: length on both sides
  EXPECT_EQ(r[5].fine, 62300);

  EXPECT_EQ(r[6].parametro_6, 0);  // a junction: neither marks nor a stop
  EXPECT_EQ(celle[2879].tipo, 0);
  EXPECT_EQ(celle[2878].preavviso, 0);
}

// A blank before the comma that ends a number belongs to that number's
// field: every later value of the line stays in its place.
TEST(TrainCompile, BlanksBeforeACommaMoveNoValue) {
  const auto compatte = compila(kLinea, treno_con("segnale,1360,1,4,1,0,0,2,3,1,0,0\r\n"
                                                  "stazione,5000,12,600,0,5,1,1,1,0,4,1,1,60,10,32,0,Valle\r\n"));
  const auto con_blank = compila(kLinea, treno_con("segnale,   1360 , 1 ,4\t, 1, 0 , 0, 2 , 3,1,0,0\r\n"
                                                   "stazione, 5000 , 12 , 600 ,0,5 ,1,1,1,0,4,1,1, 60 ,10 ,32,0 , Valle\r\n"));
  ASSERT_EQ(compatte.diagnostica.codice, 0);
  EXPECT_EQ(con_blank.diagnostica.codice, 0);
  for (size_t i = 0; i < compatte.m.celle->size(); ++i)
    ASSERT_EQ(con_blank.m.celle->at(i), compatte.m.celle->at(i)) << "cell " << i;
  for (size_t i = 0; i < compatte.m.dati_sim.size(); ++i)
    ASSERT_EQ(con_blank.m.dati_sim[i], compatte.m.dati_sim[i]) << "record " << i;
  EXPECT_EQ(compatte.m.celle->at(28).tipo, 1);
  EXPECT_EQ(compatte.m.celle->at(28).valore_4, 5);  // sx 1, dx 2
  EXPECT_EQ(compatte.m.dati_sim[1].orario, 37920);
  EXPECT_EQ(compatte.m.dati_sim[1].testo, "Valle");
}

TEST(TrainCompile, FirstStationKeepsTheLongerZone) {
  const auto c = compila(kLinea, treno_con(stazione(1000, 12, 600, "0, 5, 1,  1,1,0,  4,1,1,  0,  0, 0, 0")));
  EXPECT_EQ(c.m.dati_sim[1].fine, 1350);
  EXPECT_EQ(c.m.dati_sim[1].opzione_3, 0);
  EXPECT_EQ(c.m.dati_sim[1].opzione_2, 0);
}

TEST(TrainCompile, StationSpacingAndSlots) {
  EXPECT_EQ(compila(kLinea, treno_con(stazione(1000, 12, 400) + stazione(1700, 12, 400))).diagnostica.codice, 22);
  EXPECT_EQ(compila(kLinea, treno_con(stazione(1000, 12, 400) + stazione(1750, 12, 400))).diagnostica.codice, 0);

  // 78 stations fit when the line has no text board; the 79th does not.
  std::string molte;
  for (int i = 0; i < 79; ++i) molte += stazione(1000 + 1000 * i, 25, 200);
  const auto c = compila(linea_con("", 100000), treno_con(molte));
  EXPECT_EQ(c.diagnostica.codice, 10);
  EXPECT_EQ(c.m.dati_sim[79].posizione, 79000);
  EXPECT_EQ(c.m.dati_sim[80].posizione, 0);
}

TEST(TrainCompile, Profiles) {
  const auto c = compila(kLinea, "[generale]\r\n"
                                 "numero vetture,    12\r\n"
                                 "percentuale massa frenata,    130\r\n"
                                 "sabbia,    300\r\n"
                                 "orologio,    9               56            20 \r\n"
                                 "aderenza,   0,    100\r\n"
                                 "aderenza,   1000,    300\r\n"
                                 "VELOCIT\xc0,       0,    55\r\n"
                                 "- commento\r\n- commento\r\nvelocita,     700,   107\r\n"
                                 "velocita,     600,   150\r\n"
                                 "velocita,     20,   30\r\n"
                                 "[fine]\r\n");
  ASSERT_EQ(c.diagnostica.codice, 0);
  const auto& celle = *c.m.celle;
  EXPECT_EQ(c.m.dati_sim[84].posizione, 12);
  EXPECT_EQ(c.m.dati_sim[84].inizio, 130);
  EXPECT_EQ(c.m.dati_sim[86].parametro_1, 300);
  EXPECT_EQ(c.m.dati_sim[86].parametro_4, 9);
  EXPECT_EQ(c.m.dati_sim[86].parametro_5, 56);
  EXPECT_EQ(c.m.dati_sim[86].parametro_6, 20);
  EXPECT_EQ(celle[0].vel_limite, 11);
  EXPECT_EQ(celle[13].vel_limite, 11);
  // 107 / 5 = 21.4; the line at 600 m lies behind the cursor and still
  // writes one cell with the previous speed.
  EXPECT_EQ(celle[14].vel_limite, 21);
  EXPECT_EQ(celle[15].vel_limite, 6);  // a line at 20 m fills nothing, then holds
  EXPECT_EQ(celle[537].vel_limite, 6);
  EXPECT_EQ(celle[538].vel_limite, 0);
  EXPECT_EQ(celle[19].aderenza, 100);
  EXPECT_EQ(celle[20].aderenza, 300 - 256);  // low 8 bits
  EXPECT_EQ(celle[538].aderenza, 0);
}

TEST(TrainCompile, WithoutGeneraleOnlyTheEndStepsRun) {
  const auto c = compila(kLinea, "velocita, 0, 100\r\nsegnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\n[fine]\r\n");
  ASSERT_EQ(c.diagnostica.codice, 0);
  EXPECT_EQ(c.m.celle->at(28).tipo, 0);
  EXPECT_EQ(c.m.celle->at(0).vel_limite, 0);
  EXPECT_EQ(c.m.celle->at(0).aderenza, 0);
}

TEST(TrainCompile, CodePoints) {
  const auto c = compila(linea_con("montagna, 1000, 2000, 11\r\n"),
                         treno_con("abbattimento, 1150, 180\r\nabbattimento, 1500, 0\r\nabbattimento, -25, -3\r\n"));
  ASSERT_EQ(c.diagnostica.codice, 0);
  EXPECT_EQ(c.m.celle->at(23).tipo, 12);  // on a mountain mark
  EXPECT_EQ(c.m.celle->at(23).valore_1, 180);
  EXPECT_EQ(c.m.celle->at(30).tipo, 13);
  EXPECT_EQ(c.m.celle->at(0).tipo, 13);
  EXPECT_EQ(c.m.celle->at(0).valore_1, 0);
}

}  // namespace
}  // namespace scen

namespace scen {
namespace {

// The compile's error in the run's list: the field's range, and the line
// whose object takes the cell as a related location.
TEST(TrainCompile, TheErrorNamesTheLineThatTookTheCell) {
  struct {
    std::string treno;
    int32_t numero;
    int64_t colonna, fine;  // the error's field on line 8
  } casi[] = {
      {"segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\nsegnale,   1350, 1,4,1,0,0,2,2,1,0,0\r\n", 16, 12, 16},
      {"segnale, 1850, 2,4,1,0,0,2,2,1,0,0\r\nrallentamento, 1350 , 60, 500, 0, 0, 0\r\n", 19, 16, 20},
      {"segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\nabbattimento, 1400, 180\r\n", 7, 15, 19},
  };
  for (const auto& c : casi) {
    const auto esito = compila(kLinea, treno_con(c.treno));
    ASSERT_EQ(esito.diagnostiche.size(), 1u) << c.treno;
    const Diagnostic& d = esito.diagnostiche.items()[0];
    EXPECT_EQ(d.number, c.numero);
    EXPECT_EQ(d.level, Level::error);
    EXPECT_EQ(d.range, (SourceRange{8, c.colonna, 8, c.fine})) << c.treno;
    ASSERT_EQ(d.related.size(), 1u) << c.treno;
    EXPECT_EQ(d.related[0].file, d.file);
    EXPECT_EQ(d.related[0].range, (SourceRange{7, 1, 7, 8}));
  }
  // Nothing else placed it: no related location.
  const auto propria = compila(linea_con("", 20000), treno_con("rallentamento, 9775, 60, 500, 0, 1, 0\r\n"));
  ASSERT_EQ(propria.diagnostiche.size(), 1u);
  EXPECT_EQ(propria.diagnostiche.items()[0].number, 20);
  EXPECT_TRUE(propria.diagnostiche.items()[0].related.empty());
}

}  // namespace
}  // namespace scen
