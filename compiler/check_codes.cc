#include "compiler/check_codes.h"

#include <string>

#include "format/records.h"

namespace scen {

namespace {

constexpr char kRiempimento[] = "ppqqrrssttuuvvwwxxyyzzkkjj";
constexpr int kCaratteri = 25;

// Train name, route name (A-Z lowered, other bytes as given), fill text.
std::string chiave(const Modello& m) {
  std::string s = m.dati_sim[kRecordRipetizioneTreno].testo + m.dati_sim[kRecordSfondoPercorso].testo;
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  s += kRiempimento;
  return s;
}

}  // namespace

int16_t codice_gara_og(const Modello& m) {
  const std::string s = chiave(m);
  int32_t somma = 0;
  for (int i = 0; i < kCaratteri; ++i) somma += static_cast<unsigned char>(s[i]);
  return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const Modello& m) {
  const std::string s = chiave(m);
  int32_t somma = 0;
  for (int i = 0; i < kCaratteri; ++i) somma += (i + 1) * static_cast<unsigned char>(s[i]);
  return somma;
}

}  // namespace scen
