#include "tools/cli/source_excerpt.h"

#include "util/cp1252.h"

#include <fstream>
#include <memory>

namespace scenc {

namespace {

constexpr size_t kLarghezzaMassima = 160;

// Control bytes cannot be shown: they become '?' (a tab stays a tab).
std::string mostrabile(std::string_view testo, bool utf8) {
  std::string s(testo);
  for (char& c : s) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && b != '\t') || b == 0x7f) c = '?';
  }
  return utf8 ? s : scen::da_cp1252(s);
}

}  // namespace

std::string testo_leggibile(const std::string& testo, bool utf8) {
  std::string s = mostrabile(testo, utf8);
  for (char& c : s)
    if (c == '\t') c = ' ';
  return s;
}

std::string riga_del_file(const std::filesystem::path& file, int64_t linea) {
  std::ifstream f(file, std::ios::binary);
  if (!f || linea < 1) return {};
  std::streambuf& in = *f.rdbuf();
  constexpr int kFine = std::char_traits<char>::eof();
  int64_t corrente = 1;
  std::string riga;
  for (int c = in.sbumpc(); c != kFine; c = in.sbumpc()) {
    if (c == '\r' || c == '\n') {
      if (c == '\r' && in.sgetc() == '\n') in.sbumpc();
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
  std::string testo = (inizio > 0 ? "..." : "") + mostrabile(std::string_view(riga).substr(inizio, fine - inizio), utf8);
  std::string cursore = inizio > 0 ? "   " : "";
  for (size_t i = inizio; i < col && i < riga.size(); ++i) {
    const auto b = static_cast<unsigned char>(riga[i]);
    if (utf8 && (b & 0xc0) == 0x80) continue;  // a UTF-8 continuation byte takes no column
    cursore += b == '\t' ? '\t' : ' ';
  }
  if (fine < riga.size()) testo += "...";
  return "  " + testo + "\n  " + cursore + "^\n";
}

}  // namespace scenc
