#!/usr/bin/env bash
# scenc_windows_test.sh PART WINE_RUN PREFIX BIN: one of scenc.exe's
# Windows-specific behaviours, run under Wine from the build's bin folder
# (scenc.exe and the test helpers). PART is one of:
#   unicode    a folder "Ščenari ☃" and a route "Magrè": sources, check,
#              compile, dump, view and serve read and write there, and the
#              messages name them in UTF-8;
#   streams    dump -, --line -, view --out - pass their bytes unchanged;
#   replace    a compiled file held open by another program: "in use",
#              named, and no compiled file replaced;
#   interrupt  the one-run-at-a-time lock, and Ctrl-C mid-run (status
#              130, no temporary left);
#   lsp        scenc lsp over its standard streams with z%3A URIs.
set -uo pipefail
part=$1 wine_run=$2 prefix=$3 bin=$4
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
win() { "$wine_run" --prefix "$prefix" "$@"; }
scenc() { win "$bin/scenc.exe" "$@"; }

# Wine's server outlives the program that started it and keeps that
# program's standard streams open: started here with none, it cannot hold
# the test's output open after the test ends.
win "$bin/scenc.exe" --version </dev/null >/dev/null 2>&1

# The embedded scenario's two sources, renamed to route $2 in folder $1.
sources_as() {
  mkdir -p "$1"
  scenc sources --out "$1" >/dev/null || fail "sources --out $1"
  [[ $2 == Valcerra_Mosina ]] && return
  mv "$1/Valcerra_Mosina_linea.txt" "$1/$2_linea.txt"
  mv "$1/Valcerra_Mosina_IR20588-.txt" "$1/$2_IR20588-.txt"
}

# Which files the three compiled names are: a file replaced is another.
identity() {
  stat -c '%i %Y' out/Valcerra_Mosina_linea.dat out/Valcerra_Mosina_IR20588.sim out/Valcerra_Mosina_IR20588.dat
}

# Messages name files with either separator (Windows joins with "\\").
slashed() { tr '\\' / <"$1"; }

no_temporaries() {
  local left
  left=$(find "$1" -name '*.tmp.*')
  [[ -z $left ]] || fail "temporaries left behind: $left"
}

case $part in
unicode)
  dir="Ščenari ☃"
  scenc sources --out "$dir" >out.txt 2>err.txt || fail "sources into $dir"
  slashed out.txt | grep -qF "wrote $dir/Valcerra_Mosina_linea.txt" || fail "sources names its files: $(cat out.txt err.txt)"
  [[ -f "$dir/Valcerra_Mosina_IR20588_note.txt" ]] || fail "sources wrote no file in $dir"
  mv "$dir/Valcerra_Mosina_linea.txt" "$dir/Magrè_linea.txt"
  mv "$dir/Valcerra_Mosina_IR20588-.txt" "$dir/Magrè_IR20588-.txt"

  scenc check --route Magrè --train IR20588 --line "$dir/Magrè_linea.txt" \
    --train-file "$dir/Magrè_IR20588-.txt" 2>err.txt || fail "check: $(cat err.txt)"
  scenc compile --route Magrè --train IR20588 --line "$dir/Magrè_linea.txt" \
    --train-file "$dir/Magrè_IR20588-.txt" --out "$dir/Compilati è" >out.txt 2>err.txt || fail "compile: $(cat err.txt)"
  for f in Magrè_linea.dat Magrè_IR20588.sim Magrè_IR20588.dat; do
    [[ -s "$dir/Compilati è/$f" ]] || fail "compile wrote no $dir/Compilati è/$f"
    slashed out.txt | grep -qF "wrote $dir/Compilati è/$f" || fail "compile names $f in UTF-8: $(cat out.txt)"
  done
  scenc dump "$dir/Compilati è/Magrè_IR20588.sim" >dump.txt 2>err.txt || fail "dump: $(cat err.txt)"
  [[ -s dump.txt ]] || fail "dump printed nothing"
  scenc view --route Magrè --train IR20588 --dir "$dir" --out "$dir/Magrè.html" >out.txt 2>err.txt ||
    fail "view: $(cat err.txt)"
  grep -q '<html' "$dir/Magrè.html" 2>/dev/null || fail "view wrote no page"
  scenc view --route Magrè --train IR20588 --dir "$dir/Compilati è" --compiled --out "$dir/Compilati è/c.html" \
    >/dev/null 2>err.txt || fail "view --compiled: $(cat err.txt)"

  # A diagnostic names the file as given, in UTF-8 bytes.
  scenc check --route Magrè --train IR20588 --line "$dir/Magrè_nessuna.txt" --train-file "$dir/Magrè_IR20588-.txt" \
    >/dev/null 2>err.txt
  slashed err.txt | grep -qF "$dir/Magrè_nessuna.txt" || fail "the diagnostic names the file in UTF-8: $(cat err.txt)"

  # serve reads the sources there and tells what it watches.
  # Started by exec, so that $! is the program's own process (Wine runs it
  # in the process it was started as), which SIGINT stops as Ctrl-C would.
  (exec "$wine_run" --prefix "$prefix" "$bin/scenc.exe" serve --route Magrè --train IR20588 --dir "$dir" \
     --port 0 >serve.out 2>serve.err) &
  serve=$!
  for _ in $(seq 100); do grep -q '^http://' serve.out && break; sleep 0.1; done
  url=$(grep -m1 '^http://' serve.out)
  page=$(curl -s --max-time 10 "$url" 2>/dev/null || true)
  [[ $page == *'<html'* ]] || fail "serve answered no page at ${url:-(no address)}: $(cat serve.err)"
  slashed serve.err | grep -qF "watching $dir/Magrè_linea.txt" ||
    fail "serve names its sources in UTF-8: $(cat serve.err)"
  grep -q " 0 errors" serve.err || fail "serve compiled with errors: $(cat serve.err)"
  kill -INT "$serve" 2>/dev/null
  for _ in $(seq 100); do kill -0 "$serve" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$serve" 2>/dev/null; then
    kill -KILL "$serve" 2>/dev/null
    fail "serve did not stop on Ctrl-C"
  fi
  wait "$serve" 2>/dev/null
  ;;

