// Glossary: the keywords of the two source files. For each keyword: how an
// author writes it, the words the compile looks for, the file and section
// it belongs to, what the keyword field itself carries, its values in the
// order they are read (short name, unit, width, range, meaning) and one
// line of what it does. docs/format.md tells the same to authors, and a
// test holds the two together.
//
// Order: within each part of a file that the compile reads in its own way
// (`Ambito`: the line file's general section, the line file's data
// sections, the train file) the keywords stand in the order in which the
// compile tests a field against them. Every keyword a field matches fires,
// in that order, each reading its values in turn.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "format/cell_kinds.h"
#include "format/sections.h"

namespace scen {

// Every keyword, in the order of kParoleChiave.
enum class Parola : uint8_t {
  // Line file, general section.
  lunghezza_percorso,
  progressiva_tre,
  progressiva_due,
  progressiva_uno,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione_segnali,
  // Line file, data sections.
  pendenza,
  curva,
  montagna,
  indicatori_vmax,
  cartello_indicatore,
  // Train file.
  massa_frenata,
  numero_vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};

// How a value is read and kept. Every number is first read as a signed
// 32-bit integer.
enum class Larghezza : uint8_t {
  int32,     // kept as read
  int16,     // must fit 16 bits signed (error 25 otherwise)
  uint8,     // must fit 0 to 255 (error 25 otherwise)
  basso_16,  // only its low 16 bits are kept, silently
  basso_8,   // only its low 8 bits are kept, silently
  testo,     // a text up to the next comma or the end of the line, no number
};

// The width as the format reference writes it: "32", "16", "8", "low 16",
// "low 8", "text".
constexpr std::string_view nome_larghezza(Larghezza l) {
  switch (l) {
    case Larghezza::int32: return "32";
    case Larghezza::int16: return "16";
    case Larghezza::uint8: return "8";
    case Larghezza::basso_16: return "low 16";
    case Larghezza::basso_8: return "low 8";
    case Larghezza::testo: return "text";
  }
  return "";
}

// The values a width lets through or keeps apart; for a text, its length
// in bytes (a record's text has a 16-bit length).
constexpr int64_t minimo_di(Larghezza l) {
  switch (l) {
    case Larghezza::int32: return std::numeric_limits<int32_t>::min();
    case Larghezza::int16:
    case Larghezza::basso_16: return std::numeric_limits<int16_t>::min();
    case Larghezza::uint8:
    case Larghezza::basso_8:
    case Larghezza::testo: return 0;
  }
  return 0;
}
constexpr int64_t massimo_di(Larghezza l) {
  switch (l) {
    case Larghezza::int32: return std::numeric_limits<int32_t>::max();
    case Larghezza::int16:
    case Larghezza::basso_16: return std::numeric_limits<int16_t>::max();
    case Larghezza::uint8:
    case Larghezza::basso_8: return 255;
    case Larghezza::testo: return std::numeric_limits<uint16_t>::max();
  }
  return 0;
}

// One value of a keyword's line.
struct CampoParola {
  std::string_view nome = {};  // short, as an inlay hint shows it: "pos", "vmax"
  std::string_view unita = {};  // "m", "km/h", ...; empty for a plain number or a text
  Larghezza larghezza = Larghezza::int32;
  int32_t multiplo = 0;    // the value must be a multiple of this (0: any)
  std::string_view significato = {};
  // The range the compile or the stored width bounds the value to; for a
  // width that keeps low bits, the values kept as they are.
  int64_t minimo = minimo_di(larghezza);
  int64_t massimo = massimo_di(larghezza);
  // For a position: the rule that puts it into a cell of the grid; none
  // for a position kept in metres (a curve's, a station's).
  PosaCella posa = PosaCella::nessuna;
};

struct ParolaChiave {
  Parola id;
  std::string_view scritta;                 // as an author writes it, e.g. "cartello_indicatore"
  std::array<std::string_view, 2> cercate;  // the words looked for; the second may be empty
  FileFormato file;
  Sezione sezione;
  // The words must be written in lower case (the general section of the
  // line file); otherwise letter case is ignored.
  bool minuscole = false;
  std::span<const CampoParola> campi = {};  // the values, in the order they are read
  std::string_view nella_parola = {};  // what the keyword field itself carries, if anything
  std::string_view significato = {};
};

namespace campi_parole {

inline constexpr CampoParola kLunghezzaPercorso[] = {
    {.nome = "lunghezza", .unita = "m",
     .significato = "length of the line; sizes the grid and the track plan (error 1 above 1000000)",
     .minimo = -6974, .massimo = 1000000},
};
inline constexpr CampoParola kProgressiva[] = {
    {.nome = "pos", .unita = "m", .multiplo = 50, .significato = "position of the reference (error 2)"},
    {.nome = "prog", .unita = "m", .multiplo = 50,
     .significato = "the line's progressive at that position: 150300 is km 150.300 (error 2)"},
    {.nome = "flag", .significato = "1 stores the progressive 100 m higher, 0 keeps it"},
};
inline constexpr CampoParola kSfondo[] = {
    {.nome = "sfondo", .significato = "background setting, passed to the simulator unchanged"},
};
inline constexpr CampoParola kRipetizione[] = {
    {.nome = "inizio", .unita = "m", .multiplo = 50, .significato = "start of the stretch (error 3)"},
    {.nome = "fine", .unita = "m", .multiplo = 50, .significato = "end of the stretch; 0: no repetition (error 4)"},
};
inline constexpr CampoParola kPendenza[] = {
    {.nome = "pos", .unita = "m", .significato = "the gradient holds from cell round(pos / 50) on", .posa = PosaCella::nella},
    {.nome = "pendenza", .unita = "per mille", .larghezza = Larghezza::basso_8,
     .significato = "gradient, negative when falling; the cell keeps the low 8 bits of gradient + 100",
     .minimo = -100, .massimo = 155},
};
inline constexpr CampoParola kCurva[] = {
    {.nome = "inizio", .unita = "m", .significato = "the curve turns the metres from inizio + 1"},
    {.nome = "lunghezza", .unita = "m", .significato = "length of the curve"},
};
inline constexpr CampoParola kMontagna[] = {
    {.nome = "inizio", .unita = "m", .significato = "the stretch covers cells round(inizio / 50) on", .posa = PosaCella::nella},
    {.nome = "fine", .unita = "m", .significato = "up to cell round(fine / 50 - 1)"},
    {.nome = "tipo",
     .significato = "backdrop kind: 1 to 10 as they are; above 10, kind - 10 and a mountain mark every fourth cell"},
};
inline constexpr CampoParola kIndicatoriVmax[] = {
    {.nome = "pos", .unita = "m", .significato = "the board stands in cell round(pos / 50 + 1)", .posa = PosaCella::dopo},
    {.nome = "vas", .unita = "km/h", .multiplo = 5, .significato = "side s, speed of category a"},
    {.nome = "vbs", .unita = "km/h", .multiplo = 5, .significato = "side s, speed of category b"},
    {.nome = "vcs", .unita = "km/h", .multiplo = 5, .significato = "side s, speed of category c"},
    {.nome = "strisces", .significato = "side s, stripes: 0, 1 or 2"},
    {.nome = "vad", .unita = "km/h", .multiplo = 5, .significato = "side d, speed of category a"},
    {.nome = "vbd", .unita = "km/h", .multiplo = 5, .significato = "side d, speed of category b"},
    {.nome = "vcd", .unita = "km/h", .multiplo = 5, .significato = "side d, speed of category c"},
    {.nome = "strisced", .significato = "side d, stripes: 0, 1 or 2"},
};
inline constexpr CampoParola kCartelloIndicatore[] = {
    {.nome = "pos", .unita = "m", .significato = "the board stands in cell round(pos / 50 + 1)", .posa = PosaCella::dopo},
    {.nome = "testo", .larghezza = Larghezza::testo,
     .significato = "one to three groups in round brackets of up to 12 characters each; no comma"},
};
inline constexpr CampoParola kMassaFrenata[] = {
    {.nome = "percentuale", .unita = "%", .significato = "braked-weight percentage"},
};
inline constexpr CampoParola kNumeroVetture[] = {
    {.nome = "vetture", .significato = "number of coaches"},
};
inline constexpr CampoParola kVelocita[] = {
    {.nome = "pos", .unita = "m", .significato = "the limit holds from cell round(pos / 50) on", .posa = PosaCella::nella},
    {.nome = "vmax", .unita = "km/h", .multiplo = 5,
     .significato = "speed limit; stored divided by 5 and rounded, which must lie in 0 to 255",
     .minimo = -2, .massimo = 1277},
};
inline constexpr CampoParola kAderenza[] = {
    {.nome = "pos", .unita = "m", .significato = "the adhesion holds from cell round(pos / 50) on", .posa = PosaCella::nella},
    {.nome = "aderenza", .larghezza = Larghezza::basso_8, .significato = "adhesion; its low 8 bits are kept"},
};
inline constexpr CampoParola kOrologio[] = {
    {.nome = "ore", .unita = "h", .larghezza = Larghezza::int16, .significato = "hours of the time the clock starts at"},
    {.nome = "minuti", .unita = "min", .larghezza = Larghezza::int16, .significato = "its minutes"},
    {.nome = "secondi", .unita = "s", .larghezza = Larghezza::int16, .significato = "its seconds"},
};
inline constexpr CampoParola kSabbia[] = {
    {.nome = "sabbia", .larghezza = Larghezza::int16, .significato = "sand quantity"},
};
inline constexpr CampoParola kSegnale[] = {
    {.nome = "pos", .unita = "m",
     .significato = "the signal stands in cell round(pos / 50 + 1); at 325 m or further", .posa = PosaCella::dopo},
    {.nome = "sx", .significato = "kind of the left-hand group"},
    {.nome = "s1", .significato = "left-hand aspect value 1, packed as s1 * 10 + d1 (low 16 bits)"},
    {.nome = "s2", .significato = "left-hand aspect value 2, packed as s2 * 10 + d2"},
    {.nome = "s3", .significato = "left-hand aspect value 3, packed as s3 * 10 + d3"},
    {.nome = "rapp", .significato = "packed as rapp * 10 + sx * 3 + dx"},
    {.nome = "dx", .significato = "kind of the right-hand group"},
    {.nome = "d1", .significato = "right-hand aspect value 1"},
    {.nome = "d2", .significato = "right-hand aspect value 2"},
    {.nome = "d3", .significato = "right-hand aspect value 3"},
    {.nome = "tempo", .unita = "s", .larghezza = Larghezza::basso_8,
     .significato = "signal time, kept only when sx is 2; 1 to 100 are raised to 101"},
};
inline constexpr CampoParola kRallentamento[] = {
    {.nome = "inizio", .unita = "m", .significato = "start of the slowdown, its cell round(inizio / 50 + 1)", .posa = PosaCella::dopo},
    {.nome = "vmax", .unita = "km/h", .larghezza = Larghezza::basso_16, .significato = "speed along the slowdown"},
    {.nome = "lunghezza", .unita = "m", .significato = "length: the end's cell is round((inizio + lunghezza) / 50 + 1)"},
    {.nome = "f_tt", .larghezza = Larghezza::basso_16, .significato = "for the simulator, kept in the start and end cells"},
    {.nome = "f_ta", .significato = "not 0: four pre-warning cells before the warning point"},
    {.nome = "d_v", .larghezza = Larghezza::basso_16, .significato = "for the simulator, kept in the cells when not 0"},
};
inline constexpr CampoParola kAbbattimento[] = {
    {.nome = "pos", .unita = "m", .significato = "the point stands in cell round(pos / 50)", .posa = PosaCella::nella},
    {.nome = "codice", .larghezza = Larghezza::int16,
     .significato = "the cab-signal code imposed; 0 or less: a point without a code",
     .minimo = std::numeric_limits<int32_t>::min()},
};
inline constexpr CampoParola kStazione[] = {
    {.nome = "pos", .unita = "m", .multiplo = 50, .significato = "reference position of the station (error 8)"},
    {.nome = "tipo", .larghezza = Larghezza::uint8, .significato = "kind of place: decides the zone and its marks"},
    {.nome = "lunghezza", .unita = "m", .multiplo = 100, .significato = "length of the station zone (error 9)"},
    {.nome = "opzione_1", .larghezza = Larghezza::uint8, .significato = "for the simulator"},
    {.nome = "opzione_2", .larghezza = Larghezza::uint8,
     .significato = "for the simulator; 0 for zones below 600 m and for the first station"},
    {.nome = "opzione_3", .larghezza = Larghezza::uint8, .significato = "not 0: the zone ends 50 m further on"},
    {.nome = "parametro_1", .larghezza = Larghezza::int16, .significato = "for the simulator"},
    {.nome = "parametro_2", .larghezza = Larghezza::int16, .significato = "for the simulator"},
    {.nome = "parametro_3", .larghezza = Larghezza::uint8, .significato = "for the simulator"},
    {.nome = "parametro_4", .larghezza = Larghezza::int16, .significato = "for the simulator"},
    {.nome = "parametro_5", .larghezza = Larghezza::int16, .significato = "for the simulator"},
    {.nome = "parametro_6", .larghezza = Larghezza::int16, .significato = "for the simulator"},
    {.nome = "sosta", .unita = "s", .larghezza = Larghezza::uint8, .significato = "stop time"},
    {.nome = "ore", .unita = "h", .significato = "scheduled time; 0, 0, 0 for none"},
    {.nome = "minuti", .unita = "min", .significato = "its minutes"},
    {.nome = "secondi", .unita = "s", .significato = "its seconds; the time is kept in seconds after midnight"},
    {.nome = "nome", .larghezza = Larghezza::testo, .significato = "the station's name, to the end of the line; no comma"},
};

}  // namespace campi_parole

// Every keyword of both files, in the order of `Parola`.
inline constexpr ParolaChiave kParoleChiave[] = {
    // Line file, general section.
    {.id = Parola::lunghezza_percorso, .scritta = "lunghezza percorso", .cercate = {"percorso", "lunghezza"},
     .file = FileFormato::linea, .sezione = Sezione::linea_generale, .campi = campi_parole::kLunghezzaPercorso,
     .significato = "length of the line; comes before every data line"},
    {.id = Parola::progressiva_tre, .scritta = "progressiva chilometrica tre", .cercate = {"progressiva", "tre"},
     .file = FileFormato::linea, .sezione = Sezione::linea_generale, .minuscole = true,
     .campi = campi_parole::kProgressiva,
     .significato = "third reference of the kilometric progressive (record 81 before sorting); all 0: not used"},
    {.id = Parola::progressiva_due, .scritta = "progressiva chilometrica due", .cercate = {"progressiva", "due"},
     .file = FileFormato::linea, .sezione = Sezione::linea_generale, .minuscole = true,
     .campi = campi_parole::kProgressiva,
     .significato = "second reference of the kilometric progressive (record 82 before sorting); all 0: not used"},
    {.id = Parola::progressiva_uno, .scritta = "progressiva chilometrica uno", .cercate = {"progressiva", "uno"},
     .file = FileFormato::linea, .sezione = Sezione::linea_generale, .minuscole = true,
     .campi = campi_parole::kProgressiva,
     .significato = "first reference of the kilometric progressive (record 83 before sorting); all 0: not used"},
    {.id = Parola::sfondo_uno, .scritta = "sfondo uno", .cercate = {"sfondo", "uno"}, .file = FileFormato::linea,
     .sezione = Sezione::linea_generale, .minuscole = true, .campi = campi_parole::kSfondo,
     .significato = "first background setting (record 85, inizio)"},
    {.id = Parola::sfondo_due, .scritta = "sfondo due", .cercate = {"sfondo", "due"}, .file = FileFormato::linea,
     .sezione = Sezione::linea_generale, .minuscole = true, .campi = campi_parole::kSfondo,
     .significato = "second background setting (record 85, posizione)"},
    {.id = Parola::sfondo_tre, .scritta = "sfondo tre", .cercate = {"sfondo", "tre"}, .file = FileFormato::linea,
     .sezione = Sezione::linea_generale, .minuscole = true, .campi = campi_parole::kSfondo,
     .significato = "third background setting (record 85, fine)"},
    {.id = Parola::ripetizione_segnali, .scritta = "ripetizione segnali 4 codici",
     .cercate = {"segnali", "ripetizione"}, .file = FileFormato::linea, .sezione = Sezione::linea_generale,
     .minuscole = true, .campi = campi_parole::kRipetizione,
     .nella_parola = "4 or 9: the number of codes of the system (error 5 for neither)",
     .significato = "the stretch where the cab repeats the signals (record 86)"},
    // Line file, data sections.
    {.id = Parola::pendenza, .scritta = "pendenza", .cercate = {"pendenza", ""}, .file = FileFormato::linea,
     .sezione = Sezione::pendenze, .campi = campi_parole::kPendenza,
     .significato = "a change of the gradient profile; lines ascend in position, the first at 0"},
    {.id = Parola::curva, .scritta = "curva", .cercate = {"curva", ""}, .file = FileFormato::linea,
     .sezione = Sezione::curve, .campi = campi_parole::kCurva,
     .nella_parola = "s (either case): turns left, else right; the first digit 1 to 6: the class (error 103 for none)",
     .significato = "a curve of the track plan; curves ascend without overlaps"},
    {.id = Parola::montagna, .scritta = "montagna", .cercate = {"montagna", ""}, .file = FileFormato::linea,
     .sezione = Sezione::montagne, .campi = campi_parole::kMontagna,
     .significato = "a stretch of mountain backdrop; at most 80"},
    {.id = Parola::indicatori_vmax, .scritta = "indicatori_vmax", .cercate = {"indicatori_v", ""},
     .file = FileFormato::linea, .sezione = Sezione::cartelli, .campi = campi_parole::kIndicatoriVmax,
     .significato = "a speed indicator board; each pair of speeds packed into 16 bits (error 21 on a taken cell)"},
    {.id = Parola::cartello_indicatore, .scritta = "cartello_indicatore", .cercate = {"cartello", "indicat"},
     .file = FileFormato::linea, .sezione = Sezione::indicazioni, .campi = campi_parole::kCartelloIndicatore,
     .significato = "a text board, its text in the general records from 80 down (error 6 on a taken cell)"},
    // Train file.
    {.id = Parola::massa_frenata, .scritta = "percentuale massa frenata", .cercate = {"massa", "frenata"},
     .file = FileFormato::treno, .sezione = Sezione::treno_generale, .campi = campi_parole::kMassaFrenata,
     .significato = "the train's braked-weight percentage (record 84, inizio)"},
    {.id = Parola::numero_vetture, .scritta = "numero vetture", .cercate = {"vetture", ""},
     .file = FileFormato::treno, .sezione = Sezione::treno_generale, .campi = campi_parole::kNumeroVetture,
     .significato = "the train's number of coaches (record 84, posizione)"},
    {.id = Parola::velocita, .scritta = "velocita", .cercate = {"velocit", ""}, .file = FileFormato::treno,
     .sezione = Sezione::vel_limite, .campi = campi_parole::kVelocita,
     .significato = "a change of the speed-limit profile; lines ascend in position, the first at 0"},
    {.id = Parola::aderenza, .scritta = "aderenza", .cercate = {"aderenza", ""}, .file = FileFormato::treno,
     .sezione = Sezione::aderenze, .campi = campi_parole::kAderenza,
     .significato = "a change of the adhesion profile; lines ascend in position, the first at 0"},
    {.id = Parola::orologio, .scritta = "orologio", .cercate = {"orologio", ""}, .file = FileFormato::treno,
     .sezione = Sezione::treno_generale, .campi = campi_parole::kOrologio,
     .significato = "the time the simulated clock starts at (record 86)"},
    {.id = Parola::sabbia, .scritta = "sabbia", .cercate = {"sabbia", ""}, .file = FileFormato::treno,
     .sezione = Sezione::treno_generale, .campi = campi_parole::kSabbia,
     .significato = "the train's sand (record 86, parametro_1)"},
    {.id = Parola::segnale, .scritta = "segnale", .cercate = {"segnale", ""}, .file = FileFormato::treno,
     .sezione = Sezione::segnali, .campi = campi_parole::kSegnale,
     .significato = "a signal and its four approach marks (error 16 on a taken cell)"},
    {.id = Parola::rallentamento, .scritta = "rallentamento", .cercate = {"rallentamento", ""},
     .file = FileFormato::treno, .sezione = Sezione::rallentamenti, .campi = campi_parole::kRallentamento,
     .significato = "a temporary slowdown: its warning point, start, end and pre-warning cells (errors 17 to 20)"},
    {.id = Parola::abbattimento, .scritta = "abbattimento", .cercate = {"abbattimento", ""},
     .file = FileFormato::treno, .sezione = Sezione::codici, .campi = campi_parole::kAbbattimento,
     .significato = "a code cut-down point (error 7 on a taken cell)"},
    {.id = Parola::stazione, .scritta = "stazione", .cercate = {"stazione", ""}, .file = FileFormato::treno,
     .sezione = Sezione::stazioni, .campi = campi_parole::kStazione,
     .significato = "a station: a general record from 1 on, its stop mark and approach marks"},
};

constexpr const ParolaChiave& parola(Parola p) { return kParoleChiave[static_cast<size_t>(p)]; }

// The part of its file the compile reads the keyword in.
constexpr Ambito ambito(const ParolaChiave& p) { return sezione(p.sezione).ambito; }

// The keywords the compile tests a field against in one part of a file, in
// the order it tests them.
constexpr std::span<const ParolaChiave> parole(Ambito a) {
  const ParolaChiave* inizio = std::begin(kParoleChiave);
  while (inizio != std::end(kParoleChiave) && ambito(*inizio) != a) ++inizio;
  const ParolaChiave* fine = inizio;
  while (fine != std::end(kParoleChiave) && ambito(*fine) == a) ++fine;
  return {inizio, fine};
}

// Whether `parola` occurs anywhere in the field.
constexpr bool contiene(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

// The same with the letter case of A-Z ignored; `parola` is given in lower case.
constexpr bool contiene_nocase(std::string_view campo, std::string_view parola) {
  auto basso = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                     [&](char a, char b) { return basso(a) == b; }) != campo.end();
}

// Whether a field is this keyword: every word looked for occurs in it,
// written in lower case where the keyword asks it, in any case otherwise.
constexpr bool corrisponde(const ParolaChiave& p, std::string_view campo) {
  for (std::string_view w : p.cercate) {
    if (w.empty()) continue;
    if (!(p.minuscole ? contiene(campo, w) : contiene_nocase(campo, w))) return false;
  }
  return true;
}

namespace verifica_parole {

constexpr bool in_ordine() {
  for (size_t i = 0; i < std::size(kParoleChiave); ++i) {
    const ParolaChiave& p = kParoleChiave[i];
    if (static_cast<size_t>(p.id) != i || p.file != sezione(p.sezione).file) return false;
    // Each part of a file in one run, so that `parole()` gives all of it.
    if (i > 0 && ambito(kParoleChiave[i - 1]) != ambito(p) &&
        std::any_of(kParoleChiave, kParoleChiave + i, [&](const ParolaChiave& q) { return ambito(q) == ambito(p); }))
      return false;
    if (p.cercate[0].empty() || p.campi.empty() || !corrisponde(p, p.scritta)) return false;
  }
  return true;
}
static_assert(in_ordine(), "kParoleChiave: order of Parola, one run per Ambito, each spelling recognised");

}  // namespace verifica_parole

}  // namespace scen
