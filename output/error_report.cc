#include "output/error_report.h"

namespace scen {

std::string testo_errore(long numero) { return " Errore n. " + std::to_string(numero); }

std::string_view descrizione_errore(long numero) {
  switch (numero) {
    case 1: return "line length greater than 1000000 m";
    case 2: return "a kilometric progressive reference has a position or progressive that is not a multiple of 50";
    case 3: return "signal repetition start is not a multiple of 50";
    case 4: return "signal repetition end is not a multiple of 50";
    case 5: return "signal repetition keyword names neither 4 nor 9 codes";
    case 6: return "text board on an occupied cell";
    case 7: return "code point on an occupied cell";
    case 8: return "station position is not a multiple of 50";
    case 9: return "station length is not a multiple of 100";
    case 10: return "too many stations for the records the text boards leave";
    case 11: return "no room for a code cut-down point before a signal ahead of a slowdown warning point";
    case 12: return "no room for a code cut-down point in a window before a slowdown";
    case 13: return "no room for a code cut-down point along or after a slowdown";
    case 15: return "position beyond the end of the grid";
    case 16: return "signal on an occupied cell";
    case 17: return "slowdown warning point on an occupied cell";
    case 18: return "slowdown start on an occupied cell";
    case 19: return "slowdown end on an occupied cell";
    case 20: return "slowdown pre-warning cells occupied";
    case 21: return "speed indicator board on an occupied cell";
    case 22: return "station zone begins less than 350 m after the previous one ends";
    case 24: return "stopping station zone ends at or before 100 m";
    case 25: return "source file cannot be read";
    case 101: return "line source file not found";
    case 102: return "no [generale] section in the line source file";
    case 103: return "curve without a class digit 1 to 6, or curve beyond the 1000000 m limit";
    case 1250: return "a format marker slot is already taken by compiled data";
    case 1251: return "a check-code slot is already taken by compiled data";
    default: return {};
  }
}

}  // namespace scen
