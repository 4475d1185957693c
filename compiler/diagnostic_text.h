// Words for the compile's messages: positions with their kilometric
// progressive, and what occupies a cell.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/compile.h"
#include "model/model.h"

namespace scen {

// "km 111.600" from the progressive references, or "" without any. With
// one reference the progressive is taken to fall as the position grows.
std::string km_di(const Diagnostica& d, int64_t metri);

// "38700 m (km 111.600)".
std::string in_metri(const Diagnostica& d, int64_t metri);

// "cell 311 (15500 m, km 134.800)".
std::string nome_cella(const Diagnostica& d, int64_t cella);

// What a cell holds: "a signal placed by line 57 of the train file".
std::string occupante(const Modello& m, const Diagnostica& d, int64_t cella);

// "cell 311 (15500 m, km 134.800) is taken by a signal placed by ...".
std::string cella_occupata(const Modello& m, const Diagnostica& d, int64_t cella);

const char* nome_file_sorgente(FileSorgente f);

}  // namespace scen
