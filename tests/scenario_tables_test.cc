// Checks of the embedded scenario tables in sources/scenario: counts, value
// distributions, column layouts, sample lines, the timetable sheet's layout and
// its agreement with the train file, and the placement rules that the compiler
// enforces on the cell grid (so that the scenario compiles without an error).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#ifndef SCENARIO_DIR
#error "SCENARIO_DIR must name the directory of the scenario tables"
#endif

namespace {

using Lines = std::vector<std::string>;

std::string read_bytes(const std::string& name) {
  std::ifstream in(std::string(SCENARIO_DIR) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// One entry per LF-terminated line; a missing final LF leaves a partial line.
Lines read_lines(const std::string& name) {
  const std::string text = read_bytes(name);
  Lines out;
  std::string cur;
  for (char c : text) {
    if (c == '\n') {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(cur + "<no final LF>");
  return out;
}

const Lines& file(const std::string& name) {
  static std::map<std::string, Lines> cache;
  auto it = cache.find(name);
  if (it == cache.end()) it = cache.emplace(name, read_lines(name)).first;
  return it->second;
}

// Characters, not bytes: the tables are UTF-8 and the writer emits one byte each.
size_t chars(const std::string& s) {
  return std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; });
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> out(1);
  for (char c : s) {
    if (c == sep) out.emplace_back();
    else out.back() += c;
  }
  return out;
}

std::string trim(const std::string& s) {
  const auto a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

bool starts(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }

// Numbers after the keyword of a data line.
std::vector<long> nums(const std::string& line) {
  std::vector<long> v;
  const auto f = split(line, ',');
  for (size_t i = 1; i < f.size(); ++i) v.push_back(std::stol(f[i]));
  return v;
}

Lines kind(const std::string& name, const std::string& keyword) {
  Lines out;
  for (const auto& l : file(name))
    if (starts(l, keyword + ",")) out.push_back(l);
  return out;
}

// Lengths of the blank runs that follow each comma.
std::vector<int> blank_runs(const std::string& line) {
  std::vector<int> v;
  const auto f = split(line, ',');
  for (size_t i = 1; i < f.size(); ++i) v.push_back(static_cast<int>(f[i].find_first_not_of(' ')));
  return v;
}

std::string km(long pos) {
  char b[16];
  std::snprintf(b, sizeof b, "%.3f", (150300 - pos) / 1000.0);
  return b;
}

// ASCII and Latin-1 lower-case letters (two-byte UTF-8, lead byte C3) to upper case.
std::string upper(std::string s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= 'a' && s[i] <= 'z') s[i] -= 32;
    if (s[i] == '\xC3' && i + 1 < s.size() && (unsigned char)s[i + 1] >= 0xA0 &&
        (unsigned char)s[i + 1] != 0xB7)
      s[i + 1] -= 0x20;
  }
  return s;
}

long cell(double q) { return std::lrint(q); }  // the default rounding mode is half to even

struct Station {
  std::vector<long> v;  // the sixteen numbers
  std::string name;
  long pos() const { return v[0]; }
  long tipo() const { return v[1]; }
  long len() const { return v[2]; }
};

std::vector<Station> stations() {
  std::vector<Station> out;
  for (const auto& l : kind("treno.txt", "stazione")) {
    const auto f = split(l, ',');
    Station s;
    for (size_t i = 1; i <= 16; ++i) s.v.push_back(std::stol(f[i]));
    s.name = f[17].substr(1);
    out.push_back(s);
  }
  return out;
}

template <class T>
std::map<T, int> tally(const std::vector<T>& v) {
  std::map<T, int> m;
  for (const auto& x : v) ++m[x];
  return m;
}

std::vector<long> column(const Lines& lines, size_t i) {
  std::vector<long> v;
  for (const auto& l : lines) v.push_back(nums(l).at(i));
  return v;
}

const std::vector<std::pair<long, long>> kSpeedProfile = {
    {0, 55},       {700, 105},    {1400, 150},   {16550, 125},  {18500, 150},
    {31800, 140},  {39150, 125},  {41750, 140},  {52950, 75},   {56400, 135},
    {58050, 150},  {74700, 140},  {79550, 135},  {83000, 115},  {83800, 150},
    {95600, 115},  {118200, 170}, {127050, 115}, {146050, 30}};

}  // namespace

TEST(ScenarioFiles, LineCountsAndTermination) {
  const std::vector<std::pair<std::string, size_t>> cases = {
      {"linea.txt", 190}, {"treno.txt", 140}, {"scheda_treno.txt", 202},
      {"note.txt", 53},   {"rallentamenti.txt", 4}};
  for (const auto& [name, count] : cases) {
    const std::string bytes = read_bytes(name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes.back(), '\n') << name;
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << name;
    EXPECT_EQ(bytes.find("riferimento fine del file"), std::string::npos) << name;
    EXPECT_EQ(file(name).size(), count) << name;
  }
  EXPECT_EQ(read_bytes("rallentamenti.txt"),
            "\n\n\n" + std::string(18, ' ') + "NESSUNA PRESCRIZIONE\n");
}

TEST(ScenarioFiles, SampleLinesPresent) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"linea.txt", "lunghezza percorso,    155000"},
      {"linea.txt", "progressiva chilometrica uno,    0,    150300,    1"},
      {"linea.txt", "progressiva chilometrica due,    0,    0,    0"},
      {"linea.txt", "progressiva chilometrica tre,    0,    0,    0"},
      {"linea.txt", "sfondo uno,    123000"},
      {"linea.txt", "sfondo due,    0"},
      {"linea.txt", "sfondo tre,    1"},
      {"linea.txt", "ripetizione segnali 4 codici,    0,    143000"},
      {"linea.txt", "curvas6,  350,  100"},
      {"linea.txt", "curvad4,  550,  200"},
      {"linea.txt", "curvad2,  69300,  2000"},
      {"linea.txt", "pendenza,   0,    0"},
      {"linea.txt", "pendenza,  16600,   -4"},
      {"linea.txt", "pendenza,  21400,   0"},
      {"linea.txt", "montagna,   68100,  69300,  11"},
      {"linea.txt", "montagna,   119200,  123500,  11"},
      {"linea.txt", "indicatori_vmax,  700,  95,  100,  105,  0,  95,  100,  105,  0"},
      {"linea.txt", "indicatori_vmax,  51150,  70,  75,  75,  2,  70,  75,  75,  2"},
      {"linea.txt", "cartello_indicatore,  1150,   (FINE ZONA   )(CADUTA MASSI)"},
      {"linea.txt", "cartello_indicatore,  9550,   (P.L.       )(Km. 140.791)"},
      {"linea.txt", "cartello_indicatore,  142600,   (FINE ZONA )(CODIFICATA)(//        )"},
      {"treno.txt", "segnale,   15500,   2, 4, 1,  0, 0,    2,  2,1,0, 0"},
      {"treno.txt", "segnale,   19900,   1, 4, 1,  0, 0,    1,  3,1,0, 0"},
      {"treno.txt", "segnale,   50250,   1, 4, 1,  1, 0,    1,  1,1,1, 0"},
      {"treno.txt", "segnale,  144550,   2, 3, 4,  1, 0,    2,  2,1,1, 0"},
      {"treno.txt", "stazione,   55500, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,   60,  10,32, 0, TRENTO"},
      {"treno.txt", "stazione,   89450, 22,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, "
                    "Serravalle all'Adige"},
      {"treno.txt", "stazione,  143700, 25,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, "
                    "Bivio S.Massimo"},
      {"treno.txt", "stazione,   38700, 12,  600,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
                    "Mezzocorona"},
      {"scheda_treno.txt",
       " | 105 |     | 149.550  | 105 |  deviatoio di uscita       |     09.58      |     |"},
      {"scheda_treno.txt",
       " | 150 |     | 148.900  | 130 |  Km 148.900                |     09.58+     |     |"},
      {"scheda_treno.txt",
       " |     |     | 111.600  |     |  MEZZOCORONA               |     10.18      | 0.5 |"},
      {"scheda_treno.txt",
       " |     |     |  71.200  |     |  ROVERETO                  | 10.46    10.47 | 0.5 |"},
  };
  for (const auto& [name, line] : cases) {
    const auto& l = file(name);
    EXPECT_NE(std::find(l.begin(), l.end(), line), l.end()) << name << ": " << line;
  }
}

