// How the field reader tells of a read that fails (the file cannot be
// opened or read, a field too long, past the end, not a number, a number
// outside 32 bits). Only the compile's state sees it: there it becomes the
// recorded read failure, error 25 (compiler/failure_sink.h).
#pragma once

#include <stdexcept>
#include <string>

namespace scen {

struct ErroreLettura : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace scen