streams)
  sources_as src Valcerra_Mosina
  scenc compile --route Valcerra_Mosina --train IR20588 --line src/Valcerra_Mosina_linea.txt \
    --train-file src/Valcerra_Mosina_IR20588-.txt --out by_name >/dev/null 2>err.txt || fail "compile: $(cat err.txt)"
  scenc compile --route Valcerra_Mosina --train IR20588 --line - --train-file src/Valcerra_Mosina_IR20588-.txt \
    --out by_stdin <src/Valcerra_Mosina_linea.txt >/dev/null 2>err.txt || fail "compile --line -: $(cat err.txt)"
  for f in Valcerra_Mosina_linea.dat Valcerra_Mosina_IR20588.sim Valcerra_Mosina_IR20588.dat; do
    cmp -s "by_name/$f" "by_stdin/$f" || fail "--line - compiles $f otherwise than the file read by name"
  done
  for f in Valcerra_Mosina_linea.dat Valcerra_Mosina_IR20588.sim Valcerra_Mosina_IR20588.dat; do
    scenc dump "by_name/$f" >named.txt 2>err.txt || fail "dump $f: $(cat err.txt)"
    scenc dump --kind "$(case $f in *linea.dat) echo plan ;; *.sim) echo records ;; *) echo grid ;; esac)" - \
      <"by_name/$f" >piped.txt 2>err.txt || fail "dump - <$f: $(cat err.txt)"
    ! grep -q $'\r' named.txt || fail "dump's text has CR bytes (text-mode standard output)"
    diff <(tail -n +2 named.txt) <(tail -n +2 piped.txt) >/dev/null ||
      fail "dump - reads $f otherwise than by name (text-mode standard input)"
  done
  scenc view --route Valcerra_Mosina --train IR20588 --dir src --out page.html >/dev/null 2>&1 || fail "view --out FILE"
  scenc view --route Valcerra_Mosina --train IR20588 --dir src --out - >piped.html 2>/dev/null || fail "view --out -"
  cmp -s page.html piped.html || fail "view --out - writes other bytes than view --out FILE"
  ;;

