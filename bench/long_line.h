// A long scenario for the benchmarks, made to measure: a line of any length
// up to 1 000 000 m, dense with everything the compile handles, that
// compiles without an error number.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace scen::bench {

// The two source texts of a line `lunghezza` metres long (a multiple of
// 10 000, from 20 000 to 1 000 000), with CR LF line ends.
//
// Line: a curve of 200 m every 500 m (sides and classes taking turns), a
// gradient change every 2 km, a mountain stretch every 25 km, a speed
// indicator board every 10 km, a text board every 50 km.
// Train: a signal every 1 000 m, a slowdown every 10 km, a station every
// 20 km, a hand-placed code point every 100 km.
//
// One 10 km block is 200 cells; objects at a point sit in cell p / 50 + 1.
// Signals take cells 1, 21, ..., 181; the slowdown runs from 5 500 m to
// 6 500 m (start cell 111, end 131, warning point 87, pre-warning 83..86),
// which leaves the code track free cells for each of its points (80,
// 91..106, 119, 127, 140); the speed board takes cell 45, a station's stop
// mark cell 53 (every second block), a text board cell 147 (every fifth
// block), a code point cell 180.
struct SorgentiLunghe {
  std::string linea;
  std::string treno;
};

SorgentiLunghe sorgenti_lunghe(int32_t lunghezza);

// Writes them as <route>_linea.txt and <route>_<train>-.txt into `cartella`.
// Throws std::system_error when a file cannot be written.
void scrivi_sorgenti_lunghe(const std::filesystem::path& cartella, int32_t lunghezza,
                            const std::string& percorso, const std::string& treno);

// Writes `contenuto` as the whole of file `p`; throws std::system_error.
void scrivi_file(const std::filesystem::path& p, std::string_view contenuto);

}  // namespace scen::bench
