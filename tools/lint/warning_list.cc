#include "tools/lint/warning_list.h"

#include <algorithm>

namespace scenc {

EsitoLint ElencoAvvisi::esito() && {
  std::sort_heap(avvisi_.begin(), avvisi_.end(), prima);
  EsitoLint e;
  e.totale = totale_;
  e.avvisi.reserve(avvisi_.size());
  for (Voce& v : avvisi_) e.avvisi.push_back(std::move(v.second));
  return e;
}

}  // namespace scenc