TEST(LineFile, SectionsAndKindCounts) {
  const auto& l = file("linea.txt");
  Lines headers;
  for (const auto& x : l)
    if (starts(x, "[")) headers.push_back(x);
  EXPECT_EQ(headers, (Lines{"[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]",
                            "[indicazioni]", "[fine]"}));
  EXPECT_EQ(l.front(), "[generale]");
  EXPECT_EQ(l.back(), "[fine]");
  EXPECT_EQ(l.at(9), "[curve]");  // eight general lines in between
  const std::vector<std::pair<std::string, size_t>> counts = {
      {"pendenza", 22}, {"montagna", 2}, {"indicatori_vmax", 23}, {"cartello_indicatore", 47}};
  for (const auto& [k, n] : counts) EXPECT_EQ(kind("linea.txt", k).size(), n) << k;
  size_t curves = 0;
  for (const auto& x : l) curves += starts(x, "curva");
  EXPECT_EQ(curves, 81u);
}

TEST(LineFile, BlankRunsBeforeValues) {
  const auto& l = file("linea.txt");
  for (size_t i = 1; i <= 8; ++i)
    for (int b : blank_runs(l[i])) EXPECT_EQ(b, 4) << l[i];
  const std::vector<std::pair<std::string, std::vector<int>>> cases = {
      {"curva", {2, 2}},
      {"pendenza", {2, 3}},
      {"montagna", {3, 2, 2}},
      {"indicatori_vmax", std::vector<int>(9, 2)},
      {"cartello_indicatore", {2, 3}}};
  for (const auto& [k, runs] : cases)
    for (const auto& x : l) {
      if (!starts(x, k) || x == "pendenza,   0,    0") continue;
      EXPECT_EQ(blank_runs(x), runs) << x;
    }
  EXPECT_EQ(kind("linea.txt", "pendenza").front(), "pendenza,   0,    0");
}

