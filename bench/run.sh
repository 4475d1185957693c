#!/usr/bin/env bash
# Whole-process benchmark: each job against copying the files it leaves, in
# one run, side by side.
#
#   bench/run.sh [BUILD_DIR] [ROUNDS]      (defaults: build-bench, 21)
#
# (a) the scenario program's whole job (its executable copied into a fresh
#     directory, run there without a display) against `cp` of the eight
#     files it writes (two sources, three documents, three compiled files)
#     into a fresh directory;
# (b) `scenc compile` of the long generated line (1 000 000 m; see
#     bench/long_line.h) against `cp` of its three compiled files into a
#     fresh directory; also at 1/4 and 1/2 of that length, to show how the
#     time grows with the line.
# (c) `scenc check` of the long line, every warning on, against `scenc
#     compile` of it: the check writes nothing and must take no longer.
#
# Every round runs each command once, all commands one after the other in a
# single hyperfine call (each with its own fresh directory prepared
# untimed), so that a busy machine slows the jobs and their copies alike.
# The medians over the rounds are compared. Peak resident memory comes from
# /usr/bin/time -v.
set -euo pipefail

build=${1:-build-bench}
rounds=${2:-21}
if ! [[ $rounds =~ ^[0-9]+$ ]] || ((rounds < 1)); then
  echo "usage: $0 [BUILD_DIR] [ROUNDS]" >&2
  exit 2
fi
build=$(cd "$build" && pwd)
scenario=$build/bin/scenario
scenc=$build/bin/scenc
make_line=$build/bin/scen_make_line
for tool in "$scenario" "$scenc" "$make_line" /usr/bin/time; do
  [[ -x $tool ]] || { echo "$0: $tool is missing (build it first: make bench)" >&2; exit 1; }
done
command -v hyperfine > /dev/null || { echo "$0: hyperfine is not installed" >&2; exit 1; }

# The scenario program runs without a window.
unset DISPLAY WAYLAND_DISPLAY

work=$(mktemp -d "${TMPDIR:-/tmp}/scen_run_XXXXXX")
trap 'rm -rf "$work"' EXIT

route=Lunga
train=B1
lengths=(250000 500000 1000000)
largest=1000000

# --- What each job leaves, made once and checked -------------------------

