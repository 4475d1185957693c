// Glossary: the two source files, the parts of them the compile reads each
// in its own way (`Ambito`), and their section headers (`Sezione`, table in
// format/sections.def). Which keywords go in each section is told by the
// keyword table (format/keywords.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scen {

// The two source files of a scenario.
enum class FileFormato : uint8_t { linea, treno };

// The parts of the source files that the compile reads each in its own way.
enum class Ambito : uint8_t {
  // The line file from `[generale]` to the next header: the words of its
  // keywords but `lunghezza percorso` must be lower case; up to ten
  // comments in a row.
  generale_linea,
  // The rest of the line file: every data keyword wherever it stands,
  // letter case ignored; up to two comments in a row.
  dati_linea,
  // The train file from `[generale]` on: every keyword wherever it stands,
  // letter case ignored; up to two comments in a row.
  treno,
};

// Reading of a file starts after the first field that contains this,
// whatever its letter case.
inline constexpr std::string_view kInizioLettura = "[generale]";
// Where a keyword is expected, a field that contains this is a comment.
inline constexpr std::string_view kSegnoCommento = "-";

// How many comment fields in a row the compile passes over before a keyword.
constexpr int commenti_di_seguito(Ambito a) { return a == Ambito::generale_linea ? 10 : 2; }

enum class Sezione : uint8_t {
#define SEZIONE(id, file, ambito, intestazione, significato) id,
#include "format/sections.def"
#undef SEZIONE
};

struct DescrizioneSezione {
  Sezione id;
  FileFormato file;
  Ambito ambito;
  std::string_view intestazione;  // "[curve]"
  std::string_view significato;
};

// Every section of both files, in the order of `Sezione`.
inline constexpr DescrizioneSezione kSezioni[] = {
#define SEZIONE(id, file, ambito, intestazione, significato) \
  {Sezione::id, FileFormato::file, Ambito::ambito, intestazione, significato},
#include "format/sections.def"
#undef SEZIONE
};

constexpr const DescrizioneSezione& sezione(Sezione s) { return kSezioni[static_cast<size_t>(s)]; }

}  // namespace scen
