// scenc dump as its users run it: the embedded scenario's compiled files
// shown with known values, as text and as JSON; decoding reads back what the
// writer wrote; broken files and names are reported.
#include <gtest/gtest.h>

#include <limits>

#include <bit>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "model/byte_images.h"
#include "model/image_reader.h"
#include "test_support.h"

namespace scen {
namespace {

// A grid of two cells, cell 1 holding the format marker 5121 (01 14).
const std::string kDueCelle = std::string(16, '\0') + "\x01\x14" + std::string(12, '\0');

using nlohmann::json;

using test::Risultato;

const std::string kCelle = "Valcerra_Mosina_IR20588.dat";
const std::string kSim = "Valcerra_Mosina_IR20588.sim";
const std::string kLinea = "Valcerra_Mosina_linea.dat";

// Blanks collapsed, so that a line can be compared without its column widths.
std::string compatta(const std::string& s) {
  std::string r;
  std::istringstream in(s);
  for (std::string parola; in >> parola;) r += (r.empty() ? "" : " ") + parola;
  return r;
}

// The output line whose first word is `inizio`, compacted, and the line after it.
std::pair<std::string, std::string> riga(const std::string& out, const std::string& inizio) {
  std::istringstream in(out);
  for (std::string l; std::getline(in, l);)
    if (compatta(l).starts_with(inizio + " ")) {
      std::string dopo;
      std::getline(in, dopo);
      return {compatta(l), compatta(dopo)};
    }
  return {};
}

class DumpTest : public ::testing::Test {
 protected:
  test::TempDir dir;

  Risultato scenc(const std::string& argomenti) {
    return test::esegui(dir.path(), SCENC_PATH, argomenti, dir.path());
  }

