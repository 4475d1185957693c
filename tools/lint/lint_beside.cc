#include "tools/lint/lint_beside.h"

#include <system_error>
#include <utility>

namespace scenc {

ControlloAccanto::ControlloAccanto(SorgentiLint sorgenti, std::vector<Avviso> attivi, size_t tenuti)
    : sorgenti_(std::move(sorgenti)), attivi_(std::move(attivi)), tenuti_(tenuti) {
  try {
    thread_.emplace([this] { controlla(); });
  } catch (const std::system_error&) {
    controlla();
  }
}

void ControlloAccanto::controlla() noexcept {
  try {
    avvisi_ = controlla_sorgenti(sorgenti_, attivi_, tenuti_);
  } catch (...) {
    errore_ = std::current_exception();
  }
}

EsitoLint ControlloAccanto::avvisi() {
  thread_.reset();  // joined
  if (errore_) std::rethrow_exception(errore_);
  return std::move(avvisi_);
}

}  // namespace scenc