TEST(LineFile, CurvesGradientsAndMountains) {
  std::map<std::string, int> classes;
  long prev_end = 0;
  for (const auto& x : file("linea.txt")) {
    if (!starts(x, "curva")) continue;
    classes[x.substr(5, 2)]++;
    const auto v = nums(x);
    EXPECT_GE(v[0], prev_end) << x;  // ascending, no overlap
    prev_end = v[0] + v[1];
    EXPECT_LT(prev_end, 155000) << x;
  }
  EXPECT_EQ(classes, (std::map<std::string, int>{{"s2", 1}, {"s3", 11}, {"s4", 26}, {"s5", 1},
                                                 {"s6", 2}, {"d2", 2}, {"d3", 4}, {"d4", 29},
                                                 {"d5", 4}, {"d6", 1}}));
  const auto grad = kind("linea.txt", "pendenza");
  ASSERT_GE(grad.size(), 3u);
  EXPECT_EQ(nums(grad[1]), (std::vector<long>{16600, -4}));
  EXPECT_EQ(nums(grad[2]), (std::vector<long>{21400, 0}));
  for (size_t i = 1; i < grad.size(); ++i) {
    EXPECT_GT(nums(grad[i])[0], nums(grad[i - 1])[0]) << grad[i];
    EXPECT_NE(nums(grad[i])[1], nums(grad[i - 1])[1]) << grad[i];
  }
}

