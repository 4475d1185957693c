#!/usr/bin/env bash
# Installs the Debian packages that are missing from the named sets, each
# on top of `build`:
#   install-deps.sh [SET...]
#   build    building and running the programs (scenc, the scenario program)
#   test     the test suite
#   package  making the Debian package (`make deb`)
#   bench    the benchmarks (`make bench`)
#   fuzz     the fuzz targets (`make fuzz`)
# `make run` asks for `build`, `make test` for `test`. Does nothing when
# every package is present.
set -euo pipefail

# Building and running the programs: the compiler, CMake, the libraries
# compiled in, the window toolkit and the drawing library that the modules
# carried inside the executables link, the HTTP servers' libraries.
build=(
  g++ cmake make pkg-config
  libcli11-dev nlohmann-json3-dev
  libfltk1.3-dev
  libcairo2-dev
  libboost-dev
)

# The Debian package: dpkg-shlibdeps reads its dependencies.
package=(dpkg-dev)

# The test suite, on top of `build`, by what each group serves.
test_googletest=(libgtest-dev libgmock-dev)
# The scenario program's window on a private X server: started, searched,
# dumped.
test_window=(xvfb xdotool x11-apps imagemagick)
# The sanitized build (clang's runtime of the sanitizers with it).
test_clang=(clang libclang-rt-14-dev)
# The package checked, installed and purged; the man pages checked.
test_package=("${package[@]}" groff-base lintian)
# The page of `scenc view` and `scenc serve` in a real browser.
test_browser=(chromium chromium-driver python3-selenium)
# The JSON of `scenc dump` against its schema.
test_json=(python3-jsonschema)
# The language server in an editor; the completion scripts in the shells.
test_editors_shells=(neovim bash-completion zsh fish)
# The Windows build (MinGW-w64, posix threads), its installer and archives,
# and its tests under Wine (with xvfb above for their windows).
test_windows=(g++-mingw-w64-x86-64-posix wine wine64 nsis zip unzip fonts-wine)
# `make windows` alone: the cross build, the zip and the installer, with the
# man pages rendered as text for them.
windows=("${test_windows[@]}" groff-base)
test=(
  "${test_googletest[@]}" "${test_window[@]}" "${test_clang[@]}" "${test_package[@]}"
  "${test_browser[@]}" "${test_json[@]}" "${test_editors_shells[@]}" "${test_windows[@]}"
)

# The benchmarks: Google Benchmark, and whole runs timed by hyperfine with
# GNU time's peak memory.
bench=(libbenchmark-dev hyperfine time)

# The fuzz targets: libFuzzer, in clang's runtime.
fuzz=(clang libclang-rt-14-dev)

packages=("${build[@]}")
for set in "$@"; do
  case $set in
    build) ;;
    test) packages+=("${test[@]}") ;;
    package) packages+=("${package[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    fuzz) packages+=("${fuzz[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    *) echo "$0: unknown set '$set' (build, test, package, bench, fuzz, windows)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
