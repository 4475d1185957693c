#include "tools/source_excerpt.h"

#include <cstdio>
#include <memory>

namespace scenc {

namespace {

constexpr size_t kLarghezzaMassima = 160;

// One code page 1252 byte as UTF-8 (the five unassigned bytes and control
// bytes as '?').
std::string carattere(unsigned char b, bool utf8) {
  static constexpr char16_t kAlti[32] = {
      0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
      0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
  if (b == '\t') return "\t";
  if (b < 0x20 || b == 0x7f) return "?";
  if (b < 0x80 || utf8) return std::string(1, static_cast<char>(b));
  const char32_t u = b < 0xa0 ? kAlti[b - 0x80] : b;
  if (u == 0) return "?";
  std::string s;
  if (u < 0x800) {
    s += static_cast<char>(0xc0 | (u >> 6));
  } else {
    s += static_cast<char>(0xe0 | (u >> 12));
    s += static_cast<char>(0x80 | ((u >> 6) & 0x3f));
  }
  s += static_cast<char>(0x80 | (u & 0x3f));
  return s;
}

}  // namespace

std::string testo_leggibile(const std::string& testo, bool utf8) {
  std::string s;
  for (char c : testo) s += c == '\t' ? std::string(" ") : carattere(static_cast<unsigned char>(c), utf8);
  return s;
}

std::string riga_del_file(const std::filesystem::path& file, int64_t linea) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "rb"), &std::fclose);
  if (!f || linea < 1) return {};
  int64_t corrente = 1;
  std::string riga;
  for (int c = std::fgetc(f.get()); c != EOF; c = std::fgetc(f.get())) {
    if (c == '\r' || c == '\n') {
      if (c == '\r') {
        const int d = std::fgetc(f.get());
        if (d != '\n' && d != EOF) std::ungetc(d, f.get());
      }
      if (corrente == linea) return riga;
      ++corrente;
      continue;
    }
    if (corrente == linea && riga.size() < (size_t{1} << 20)) riga.push_back(static_cast<char>(c));
  }
  return corrente == linea ? riga : std::string();
}

std::string estratto_con_cursore(const std::string& riga, int64_t colonna, bool utf8) {
  if (riga.empty()) return {};
  size_t inizio = 0;
  const size_t col = colonna > 0 ? static_cast<size_t>(colonna - 1) : 0;
  if (col > kLarghezzaMassima / 2) inizio = col - kLarghezzaMassima / 2;
  const size_t fine = std::min(riga.size(), inizio + kLarghezzaMassima);
  std::string testo = inizio > 0 ? "..." : "";
  std::string cursore = inizio > 0 ? "   " : "";
  for (size_t i = inizio; i < fine; ++i) {
    const auto b = static_cast<unsigned char>(riga[i]);
    testo += carattere(b, utf8);
    if (utf8 && (b & 0xc0) == 0x80) continue;  // a UTF-8 continuation byte takes no column
    if (i < col) cursore += b == '\t' ? '\t' : ' ';
  }
  if (fine < riga.size()) testo += "...";
  return "  " + testo + "\n  " + cursore + "^\n";
}

}  // namespace scenc
