#!/usr/bin/env bash
# Side by side: `scenc compile` of the 1 000 km line by several builds, and
# `cp` of its three compiled files, round after round, for weighing one
# change of the compile or the writers against the build without it.
#
#   bench/compare.sh [--wait-idle] ROUNDS BIN_DIR...   (each BIN_DIR holds a scenc)
#
# Every round runs each command once, in an order rotated from round to
# round, after one untimed run (the first run after a pause is slower), so
# that neither a busy moment nor a place in the round favours one build.
# With --wait-idle a round starts only once nothing else has been runnable
# for a second (on a machine shared with builds this can take a while).
#
# Prints, for each build, the median over the rounds of its wall time and
# of its user + system time, its ratio to the copy, and the median and
# quartiles of the round-by-round difference to the first build (negative:
# faster).
set -euo pipefail

wait_idle=false
if [[ ${1:-} == --wait-idle ]]; then
  wait_idle=true
  shift
fi
if (($# < 2)) || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 [--wait-idle] ROUNDS BIN_DIR..." >&2
  exit 2
fi
rounds=$1
shift
bins=()
for b in "$@"; do
  b=$(cd "$b" && pwd)
  [[ -x $b/scenc ]] || { echo "$0: $b/scenc is missing" >&2; exit 1; }
  bins+=("$b")
done
make_line=""
for b in "${bins[@]}"; do [[ -x $b/scen_make_line ]] && make_line=$b/scen_make_line && break; done
[[ -n $make_line ]] || { echo "$0: no scen_make_line in any of the builds" >&2; exit 1; }
command -v hyperfine > /dev/null || { echo "$0: hyperfine is not installed" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/scen_compare_XXXXXX")
trap 'rm -rf "$work"' EXIT

route=Lunga
train=B1
mkdir "$work/src" "$work/ref"
"$make_line" "$work/src" 1000000 "$route" "$train"
compile() { "$1/scenc" compile --route $route --train $train --line "$work/src/${route}_linea.txt" \
  --train-file "$work/src/${route}_${train}-.txt" --out "$2"; }
compile "${bins[0]}" "$work/ref" > /dev/null
# Every build must leave the same bytes.
for i in "${!bins[@]}"; do
  mkdir "$work/check_$i"
  compile "${bins[$i]}" "$work/check_$i" > /dev/null
  diff -r "$work/ref" "$work/check_$i" > /dev/null || { echo "$0: ${bins[$i]} writes other bytes" >&2; exit 1; }
done
compiled=("${route}_linea.dat" "${route}_${train}.sim" "${route}_${train}.dat")

# Command i writes into out_i; the copy is the last.
cmds=() preps=()
for i in "${!bins[@]}"; do
  cmds+=("${bins[$i]}/scenc compile --route $route --train $train --line $work/src/${route}_linea.txt --train-file $work/src/${route}_${train}-.txt --out $work/out_$i")
done
cmds+=("cp ${compiled[*]/#/$work/ref/} $work/out_${#bins[@]}/")
n=${#cmds[@]}
for ((i = 0; i < n; ++i)); do preps+=("sh -c 'rm -rf $work/out_$i && mkdir $work/out_$i'"); done

round_args() {
  local r=$1 j k
  args=(-N --runs 1 --style none --prepare "${preps[0]}" "${cmds[0]}")
  for ((j = 0; j < n; ++j)); do
    k=$(((j + r) % n))
    args+=(--prepare "${preps[$k]}" "${cmds[$k]}")
  done
}
idle() {
  local ok=0 running
  while ((ok < 5)); do
    running=$(awk '{ split($4, a, "/"); print a[1] }' /proc/loadavg)
    if ((running <= 1)); then ok=$((ok + 1)); else ok=0; fi
    sleep 0.2
  done
}

round_args 0
hyperfine "${args[@]}" > /dev/null  # warm-up
: > "$work/times"
for ((r = 1; r <= rounds; ++r)); do
  $wait_idle && idle
  round_args "$r"
  hyperfine "${args[@]}" --export-csv "$work/round.csv" > /dev/null
  # Rows: round, command, wall and user + system time in ms; the untimed
  # first run left out.
  awk -F, -v r="$r" 'NR > 2 { match($1, /out_[0-9]+/); print r, substr($1, RSTART + 4, RLENGTH - 4), $2 * 1000, ($5 + $6) * 1000 }' \
    "$work/round.csv" >> "$work/times"
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Column c (3 wall, 4 CPU) of command k.
col() { awk -v k="$1" -v c="$2" '$2 == k { print $c }' "$work/times" | median; }
# Round by round, command k less the first build: median [quartiles].
diff_col() {
  awk -v k="$1" -v c="$2" '$2 == 0 { a[$1] = $c } $2 == k { b[$1] = $c } END { for (r in b) print b[r] - a[r] }' \
    "$work/times" | sort -g | awk '{ v[NR] = $1 } END {
      m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%+.2f [%+.2f, %+.2f]", m, v[int((NR + 3) / 4)], v[int((3 * NR + 1) / 4)] }'
}

echo "$rounds rounds, load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
cp_wall=$(col $((n - 1)) 3)
printf '%-32s %8s %6s %24s   %8s %24s\n' "" "wall ms" "/ cp" "diff [quartiles]" "CPU ms" "diff [quartiles]"
for i in "${!bins[@]}"; do
  wall=$(col "$i" 3)
  printf '%-32s %8.2f %6.2f %24s   %8.2f %24s\n' "${bins[$i]}" "$wall" \
    "$(awk -v a="$wall" -v b="$cp_wall" 'BEGIN { print a / b }')" "$(diff_col "$i" 3)" "$(col "$i" 4)" "$(diff_col "$i" 4)"
done
printf '%-32s %8.2f %6s %24s   %8.2f\n' "cp" "$cp_wall" "" "" "$(col $((n - 1)) 4)"
