// scenc plot as its users run it: the picture of the embedded scenario in
// each format, and what happens with missing, corrupt and unwritable files.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <algorithm>

#include "test_support.h"
#include "tools/plot/plot_page.h"

namespace scenc::plot {
namespace {

namespace fs = std::filesystem;

using scen::test::Risultato;

const std::string kScenario = "--route Valcerra_Mosina --train IR20588";
const char* const kCompilati[] = {"Valcerra_Mosina_linea.dat", "Valcerra_Mosina_IR20588.sim",
                                  "Valcerra_Mosina_IR20588.dat"};

class ScencPlotTest : public ::testing::Test {
 protected:
  scen::test::TempDir dir;

  // The embedded scenario compiled into `c`.
  void SetUp() override {
    fs::create_directory(dir / "c");
    ASSERT_EQ(scenc("sources --out c").stato, 0);
    const Risultato r = scenc("compile " + kScenario + " --line c/Valcerra_Mosina_linea.txt "
                              "--train-file c/Valcerra_Mosina_IR20588-.txt --out c");
    ASSERT_EQ(r.stato, 0) << r.err;
  }

  Risultato scenc(const std::string& argomenti, const std::string& cartella = ".") {
    return scen::test::esegui(dir.path() / cartella, SCENC_PATH, argomenti, dir.path());
  }
};

// Pixels of a panel, inside its frame, that are not the white background.
long disegnati(cairo_surface_t* s, const Rettangolo& pannello) {
  const unsigned char* dati = cairo_image_surface_get_data(s);
  const int passo = cairo_image_surface_get_stride(s);
  long n = 0;
  for (int y = static_cast<int>(pannello.y) + 4; y < static_cast<int>(pannello.basso()) - 4; ++y)
    for (int x = static_cast<int>(pannello.x) + 4; x < static_cast<int>(pannello.destra()) - 4; ++x) {
      uint32_t px;
      std::memcpy(&px, dati + y * passo + x * 4, 4);
      if ((px & 0xFFFFFF) != 0xFFFFFF) ++n;
    }
  return n;
}

TEST_F(ScencPlotTest, PngOfTheEmbeddedScenarioFillsBothPanels) {
  const Risultato r = scenc("plot " + kScenario + " --dir c --out plot.png");
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_EQ(r.out, "wrote plot.png\n");
  EXPECT_EQ(r.err, "");

  cairo_surface_t* png = cairo_image_surface_create_from_png((dir / "plot.png").c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), kLarghezzaPagina);
  EXPECT_EQ(cairo_image_surface_get_height(png), kAltezzaPagina);
  const double pianta = kPannelloPianta.w * kPannelloPianta.h;
  const double profilo = kPannelloProfilo.w * kPannelloProfilo.h;
  // The track with its names and marks; the charts, lanes and labels.
  EXPECT_GT(disegnati(png, kPannelloPianta), pianta * 0.01);
  EXPECT_GT(disegnati(png, kPannelloProfilo), profilo * 0.10);
  cairo_surface_destroy(png);
  // Written whole: nothing but the picture joins the files.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 4);
}

TEST_F(ScencPlotTest, TheFileEndingChoosesTheFormat) {
  struct {
    std::string file, cartella, dir, inizio;
  } casi[] = {
      {"plot.svg", ".", "c", "<?xml"},
      {"plot.PDF", ".", "c", "%PDF-"},
      {"../plot.pdf", "c", ".", "%PDF-"},  // the files in the current directory
  };
  for (const auto& c : casi) {
    const Risultato r = scenc("plot " + kScenario + " --dir " + c.dir + " --out " + c.file, c.cartella);
    ASSERT_EQ(r.stato, 0) << c.file << ": " << r.err;
    const std::string byte = scen::test::leggi(dir.path() / c.cartella / c.file);
    EXPECT_TRUE(byte.starts_with(c.inizio)) << c.file;
    EXPECT_GT(byte.size(), 20000u) << c.file;
  }
  EXPECT_NE(scen::test::leggi(dir / "plot.svg").find("<svg"), std::string::npos);

  // --format decides whatever the name; with --out - the picture alone
  // goes to standard output.
  Risultato r = scenc("plot " + kScenario + " --dir c --format png --out picture");
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_TRUE(scen::test::leggi(dir / "picture").starts_with("\x89PNG"));
  r = scenc("plot " + kScenario + " --dir c --format svg --out -");
  ASSERT_EQ(r.stato, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("<?xml")) << r.out.substr(0, 100);
  EXPECT_NE(r.out.find("</svg>"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "-"));
}

// The texts of an SVG picture: the contents of its <text> elements.
std::vector<std::string> testi_svg(const std::string& svg) {
  std::vector<std::string> out;
  for (size_t p = svg.find("<text "); p != std::string::npos; p = svg.find("<text ", p + 1)) {
    const size_t inizio = svg.find('>', p) + 1;
    out.push_back(svg.substr(inizio, svg.find("</text>", inizio) - inizio));
  }
  return out;
}

bool contiene(const std::vector<std::string>& testi, const std::string& t) {
  return std::find(testi.begin(), testi.end(), t) != testi.end();
}

TEST_F(ScencPlotTest, TheSvgKeepsItsTextsAsText) {
  ASSERT_EQ(scenc("plot " + kScenario + " --dir c --out plot.svg").stato, 0);
  const std::string svg = scen::test::leggi(dir / "plot.svg");
  const std::vector<std::string> testi = testi_svg(svg);
  // Names, a station's time and stop, the signal kinds' legend, a board's
  // lettering, escaped as XML wants; no text drawn again as glyph outlines.
  for (const char* t : {"Valcerra_Mosina \u00b7 train IR20588", "TRENTO", "Dolc\u00e8", "10:32:00 \u00b7 stop 60 s",
                        "signal sx 2 \u00b7 dx 2", "signal sx 1 \u00b7 dx 0", "P.L. Km. 90.233", "Code points \u00b7 1",
                        "code cut-down point written in the source (code)"})
    EXPECT_TRUE(contiene(testi, t)) << t;
  EXPECT_EQ(svg.find("glyph"), std::string::npos);
  for (const std::string& t : testi) EXPECT_EQ(t.find_first_of("<>"), std::string::npos) << t;
}

TEST_F(ScencPlotTest, AStretchOfTheLineInItsKilometres) {
  // The embedded line's progressive falls from km 150.3 at its start.
  ASSERT_EQ(scenc("plot " + kScenario + " --dir c --from 110 --to 100 --out a.svg").stato, 0);
  ASSERT_EQ(scenc("plot " + kScenario + " --dir c --from 100 --to 110 --out b.svg").stato, 0);
  const std::string svg = scen::test::leggi(dir / "a.svg");
  EXPECT_EQ(svg, scen::test::leggi(dir / "b.svg"));
  const std::vector<std::string> testi = testi_svg(svg);
  EXPECT_TRUE(contiene(testi, "Lavis"));         // at km 103.9
  EXPECT_FALSE(contiene(testi, "TRENTO"));       // at km 95.9
  EXPECT_FALSE(contiene(testi, "Mezzocorona"));  // at km 111.3
  EXPECT_TRUE(contiene(testi, "Stations \u00b7 1"));
  EXPECT_NE(svg.find("drawn: km 110.000 to km 100.000"), std::string::npos);

  struct {
    std::string argomenti, errore;
  } casi[] = {
      {"--from 200 --to 110", "the stretch km 200.000 to km 110.000 is not within the line, which runs from km 150.300 to km -4.700"},
      {"--from 100 --to 100", "the stretch km 100.000 to km 100.000 is empty; the line runs from km 150.300 to km -4.700"},
      {"--from 100", "--from requires --to"},
      {"--to 100", "--to requires --from"},
      {"--from x --to 100", "Could not convert: --from = x"},
  };
  for (const auto& c : casi) {
    const Risultato r = scenc("plot " + kScenario + " --dir c " + c.argomenti + " --out d.png");
    EXPECT_EQ(r.stato, 2) << c.argomenti;
    EXPECT_NE(r.err.find(c.errore), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "d.png"));
  }
}