mkdir "$work/ref_a"
cp "$scenario" "$work/ref_a/"
"$work/ref_a/scenario"
rm "$work/ref_a/scenario"
"$scenc" sources --out "$work/ref_a" > /dev/null
mapfile -t files_a < <(cd "$work/ref_a" && ls)
if ((${#files_a[@]} != 8)); then
  echo "$0: expected the eight files of the scenario program, found: ${files_a[*]}" >&2
  exit 1
fi

for L in "${lengths[@]}"; do
  mkdir "$work/src_$L" "$work/ref_$L"
  "$make_line" "$work/src_$L" "$L" "$route" "$train"
  if ! "$scenc" compile --route "$route" --train "$train" --line "$work/src_$L/${route}_linea.txt" \
      --train-file "$work/src_$L/${route}_${train}-.txt" --out "$work/ref_$L" > /dev/null; then
    echo "$0: the generated line of $L m does not compile cleanly" >&2
    exit 1
  fi
done
compiled=("${route}_linea.dat" "${route}_${train}.sim" "${route}_${train}.dat")

# --- The commands, each with the command that prepares it ---------------

names=() prepares=() commands=()
add() { names+=("$1"); prepares+=("$2"); commands+=("$3"); }
fresh() { echo "sh -c 'rm -rf $1 && mkdir $1${2:+ && cp $2 $1/}'"; }

add "a_job" "$(fresh "$work/a" "$scenario")" "$work/a/scenario"
add "a_cp" "$(fresh "$work/a_cp")" "cp ${files_a[*]/#/$work/ref_a/} $work/a_cp/"
for L in "${lengths[@]}"; do
  add "b_job_$L" "$(fresh "$work/b_$L")" \
    "$scenc compile --route $route --train $train --line $work/src_$L/${route}_linea.txt --train-file $work/src_$L/${route}_${train}-.txt --out $work/b_$L"
  add "b_cp_$L" "$(fresh "$work/b_cp_$L")" "cp ${compiled[*]/#/$work/ref_$L/} $work/b_cp_$L/"
done

add "c_check" "true" \
  "$scenc check --route $route --train $train --line $work/src_$largest/${route}_linea.txt --train-file $work/src_$largest/${route}_${train}-.txt"

hyperfine_args=(-N --runs 1 --style none)
for i in "${!names[@]}"; do hyperfine_args+=(--prepare "${prepares[$i]}" "${commands[$i]}"); done

# One round untimed, to warm the caches, then the measured rounds.
hyperfine "${hyperfine_args[@]}" --export-csv "$work/warmup.csv"
: > "$work/times"
for ((r = 1; r <= rounds; ++r)); do
  hyperfine "${hyperfine_args[@]}" --export-csv "$work/round.csv"
  # Rows in command order: wall time, user and system time of the run, in s.
  awk -F, -v names="${names[*]}" 'BEGIN { split(names, n, " ") }
    NR > 1 { print n[NR - 1], $2, $5 + $6 }' "$work/round.csv" >> "$work/times"
  # A job must not have failed; hyperfine stops with an error if it did.
done

# Median over the rounds of column 2 (wall) or 3 (user + system) of a command.
median_ms() {
  awk -v k="$1" -v c="${2:-2}" '$1 == k { print $c * 1000 }' "$work/times" | sort -g |
    awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Peak resident set size in kB of a command, the largest of three runs,
# each in a fresh directory.
peak_kb() {
  local prepare=$1; shift
  local best=0 kb
  for _ in 1 2 3; do
    sh -c "$prepare"
    kb=$(/usr/bin/time -v "$@" 2>&1 > /dev/null | awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')
    ((kb > best)) && best=$kb
  done
  echo "$best"
}

# --- Report ---------------------------------------------------------------

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g ? "met" : "NOT met") }'; }

echo "Whole-process benchmark: $rounds interleaved rounds; medians of the wall time (the goals) and of"
echo "user + system time (less sensitive to other load on the machine)"
echo "machine: $(nproc) CPUs, $(lscpu | awk -F: '/Model name/ { gsub(/^ +/, "", $2); print $2; exit }'), kernel $(uname -r)"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# One line: wall job, wall cp, ratio, CPU job, CPU cp, ratio, goal.
row() {
  local what=$1 job=$2 cp=$3 goal=$4
  local wj wc cj cc r
  wj=$(median_ms "$job") wc=$(median_ms "$cp") cj=$(median_ms "$job" 3) cc=$(median_ms "$cp" 3)
  r=$(ratio "$wj" "$wc")
  printf '%-40s %8.2f %8.2f %6s   %7.2f %7.2f %6s  %s\n' "$what" "$wj" "$wc" "$r" "$cj" "$cc" \
    "$(ratio "$cj" "$cc")" "${goal:+<= $goal: $(verdict "$r" "$goal")}"
}
printf '%-40s %8s %8s %6s   %7s %7s %6s  %s\n' "" "wall ms" "" "" "CPU ms" "" "" ""
printf '%-40s %8s %8s %6s   %7s %7s %6s  %s\n' "job" "job" "cp" "ratio" "job" "cp" "ratio" "goal (wall)"
row "(a) scenario program, 8 files" a_job a_cp 2.0
for L in "${lengths[@]}"; do
  goal=""
  [[ $L == "$largest" ]] && goal=1.5
  row "(b) scenc compile, $((L / 1000)) km, 3 files" "b_job_$L" "b_cp_$L" "$goal"
done
row "(c) scenc check, 1000 km, vs compile" c_check "b_job_$largest" 1.0
echo

# Linear growth: the half-length time against the straight line through the
# quarter and the full length, for the wall and for the CPU time.
for c in 2 3; do
  awk -v what="$([[ $c == 2 ]] && echo wall || echo CPU)" -v q="$(median_ms b_job_250000 $c)" \
      -v h="$(median_ms b_job_500000 $c)" -v f="$(median_ms b_job_1000000 $c)" 'BEGIN {
    slope = (f - q) / 750            # ms per km
    line = q + slope * 250           # expected at 500 km
    dev = (h - line) / line * 100
    printf "growth (%s): %.4f ms per km; at 500 km %.2f ms against %.2f ms on the line through 250 and 1000 km (%+.1f %%): %s\n",
      what, slope, h, line, dev, (dev <= 10 && dev >= -10 ? "linear" : "NOT linear")
  }'
done

largest_out=$(stat -c %s "$work/ref_$largest/${route}_linea.dat")
b_kb=$(peak_kb "rm -rf $work/m && mkdir $work/m" "$scenc" compile --route "$route" --train "$train" \
  --line "$work/src_$largest/${route}_linea.txt" --train-file "$work/src_$largest/${route}_${train}-.txt" --out "$work/m")
b_cp_kb=$(peak_kb "rm -rf $work/m && mkdir $work/m" cp "${compiled[@]/#/$work/ref_$largest/}" "$work/m/")
a_kb=$(peak_kb "rm -rf $work/m && mkdir $work/m && cp $scenario $work/m/" "$work/m/scenario")
a_cp_kb=$(peak_kb "rm -rf $work/m && mkdir $work/m" cp "${files_a[@]/#/$work/ref_a/}" "$work/m/")
awk -v b="$b_kb" -v bcp="$b_cp_kb" -v a="$a_kb" -v acp="$a_cp_kb" -v out="$largest_out" 'BEGIN {
  goal = 1.5 * out + 10e6
  printf "peak RSS: (a) scenario %.1f MB (cp %.1f MB); (b) scenc compile %.1f MB (cp %.1f MB)\n",
    a * 1024 / 1e6, acp * 1024 / 1e6, b * 1024 / 1e6, bcp * 1024 / 1e6
  printf "(b) goal: at most 1.5 x %.1f MB (largest output) + 10 MB = %.1f MB: %s\n",
    out / 1e6, goal / 1e6, (b * 1024 <= goal ? "met" : "NOT met")
}'
