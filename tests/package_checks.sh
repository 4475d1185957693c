#!/usr/bin/env bash
# scenc and the scenario program as installed, run as a user runs them.
#   package_checks.sh PREFIX WORK with|without
# PREFIX is where they were installed (/usr for the package), WORK a
# directory of the test's own to work in. "without" means the package's
# recommended libraries (window toolkit, X11, cairo) are missing: `scenc
# plot` must then say what to install and write nothing, and the scenario
# program runs without its window; everything else works the same.
set -euo pipefail

prefix=$1
work=$2
recommends=$3
scenc=$prefix/bin/scenc
program=$prefix/lib/scenc/scenario
route=(--route Valcerra_Mosina --train IR20588)

fail() {
  echo "FAIL ($recommends recommends): $*" >&2
  exit 1
}

# Runs a command and records its exit status in $status, stdout and stderr
# in the files $1.out and $1.err.
run() {
  local name=$1
  shift
  status=0
  "$@" >"$work/$name.out" 2>"$work/$name.err" || status=$?
}

[[ -x $scenc ]] || fail "no $scenc"
[[ -x $program ]] || fail "no $program"
for page in scenc scenario; do
  [[ -s $prefix/share/man/man1/$page.1.gz ]] || fail "no man page $page.1.gz"
done
for script in bash-completion/completions/scenc zsh/vendor-completions/_scenc fish/vendor_completions.d/scenc.fish; do
  [[ -s $prefix/share/$script ]] || fail "no completion script share/$script"
done
for doc in format.md errors.md compiled.md documents.md dump-json.md copyright changelog.gz; do
  [[ -s $prefix/share/doc/scenc/$doc ]] || fail "no $doc in share/doc/scenc"
done

run version "$scenc" --version
[[ $status == 0 && $(<"$work/version.out") == "scenc "[0-9]* ]] || fail "scenc --version: $(<"$work/version.out")"
version=$(<"$work/version.out")
zcat "$prefix/share/doc/scenc/changelog.gz" | head -n 1 | grep -q "^scenc (${version#scenc }) " ||
  fail "the changelog's first entry is not for $version"

mkdir -p "$work/scenario"
cd "$work/scenario"
run sources "$scenc" sources
[[ $status == 0 ]] || fail "scenc sources: $(<"$work/sources.err")"
run check "$scenc" check "${route[@]}"
[[ $status == 0 ]] || fail "scenc check: $(<"$work/check.err")"
run compile "$scenc" compile "${route[@]}"
[[ $status == 0 && $(grep -c '^wrote ' "$work/compile.out") == 3 ]] || fail "scenc compile: $(<"$work/compile.err")"
[[ $(stat -c %s Valcerra_Mosina_IR20588.dat) == 48615 ]] || fail "wrong size of the cell grid"
[[ $(stat -c %s Valcerra_Mosina_linea.dat) == 3239964 ]] || fail "wrong size of the track plan"
run dump "$scenc" dump Valcerra_Mosina_IR20588.sim
[[ $status == 0 && -s $work/dump.out ]] || fail "scenc dump: $(<"$work/dump.err")"
run view "$scenc" view "${route[@]}" --out scenario.html
[[ $status == 0 ]] && grep -q '<html' scenario.html || fail "scenc view: $(<"$work/view.err")"

run plot "$scenc" plot "${route[@]}" --out scenario.png
if [[ $recommends == with ]]; then
  [[ $status == 0 && $(head -c 4 scenario.png | tail -c 3) == PNG ]] || fail "scenc plot: $(<"$work/plot.err")"
else
  [[ $status == 1 ]] || fail "scenc plot without cairo ended with $status"
  grep -q "apt install libcairo2" "$work/plot.err" || fail "scenc plot without cairo said: $(<"$work/plot.err")"
  [[ ! -e scenario.png ]] || fail "scenc plot without cairo left a picture"
fi

# The server answers on a free port of this machine's loopback.
"$scenc" serve "${route[@]}" --host 127.0.0.1 --port 0 >"$work/serve.out" 2>"$work/serve.err" &
server=$!
for _ in $(seq 100); do
  [[ -s $work/serve.out ]] || ! kill -0 "$server" 2>/dev/null && break
  sleep 0.1
done
url=$(head -n 1 "$work/serve.out")
[[ $url =~ ^http://127\.0\.0\.1:([0-9]+)/$ ]] || { kill "$server" 2>/dev/null; fail "scenc serve: $(<"$work/serve.err")"; }
port=${BASH_REMATCH[1]}
exec 3<>"/dev/tcp/127.0.0.1/$port"
printf 'GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' >&3
answer=$(head -n 1 <&3)
exec 3<&-
kill "$server"
wait "$server" || true
[[ $answer == "HTTP/1.1 200"* ]] || fail "scenc serve answered: $answer"

# The program writes next to itself: a copy in a folder of one's own does
# its job, names the six files it left, and runs without a window where the
# display cannot be had (an unserved one here) or the toolkit is missing.
own=$work/own
mkdir -p "$own"
cp "$program" "$own/"
run own env DISPLAY=:7913 "$own/scenario"
[[ $status == 0 ]] || fail "the copied scenario program ended with $status: $(<"$work/own.err")"
[[ $(grep -c "^wrote $own/" "$work/own.out") == 6 ]] || fail "the copied program said: $(<"$work/own.out")"
cmp -s "$own/Valcerra_Mosina_IR20588.dat" Valcerra_Mosina_IR20588.dat || fail "the program and scenc compile disagree"
if [[ $recommends == with ]]; then
  [[ ! -s $work/own.err ]] || fail "the program said: $(<"$work/own.err")"
else
  [[ $(wc -l <"$work/own.err") == 1 ]] && grep -q libfltk "$work/own.err" ||
    fail "the program without its toolkit said: $(<"$work/own.err")"
fi

# Where it was installed, and in a folder its user cannot write, it writes
# nothing and tells how to copy it out; root is refused in the first too.
refused() {
  local where=$1 name=$2
  [[ $status == 3 ]] || fail "$name ended with $status"
  grep -qF "cp $where/scenario ~/scenario/ && ~/scenario/scenario" "$work/$name.err" ||
    fail "$name said: $(<"$work/$name.err")"
  [[ ! -s $work/$name.out && $(ls -A "$where") == scenario ]] || fail "$name wrote: $(ls -A "$where")"
}
run installed env -u DISPLAY "$program"
refused "$prefix/lib/scenc" installed
if [[ $(id -u) == 0 ]]; then
  as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups env -u DISPLAY HOME=/nonexistent)
  readonly_dir=$work/readonly
  mkdir -p "$readonly_dir"
  cp "$program" "$readonly_dir/"
  chmod 755 "$work" "$readonly_dir"
  run readonly "${as_nobody[@]}" "$readonly_dir/scenario"
  refused "$readonly_dir" readonly
  grep -q "cannot write in $readonly_dir/" "$work/readonly.err" || fail "readonly said: $(<"$work/readonly.err")"
  run installed-nobody "${as_nobody[@]}" "$program"
  refused "$prefix/lib/scenc" installed-nobody
fi
echo "ok: $recommends recommends"
