// Words for the compile's messages: positions with their kilometric
// progressive, and what occupies a cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/compile.h"
#include "model/model.h"

namespace scen {

// "km 111.600" from the progressive references, or "" without any
// (model/kilometric_progressive.h).
std::string km_di(const Diagnostica& d, int64_t metri);

// "38700 m (km 111.600)".
std::string in_metri(const Diagnostica& d, int64_t metri);

// "cell 311 (15500 m, km 134.800)".
std::string nome_cella(const Diagnostica& d, int64_t cella);

// What a cell holds: "a signal placed by line 57 of the train file".
std::string occupante(const Modello& m, const Diagnostica& d, int64_t cella);

// "cell 311 (15500 m, km 134.800) is taken by a signal placed by ...".
std::string cella_occupata(const Modello& m, const Diagnostica& d, int64_t cella);

// A cell as it stands, kept to be told of after a placement that may change
// it; absent outside the grid. Cheaper than the words, which are needed
// only when the placement fails.
std::optional<Cella> cella_com_era(const Modello& m, int64_t cella);
// The same words for the cell as it was.
std::string cella_occupata(const Modello& m, const Diagnostica& d, int64_t cella, const std::optional<Cella>& com_era);

const char* nome_file_sorgente(FileSorgente f);

// The same after "falls in": "cell 61 (3050 m), which is taken by ...".
std::string cade_in_cella_occupata(const Modello& m, const Diagnostica& d, int64_t cella);

}  // namespace scen
