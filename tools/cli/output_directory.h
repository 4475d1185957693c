// The folder an --out option names: made when missing, parents and all, so
// that `scenc compile --out build/scenario` needs no mkdir first.
#pragma once

#include <string>

namespace scenc {

// scenc's exit status: kOk when `cartella` is (now) a directory; kUso when
// it exists and is something else; kErroreFile when it cannot be made.
// Says why on standard error.
int prepara_cartella_uscita(const std::string& cartella);

}  // namespace scenc