TEST(LineFile, IndicatorBoardsAndTextBoards) {
  long prev = -1;
  for (const auto& x : kind("linea.txt", "indicatori_vmax")) {
    const auto v = nums(x);
    ASSERT_EQ(v.size(), 9u) << x;
    EXPECT_GT(v[0], prev) << x;
    prev = v[0];
    for (int i : {1, 2, 3}) {
      EXPECT_EQ(v[i] % 5, 0) << x;
      EXPECT_TRUE(v[i] >= 70 && v[i] <= 170) << x;
    }
    EXPECT_TRUE(v[4] >= 0 && v[4] <= 2) << x;
    EXPECT_EQ(std::vector<long>(v.begin() + 1, v.begin() + 5),
              std::vector<long>(v.begin() + 5, v.end()))
        << x;
  }
  prev = -1;
  for (const auto& x : kind("linea.txt", "cartello_indicatore")) {
    const auto f = split(x, ',');
    ASSERT_EQ(f.size(), 3u) << x;
    EXPECT_GT(std::stol(f[1]), prev) << x;
    prev = std::stol(f[1]);
    const std::string text = trim(f[2]);
    ASSERT_TRUE(starts(text, "(") && text.back() == ')') << x;
    const auto groups = split(text.substr(1, text.size() - 2), ')');
    EXPECT_TRUE(groups.size() >= 1 && groups.size() <= 3) << x;
    const size_t width = chars(groups[0]);
    EXPECT_TRUE(width >= 8 && width <= 12) << x;
    for (size_t i = 0; i < groups.size(); ++i) {
      const std::string g = i ? groups[i].substr(1) : groups[i];  // drop the '(' of the next group
      EXPECT_TRUE(i == 0 || starts(groups[i], "(")) << x;
      EXPECT_EQ(chars(g), width) << x;
    }
  }
}

TEST(TrainFile, FixedLinesAndKindCounts) {
  const auto& t = file("treno.txt");
  const std::vector<std::pair<size_t, std::string>> fixed = {
      {0, "[generale]"},
      {1, "numero vetture,    12"},
      {2, "percentuale massa frenata,    130"},
      {3, "sabbia,    300"},
      {4, "orologio,    9               56            20 "},
      {5, "[aderenze]"},
      {6, "aderenza,   0,    100"},
      {7, "[vel_limite]"},
      {27, "[stazioni]"},
      {56, "[rallentamenti]"},
      {57, "[segnali]"},
      {137, "[codici]"},
      {138, "abbattimento,  126600,   180"},
      {139, "[fine]"}};
  for (const auto& [i, line] : fixed) EXPECT_EQ(t.at(i), line) << "line " << i;
  const std::vector<std::pair<std::string, size_t>> counts = {
      {"velocita", 19}, {"aderenza", 1}, {"stazione", 28}, {"segnale", 79}, {"abbattimento", 1}};
  for (const auto& [k, n] : counts) EXPECT_EQ(kind("treno.txt", k).size(), n) << k;
  std::vector<std::pair<long, long>> profile;
  for (const auto& x : kind("treno.txt", "velocita")) profile.emplace_back(nums(x)[0], nums(x)[1]);
  EXPECT_EQ(profile, kSpeedProfile);
}

TEST(TrainFile, ColumnLayout) {
  const std::vector<std::pair<std::string, std::vector<size_t>>> cases = {
      {"aderenza", {4, 7}},
      {"velocita", {8, 6}},
      {"abbattimento", {8, 6}},
      {"segnale", {8, 4, 2, 2, 3, 2, 5, 3, 1, 1, 2}},
      {"stazione", {8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2}}};
  for (const auto& [k, widths] : cases)
    for (const auto& x : kind("treno.txt", k)) {
      const auto f = split(x, ',');
      for (size_t i = 0; i < widths.size(); ++i) {
        const std::string& field = f.at(i + 1);
        EXPECT_EQ(field.size(), widths[i]) << x << " field " << i + 1;
        EXPECT_EQ(field.find(' ', field.find_first_not_of(' ')), std::string::npos) << x;
      }
      if (k == "stazione") {
        ASSERT_EQ(f.size(), 18u) << x;
        EXPECT_TRUE(f[17].size() > 1 && f[17][0] == ' ' && f[17][1] != ' ') << x;
      } else {
        EXPECT_EQ(f.size(), widths.size() + 1) << x;
      }
    }
}

