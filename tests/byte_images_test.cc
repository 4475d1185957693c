#include "model/byte_images.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/stamping.h"
#include "writer/compiled_writer.h"
#include "test_support.h"

namespace scen {
namespace {

// "01 2a 00 ..." for a byte range, so that a difference reads as bytes.
std::string esadecimale(std::string_view b) {
  std::string r;
  for (unsigned char c : b) {
    char t[4];
    std::snprintf(t, sizeof t, "%02x ", c);
    r += t;
  }
  if (!r.empty()) r.pop_back();
  return r;
}

std::string esadecimale(const std::string& b, size_t da, size_t n) {
  return esadecimale(std::string_view(b).substr(da, n));
}

TEST(CellImage, SignalOfTheWorkedExample) {
  const test::Compilato c = test::compila(
      test::linea_con(""), test::treno_con("segnale,   15500,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\n"));
  ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
  const std::string img = immagine_celle(*c.m.celle);
  ASSERT_EQ(img.size(), (c.m.ultima_cella + 1u) * kByteCella);

  // Cell 311 starts at byte 311 x 15 = 4665.
  EXPECT_EQ(esadecimale(img, 4665, 10), "01 2a 00 0b 00 00 00 08 00 00");
  const std::pair<size_t, unsigned char> segni[] = {{309, 81}, {307, 82}, {305, 83}, {303, 84}};
  for (const auto& [cella, segno] : segni)
    EXPECT_EQ(static_cast<unsigned char>(img[cella * kByteCella + 10]), segno) << "cell " << cella;
  EXPECT_EQ(img[310 * kByteCella + 10], 0);
  EXPECT_EQ(img[301 * kByteCella + 10], 0);
}

TEST(CellImage, FieldOrderAndLittleEndian) {
  Cella c;
  c.tipo = 0xfe;
  c.valore_1 = 5121;
  c.valore_2 = -2;
  c.valore_3 = 0x1234;
  c.valore_4 = -32768;
  c.tempo = 101;
  c.preavviso = 84;
  c.montagna = 3;
  c.vel_limite = 20;
  c.pendenza = 96;
  c.aderenza = 100;
  EXPECT_EQ(esadecimale(immagine_celle({Cella{}, c})),
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
            "fe 01 14 fe ff 34 12 00 80 65 54 03 14 60 64");
}

TEST(SimImage, MezzocoronaStationRecord) {
  const test::Compilato c = test::compila(
      test::linea_con("", 50000),
      test::treno_con("[stazioni]\r\n"
                      "stazione,   38700, 12,  600,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
                      "Mezzocorona\r\n"));
  ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
  const RecordSim& r = c.m.dati_sim[1];
  EXPECT_EQ(r.inizio, 38400);
  EXPECT_EQ(r.fine, 39000);

  const std::string img = immagine_dati_sim(c.m.dati_sim);
  // Record 0 is empty: 34 zero bytes, then record 1.
  EXPECT_EQ(img.substr(0, kByteRecordFissi), std::string(kByteRecordFissi, '\0'));
  EXPECT_EQ(esadecimale(img, kByteRecordFissi, 45),
            "0c 00 96 00 00 58 98 00 00 2c 97 00 00 00 0b 00 4d 65 7a 7a 6f 63 6f 72 6f 6e 61 "
            "01 00 01 00 04 00 01 00 01 00 00 00 00 00 00 00 00 00");
}

TEST(SimImage, AccentedNameTakesOneBytePerLetter) {
  const test::Compilato c = test::compila(
      test::linea_con("", 120000),
      test::treno_con("[stazioni]\r\n"
                      "stazione,  117400, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
                      "Dolc\xe8\r\n"));
  ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
  EXPECT_EQ(c.m.dati_sim[1].testo, "Dolc\xe8");

  const std::string img = immagine_dati_sim(c.m.dati_sim);
  const size_t r1 = kByteRecordFissi;
  EXPECT_EQ(esadecimale(img, r1 + 14, 7), "05 00 44 6f 6c 63 e8");
  // Record 2 follows after 34 + 5 bytes and is empty.
  EXPECT_EQ(img.substr(r1 + 39, kByteRecordFissi), std::string(kByteRecordFissi, '\0'));
}

TEST(SimImage, SizeIsFixedPartPlusTexts) {
  std::array<RecordSim, kNumeroRecord> dati{};
  EXPECT_EQ(immagine_dati_sim(dati), std::string(87 * kByteRecordFissi, '\0'));
  dati[80].testo = "STOP";
  dati[85].testo = "Valcerra_Mosina";
  dati[85].parametro_1 = 610;
  dati[86].testo = "IR20588";
  const std::string img = immagine_dati_sim(dati);
  ASSERT_EQ(img.size(), 2958u + 4 + 15 + 7);
  // Record 85 follows records 0..84, of which only record 80 has a text.
  const size_t r85 = 85 * kByteRecordFissi + 4;
  EXPECT_EQ(esadecimale(img, r85 + 14, 2), "0f 00");
  EXPECT_EQ(esadecimale(img, r85 + 16 + 15, 2), "62 02");
}

// The three images of a compiled line of length L, written to files.
TEST(CompiledFiles, SizesForTheScenarioLength) {
  test::Compilato c = test::compila(test::linea_con("", 155000), test::treno_con(""));
  ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
  ASSERT_EQ(c.m.lunghezza_totale, 162000);
  ASSERT_EQ(c.m.ultima_cella, 3240);
  ASSERT_EQ(timbra(c.m), 0);

  test::TempDir dir;
  const auto scritti = scrivi_compilati(c.m, dir.path());
  const NomiCompilati nomi = nomi_compilati(dir.path(), c.m);
  ASSERT_EQ(scritti.size(), 3u);

  EXPECT_EQ(std::filesystem::file_size(nomi.dat), 48615u);
  size_t testi = 0;
  for (const RecordSim& r : c.m.dati_sim) testi += r.testo.size();
  EXPECT_EQ(testi, 2u);  // the names "R" and "T"
  EXPECT_EQ(std::filesystem::file_size(nomi.sim), 2958u + testi);

  const std::string linea = test::leggi(nomi.linea_dat);
  ASSERT_EQ(linea.size(), 3239964u);
  const size_t colonna = 10 * 162000 - 18;
  // x: rows 0 and 1 integer 0, row 2 the double 0.0.
  EXPECT_EQ(esadecimale(linea, 0, 18),
            "02 00 00 00 02 00 00 00 05 00 00 00 00 00 00 00 00 00");
  // y: rows 0 and 1 integers 0 and 1, row 2 the double 2.0.
  EXPECT_EQ(esadecimale(linea, colonna, 18),
            "02 00 00 00 02 00 01 00 05 00 00 00 00 00 00 00 00 40");
  // Rows M - 1 and M of each column are empty.
  EXPECT_EQ(esadecimale(linea, colonna - 4, 4), "00 00 00 00");
  EXPECT_EQ(esadecimale(linea, 2 * colonna - 4, 4), "00 00 00 00");
  EXPECT_EQ(esadecimale(linea, colonna - 14, 2), "05 00");  // row M - 2 is a double
}

TEST(CompiledFiles, LastCellRoundsHalfToEven) {
  const std::pair<int, int> casi[] = {{155000, 3240}, {155025, 3240}, {155075, 3242}};
  for (const auto& [lunghezza, ultima] : casi) {
    SCOPED_TRACE(lunghezza);
    const test::Compilato c =
        test::compila(test::linea_con("", lunghezza), test::treno_con(""), /*j=*/0);
    ASSERT_EQ(c.diagnostica.codice, 0) << c.diagnostica.messaggio;
    EXPECT_EQ(c.m.ultima_cella, ultima);
    EXPECT_EQ(immagine_celle(*c.m.celle).size(), (ultima + 1u) * 15);
    EXPECT_FALSE(c.m.tabella_linea.has_value());
  }
}

}  // namespace
}  // namespace scen
