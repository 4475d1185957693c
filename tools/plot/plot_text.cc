#include "tools/plot/plot_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace scenc::plot {

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }

// Appends `parte` with its blanks trimmed and inner runs shortened to one.
void aggiungi_compatto(std::string& out, std::string_view parte) {
  bool in_spazio = !out.empty();  // a blank before the next word, if any
  bool scritto = false;
  for (char c : parte) {
    if (spazio(c)) {
      in_spazio = true;
      continue;
    }
    if (in_spazio && (scritto || !out.empty())) out += ' ';
    in_spazio = false;
    scritto = true;
    out += c;
  }
}

}  // namespace

std::string scritta_su_una_riga(std::string_view testo) {
  std::string out;
  size_t cerca = 0;
  bool gruppi = false;
  while (true) {
    const size_t apre = testo.find('(', cerca);
    if (apre == std::string_view::npos) break;
    const size_t chiude = testo.find(')', apre + 1);
    const size_t fine = chiude == std::string_view::npos ? testo.size() : chiude;
    aggiungi_compatto(out, testo.substr(apre + 1, fine - apre - 1));
    gruppi = true;
    if (chiude == std::string_view::npos) break;
    cerca = chiude + 1;
  }
  if (!gruppi) aggiungi_compatto(out, testo);
  return out;
}

std::string numero_testo(double valore, int decimali) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, "%.*f", decimali, valore);
  if (n < 0 || static_cast<size_t>(n) >= sizeof buf) return "?";
  std::string s(buf, static_cast<size_t>(n));
  if (s.starts_with('-') && s.find_first_not_of("-0.") == std::string::npos)
    s.erase(0, 1);  // no "-0" for a value that rounds to zero
  return s;
}

}  // namespace scenc::plot
