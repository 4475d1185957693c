// The warnings of a pair of sources, found on a thread beside the caller's
// while the caller goes on, say by compiling the same sources: both read
// them, neither writes them.
#pragma once

#include <exception>
#include <optional>
#include <thread>
#include <vector>

#include "tools/lint/lint.h"

namespace scenc {

class ControlloAccanto {
 public:
  // Starts the check; where no thread can be had, makes it here and now.
  ControlloAccanto(SorgentiLint sorgenti, std::vector<Avviso> attivi);
  ControlloAccanto(const ControlloAccanto&) = delete;
  ControlloAccanto& operator=(const ControlloAccanto&) = delete;

  // Waits for the check: its warnings, or what it threw, thrown here.
  std::vector<AvvisoLint> avvisi();

 private:
  void controlla() noexcept;

  const SorgentiLint sorgenti_;
  const std::vector<Avviso> attivi_;
  // The thread's until it is joined.
  std::vector<AvvisoLint> avvisi_;
  std::exception_ptr errore_;
  std::optional<std::jthread> thread_;
};

}  // namespace scenc
