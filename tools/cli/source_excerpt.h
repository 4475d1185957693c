// The line of a source file that a diagnostic points at, with a caret under
// the field, as editors and compilers show it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace scenc {

// Line `linea` (1-based) of the file, counted as the compile counts lines
// (CR LF, LF or CR alone end a line); "" when the file or line is missing.
std::string riga_del_file(const std::filesystem::path& file, int64_t linea);

// Text of the sources as UTF-8 for the terminal (control bytes as '?'):
// converted from code page 1252, or kept when it already is UTF-8.
std::string testo_leggibile(const std::string& testo, bool utf8 = false);

// The source line for display (code page 1252 shown as UTF-8, control
// bytes as '?', long lines cut around the column) and a caret line under
// column `colonna` (1-based, in bytes). Empty when `riga` is empty.
std::string estratto_con_cursore(const std::string& riga, int64_t colonna, bool utf8 = false);

}  // namespace scenc
