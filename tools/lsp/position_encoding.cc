#include "tools/lsp/position_encoding.h"

#include <algorithm>

namespace scenc::lsp {

namespace {

// The length of the UTF-8 sequence a lead byte starts; 1 for a stray byte,
// which then counts as one character.
size_t lunghezza_sequenza(unsigned char b) {
  if (b < 0xC0) return 1;
  if (b < 0xE0) return 2;
  if (b < 0xF0) return 3;
  return 4;
}

// Steps through a line a character at a time.
template <class F>
void per_carattere(std::string_view riga, F&& f) {
  for (size_t i = 0; i < riga.size();) {
    const size_t n = std::min(lunghezza_sequenza(static_cast<unsigned char>(riga[i])), riga.size() - i);
    if (!f(i, n)) return;
    i += n;
  }
}

int64_t unita_del_carattere(size_t byte, Codifica c) {
  if (c == Codifica::utf8) return static_cast<int64_t>(byte);
  return byte == 4 ? 2 : 1;  // beyond the basic plane: a surrogate pair
}

}  // namespace

LineIndex::LineIndex(std::string_view testo) {
  inizi_.push_back(0);
  for (size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\r') {
      if (i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
      inizi_.push_back(i + 1);
    } else if (testo[i] == '\n') {
      inizi_.push_back(i + 1);
    }
  }
}

std::string_view LineIndex::riga(std::string_view testo, size_t n) const {
  if (n >= inizi_.size()) return {};
  size_t fine = n + 1 < inizi_.size() ? inizi_[n + 1] : testo.size();
  if (fine > inizi_[n] && testo[fine - 1] == '\n') --fine;
  if (fine > inizi_[n] && testo[fine - 1] == '\r') --fine;
  return testo.substr(inizi_[n], fine - inizi_[n]);
}

size_t LineIndex::offset(std::string_view testo, int64_t riga, int64_t carattere, Codifica c) const {
  if (riga < 0) return 0;
  if (static_cast<size_t>(riga) >= inizi_.size()) return testo.size();
  const size_t n = static_cast<size_t>(riga);
  return inizi_[n] + byte_da_unita(this->riga(testo, n), carattere, c);
}

int64_t unita_da_caratteri(std::string_view riga, int64_t caratteri, Codifica c) {
  int64_t unita = 0;
  int64_t contati = 0;
  per_carattere(riga, [&](size_t, size_t n) {
    if (contati >= caratteri) return false;
    ++contati;
    unita += unita_del_carattere(n, c);
    return true;
  });
  return unita;
}

int64_t caratteri_da_unita(std::string_view riga, int64_t unita, Codifica c) {
  int64_t contate = 0;
  int64_t caratteri = 0;
  per_carattere(riga, [&](size_t, size_t n) {
    if (contate >= unita) return false;
    ++caratteri;
    contate += unita_del_carattere(n, c);
    return true;
  });
  return caratteri;
}

size_t byte_da_unita(std::string_view riga, int64_t unita, Codifica c) {
  int64_t contate = 0;
  size_t byte = 0;
  per_carattere(riga, [&](size_t i, size_t n) {
    if (contate >= unita) return false;
    contate += unita_del_carattere(n, c);
    byte = i + n;
    return true;
  });
  return byte;
}

}  // namespace scenc::lsp
