#!/usr/bin/env bash
# scenario_window_test.sh CASE WINE_RUN PREFIX SCENARIO_EXE PROBE_EXE [LINUX_SCENARIO]
# The Windows scenario program under Wine, on a private X server (Xvfb):
#   files    run from a fresh folder with a Unicode name, it leaves the same
#            files, byte for byte, as the Linux program run in a folder of
#            its own (exit 77, skipped, when the Linux program is not built);
#            --help and --version answer on the console
#   window   its window shows the label while the work runs (a compiled file
#            held open by another process keeps it retrying), then the
#            message box names the file "in use"; Return closes the box
#   refusal  in the installer's folder (...\scenc\bin\) it writes nothing,
#            and its message box gives the commands that copy it elsewhere
set -euo pipefail
case_name=$1 wine_run=$2 prefix=$3 scenario=$4 probe=$5 linux=${6:-}

work=$(mktemp -d)
pids=()
finish() {
  local i
  # The programs first, the X server they draw on last.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The Windows name of a Linux path (Wine's drive Z: is /).
windows_name() { local p=${1//\//\\}; echo "Z:$p"; }

# A private X server on the first free display number from 90.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do ((display++)); done
Xvfb ":$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done
export DISPLAY=:$display

run() { "$wine_run" --prefix "$prefix" "$@"; }
# The probe's lines, without the "\r" of Windows' text mode.
probe() { run "$probe" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Presses Return in the message box: the newest X window of the program's
# title whose size is not the program window's.
close_box() {
  local w
  for w in $(xdotool search --name '^scenario\.exe$'); do
    if ! xdotool getwindowgeometry "$w" | grep -q 'Geometry: 280x179'; then
      xdotool windowfocus --sync "$w" key Return
      return 0
    fi
  done
  return 1
}

case $case_name in
files)
  [[ -x $linux ]] || { echo "no Linux scenario program at '$linux': skipped"; exit 77; }
  mkdir "$work/linux" "$work/Ščenari ☃"
  cp "$linux" "$work/linux/scenario"
  (cd / && env -u DISPLAY "$work/linux/scenario" >/dev/null) || fail "the Linux program failed"
  cp "$scenario" "$work/Ščenari ☃/scenario.exe"
  run "$work/Ščenari ☃/scenario.exe" >"$work/said" || fail "scenario.exe ended with status $?"
  expected=$(cd "$work/linux" && ls | grep -v '^scenario$')
  got=$(cd "$work/Ščenari ☃" && ls | grep -v '^scenario\.exe$')
  [[ $got == "$expected" ]] || fail "files differ: Linux left [$expected], Windows [$got]"
  for f in $expected; do
    cmp "$work/linux/$f" "$work/Ščenari ☃/$f" || fail "$f differs"
    grep -qF "wrote $(windows_name "$work/Ščenari ☃/$f")" "$work/said" || fail "$f not named: $(cat "$work/said")"
  done
  echo "$(wc -w <<<"$expected") files byte for byte the same"
  # --help and --version answer on the standard output, lines ended by "\n"
  # alone, and write nothing.
  run "$work/Ščenari ☃/scenario.exe" --version >"$work/version" || fail "--version failed"
  grep -qx 'scenario [0-9.]*' "$work/version" || fail "--version said: $(od -c "$work/version")"
  run "$work/Ščenari ☃/scenario.exe" --help >"$work/help" || fail "--help failed"
  [[ $(head -n1 "$work/help") == 'usage: scenario' ]] || fail "--help said: $(head -n1 "$work/help" | od -c)"
  grep -qF '%USERPROFILE%\scenario' "$work/help" || fail "--help gives no Windows command"
  ;;
window)
  mkdir "$work/run"
  cp "$scenario" "$work/run/scenario.exe"
  held=$work/run/Valcerra_Mosina_IR20588.sim
  : >"$held"
  # Started directly, so that its process id is Wine's own, which the end kills.
  "$wine_run" --prefix "$prefix" "$probe" hold "$(windows_name "$held")" 30000 >"$work/holder" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do grep -q held "$work/holder" && break; sleep 0.1; done
  grep -q held "$work/holder" || fail "the compiled file could not be held open"
  run "$work/run/scenario.exe" >/dev/null &
  program=$!
  probe window scenario.exe 20000 >"$work/window" || fail "no window with a label"
  cat "$work/window"
  grep -qx 'label Attendere' "$work/window" || fail "the label is not Attendere"
  ! grep -qx box "$work/window" || fail "the window was seen only once the work had ended"
  probe box scenario.exe 20000 >"$work/box" || fail "no message box"
  cat "$work/box"
  grep -q "^text cannot write .*Valcerra_Mosina_IR20588.sim: in use" "$work/box" || fail "the box does not say why"
  grep -qx 'button OK' "$work/box" || fail "the box has no OK button"
  close_box || fail "no message box on the X server"
  status=0
  wait "$program" || status=$?
  [[ $status == 3 ]] || fail "exit status $status after the box, not 3"
  ;;
refusal)
  mkdir -p "$work/scenc/bin"
  cp "$scenario" "$work/scenc/bin/scenario.exe"
  run "$work/scenc/bin/scenario.exe" >/dev/null &
  program=$!
  probe box scenario.exe 20000 >"$work/box" || fail "no message box"
  cat "$work/box"
  grep -q '^text scenario.exe lies where it was installed' "$work/box" || fail "the box does not say why"
  grep -qF 'mkdir "%USERPROFILE%\scenario\" & copy' "$work/box" || fail "no commands for Command Prompt"
  close_box || fail "no message box on the X server"
  status=0
  wait "$program" || status=$?
  [[ $status == 3 ]] || fail "exit status $status, not 3"
  [[ $(ls "$work/scenc/bin") == scenario.exe ]] || fail "files written: $(ls "$work/scenc/bin")"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
