// The rules every compiled file obeys beyond what decoding it checks: a
// file that breaks one is corrupt, and `scenc dump` says which rule and at
// which byte, rather than describing it as if it were whole.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/model.h"

namespace scenc::dump {

// "at byte N: <the rule broken>", or none. `dati_sim`: the general records
// dumped beside the file, whose line length and check code the file must
// agree with.
std::optional<std::string> regola_celle(const std::vector<scen::Cella>& celle,
                                        const std::array<scen::RecordSim, scen::kNumeroRecord>* dati_sim);
// `byte_file`: the plan file's size, where a plan of the wrong length ends.
std::optional<std::string> regola_tabella_linea(const scen::TabellaLinea& tabella, size_t byte_file,
                                                const std::array<scen::RecordSim, scen::kNumeroRecord>* dati_sim);

}  // namespace scenc::dump
