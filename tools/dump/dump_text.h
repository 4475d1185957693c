// `scenc dump` as readable tables, one function per compiled file.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/model.h"

namespace scenc::dump {

// The general records of the same scenario, when they were dumped in the
// same call: they name the stations and boards of the grid and let its
// check code be verified.
struct RecordCollegati {
  const std::array<scen::RecordSim, scen::kNumeroRecord>* dati_sim = nullptr;
  std::string file;
};

// Rows da..a (inclusive) of the track plan to show in full.
struct IntervalloRighe {
  size_t da = 0;
  size_t a = 0;
};

void testo_celle(std::ostream& out, const std::vector<scen::Cella>& celle, const RecordCollegati& collegati);
void testo_dati_sim(std::ostream& out, const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim);
void testo_tabella_linea(std::ostream& out, const scen::TabellaLinea& tabella,
                         const std::optional<IntervalloRighe>& righe);

}  // namespace scenc::dump
