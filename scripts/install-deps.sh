#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# Does nothing when they are all present.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev
  libcli11-dev nlohmann-json3-dev
  libfltk1.3-dev
  libcairo2-dev
  xvfb xdotool x11-apps imagemagick
  libbenchmark-dev hyperfine time
  clang libclang-rt-14-dev
  dpkg-dev groff-base lintian
  libboost-dev
  chromium chromium-driver python3-selenium
  neovim
  bash-completion zsh fish
  python3-jsonschema
  # The Windows build (make windows, make test-windows): the MinGW-w64
  # cross compiler with POSIX threads, Wine to run its tests (fonts-wine
  # and xvfb for the window), the installer's makensis, the zip.
  g++-mingw-w64-x86-64-posix wine wine64 nsis zip unzip fonts-wine xvfb
)

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