TEST_F(ScencPlotTest, MissingAndCorruptFilesAreNamed) {
  struct {
    int file;
    std::string danno;  // "" removes the file; otherwise replaces its first bytes
    bool accoda;
    std::string atteso;
  } casi[] = {
      {0, "", false, "Valcerra_Mosina_linea.dat: No such file or directory"},
      {1, "", false, "Valcerra_Mosina_IR20588.sim: No such file or directory"},
      {2, "", false, "Valcerra_Mosina_IR20588.dat: No such file or directory"},
      {0, std::string("\x07\x00", 2), false, "Valcerra_Mosina_linea.dat: corrupt at byte 0: unknown slot type 7"},
      {1, "x", true, "Valcerra_Mosina_IR20588.sim: corrupt at byte 4540: 1 bytes after record 86"},
      {2, "x", true, "Valcerra_Mosina_IR20588.dat: corrupt at byte 48615: truncated"},
  };
  for (const auto& c : casi) {
    fs::remove_all(dir / "d");
    fs::copy(dir / "c", dir / "d");
    const fs::path f = dir / "d" / kCompilati[c.file];
    if (c.danno.empty()) {
      fs::remove(f);
    } else {
      std::string byte = scen::test::leggi(f);
      if (c.accoda)
        byte += c.danno;
      else
        byte.replace(0, c.danno.size(), c.danno);
      scen::test::scrivi(f, byte);
    }
    const Risultato r = scenc("plot " + kScenario + " --dir d --out plot.png");
    EXPECT_EQ(r.stato, 1) << c.atteso;
    EXPECT_EQ(r.err.rfind("scenc: cannot read d/" + c.atteso, 0), 0u) << r.err;
    EXPECT_FALSE(fs::exists(dir / "plot.png"));
  }
}

TEST_F(ScencPlotTest, UsageErrors) {
  for (const char* argomenti : {
           "--dir c --out plot.jpg",
           "--dir c --out plot",
           "--dir c --out png",
           "--dir c --out -",
           "--dir c",
       }) {
    const Risultato r = scenc("plot " + kScenario + " " + std::string(argomenti));
    EXPECT_EQ(r.stato, 2) << argomenti;
    EXPECT_NE(r.err.find("--out"), std::string::npos) << r.err;
  }
  EXPECT_EQ(scenc("plot --route a/b --train IR20588 --dir c --out plot.png").stato, 2);
  EXPECT_FALSE(fs::exists(dir / "plot.jpg"));
  EXPECT_FALSE(fs::exists(dir / "plot"));
}

TEST_F(ScencPlotTest, AnOutputThatCannotBeWrittenKeepsWhatWasThere) {
  Risultato r = scenc("plot " + kScenario + " --dir c --out missing/plot.png");
  EXPECT_EQ(r.stato, 3);
  EXPECT_EQ(r.err, "scenc: cannot write missing/plot.png: No such file or directory\n");

  fs::create_directory(dir / "plot.svg");
  r = scenc("plot " + kScenario + " --dir c --out plot.svg");
  EXPECT_EQ(r.stato, 3);
  EXPECT_EQ(r.err, "scenc: cannot write plot.svg: Is a directory\n");
  EXPECT_TRUE(fs::is_directory(dir / "plot.svg"));
}

}  // namespace
}  // namespace scenc::plot
