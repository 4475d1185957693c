#include "tools/dump/structure_check.h"

#include "format/cell_kinds.h"
#include "format/grid.h"
#include "format/records.h"
#include "tools/dump/dump_records.h"

namespace scenc::dump {

namespace {

constexpr size_t kByteCella = 15;
// Cell 1's valore_1 and valore_2, where the format marker and the check
// code stand.
constexpr size_t kByteMarcatore = kByteCella + 1;
constexpr size_t kByteCodice = kByteCella + 3;

}  // namespace

std::optional<std::string> regola_celle(const std::vector<scen::Cella>& celle,
                                        const std::array<scen::RecordSim, scen::kNumeroRecord>* dati_sim) {
  if (celle.empty()) return "at byte 0: the cell grid is empty";
  if (celle.size() < 2) return "at byte 15: the cell grid ends before cell 1, which holds the format marker";
  if (celle[1].valore_1 != scen::kMarcatoreDat)
    return "at byte " + std::to_string(kByteMarcatore) + ": the format marker is " + std::to_string(celle[1].valore_1) +
           ", not " + std::to_string(scen::kMarcatoreDat);
  if (!dati_sim) return std::nullopt;
  const int64_t lunghezza = (*dati_sim)[scen::kRecordTrenoLinea].fine;
  const auto attese = static_cast<size_t>(scen::ultima_cella_di(lunghezza) + 1);
  if (celle.size() != attese)
    return "at byte " + std::to_string(std::min(celle.size(), attese) * kByteCella) + ": the grid has " +
           std::to_string(celle.size()) + " cells where the line of " + std::to_string(lunghezza) +
           " m (record 84 of the general records) takes " + std::to_string(attese);
  const int16_t codice = codici_attesi(*dati_sim).cella_1;
  if (celle[1].valore_2 != codice)
    return "at byte " + std::to_string(kByteCodice) + ": the check code is " + std::to_string(celle[1].valore_2) +
           ", where the general records give " + std::to_string(codice);
  return std::nullopt;
}

std::optional<std::string> regola_tabella_linea(const scen::TabellaLinea& tabella, size_t byte_file,
                                                const std::array<scen::RecordSim, scen::kNumeroRecord>* dati_sim) {
  if (tabella.righe() == 0) return "at byte 0: the track plan has no rows";
  if (!dati_sim) return std::nullopt;
  const int64_t lunghezza = (*dati_sim)[scen::kRecordTrenoLinea].fine;
  const int64_t attese = lunghezza + scen::kMetriOltreLinea + 1;  // rows 0 .. length + 7000
  if (static_cast<int64_t>(tabella.righe()) != attese)
    return "at byte " + std::to_string(byte_file) + ": the plan has " + std::to_string(tabella.righe()) + " rows where the line of " + std::to_string(lunghezza) +
           " m (record 84 of the general records) takes " + std::to_string(attese);
  return std::nullopt;
}

}  // namespace scenc::dump
