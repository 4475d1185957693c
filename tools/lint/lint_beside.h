// The warnings of a pair of sources, found on a thread beside the caller's
// while the caller goes on, say by compiling the same sources: both read
// them, neither writes them.
#pragma once

#include <cstddef>
#include <exception>
#include <optional>
#include <thread>
#include <vector>

#include "tools/lint/lint.h"

namespace scenc {

class ControlloAccanto {
 public:
  // Starts the check, which keeps the first `tenuti` warnings; where no
  // thread can be had, makes it here and now.
  ControlloAccanto(SorgentiLint sorgenti, std::vector<Avviso> attivi, size_t tenuti);
  ControlloAccanto(const ControlloAccanto&) = delete;
  ControlloAccanto& operator=(const ControlloAccanto&) = delete;

  // Waits for the check: its warnings, or what it threw, thrown here.
  EsitoLint avvisi();

 private:
  void controlla() noexcept;

  const SorgentiLint sorgenti_;
  const std::vector<Avviso> attivi_;
  const size_t tenuti_;
  // The thread's until it is joined.
  EsitoLint avvisi_;
  std::exception_ptr errore_;
  std::optional<std::jthread> thread_;
};

}  // namespace scenc
