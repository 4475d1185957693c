// The texts of the error numbers: " Errore n. N" and a short description.
#pragma once

#include <string>
#include <string_view>

namespace scen {

// " Errore n. " followed by the number, as the message box shows it.
std::string testo_errore(long numero);

// What the number means, in a few words; empty for an unknown number.
std::string_view descrizione_errore(long numero);

}  // namespace scen
