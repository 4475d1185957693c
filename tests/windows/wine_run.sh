#!/usr/bin/env bash
# wine_run.sh --prefix DIR PROGRAM [ARG...]: runs a Windows program under
# Wine, as CMake's emulator for the Windows build's tests. Wine's prefix
# (its C: drive and registry) is made once, in DIR, and shared by the
# tests; Wine's own messages are kept out of what the program prints.
# Without a PROGRAM, only makes the prefix (the set-up before the tests).
set -euo pipefail
if [[ ${1:-} == --prefix ]]; then
  export WINEPREFIX=$2
  shift 2
fi
: "${WINEPREFIX:?wine_run.sh: no --prefix and no WINEPREFIX}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$WINEPREFIX"
  # Two first starts at once would each make the prefix: one makes it.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  [[ -f $WINEPREFIX/system.reg ]] || { wine wineboot -i >/dev/null 2>&1 && wineserver -w; }
  flock -u 9
fi
(($#)) || exit 0
exec wine "$@"
