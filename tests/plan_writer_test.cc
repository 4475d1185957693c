// The track plan's file written while the plan is computed: the same bytes
// as the image written at once, however the rows were announced, no file
// before there are rows to write, and nothing left behind when it is
// dropped or cannot be written.
#include "writer/plan_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compiler/track_plan.h"
#include "model/byte_images.h"
#include "platform/path_text.h"
#include "run/compile_and_write.h"
#include "test_support.h"

namespace scen {
namespace {

using test::leggi;
using test::scrivi;
using test::TempDir;

// A plan of `righe` rows with every kind of slot and distinct values.
std::optional<TabellaLinea> piano(size_t righe) {
  std::optional<TabellaLinea> t(std::in_place);
  t->x.dimensiona(righe);
  t->y.dimensiona(righe);
  for (size_t r = 0; r + 2 < righe; ++r) {
    if (r % 7 == 3) {
      t->x.metti_intero(r, static_cast<int16_t>(r % 30000));
    } else {
      t->x.metti_reale(r, static_cast<double>(r) / 3.0);
      t->y.metti_reale(r, -static_cast<double>(r) * 1.5);
    }
  }
  return t;
}

std::vector<std::string> nomi_in(const std::filesystem::path& cartella) {
  std::vector<std::string> nomi;
  for (const auto& e : std::filesystem::directory_iterator(cartella)) nomi.push_back(utf8_of(e.path().filename()));
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

TEST(PlanWriter, SameBytesHoweverTheRowsAreAnnounced) {
  constexpr size_t kRighe = 200003;
  const auto t = piano(kRighe);
  const std::string atteso = immagine_tabella_linea(*t);
  const struct {
    const char* caso;
    std::vector<size_t> annunci;
  } casi[] = {
      {"never announced: written at the end", {}},
      {"announced in runs, then whole", {65536, 131072, 196608, kRighe}},
      {"whole at once", {kRighe}},
      {"the compile stopped part way", {3, 65536}},
      {"a few rows only", {2}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    TempDir d;
    const auto destinazione = d / "R_linea.dat";
    scrivi(destinazione, "old");
    PlanWriter s(destinazione);
    // No temporary until there are rows to write.
    EXPECT_EQ(nomi_in(d.path()), std::vector<std::string>{"R_linea.dat"});
    for (size_t n : c.annunci) s.righe_definitive(*t, n);
    s.complete(t);
    auto file = s.take_file();
    ASSERT_TRUE(file);
    EXPECT_EQ(leggi(destinazione), "old");
    file->completa();
    EXPECT_TRUE(leggi(destinazione) == atteso);
    EXPECT_EQ(nomi_in(d.path()), std::vector<std::string>{"R_linea.dat"});
  }
}

TEST(PlanWriter, NoPlanNoFile) {
  TempDir d;
  PlanWriter s(d / "R_linea.dat");
  s.complete(std::nullopt);
  EXPECT_EQ(s.take_file(), nullptr);
  EXPECT_TRUE(nomi_in(d.path()).empty());
}

TEST(PlanWriter, DroppedOrUnwritableLeavesEverythingAsItWas) {
  const auto t = piano(100000);
  {
    TempDir d;
    scrivi(d / "R_linea.dat", "old");
    {
      PlanWriter s(d / "R_linea.dat");
      s.righe_definitive(*t, 65536);
      s.righe_definitive(*t, t->righe());
    }
    EXPECT_EQ(leggi(d / "R_linea.dat"), "old");
    EXPECT_EQ(nomi_in(d.path()), std::vector<std::string>{"R_linea.dat"});
  }
  {
    TempDir d;
    std::filesystem::create_directory(d / "R_linea.dat");
    PlanWriter s(d / "R_linea.dat");
    s.righe_definitive(*t, 65536);
    s.complete(t);
    try {
      s.take_file();
      ADD_FAILURE() << "a directory in place of the file was written over";
    } catch (const ErroreFile& e) {
      EXPECT_EQ(e.file(), d / "R_linea.dat");
    }
    EXPECT_EQ(nomi_in(d.path()), std::vector<std::string>{"R_linea.dat"});
  }
}

// A long plan already on its way to disk when the train half fails: no
// compiled file is put in place and no temporary stays.
TEST(PlanWriter, ACompileErrorAfterThePlanWritesNothing) {
  TempDir d;
  OpzioniPercorso o;
  o.sorgenti = {d / "R_linea.txt", d / "R_T-.txt", false};
  o.cartella_uscita = d.path();
  scrivi(o.sorgenti.linea, test::linea_con("curvad3,  1000,  500\r\n", 300000));
  scrivi(o.sorgenti.treno, test::treno_con("segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\n"
                                           "segnale, 1350, 1,4,1,0,0,2,2,1,0,0\r\n"));
  Modello m;
  m.nome_percorso = "R";
  m.nome_treno = "T";
  const EsitoPercorso esito = memorizza_percorso(m, o);
  EXPECT_EQ(esito.compilazione.codice, 16);
  ASSERT_TRUE(m.tabella_linea);
  EXPECT_GT(m.tabella_linea->righe(), 4 * size_t{GeometriaLinea::kRighePerAvviso});
  EXPECT_EQ(nomi_in(d.path()), (std::vector<std::string>{"R_T-.txt", "R_linea.txt"}));
}

}  // namespace
}  // namespace scen