  // The embedded scenario's sources, compiled into the three files.
  void compila_scenario() {
    ASSERT_EQ(scenc("sources --out .").stato, 0);
    const Risultato r = scenc("compile --route Valcerra_Mosina --train IR20588");
    ASSERT_EQ(r.stato, 0) << r.err;
  }
};

TEST_F(DumpTest, EmbeddedScenarioAsJson) {
  compila_scenario();
  const Risultato r = scenc("dump --json --rows 351 " + kCelle + " " + kSim + " " + kLinea);
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const json j = json::parse(r.out);
  ASSERT_EQ(j.size(), 3u);

  const json& celle = j[0];
  EXPECT_EQ(celle["file"], kCelle);
  EXPECT_EQ(celle["kind"], "grid");
  EXPECT_EQ(celle["cell_count"], 3241);
  EXPECT_EQ(celle["line_length_m"], 155000);
  EXPECT_EQ(celle["cell_1"]["format_marker"], 5121);
  EXPECT_EQ(celle["cell_1"]["check_code"], celle["cell_1"]["check_code_expected"]);
  std::map<int, json> oggetti;
  for (const json& o : celle["objects"]) oggetti[o["cell"].get<int>()] = o;
  const json& segnale = oggetti.at(311);
  EXPECT_EQ(segnale["kind"], "signal");
  EXPECT_EQ(segnale["metre"], 15550);
  EXPECT_EQ(segnale["at"], 15500);
  EXPECT_EQ(segnale["valore_1"], 42);
  EXPECT_EQ(segnale["valore_2"], 11);
  EXPECT_EQ(segnale["valore_4"], 8);
  EXPECT_EQ(segnale["fields"], json::parse(R"({"s1":4,"d1":2,"s2":1,"d2":1,"s3":0,"d3":0,"rapp":0,"sx":2,"dx":2,"tempo":0})"));
  EXPECT_EQ(segnale["approach_marks"], json::parse(R"([{"cell":309,"preavviso":81},{"cell":307,"preavviso":82},
                                                        {"cell":305,"preavviso":83},{"cell":303,"preavviso":84}])"));
  EXPECT_EQ(oggetti.at(2532)["kind"], "code_cut_down_point");
  EXPECT_EQ(oggetti.at(2532)["description"], "code cut-down point");
  EXPECT_EQ(oggetti.at(1)["kind"], "format_marker");
  EXPECT_EQ(oggetti.at(2532)["fields"]["code"], 180);
  EXPECT_EQ(oggetti.at(15)["fields"]["vas"], 95);
  EXPECT_EQ(oggetti.at(24)["text"], "(FINE ZONA   )(CADUTA MASSI)");  // record 80, from the .sim beside it
  EXPECT_EQ(celle["approach_marks"]["without_object"], json::array());
  EXPECT_EQ(celle["profiles"]["pendenza"][1], json::parse(R"({"from_cell":332,"to_cell":427,"from_m":16600,
                                                              "to_m":21400,"value":96,"per_mille":-4})"));

  const json& sim = j[1];
  EXPECT_EQ(sim["kind"], "records");
  const json& r85 = sim["records"][85];
  EXPECT_EQ(r85["testo"], "Valcerra_Mosina");
  EXPECT_EQ(r85["parametro_1"], 610);
  EXPECT_EQ(r85["orario"], sim["check_code_expected"]);
  EXPECT_EQ(sim["records"][22]["testo"], "Dolc\xC3\xA8");
  std::map<std::string, int> ruoli;
  for (const json& x : sim["records"]) ++ruoli[x["role"].get<std::string>()];
  EXPECT_EQ(ruoli["station"], 28);
  EXPECT_EQ(ruoli["text_board"], 47);
  EXPECT_EQ(ruoli["empty"], 6);  // record 0 and 29 .. 33

  const json& linea = j[2];
  EXPECT_EQ(linea["kind"], "plan");
  EXPECT_EQ(linea["row_count"], 162001);
  EXPECT_EQ(linea["first_rows"][0], json::parse(R"({"row":0,"x":{"type":"int16","value":0},"y":{"type":"int16","value":0}})"));
  EXPECT_EQ(linea["first_rows"][1], json::parse(R"({"row":1,"x":{"type":"int16","value":0},"y":{"type":"int16","value":1}})"));
  EXPECT_EQ(linea["first_rows"][2]["x"], json::parse(R"({"type":"double","value":0.0})"));
  EXPECT_EQ(linea["first_rows"][2]["y"]["value"].get<double>(), 2.0);
  EXPECT_EQ(linea["rows"][0]["x"]["value"].get<double>(), -0.003);
  EXPECT_EQ(linea["last_computed_row"]["row"], 161998);
  EXPECT_EQ(linea["empty_rows_at_end"], 2);
}

TEST_F(DumpTest, EmbeddedScenarioAsTables) {
  compila_scenario();
  const Risultato r = scenc("dump --rows 351:352 " + kCelle + " " + kSim + " " + kLinea);
  ASSERT_EQ(r.stato, 0) << r.err;
  const std::string& o = r.out;
  EXPECT_NE(o.find("cell grid: 3241 cells (0 .. 3240)"), std::string::npos);
  EXPECT_NE(o.find("line length: 155000 m"), std::string::npos);
  EXPECT_EQ(riga(o, "311").first,
            "311 15550 15500 signal 42 11 0 8 s1/d1 4/2, s2/d2 1/1, s3/d3 0/0, rapp 0, sx/dx 2/2, tempo 0");
  EXPECT_EQ(riga(o, "311").second, "approach marks in cells 309 307 305 303: 81 82 83 84");
  EXPECT_EQ(riga(o, "2532").first, "2532 126600 126600 code cut-down point 180 0 0 0 code 180");
  EXPECT_EQ(riga(o, "24").first, "24 1200 1150 text board 80 0 0 0 text_record 80 \"(FINE ZONA )(CADUTA MASSI)\"");
  EXPECT_EQ(riga(o, "1362").first, "");  // montagna without a mark is no object
  EXPECT_EQ(riga(o, "1365").first, "1365 68250 mountain mark 0 0 0 0");
  EXPECT_EQ(riga(o, "cells").first, "cells 0 .. 13 0 .. 700 m 55 km/h");
  EXPECT_NE(o.find("route \"Valcerra_Mosina\", format marker 610 (correct), check code 33588 (matches the names)"),
            std::string::npos);
  EXPECT_EQ(riga(o, "22").first, "22 12 117400 117200 117600 - 0 0/0/0 1/1/0/4/1/1 \"Dolc\xC3\xA8\"");
  EXPECT_EQ(o.find('\xE8'), std::string::npos);  // never the code page byte itself
  EXPECT_EQ(riga(o, "351").first, "351 double -0.0030000000000000001 double 351");
  EXPECT_EQ(riga(o, "352").first, "352 double -0.0090000000000000011 double 351.99999100000002");
  EXPECT_NE(o.find("empty rows at the end: 2 (161999 .. 162000)"), std::string::npos);
}

TEST_F(DumpTest, DecodingThenEncodingGivesTheSameBytes) {
  compila_scenario();
  const std::string celle = test::leggi(dir / kCelle);
  const std::string sim = test::leggi(dir / kSim);
  const std::string linea = test::leggi(dir / kLinea);
  EXPECT_EQ(celle.size(), 48615u);
  EXPECT_EQ(immagine_celle(leggi_immagine_celle(celle)), celle);
  EXPECT_EQ(immagine_dati_sim(leggi_immagine_dati_sim(sim)), sim);
  EXPECT_EQ(immagine_tabella_linea(leggi_immagine_tabella_linea(linea)), linea);
}

// JSON has no number for NaN or the infinities: they are named, with the
// 64 bits that read back the same value, payload and sign included.
TEST_F(DumpTest, JsonKeepsEveryDoubleBitForBit) {
  const double valori[] = {std::bit_cast<double>(uint64_t{0x7ff8000000000001}), -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::infinity(), -0.0, 0.1};
  TabellaLinea t;
  t.x.dimensiona(std::size(valori));
  t.y.dimensiona(std::size(valori));
  for (size_t r = 0; r < std::size(valori); ++r) t.x.metti_reale(r, valori[r]);
  test::scrivi(dir / "R_linea.dat", immagine_tabella_linea(t));
  const Risultato r = scenc("dump --json --rows 0:4 R_linea.dat");
  ASSERT_EQ(r.stato, 0) << r.err;
  const json righe = json::parse(r.out)[0]["rows"];
  ASSERT_EQ(righe.size(), std::size(valori));
  for (size_t i = 0; i < std::size(valori); ++i) {
    const json& x = righe[i]["x"];
    const double letto = x.contains("bits") ? std::bit_cast<double>(std::stoull(x["bits"].get<std::string>(), nullptr, 16))
                                            : x["value"].get<double>();
    EXPECT_EQ(std::bit_cast<uint64_t>(letto), std::bit_cast<uint64_t>(valori[i])) << i;
  }
  EXPECT_EQ(righe[0]["x"]["value"], "NaN");
  EXPECT_EQ(righe[1]["x"]["value"], "-Infinity");
}

TEST_F(DumpTest, EveryKindOfCellIsNamed) {
  std::vector<Cella> celle(40);
  celle[1].valore_1 = 5121;
  celle[1].valore_2 = 77;
  auto metti = [&](size_t i, uint8_t tipo, int16_t v1, int16_t v2, int16_t v3, int16_t v4) {
    celle[i].tipo = tipo;
    celle[i].valore_1 = v1;
    celle[i].valore_2 = v2;
    celle[i].valore_3 = v3;
    celle[i].valore_4 = v4;
  };
  metti(3, 5, 4, 4, 0, 0);
  metti(7, 4, 60, 10, 0, 0);
  metti(9, 3, 60, 10, 1, 0);
  metti(12, 2, 60, 10, 1, 0);
  metti(14, 6, 1414, 1515, 1616, 21);
  metti(16, 10, 3, 0, 0, 0);
  metti(18, 12, 75, 0, 0, 0);
  metti(20, 13, 0, 0, 0, 0);
  metti(22, 7, 1, 2, 3, 4);
  metti(25, 1, 30, -8, 0, 13);  // rapp 1, sx 1, dx 0; -8 = s2 -1, d2 2
  celle[25].tempo = 0;
  celle[30].preavviso = 44;  // points at cell 38, which holds nothing
  test::scrivi(dir / "R_T.dat", immagine_celle(celle));

  const Risultato r = scenc("dump R_T.dat");
  ASSERT_EQ(r.stato, 0) << r.err;
  const std::string& o = r.out;
  EXPECT_NE(o.find("cell 1: format marker 5121 (correct), check code 77\n"), std::string::npos);
  struct {
    const char* cella;
    const char* atteso;
  } casi[] = {
      {"1", "1 50 marker and check code 5121 77 0 0"},
      {"3", "3 150 pre-warning 4 4 0 0 step 4, d_v_step 4"},
      {"7", "7 350 300 slowdown warning point 60 10 0 0 v 60, d_v 10"},
      {"9", "9 450 400 slowdown start 60 10 1 0 v 60, d_v 10, f_tt 1"},
      {"12", "12 600 550 slowdown end 60 10 1 0 v 60, d_v 10, f_tt 1"},
      {"14", "14 700 650 speed indicator board 1414 1515 1616 21 vas/vad 70/70, vbs/vbd 75/75, vcs/vcd 80/80 km/h, "
             "strisces/strisced 2/1"},
      {"16", "16 800 station stop mark 3 0 0 0 station_record 3"},
      {"18", "18 900 900 code cut-down point 75 0 0 0 code 75"},
      {"20", "20 1000 1000 code point without code 0 0 0 0"},
      {"22", "22 1100 unknown kind 7 1 2 3 4"},
      {"25", "25 1250 1200 signal 30 -8 0 13 s1/d1 3/0, s2/d2 -1/2, s3/d3 0/0, rapp 1, sx/dx 1/0, tempo 0"},
  };
  for (const auto& c : casi) EXPECT_EQ(riga(o, c.cella).first, c.atteso);
  EXPECT_NE(o.find("with no signal or stop mark where they point: 30:44\n"), std::string::npos);
}

TEST_F(DumpTest, TextsAreShownAsUtf8AndCheckCodesVerified) {
  std::array<RecordSim, kNumeroRecord> d;
  d[80].testo = "a\x81" "b\x01\xE8\x80\"";
  d[85].testo = "R";
  d[86].testo = "T";
  d[85].parametro_1 = 610;
  d[85].orario = 1;
  test::scrivi(dir / "R_T.sim", immagine_dati_sim(d));

  Risultato r = scenc("dump R_T.sim");
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(riga(r.out, "80").first, "80 \"a\xEF\xBF\xBD" "b\\x01\xC3\xA8\xE2\x82\xAC\\\"\"");
  EXPECT_EQ(r.out.find('\x01'), std::string::npos);
  EXPECT_NE(r.out.find("check code 1 (the names give "), std::string::npos);
  EXPECT_EQ(riga(r.out, "records").first, "records 0 .. 79 empty");
  EXPECT_EQ(riga(r.out, "text").first, "text board: record 80");

  r = scenc("dump --json R_T.sim");
  ASSERT_EQ(r.stato, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j[0]["records"][80]["testo"], "a\xEF\xBF\xBD" "b\x01\xC3\xA8\xE2\x82\xAC\"");
  EXPECT_EQ(j[0]["records"][80]["role"], "text_board");
  EXPECT_NE(j[0]["check_code_expected"], 1);
}

TEST_F(DumpTest, BrokenFilesAreReportedAndTheOthersStillDumped) {
  std::array<RecordSim, kNumeroRecord> d;
  test::scrivi(dir / "R_T.sim", immagine_dati_sim(d).substr(0, 40));
  test::scrivi(dir / "R_T.dat", std::string(31, '\0'));
  test::scrivi(dir / "S_T.dat", kDueCelle);
  std::filesystem::create_directory(dir / "D_T.sim");
  // Named like small files: an endless device, and a sparse file larger
  // than the longest line's plan; neither is read.
  std::filesystem::create_symlink("/dev/zero", dir / "Z_T.dat");
  {
    test::scrivi(dir / "G_linea.dat", "");
    std::filesystem::resize_file(dir / "G_linea.dat", uintmax_t{2} << 30);
  }
  struct {
    std::string file, errore;
  } casi[] = {
      {"R_T.sim", "scenc: R_T.sim: corrupt or truncated at byte 39: truncated: fine needs 4 bytes, 1 left\n"},
      {"R_T.dat", "scenc: R_T.dat: corrupt or truncated at byte 30: truncated: the cell grid is 31 bytes, not a "
                  "multiple of 15\n"},
      {"X_T.sim", "scenc: X_T.sim: No such file or directory\n"},
      {"D_T.sim", "scenc: D_T.sim: Is a directory\n"},
      {"Z_T.dat", "scenc: Z_T.dat: not a regular file\n"},
      {"G_linea.dat", "scenc: G_linea.dat: 2147483648 bytes, larger than the largest one can be (20139964 bytes)\n"},
  };
  for (const auto& c : casi) {
    const Risultato r = scenc("dump " + c.file + " S_T.dat");
    EXPECT_EQ(r.stato, 1) << c.file;
    EXPECT_EQ(r.err, c.errore);
    EXPECT_NE(r.out.find("== S_T.dat (cell grid)\ncell grid: 2 cells"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("== " + c.file), std::string::npos);
  }
  const Risultato r = scenc("dump --json R_T.dat S_T.dat");
  EXPECT_EQ(r.stato, 1);
  const json j = json::parse(r.out);
  EXPECT_EQ(j[0]["error"], "corrupt or truncated at byte 30: truncated: the cell grid is 31 bytes, not a multiple of 15");
  EXPECT_EQ(j[0]["kind"], "grid");
  EXPECT_EQ(j[1]["cell_count"], 2);
}

// Files that decode but break a rule every compiled file obeys, alone or
// beside the general records of the same compile.
TEST_F(DumpTest, FilesThatBreakARuleAreCorrupt) {
  compila_scenario();
  const std::string celle = test::leggi(dir / kCelle);
  const std::string piano = test::leggi(dir / kLinea);
  std::string marcatore = celle, codice = celle;
  marcatore[16] = 2;
  codice[18] ^= 1;
  const struct {
    std::string contenuto, file, insieme, detto;
  } casi[] = {
      {"", "X_T.dat", "", "at byte 0: the cell grid is empty"},
      {"", "X_linea.dat", "", "at byte 0: the track plan has no rows"},
      {marcatore, "X_T.dat", "", "at byte 16: the format marker is 5122, not 5121"},
      {celle.substr(0, 30000), "Valcerra_Mosina_IR20588.dat", kSim,
       "at byte 30000: the grid has 2000 cells where the line of 155000 m (record 84 of the general records) takes 3241"},
      {codice, "Valcerra_Mosina_IR20588.dat", kSim, "at byte 18: the check code is"},
      {piano.substr(0, piano.size() - 4), "Valcerra_Mosina_linea.dat", kSim,
       "at byte 3239960: the plan has 162000 rows where the line of 155000 m (record 84 of the general records) takes "
       "162001"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.file + " " + c.detto);
    std::filesystem::create_directory(dir / "rotto");
    test::scrivi(dir / "rotto" / c.file, c.contenuto);
    if (!c.insieme.empty()) std::filesystem::copy_file(dir / c.insieme, dir / "rotto" / c.insieme,
                                                       std::filesystem::copy_options::overwrite_existing);
    const Risultato r = scenc("dump rotto/" + c.file + (c.insieme.empty() ? "" : " rotto/" + c.insieme));
    EXPECT_EQ(r.stato, 1);
    EXPECT_NE(r.err.find("scenc: rotto/" + c.file + ": corrupt or truncated " + c.detto), std::string::npos) << r.err;
    std::filesystem::remove_all(dir / "rotto");
  }
}

TEST_F(DumpTest, CommandLine) {
  test::scrivi(dir / "S_T.dat", kDueCelle);
  struct {
    std::string argomenti;
    int stato;
    std::string errore;
  } casi[] = {
      {"dump", 2, "FILE is required"},
      {"dump S_T.dat R_T.txt", 2, "scenc: R_T.txt: not a compiled file name"},
      {"dump S_T.dat R_T.txt", 2, "--kind grid, records or plan says it"},
      {"dump -", 2, "scenc: -: standard input has no name to tell what it holds; --kind"},
      {"dump --kind grid - -", 2, "scenc: - (standard input) can be read only once"},
      {"dump --kind cells S_T.dat", 2, "--kind: cells not in {grid,records,plan}"},
      {"dump --rows 5:2 S_T.dat", 2, "scenc: --rows 5:2: expected A:B"},
      {"dump --rows x S_T.dat", 2, "scenc: --rows x: expected A:B"},
  };
  for (const auto& c : casi) {
    const Risultato r = scenc(c.argomenti);
    EXPECT_EQ(r.stato, c.stato) << c.argomenti;
    EXPECT_NE(r.err.find(c.errore), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("=="), std::string::npos);
  }
}

// Standard input, a pipe or a redirected file, and a file whose name says
// nothing: --kind tells what they hold; a pipe is read no further than the
// largest grid can be.
TEST_F(DumpTest, StandardInputAndFilesNamedAnyhow) {
  test::scrivi(dir / "S_T.dat", kDueCelle);
  test::scrivi(dir / "griglia.bin", kDueCelle);
  const std::string scenc_path = SCENC_PATH;
  const auto in_shell = [&](const std::string& riga) { return test::esegui(dir.path(), "sh", "-c '" + riga + "'", dir.path()); };
  const struct {
    std::string riga;
    int stato;
    std::string nell_uscita, nell_errore;
  } casi[] = {
      {scenc_path + " dump --kind grid - < S_T.dat", 0, "== - (cell grid)\ncell grid: 2 cells", ""},
      {"cat S_T.dat | " + scenc_path + " dump --json --kind grid -", 0, "\"cell_count\": 2", ""},
      {scenc_path + " dump --kind grid griglia.bin", 0, "== griglia.bin (cell grid)", ""},
      {"head -c 302116 /dev/zero | " + scenc_path + " dump --kind grid -", 1, "",
       "scenc: -: more than 302115 bytes, larger than the largest one can be (302115 bytes)\n"},
      {scenc_path + " dump --kind records - < S_T.dat", 1, "", "scenc: -: corrupt or truncated"},
  };
  for (const auto& c : casi) {
    const Risultato r = in_shell(c.riga);
    EXPECT_EQ(r.stato, c.stato) << c.riga << "\n" << r.err;
    EXPECT_NE(r.out.find(c.nell_uscita), std::string::npos) << c.riga << "\n" << r.out;
    EXPECT_TRUE(r.err.starts_with(c.nell_errore)) << c.riga << "\n" << r.err;
  }
}

TEST_F(DumpTest, RowsOfTheTrackPlan) {
  compila_scenario();
  Risultato r = scenc("dump --rows 161999:162000 " + kLinea);
  EXPECT_EQ(r.stato, 0) << r.err;
  EXPECT_NE(r.out.find("rows 161999 .. 162000"), std::string::npos) << r.out;
  EXPECT_EQ(riga(r.out, "162000").first, "162000 empty empty");
  // Rows outside the plan, or no rows at all: a usage error with the plan's rows.
  for (const std::string rows : {"162001", "161999:170000", "0:4294967296"}) {
    r = scenc("dump --rows " + rows + " " + kLinea);
    EXPECT_EQ(r.stato, 2) << rows;
    EXPECT_EQ(r.err, "scenc: " + kLinea + ": --rows " + rows + ": the plan has rows 0 .. 162000\n");
    EXPECT_EQ(r.out, "") << rows;
  }
  r = scenc("dump --rows '' " + kLinea);
  EXPECT_EQ(r.stato, 2);
  EXPECT_NE(r.err.find("expected A:B"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace scen
