#!/usr/bin/env bash
# same_bytes_as_linux.sh WINE_RUN WINE_PREFIX SCENC_EXE LINUX_SCENC MAKE_LINE WORK
#
# Compiles the embedded scenario and three generated lines (20 km, 160 km,
# 1 000 km) with the Windows scenc.exe under Wine and with the Linux build's
# scenc, each in a folder of its own, and compares every file both leave,
# byte for byte. MAKE_LINE is the Linux build's scen_make_line, which writes
# the generated lines' sources.
set -euo pipefail
wine_run=$1 prefix=$2 scenc_exe=$3 linux_scenc=$4 make_line=$5 work=$6

for f in "$scenc_exe" "$linux_scenc" "$make_line"; do
  [[ -x $f || -f $f ]] || { echo "missing: $f (build the Linux tree first: make build)"; exit 1; }
done
rm -rf "$work"
mkdir -p "$work"

windows() { (cd "$1" && shift && "$wine_run" --prefix "$prefix" "$scenc_exe" "$@"); }
linux() { (cd "$1" && shift && "$linux_scenc" "$@"); }

# One case: the same sources in two folders, compiled by each build.
compare() {
  local name=$1
  if ! diff -r "$work/linux/$name" "$work/windows/$name"; then
    echo "FAIL: $name: the Windows build's files differ from the Linux build's"
    return 1
  fi
  local count
  count=$(find "$work/windows/$name" -name '*.dat' -o -name '*.sim' | wc -l)
  [[ $count -eq 3 ]] || { echo "FAIL: $name: $count compiled files instead of 3"; return 1; }
  echo "same bytes: $name ($(du -sb "$work/windows/$name" | cut -f1) bytes in $(ls "$work/windows/$name" | wc -l) files)"
}

status=0
for side in linux windows; do mkdir -p "$work/$side/embedded"; done
linux "$work/linux/embedded" sources
windows "$work/windows/embedded" sources
linux "$work/linux/embedded" compile --route Valcerra_Mosina --train IR20588
windows "$work/windows/embedded" compile --route Valcerra_Mosina --train IR20588
compare embedded || status=1

for length in 20000 160000 1000000; do
  name=line_$length
  for side in linux windows; do
    mkdir -p "$work/$side/$name"
    "$make_line" "$work/$side/$name" "$length" Lunga B1
  done
  linux "$work/linux/$name" compile --route Lunga --train B1
  windows "$work/windows/$name" compile --route Lunga --train B1
  compare "$name" || status=1
done
exit $status
