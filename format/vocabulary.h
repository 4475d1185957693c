// The keywords of the two source files: how an author writes each one, and
// the words the compile looks for in a keyword field (every word must occur
// somewhere in the field). The warnings of scenc and the format reference
// both follow this list.
#pragma once

#include <array>
#include <string_view>

namespace scen {

enum class FileParola { linea, treno };

struct ParolaChiave {
  std::string_view scritta;                 // as written in a file, e.g. "cartello_indicatore"
  std::array<std::string_view, 2> cercate;  // the words looked for; the second may be empty
  FileParola file;
  // The words must be written in lower case (the general section of the
  // line file); otherwise letter case is ignored.
  bool minuscole = false;
};

inline constexpr ParolaChiave kParoleChiave[] = {
    // Line file, general section.
    {"lunghezza percorso", {"percorso", "lunghezza"}, FileParola::linea},
    {"progressiva chilometrica uno", {"progressiva", "uno"}, FileParola::linea, true},
    {"progressiva chilometrica due", {"progressiva", "due"}, FileParola::linea, true},
    {"progressiva chilometrica tre", {"progressiva", "tre"}, FileParola::linea, true},
    {"sfondo uno", {"sfondo", "uno"}, FileParola::linea, true},
    {"sfondo due", {"sfondo", "due"}, FileParola::linea, true},
    {"sfondo tre", {"sfondo", "tre"}, FileParola::linea, true},
    {"ripetizione segnali 4 codici", {"segnali", "ripetizione"}, FileParola::linea, true},
    // Line file, data sections.
    {"curva", {"curva", ""}, FileParola::linea},
    {"pendenza", {"pendenza", ""}, FileParola::linea},
    {"montagna", {"montagna", ""}, FileParola::linea},
    {"indicatori_vmax", {"indicatori_v", ""}, FileParola::linea},
    {"cartello_indicatore", {"cartello", "indicat"}, FileParola::linea},
    // Train file.
    {"numero vetture", {"vetture", ""}, FileParola::treno},
    {"percentuale massa frenata", {"massa", "frenata"}, FileParola::treno},
    {"sabbia", {"sabbia", ""}, FileParola::treno},
    {"orologio", {"orologio", ""}, FileParola::treno},
    {"aderenza", {"aderenza", ""}, FileParola::treno},
    {"velocita", {"velocit", ""}, FileParola::treno},
    {"stazione", {"stazione", ""}, FileParola::treno},
    {"rallentamento", {"rallentamento", ""}, FileParola::treno},
    {"segnale", {"segnale", ""}, FileParola::treno},
    {"abbattimento", {"abbattimento", ""}, FileParola::treno},
};

}  // namespace scen