replace)
  sources_as src Valcerra_Mosina
  compile() {
    scenc compile --route Valcerra_Mosina --train IR20588 --line src/Valcerra_Mosina_linea.txt \
      --train-file src/Valcerra_Mosina_IR20588-.txt --out out
  }
  compile >/dev/null 2>err.txt || fail "first compile: $(cat err.txt)"
  # The second file held letting others write but not rename over it, the
  # third letting others only read: each refused as "in use", after the
  # first file was left as it was.
  for held in "Valcerra_Mosina_IR20588.sim read-write" "Valcerra_Mosina_IR20588.dat read"; do
    read -r file share <<<"$held"
    before=$(identity)
    rm -f ready
    win "$bin/scenc_hold_file.exe" "out/$file" "$share" 8 ready &
    holder=$!
    for _ in $(seq 200); do [[ -f ready ]] && break; sleep 0.05; done
    [[ -f ready ]] || fail "the helper did not hold out/$file"
    compile >/dev/null 2>err.txt
    status=$?
    [[ $status == 3 ]] || fail "compile with $file held ($share): status $status, not 3"
    slashed err.txt | grep -qF "out/$file: in use" || fail "the message names $file and says in use: $(cat err.txt)"
    [[ $(identity) == "$before" ]] || fail "with $file held, a compiled file was replaced nonetheless"
    no_temporaries out
    wait "$holder"
  done
  ;;

interrupt)
  # A compiled file held open makes a run wait about two seconds before
  # its renames, its three temporaries written: a window that no timing
  # of Wine's starts can miss.
  sources_as src Valcerra_Mosina
  sources_as src2 Altra
  compile() {
    scenc compile --route "$1" --train IR20588 --line "src$2/$1_linea.txt" --train-file "src$2/$1_IR20588-.txt" --out out
  }
  compile Valcerra_Mosina "" >/dev/null 2>err.txt || fail "first compile: $(cat err.txt)"
  before=$(identity)
  rm -f ready
  win "$bin/scenc_hold_file.exe" out/Valcerra_Mosina_IR20588.sim read-write 20 ready &
  holder=$!
  for _ in $(seq 200); do [[ -f ready ]] && break; sleep 0.05; done

  # One run at a time in a folder: a second run, of another route, waits
  # for the first to end before it writes there.
  compile Valcerra_Mosina "" >/dev/null 2>first.err &
  first=$!
  for _ in $(seq 500); do compgen -G 'out/*.tmp.*' >/dev/null && break; sleep 0.02; done
  compile Altra 2 >/dev/null 2>second.err || fail "the second run: $(cat second.err)"
  wait "$first"
  grep -q "in use" first.err || fail "the first run did not end on its held file: $(cat first.err)"
  grep -q "another run is writing into out; waiting" second.err ||
    fail "the second run did not wait for the first: $(cat second.err)"
  [[ -s out/Altra_IR20588.sim ]] || fail "the second run wrote nothing"

  # Ctrl-C while the run waits with its temporaries written: Wine turns
  # SIGINT into the console's Ctrl-C event (it delivers no event that
  # GenerateConsoleCtrlEvent sends, failing with error 6 or 12), which the
  # run's console handler takes: status 130, every temporary removed.
  # (wine_run.sh runs Wine in its own process: the signal reaches it.)
  "$wine_run" --prefix "$prefix" "$bin/scenc.exe" compile --route Valcerra_Mosina --train IR20588 \
    --line src/Valcerra_Mosina_linea.txt --train-file src/Valcerra_Mosina_IR20588-.txt --out out >/dev/null 2>third.err &
  third=$!
  for _ in $(seq 500); do compgen -G 'out/Valcerra*.tmp.*' >/dev/null && break; sleep 0.02; done
  sleep 0.3
  kill -INT "$third"
  wait "$third"
  status=$?
  [[ $status == 130 ]] || fail "Ctrl-C mid-run: status $status, not 130: $(cat third.err)"
  no_temporaries out
  [[ $(identity) == "$before" ]] || fail "a compiled file was replaced by a run ended by Ctrl-C"
  kill "$holder" 2>/dev/null
  wait "$holder" 2>/dev/null
  ;;

lsp)
  mkdir -p "Ščenari ☃"
  sources_as "Ščenari ☃" Magrè
  python3 "$here/lsp_drive.py" "$wine_run" "$prefix" "$bin/scenc.exe" "$work/Ščenari ☃" ||
    fail "scenc lsp with Windows URIs"
  ;;

*)
  echo "unknown part $part" >&2
  exit 2
  ;;
esac

if ((failures > 0)); then
  echo "$failures failures in $part" >&2
  exit 1
fi
echo "$part: ok"
