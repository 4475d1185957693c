// Glossary: the 87 general records of the .sim file (`dati_sim`): named
// indices, and for each record or run of records what it holds and what
// each of its fields means. docs/compiled.md tells the same byte by byte.
// The fields are named as the record's members (`inizio`, `orario`, ...;
// `testo` for its text).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace scen {

// Indices into `dati_sim`: `m.dati_sim[kRecordTrenoLinea]`.
enum IndiceRecord : int {
  kRecordVuoto = 0,              // always empty
  kRecordPrimaStazione = 1,      // the stations, 1, 2, ... in train-file order
  kRecordPrimoCartello = 80,     // the text boards, 80, 79, ... in line-file order
  kRecordProgressivaTre = 81,    // the kilometric progressive references,
  kRecordProgressivaDue = 82,    //   read tre, due, uno into 81, 82, 83 and
  kRecordProgressivaUno = 83,    //   then sorted: greatest position in 81
  kRecordTrenoLinea = 84,        // braked weight, line length, coaches
  kRecordSfondoPercorso = 85,    // background, route name, format marker, check code B
  kRecordRipetizioneTreno = 86,  // signal repetition, train name, sand, clock
};

// The format marker stored in `parametro_1` of record 85.
inline constexpr int16_t kMarcatoreSim = 610;

struct CampoRecord {
  std::string_view campo;  // the member: "inizio", "parametro_1", "testo", ...
  std::string_view significato;
};

// A record, or a run of records of one role.
struct RecordGenerale {
  size_t primo;   // its index, or the first of its run
  size_t ultimo;  // the last of its run: the same for a single record
  std::string_view nome;
  std::string_view significato;
  std::span<const CampoRecord> campi;  // the fields it uses; the others stay 0
};

namespace campi_record {

inline constexpr CampoRecord kStazione[] = {
    {"tipo", "kind of place"},
    {"inizio", "start of the station zone, m"},
    {"fine", "end of the station zone, m"},
    {"posizione", "reference position, m"},
    {"opzione_1", "option 1"},
    {"testo", "the station's name"},
    {"parametro_1", "parameter 1"},
    {"parametro_2", "parameter 2"},
    {"parametro_4", "parameter 4"},
    {"parametro_5", "parameter 5"},
    {"parametro_6", "parameter 6"},
    {"parametro_3", "parameter 3"},
    {"sosta", "stop time, s"},
    {"opzione_3", "option 3"},
    {"opzione_2", "option 2"},
    {"orario", "scheduled time, seconds after midnight"},
};
inline constexpr CampoRecord kCartello[] = {
    {"testo", "the board's text"},
};
inline constexpr CampoRecord kProgressiva[] = {
    {"inizio", "position of the reference, m"},
    {"fine", "progressive at that position, m (100 m higher when the flag is 1)"},
    {"posizione", "the flag"},
};
inline constexpr CampoRecord kTrenoLinea[] = {
    {"inizio", "braked-weight percentage"},
    {"fine", "line length, m"},
    {"posizione", "number of coaches"},
};
inline constexpr CampoRecord kSfondoPercorso[] = {
    {"inizio", "sfondo uno"},
    {"fine", "sfondo tre"},
    {"posizione", "sfondo due"},
    {"testo", "the route name"},
    {"parametro_1", "the format marker 610"},
    {"orario", "the check code B"},
};
inline constexpr CampoRecord kRipetizioneTreno[] = {
    {"inizio", "start of the signal-repetition stretch, m"},
    {"fine", "its end, m"},
    {"posizione", "its number of codes: 4 or 9, 0 when the end is 0"},
    {"testo", "the train name"},
    {"parametro_1", "the sand"},
    {"parametro_4", "the clock's hours"},
    {"parametro_5", "the clock's minutes"},
    {"parametro_6", "the clock's seconds"},
};

}  // namespace campi_record

// Every record, in ascending index. Stations and text boards share records
// 1 to 80: stations from 1 up, boards from 80 down, at least one left free.
inline constexpr RecordGenerale kRecordGenerali[] = {
    {kRecordVuoto, kRecordVuoto, "vuoto", "nothing: 34 zero bytes", {}},
    {kRecordPrimaStazione, kRecordPrimoCartello - 1, "stazione",
     "the stations, in train-file order; the records after them stay empty", campi_record::kStazione},
    {kRecordPrimaStazione + 1, kRecordPrimoCartello, "cartello",
     "the text boards, the line file's first in 80, the next in 79, ...", campi_record::kCartello},
    {kRecordProgressivaTre, kRecordProgressivaTre, "progressiva_tre",
     "a kilometric progressive reference, `tre` as read; after sorting, the greatest position",
     campi_record::kProgressiva},
    {kRecordProgressivaDue, kRecordProgressivaDue, "progressiva_due",
     "a kilometric progressive reference, `due` as read; after sorting, the next position", campi_record::kProgressiva},
    {kRecordProgressivaUno, kRecordProgressivaUno, "progressiva_uno",
     "a kilometric progressive reference, `uno` as read; after sorting, the least position", campi_record::kProgressiva},
    {kRecordTrenoLinea, kRecordTrenoLinea, "treno_linea", "the train's braked weight and coaches, the line's length",
     campi_record::kTrenoLinea},
    {kRecordSfondoPercorso, kRecordSfondoPercorso, "sfondo_percorso",
     "the background settings, the route name, the format marker and check code B", campi_record::kSfondoPercorso},
    {kRecordRipetizioneTreno, kRecordRipetizioneTreno, "ripetizione_treno",
     "the signal repetition, the train name, the sand and the clock", campi_record::kRipetizioneTreno},
};

// The entry of a single record (81 to 86, 0); null for the stations' and
// boards' records, which are runs.
constexpr const RecordGenerale* record_generale(size_t indice) {
  for (const RecordGenerale& r : kRecordGenerali)
    if (r.primo == indice && r.ultimo == indice) return &r;
  return nullptr;
}

}  // namespace scen