TEST(TrainFile, StationValues) {
  const auto st = stations();
  ASSERT_EQ(st.size(), 28u);
  auto col = [&](size_t i) {
    std::vector<long> v;
    for (const auto& s : st) v.push_back(s.v[i]);
    return v;
  };
  EXPECT_EQ(tally(col(1)), (std::map<long, int>{{2, 1}, {11, 2}, {12, 17}, {22, 4}, {24, 2},
                                                {25, 1}, {27, 1}}));
  EXPECT_EQ(st.back().tipo(), 2);
  EXPECT_EQ(col(6), col(7));                      // parametro_2 = parametro_1
  EXPECT_EQ(tally(col(6)), (std::map<long, int>{{0, 8}, {1, 20}}));
  std::vector<long> p4(23, 4);
  p4.insert(p4.end(), {3, 2, 2, 0, 0});
  EXPECT_EQ(col(9), p4);
  EXPECT_EQ(tally(col(10)), (std::map<long, int>{{0, 2}, {1, 25}, {3, 1}}));
  for (size_t i : {4, 5, 8, 15}) EXPECT_EQ(tally(col(i)), (std::map<long, int>{{0, 28}})) << i;
  EXPECT_EQ(tally(col(3)), (std::map<long, int>{{0, 27}, {1, 1}}));
  EXPECT_EQ(st.back().v[3], 1);  // opzione_1 at the terminus
  EXPECT_EQ(st.front().v, (std::vector<long>{0, 12, 1000, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 9, 57, 0}));

  // Stops and timed places: origin, the two intermediate stops, the terminus.
  const std::map<long, std::vector<long>> timed = {{0, {1, 9, 57}},
                                                   {55500, {60, 10, 32}},
                                                   {79100, {60, 10, 47}},
                                                   {147150, {0, 11, 32}}};
  int accented = 0;
  long prev_pos = -50, prev_fine = 0;
  for (const auto& s : st) {
    const bool junction = s.tipo() >= 25;
    EXPECT_EQ(s.v[11], junction ? 0 : 1) << s.name;
    const auto t = timed.find(s.pos());
    const std::vector<long> expect = t == timed.end() ? std::vector<long>{0, 0, 0} : t->second;
    EXPECT_EQ(std::vector<long>(s.v.begin() + 12, s.v.begin() + 15), expect) << s.name;
    EXPECT_EQ(s.pos() % 50, 0) << s.name;
    EXPECT_GT(s.pos(), prev_pos) << s.name;
    EXPECT_TRUE(s.len() % 100 == 0 && s.len() >= 200 && s.len() <= 1400) << s.name;
    const long inizio = s.pos() - s.len() / 2, fine = s.pos() + s.len() / 2;
    if (prev_pos >= 0) {
      EXPECT_GE(inizio - 350, prev_fine) << s.name;
    }
    prev_pos = s.pos();
    prev_fine = fine;
    accented += s.name.find("\xC3\xA8") != std::string::npos;  // "è"
  }
  EXPECT_EQ(accented, 2);
  EXPECT_EQ(st.back().pos(), 147150);
  const std::map<long, std::string> named = {{38700, "Mezzocorona"}, {55500, "TRENTO"},
                                             {79100, "ROVERETO"}, {89450, "Serravalle all'Adige"},
                                             {143700, "Bivio S.Massimo"}};
  for (const auto& s : st) {
    if (named.count(s.pos())) {
      EXPECT_EQ(s.name, named.at(s.pos()));
    }
  }
}

