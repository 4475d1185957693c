#include "tools/plot_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace scenc::plot {

namespace {

constexpr std::string_view kSostituto = "\xEF\xBF\xBD";  // U+FFFD

class DaCp1252 {
 public:
  DaCp1252() : cd_(::iconv_open("UTF-8", "WINDOWS-1252")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert from code page 1252: ") +
                               std::strerror(errno));
  }
  ~DaCp1252() { ::iconv_close(cd_); }
  DaCp1252(const DaCp1252&) = delete;
  DaCp1252& operator=(const DaCp1252&) = delete;

  // Converts one byte; false when the code page leaves it undefined.
  bool converti(char byte, std::string& out) {
    char in_buf[1] = {byte};
    char out_buf[4];
    char* in = in_buf;
    size_t in_left = 1;
    char* dst = out_buf;
    size_t out_left = sizeof out_buf;
    if (::iconv(cd_, &in, &in_left, &dst, &out_left) == static_cast<size_t>(-1)) {
      if (errno != EILSEQ && errno != EINVAL)
        throw std::runtime_error(std::string("iconv failed on a code page 1252 text: ") +
                                 std::strerror(errno));
      return false;
    }
    out.append(out_buf, sizeof out_buf - out_left);
    return true;
  }

 private:
  iconv_t cd_;
};

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

std::string utf8_da_cp1252_per_disegno(std::string_view byte) {
  DaCp1252 conv;
  std::string out;
  out.reserve(byte.size());
  for (char c : byte) {
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
    } else if (!conv.converti(c, out)) {
      out += kSostituto;
    }
  }
  return out;
}

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
