// The texts of the error numbers: " Errore n. N" and a short description.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scen {

// " Errore n. " followed by the number, as the message box shows it.
std::string testo_errore(long numero);

// What the number means, in a few words; empty for an unknown number.
std::string_view descrizione_errore(long numero);

// The numbers `descrizione_errore` knows, in ascending order.
std::vector<long> numeri_errore();

}  // namespace scen
