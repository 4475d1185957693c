// `scenc dump --json`: the content of the readable tables as JSON, with raw
// field values beside their meaning. Doubles are written so that they read
// back bit for bit.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "model/model.h"
#include "tools/dump/dump_text.h"

namespace scenc::dump {

nlohmann::json json_celle(const std::vector<scen::Cella>& celle, const RecordCollegati& collegati);
nlohmann::json json_dati_sim(const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim);
nlohmann::json json_tabella_linea(const scen::TabellaLinea& tabella, const std::optional<IntervalloRighe>& righe);

}  // namespace scenc::dump
