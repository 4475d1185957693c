// What each of the 87 general records of a compiled .sim holds.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "format/records.h"
#include "model/model.h"
#include "tools/dump/dump_cells.h"

namespace scenc::dump {

enum class RuoloRecord {
  vuoto,         // record 0, and unused station or board slots
  stazione,      // 1 .. N, in source-file order
  cartello,      // text boards, from 80 downwards
  progressiva,   // 81, 82, 83
  treno_linea,   // 84: braked mass, line length, coaches
  sfondo_percorso,  // 85: background values, route name, marker, check code
  ripetizione_treno,  // 86: signal repetition, train name, sand, clock
};

// Stations fill the records from 1 upwards, text boards (a text and no
// number) from 80 downwards; what the compile left empty between them is empty.
std::array<RuoloRecord, scen::kNumeroRecord> ruoli_record(const std::array<scen::RecordSim, scen::kNumeroRecord>& r);

// For programs: "empty", "station", "text_board", "progressive", "record_84", ...
std::string chiave_ruolo(RuoloRecord ruolo);

// The fields a record's role explains (format/records.h), `testo` among them
// when it has a text of its own; empty for the stations' and boards' runs.
std::set<std::string> campi_del_ruolo(size_t indice);

// Every number of a record, named as in the model, in file order.
std::vector<CampoNominato> campi_record(const scen::RecordSim& r);

// True when every number is 0 and the text is empty.
bool record_vuoto(const scen::RecordSim& r);

// The two check codes recomputed from the route and train names in records
// 85 and 86: the one stored in record 85 and the one stored in cell 1.
struct CodiciControllo {
  int32_t record_85 = 0;
  int16_t cella_1 = 0;
};
CodiciControllo codici_attesi(const std::array<scen::RecordSim, scen::kNumeroRecord>& r);

// hh:mm:ss for a time of day in seconds after midnight.
std::string ora(int64_t secondi);

}  // namespace scenc::dump
