// Marks a printf-style function so that the compiler checks its formats
// against the C99 printf the programs use on every system (on Windows the
// MinGW one, __USE_MINGW_ANSI_STDIO, not the system's older printf, which
// lacks %zu and writes exponents with three digits).
#pragma once

#ifdef _WIN32
#define SCEN_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(gnu_printf, format_index, first_argument)))
#else
#define SCEN_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(printf, format_index, first_argument)))
#endif
