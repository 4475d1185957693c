// scen_make_line DIR LENGTH [ROUTE] [TRAIN]: writes the long benchmark
// scenario's two source files into DIR (see bench/long_line.h).
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "bench/long_line.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::cerr << "usage: scen_make_line DIR LENGTH [ROUTE] [TRAIN]\n";
    return 2;
  }
  try {
    const std::string percorso = argc > 3 ? argv[3] : "Lunga";
    const std::string treno = argc > 4 ? argv[4] : "B1";
    size_t fine = 0;
    const long lunghezza = std::stol(argv[2], &fine);
    if (argv[2][fine] != '\0' || lunghezza < 0 || lunghezza > 1000000)
      throw std::invalid_argument("LENGTH must be a number of metres up to 1000000");
    scen::bench::scrivi_sorgenti_lunghe(argv[1], static_cast<int32_t>(lunghezza), percorso, treno);
  } catch (const std::exception& e) {
    std::cerr << "scen_make_line: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
