// Texts of the compiled files as the plot shows them: the code page 1252
// bytes of the records turned into UTF-8, a board's lettering on one line,
// and numbers.
#pragma once

#include <string>
#include <string_view>

namespace scenc::plot {

// The lettering of a text board, "(P.L.       )(Km.  90.233)", as one line
// "P.L. Km. 90.233": the bracketed groups in order, runs of blanks shortened
// to one. A text without brackets is taken whole.
std::string scritta_su_una_riga(std::string_view testo);

// `valore` with `decimali` digits after the point, in the C locale's form.
std::string numero_testo(double valore, int decimali);

}  // namespace scenc::plot
