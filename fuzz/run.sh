#!/usr/bin/env bash
# Runs each fuzz target for SECONDS, two at a time, and prints libFuzzer's
# final figures (executions, coverage, features), the rate per second of
# the run and per second of processor time it had (on a shared machine the
# second tells the target's own speed), and any input that broke a rule. Corpora grow in BUILD/fuzz/corpus/<target>/ from run to run; a
# failing input is written to BUILD/fuzz/findings/.
#   fuzz/run.sh [SECONDS] [target ...]      (targets: linea linea_lunga treno compilazione immagini lsp http uri)
# Environment: FUZZ_BUILD (default build-fuzz), FUZZ_JOBS (default 2).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(linea linea_lunga treno compilazione immagini lsp http uri)
build=$(cd "$root" && realpath -m "${FUZZ_BUILD:-build-fuzz}")
jobs=${FUZZ_JOBS:-2}
work=$build/fuzz

for t in "${targets[@]}"; do
  [[ -x $build/bin/fuzz_$t ]] || { echo "no target $build/bin/fuzz_$t: run make fuzz first" >&2; exit 2; }
done
[[ -d $work/seed ]] || "$root/fuzz/seeds.sh" "$build" "$work/seed"
mkdir -p "$work/findings" "$work/logs"

run_one() {
  local t=$1 max_len=32768
  [[ $t == immagini ]] && max_len=65536
  mkdir -p "$work/corpus/$t"
  # The regression inputs seed every target.
  /usr/bin/time -o "$work/logs/$t.time" -f '%e %U %S' \
    "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$max_len" -dict="$root/fuzz/sorgenti.dict" -print_final_stats=1 \
    -artifact_prefix="$work/findings/$t-" \
    "$work/corpus/$t" "$work/seed/$t" "$root/tests/regression_inputs" >"$work/logs/$t.log" 2>&1
}

pids=()
status=0
for t in "${targets[@]}"; do
  run_one "$t" &
  pids+=($!)
  if ((${#pids[@]} >= jobs)); then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done

for t in "${targets[@]}"; do
  log=$work/logs/$t.log
  echo "== fuzz_$t"
  grep -aE '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
  grep -aE '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
  runs=$(grep -aE '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  if [[ -n $runs && -s $work/logs/$t.time ]]; then
    tail -1 "$work/logs/$t.time" | awk -v n="$runs" \
      '{cpu = $2 + $3; printf "runs/s: %.0f over %.0f s; per processor second: %.0f over %.1f s\n", n / $1, $1, (cpu > 0 ? n / cpu : 0), cpu}'
  fi
  grep -aE 'broken rule|ERROR: |SUMMARY: |Test unit written' "$log" || true
done
((status == 0)) || echo "some target stopped on a finding: see $work/findings/ and $work/logs/" >&2
exit "$status"
