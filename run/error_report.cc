#include "run/error_report.h"

namespace scen {

std::string testo_errore(long numero) { return " Errore n. " + std::to_string(numero); }

namespace {

struct VoceErrore {
  long numero;
  std::string_view descrizione;
};

// Every number the compile, the code track and the writer record.
constexpr VoceErrore kErrori[] = {
    {1, "line length greater than 1000000 m"},
    {2, "a kilometric progressive reference has a position or progressive that is not a multiple of 50"},
    {3, "signal repetition start is not a multiple of 50"},
    {4, "signal repetition end is not a multiple of 50"},
    {5, "signal repetition keyword names neither 4 nor 9 codes"},
    {6, "text board on an occupied cell"},
    {7, "code point on an occupied cell"},
    {8, "station position is not a multiple of 50"},
    {9, "station length is not a multiple of 100"},
    {10, "too many stations for the records the text boards leave"},
    {11, "no room for a code cut-down point before a signal ahead of a slowdown warning point"},
    {12, "no room for a code cut-down point in a window before a slowdown"},
    {13, "no room for a code cut-down point along or after a slowdown"},
    {15, "position beyond the end of the grid"},
    {16, "signal on an occupied cell"},
    {17, "slowdown warning point on an occupied cell"},
    {18, "slowdown start on an occupied cell"},
    {19, "slowdown end on an occupied cell"},
    {20, "slowdown pre-warning cells occupied"},
    {21, "speed indicator board on an occupied cell"},
    {22, "station zone begins less than 350 m after the previous one ends"},
    {24, "stopping station zone ends at or before 100 m"},
    {25, "source file cannot be read"},
    {101, "line source file not found"},
    {102, "no [generale] section in the line source file"},
    {103, "curve without a class digit 1 to 6, or curve beyond the 1000000 m limit"},
    {1250, "a format marker slot is already taken by compiled data"},
    {1251, "a check-code slot is already taken by compiled data"},
};

}  // namespace

std::string_view descrizione_errore(long numero) {
  for (const VoceErrore& v : kErrori)
    if (v.numero == numero) return v.descrizione;
  return {};
}

std::vector<long> numeri_errore() {
  std::vector<long> numeri;
  for (const VoceErrore& v : kErrori) numeri.push_back(v.numero);
  return numeri;
}

}  // namespace scen