TEST(TrainFile, SignalValues) {
  const auto sig = kind("treno.txt", "segnale");
  ASSERT_EQ(sig.size(), 79u);
  const auto pos = column(sig, 0);
  EXPECT_EQ(pos.front(), 1350);
  EXPECT_EQ(pos.back(), 144550);
  for (size_t i = 1; i < pos.size(); ++i) EXPECT_GE(pos[i] - pos[i - 1], 750) << pos[i];
  using M = std::map<long, int>;
  EXPECT_EQ(tally(column(sig, 1)), (M{{1, 20}, {2, 59}}));   // sx
  EXPECT_EQ(tally(column(sig, 2)), (M{{3, 2}, {4, 77}}));    // s1
  EXPECT_EQ(tally(column(sig, 5)), (M{{0, 79}}));            // rapp
  EXPECT_EQ(tally(column(sig, 6)), (M{{0, 4}, {1, 19}, {2, 56}}));  // dx
  EXPECT_EQ(tally(column(sig, 10)), (M{{0, 79}}));           // tempo
  const std::vector<std::pair<size_t, std::set<long>>> ranges = {
      {3, {0, 1, 4}}, {4, {0, 1}}, {7, {0, 1, 2, 3}}, {8, {0, 1}}, {9, {0, 1}}};
  for (const auto& [i, allowed] : ranges)
    for (long v : column(sig, i)) EXPECT_TRUE(allowed.count(v)) << "field " << i << " value " << v;
}

// The placement rules of the compiler: every object must find a free cell.
TEST(ScenarioPlacement, ObjectsOccupyDistinctFreeCells) {
  const long last_cell = cell((155000 + 7000) / 50.0);
  std::map<long, std::string> cells;
  auto put = [&](long c, const std::string& what) {
    EXPECT_TRUE(cells.emplace(c, what).second) << what << " on cell " << c << " held by " << cells[c];
  };
  auto in_range = [&](long p, long extra) { EXPECT_LE((p + extra) / 50.0, last_cell) << p; };
  for (const auto& x : kind("linea.txt", "indicatori_vmax")) {
    in_range(nums(x)[0], 100);
    put(cell(nums(x)[0] / 50.0 + 1), x);
  }
  EXPECT_EQ(cells.count(15), 1u);
  EXPECT_EQ(cells.count(1024), 1u);
  for (const auto& x : kind("linea.txt", "cartello_indicatore")) {
    const long p = std::stol(split(x, ',')[1]);
    in_range(p, 100);
    put(cell(p / 50.0 + 1), x);
  }
  for (const auto& s : stations()) {
    in_range(s.pos(), 800);
    const double fine = s.pos() + s.len() / 2;
    if (s.tipo() < 25) {
      EXPECT_GT(fine / 50 - 1, 1) << s.name;
      put(cell(fine / 50 - 1), "stop mark " + s.name);
    }
  }
  for (const auto& x : kind("treno.txt", "segnale")) {
    in_range(nums(x)[0], 100);
    EXPECT_GE(nums(x)[0], 325);
    put(cell(nums(x)[0] / 50.0 + 1), x);
  }
  put(cell(nums(kind("treno.txt", "abbattimento").at(0))[0] / 50.0), "code point");
  EXPECT_EQ(cells.count(2532), 1u);
  EXPECT_EQ(cells.count(1), 0u);  // cell 1 carries the scenario's markers
  EXPECT_EQ(cells.size(), 23u + 47u + 26u + 79u + 1u);
}

