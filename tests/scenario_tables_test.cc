// The embedded scenario's tables as the writers take them (whole LF lines,
// no sentinel), and the timetable sheet against the train file: the driver
// reads the sheet while the simulator runs the train file, so the two must
// agree. What the tables compile to, and their code page, are checked on
// the writers' output (scenario_writers_test.cc).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef SCENARIO_DIR
#error "SCENARIO_DIR must name the directory of the scenario tables"
#endif

namespace {

using Lines = std::vector<std::string>;

const char* const kTables[] = {"nomi.txt", "linea.txt", "treno.txt", "note.txt", "rallentamenti.txt",
                               "scheda_treno.txt"};

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

// The kilometre the sheet gives for a position: the line's first
// progressive reference as written, falling as the position grows.
std::string km(long pos) {
  const Lines reference = kind("linea.txt", "progressiva chilometrica uno");
  const std::vector<long> at = reference.empty() ? std::vector<long>{0, 0, 0} : nums(reference.front());
  char b[16];
  std::snprintf(b, sizeof b, "%.3f", (at.at(1) - (pos - at.at(0))) / 1000.0);
  return b;
}

// "hh.mm" of a time in minutes.
std::string clock(long minutes) {
  char b[48];
  std::snprintf(b, sizeof b, "%02ld.%02ld", minutes / 60, minutes % 60);
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

struct Station {
  std::vector<long> v;  // the sixteen numbers
  std::string name;
  long pos() const { return v[0]; }
  long dwell() const { return v[12]; }
  long minutes() const { return v[13] * 60 + v[14]; }  // the scheduled time, 0 for none
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

// The timetable's rows: the lines of seven cells whose third cell holds a
// kilometre. A page repeats the last row of the page before.
std::vector<Lines> timetable_rows() {
  std::vector<Lines> rows;
  for (const auto& line : file("scheda_treno.txt")) {
    const auto f = split(line, '|');
    if (f.size() < 9) continue;
    const std::string progressive = trim(f[3]);
    if (progressive.empty() || progressive.find_first_not_of("0123456789.") != std::string::npos) continue;
    Lines cells(f.begin() + 1, f.begin() + 8);
    if (rows.empty() || rows.back() != cells) rows.push_back(cells);
  }
  return rows;
}

}  // namespace

// The writers write each table line by line up to a line equal to the
// sentinel, with CR LF after each: a table is whole LF lines of its own.
TEST(ScenarioTables, WholeLinesWithoutCarriageReturnsOrTheSentinel) {
  for (const char* name : kTables) {
    SCOPED_TRACE(name);
    const std::string bytes = read_bytes(name);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    for (const auto& line : file(name)) EXPECT_NE(line, "riferimento fine del file");
  }
}

TEST(Timetable, AgreesWithTrainFile) {
  const auto rows = timetable_rows();
  ASSERT_FALSE(rows.empty());
  const std::vector<size_t> widths = {5, 5, 10, 5, 28, 16, 5};
  int prev_minute = 0;
  std::vector<std::pair<std::string, long>> speed_rows;
  for (const auto& c : rows) {
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(chars(c[i]), widths[i]) << c[4];
    EXPECT_EQ(c[1], "     ");
    EXPECT_EQ(c[2].substr(8), "  ") << c[2];                   // progressive in the first 8 characters
    EXPECT_TRUE(starts(c[4], "  ") && c[4][2] != ' ') << c[4];  // two blanks, then the name
    for (size_t i : {0, 3, 6}) EXPECT_EQ(c[i].back(), ' ') << c[i];
    if (trim(c[0]) != "") speed_rows.emplace_back(trim(c[2]), std::stol(c[0]));
    const auto t = c[5].find('.');
    ASSERT_NE(t, std::string::npos) << c[4];
    const int minute = std::stoi(c[5].substr(t - 2, 2)) * 60 + std::stoi(c[5].substr(t + 1, 2));
    EXPECT_GE(minute, prev_minute) << c[4];
    prev_minute = minute;
  }
  // Speed rows follow the train's speed profile (the exit switch stands 50 m past the change).
  const Lines profile = kind("treno.txt", "velocita");
  ASSERT_EQ(speed_rows.size(), profile.size());
  for (size_t i = 0; i < speed_rows.size(); ++i) {
    EXPECT_EQ(speed_rows[i].second, nums(profile[i])[1]) << speed_rows[i].first;
    EXPECT_NEAR(std::stod(speed_rows[i].first), std::stod(km(nums(profile[i])[0])), 0.05);
  }
  // Every station has its row, with the same progressive and, where the
  // train file schedules it, its times: the departure alone at the origin,
  // the arrival alone where the train does not dwell, else both.
  const auto st = stations();
  for (size_t i = 0; i < st.size(); ++i) {
    const Station& s = st[i];
    const std::string name = upper(s.name);
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const Lines& c) { return trim(c[4]) == name; });
    ASSERT_NE(it, rows.end()) << name;
    EXPECT_EQ(trim((*it)[2]), km(s.pos())) << name;
    if (s.minutes() == 0) continue;
    const std::string times = i == 0           ? std::string(10, ' ') + clock(s.minutes()) + " "
                              : s.dwell() == 0 ? " " + clock(s.minutes()) + std::string(10, ' ')
                                               : " " + clock(s.minutes() - s.dwell() / 60) + "    " +
                                                     clock(s.minutes()) + " ";
    EXPECT_EQ((*it)[5], times) << name;
  }
}
