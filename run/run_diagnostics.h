// The diagnostics of a run after the compile's own: the code track's
// conflicts, a reserved slot already taken, a compiled file that could not
// be written.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/code_track.h"
#include "compiler/compile.h"
#include "diagnostics/diagnostic.h"
#include "model/model.h"

namespace scen {

// The code of a diagnostic about a compiled file that could not be
// written: its `file` is that file, its message the system's reason.
inline constexpr const char* kCannotWrite = "cannot-write";

// The source file named by a compile's file tag.
std::string nome_sorgente(FileSorgente f, const SorgentiCompilazione& s);

// A cut-down point the code track found no room for: at the line that
// called for it.
Diagnostic diagnostica_conflitto(const ConflittoCodici& c, const Diagnostica& d, const SorgentiCompilazione& s);

// 1250 or 1251: compiled data has reached a reserved slot of cell 1 or
// record 85.
Diagnostic diagnostica_slot_riservato(int32_t numero, const Modello& m, const Diagnostica& d,
                                      const SorgentiCompilazione& s);

Diagnostic diagnostica_file(const std::string& file, const std::string& motivo);

// The number the program shows and the exit status reports: the last one
// recorded (a reserved slot's, else the code track's, else the compile's);
// 0 when none was.
int32_t numero_da_mostrare(const DiagnosticList& l);

// The diagnostic of a compiled file that could not be written, if any.
const Diagnostic* file_non_scritto(const DiagnosticList& l);

}  // namespace scen
