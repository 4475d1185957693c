// Exit statuses of scenc.
#pragma once

namespace scenc {

inline constexpr int kOk = 0;
inline constexpr int kErroreRegistrato = 1;  // the compile or the code track recorded a number
inline constexpr int kUso = 2;               // bad command line
inline constexpr int kErroreFile = 3;        // an output file could not be written

}  // namespace scenc
