// What the profile shows of a compiled scenario, taken from the cell grid
// and the general records: the speed limit and gradient along the line and
// the objects that stand on it. Positions are metres along the line, where
// the source line put the object: signals, slowdown cells and boards sit in
// the cell after their position, code points in the cell of theirs. Texts
// are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/model.h"

namespace scenc::plot {

// A stretch [inizio, fine) with one value.
struct Tratto {
  int32_t inizio = 0;
  int32_t fine = 0;
  int valore = 0;
};

struct Stazione {
  int32_t posizione = 0;
  std::string nome;
  int32_t da = 0, a = 0;  // its zone, m
  int sosta = 0;          // s
  int32_t orario = 0;     // scheduled, s after midnight; 0 when none
};

// A signal with the kinds of its left and right groups (sx, dx).
struct Segnale {
  int32_t posizione = 0;
  int sx = 0, dx = 0;
  bool operator==(const Segnale&) const = default;
};

struct Oggetto {
  int32_t posizione = 0;
  std::string etichetta;
};

enum class PuntoRallentamento { avviso, inizio, fine };

struct Rallentamento {
  int32_t posizione = 0;
  PuntoRallentamento punto = PuntoRallentamento::inizio;
  int velocita = 0;  // km/h
};

// A slowdown from its start cell to its end cell, at its speed.
struct TrattoRallentamento {
  int32_t inizio = 0, fine = 0;
  int velocita = 0;  // km/h
};

// A code cut-down point. One that may have been added by the code track
// (compiler/code_point_origin.h) is `forse_automatico`: the compiled grid
// cannot say whether it was.
struct Abbattimento {
  int32_t posizione = 0;
  std::string etichetta;  // the code, or "no code"
  bool forse_automatico = false;
};

struct ElementiLinea {
  int32_t lunghezza = 0;         // m: record 84, or what the grid's size implies
  std::vector<Tratto> velocita;  // km/h
  std::vector<Tratto> pendenza;  // per mille
  std::vector<Stazione> stazioni;
  std::vector<Segnale> segnali;
  std::vector<Oggetto> indicatori;    // speed indicator boards: "95/100/105"
  std::vector<Oggetto> cartelli;      // text boards: their lettering
  std::vector<Rallentamento> rallentamenti;
  std::vector<TrattoRallentamento> tratti_rallentamento;
  std::vector<Abbattimento> abbattimenti;
};

// Throws std::runtime_error when the texts cannot be converted.
ElementiLinea estrai_elementi(const std::vector<scen::Cella>& celle,
                              const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim);

}  // namespace scenc::plot
