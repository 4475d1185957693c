#!/usr/bin/env bash
# The installed tree and the Debian package, each run from a temporary root
# as a user would: scenc --version, scenc sources and scenc compile of the
# embedded scenario, and the scenario program copied out of lib/scenc.
#   package_test.sh BUILD_DIR install|deb
set -euo pipefail

build=$1
mode=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs the tool and the program found under the prefix $1.
run_from() {
  local prefix=$1
  [[ -x $prefix/bin/scenc ]] || fail "no $prefix/bin/scenc"
  [[ -x $prefix/lib/scenc/scenario ]] || fail "no $prefix/lib/scenc/scenario"
  for page in scenc scenario; do
    [[ -s $prefix/share/man/man1/$page.1.gz ]] || fail "no man page $page.1.gz"
  done
  for script in bash-completion/completions/scenc zsh/vendor-completions/_scenc fish/vendor_completions.d/scenc.fish; do
    [[ -s $prefix/share/$script ]] || fail "no completion script share/$script"
  done
  for doc in format.md errors.md compiled.md documents.md dump-json.md; do
    [[ -s $prefix/share/doc/scenc/$doc ]] || fail "no $doc in share/doc/scenc"
  done

  local version
  version=$("$prefix/bin/scenc" --version) || fail "scenc --version failed"
  [[ $version == "scenc "[0-9]* ]] || fail "scenc --version said: $version"

  local work=$tmp/work-$mode
  mkdir -p "$work"
  (cd "$work" && "$prefix/bin/scenc" sources >/dev/null) || fail "scenc sources failed"
  (cd "$work" && "$prefix/bin/scenc" compile --route Valcerra_Mosina --train IR20588 >/dev/null) ||
    fail "scenc compile of the embedded scenario failed"
  [[ $(stat -c %s "$work/Valcerra_Mosina_IR20588.dat") == 48615 ]] || fail "wrong size of the cell grid"
  [[ $(stat -c %s "$work/Valcerra_Mosina_linea.dat") == 3239964 ]] || fail "wrong size of the track plan"

  # The program writes next to itself: run a copy in a directory of its own.
  local own=$tmp/own-$mode
  mkdir -p "$own"
  cp "$prefix/lib/scenc/scenario" "$own/"
  env -u DISPLAY "$own/scenario" || fail "the copied scenario program failed"
  cmp -s "$own/Valcerra_Mosina_IR20588.dat" "$work/Valcerra_Mosina_IR20588.dat" ||
    fail "the program and scenc compile disagree"
}

case $mode in
  install)
    cmake --install "$build" --prefix "$tmp/root" >/dev/null
    run_from "$tmp/root"
    ;;
  deb)
    cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 ||
      { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
    debs=("$tmp"/pkg/scenc_*.deb)
    [[ -f ${debs[0]} ]] || fail "cpack made no scenc_*.deb"
    depends=$(dpkg-deb -f "${debs[0]}" Depends)
    echo "Depends: $depends"
    for lib in libfltk1.3 libcairo2 libx11-6 libstdc++6 libc6; do
      [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
    done
    dpkg -x "${debs[0]}" "$tmp/root"
    run_from "$tmp/root/usr"
    ;;
  *)
    fail "unknown mode $mode"
    ;;
esac
echo "ok: $mode"