TEST(Timetable, PageLayout) {
  const auto& s = file("scheda_treno.txt");
  const std::string head1 = "  ___________________                                               ______________";
  const std::string bar = " |                   |                    SCHEDA ";
  const Lines common_tail = {
      "                                                                   |______________|",
      "  ___________________                ___________________",
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "};
  const Lines filled = {" |   TRENO n.20588   |                   da: BRENNERO/BRENNER      |    V200 C    |",
                        " |___________________|                    a: VENEZIA S.L.          |     130%     |",
                        " |   EUROCITY        |              |      900T         |"};
  const Lines blank = {" |   TRENO n.xxxxx   |                   da: xxxxxx                |    Vxxx C    |",
                       " |___________________|                    a: xxxxxx                |     xxx%     |",
                       " |        xxx        |              |      xxxT         |"};
  const std::vector<std::tuple<size_t, std::string, const Lines*>> pages = {
      {2, "1/2", &filled}, {54, "2/2", &filled}, {105, "3/4", &blank}, {155, "4/4", &blank}};
  const std::string foot = " |_____|_____|__________|_____|____________________________|________________|_____|";
  const std::string empty_row = " |     |     |          |     |                            |                |     |";
  for (const auto& [h, page, data] : pages) {
    const Lines expect = {head1, bar + page + "               |              |", (*data)[0], (*data)[1],
                          common_tail[0], common_tail[1], common_tail[2], (*data)[2],
                          " |___________________|              |___________________|", "",
                          "  " + std::string(80, '_'),
                          " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
                          " | Lim.|Marc.|          |  Rs |                            |                |     |",
                          foot};
    for (size_t i = 0; i < expect.size(); ++i) EXPECT_EQ(s.at(h + i), expect[i]) << "line " << h + i;
  }
  for (size_t i : {0, 1, 11, 49, 50, 52, 53, 63, 100, 101, 102, 104, 114, 151, 152, 154, 164, 201})
    EXPECT_EQ(s.at(i), "") << "line " << i;
  EXPECT_EQ(s.at(51), std::string(81, '.'));
  EXPECT_EQ(s.at(103), std::string(72, '.'));
  EXPECT_EQ(s.at(153), std::string(72, '.'));
  for (size_t i : {48, 99, 150, 200}) EXPECT_EQ(s.at(i), foot) << "line " << i;
  std::vector<size_t> blanks = {16, 19, 47, 68, 87, 88};
  for (size_t i = 90; i <= 98; ++i) blanks.push_back(i);
  for (size_t i = 119; i <= 149; ++i) blanks.push_back(i);
  for (size_t i = 169; i <= 199; ++i) blanks.push_back(i);
  for (size_t i : blanks) EXPECT_EQ(s.at(i), empty_row) << "line " << i;
  EXPECT_EQ(s.at(18), " |     |       (In realtà il treno parte da AMBURGO in Germania)            |     |");
  EXPECT_TRUE(starts(s.at(17), " |     |  PRECEDONO INFORMAZIONI TRATTO ")) << s.at(17);
  EXPECT_TRUE(starts(s.at(89), " |     |  SEGUONO INFORMAZIONI TRATTO ")) << s.at(89);
  for (size_t i : {17, 18, 89}) EXPECT_EQ(chars(s.at(i)), 83u) << "line " << i;
  EXPECT_EQ(s.at(69), s.at(46));
  int wide = 0;
  for (size_t i = 20; i <= 86; ++i) {
    if (i > 46 && i < 69) continue;
    const size_t n = chars(s.at(i));
    EXPECT_TRUE(n == 83 || (n == 84 && i > 69 && s.at(i).back() == ' ')) << "line " << i;
    wide += n == 84;
  }
  EXPECT_EQ(wide, 1);
}

TEST(Timetable, AgreesWithTrainFile) {
  const auto& s = file("scheda_treno.txt");
  struct Row {
    std::vector<std::string> c;  // the seven cells
  };
  std::vector<Row> rows;
  for (size_t i = 20; i <= 86; ++i) {
    if ((i > 46 && i < 70)) continue;  // 69 repeats 46
    auto f = split(s.at(i), '|');
    ASSERT_GE(f.size(), 9u) << s.at(i);
    rows.push_back({std::vector<std::string>(f.begin() + 1, f.begin() + 8)});
  }
  ASSERT_EQ(rows.size(), 44u);
  const std::vector<size_t> widths = {5, 5, 10, 5, 28, 16, 5};
  int prev_minute = 0;
  std::vector<std::pair<std::string, long>> speed_rows;
  for (const auto& r : rows) {
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(chars(r.c[i]), widths[i]) << r.c[4];
    EXPECT_EQ(r.c[1], "     ");
    EXPECT_EQ(r.c[2].substr(8), "  ") << r.c[2];         // progressive in the first 8 characters
    EXPECT_TRUE(starts(r.c[4], "  ") && r.c[4][2] != ' ') << r.c[4];  // two blanks, then the name
    for (size_t i : {0, 3, 6}) EXPECT_EQ(r.c[i].back(), ' ') << r.c[i];
    if (trim(r.c[0]) != "") speed_rows.emplace_back(trim(r.c[2]), std::stol(r.c[0]));
    const auto t = r.c[5].find('.');
    const int minute = std::stoi(r.c[5].substr(t - 2, 2)) * 60 + std::stoi(r.c[5].substr(t + 1, 2));
    EXPECT_GE(minute, prev_minute) << r.c[4];
    prev_minute = minute;
  }
  // Speed rows follow the speed profile (the exit switch stands 50 m past the change).
  ASSERT_EQ(speed_rows.size(), kSpeedProfile.size());
  for (size_t i = 0; i < speed_rows.size(); ++i) {
    EXPECT_EQ(speed_rows[i].second, kSpeedProfile[i].second) << speed_rows[i].first;
    EXPECT_NEAR(std::stod(speed_rows[i].first), std::stod(km(kSpeedProfile[i].first)), 0.05);
  }
  // Every station has its row, with the same progressive and its scheduled times.
  const std::map<std::string, std::string> times = {{"BOLZANO/BOZEN", "          09.57 "},
                                                    {"TRENTO", " 10.31    10.32 "},
                                                    {"ROVERETO", " 10.46    10.47 "},
                                                    {"VERONA PORTA NUOVA", " 11.32          "}};
  for (const auto& st : stations()) {
    const std::string name = upper(st.name);
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const Row& r) { return trim(r.c[4]) == name; });
    ASSERT_NE(it, rows.end()) << name;
    EXPECT_EQ(trim(it->c[2]), km(st.pos())) << name;
    if (times.count(name)) {
      EXPECT_EQ(it->c[5], times.at(name)) << name;
    }
  }
}

TEST(Notes, Outline) {
  const auto& n = file("note.txt");
  ASSERT_EQ(n.size(), 53u);
  EXPECT_TRUE(starts(n[0], "AUTORE: ")) << n[0];
  EXPECT_TRUE(starts(n[1], "INDIRIZZO EMAIL: ")) << n[1];
  EXPECT_EQ(n[2], "NUMERO PROGRESSIVO SCENARIO: 6");
  EXPECT_EQ(n[3], "DATA REALIZZAZIONE SCENARIO: 30.04.2001");
  for (size_t i : {4, 43, 44, 45, 47}) EXPECT_EQ(n[i], "") << "line " << i;
  EXPECT_EQ(n[46], "SCENARI PRECEDENTEMENTE REALIZZATI:");
  for (size_t i = 5; i <= 42; ++i) {
    EXPECT_FALSE(trim(n[i]).empty()) << "line " << i;
    EXPECT_LT(chars(n[i]), 100u) << n[i];
  }
  EXPECT_EQ(n[42].back(), '.');
  for (size_t i = 48; i <= 52; ++i) {
    EXPECT_NE(n[i].find('_'), std::string::npos) << n[i];
    EXPECT_EQ(n[i].find(' '), std::string::npos) << n[i];
  }
}
