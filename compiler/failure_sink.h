// Where a checked step of the compile tells of a read failure (error 25):
// a value too wide for its field, an address outside a table, a text too
// long, a field that cannot be read. The step then returns its failure and
// the compile ends there; the compile's state records the words at the last
// field read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "format/errors.h"

namespace scen {

inline constexpr int32_t kErroreLettura = numero(Errore::lettura);

class FailureSink {
 public:
  virtual void guasto(std::string messaggio) = 0;

 protected:
  ~FailureSink() = default;
};

// Keeps the words of the first failure told: for a caller that runs a
// checked step on its own (a test, a benchmark).
class PrimoGuasto final : public FailureSink {
 public:
  void guasto(std::string messaggio) override {
    if (!messaggio_) messaggio_ = std::move(messaggio);
  }
  const std::optional<std::string>& messaggio() const { return messaggio_; }

 private:
  std::optional<std::string> messaggio_;
};

}  // namespace scen
