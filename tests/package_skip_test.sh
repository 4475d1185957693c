#!/usr/bin/env bash
# The package test where no mount namespace can be made (a chroot, a
# container without the capability): an `unshare` that refuses as it does in
# a chroot stands first on PATH, and the package test must end skipped
# (exit 77) saying why, having installed nothing.
#   package_skip_test.sh BUILD_DIR
set -euo pipefail

build=$1
here=$(cd "$(dirname "$0")" && pwd)

if [[ $(id -u) != 0 ]]; then
  echo "skipped: the package test reaches its mount namespaces only as root"
  exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"
cat >"$tmp/bin/unshare" <<'STUB'
#!/bin/sh
echo "unshare: cannot change root filesystem propagation: Invalid argument" >&2
exit 1
STUB
chmod +x "$tmp/bin/unshare"

status=0
PATH="$tmp/bin:$PATH" "$here/package_test.sh" "$build" deb >"$tmp/out.log" 2>&1 || status=$?
cat "$tmp/out.log"
if ((status != 77)); then
  echo "FAIL: the package test ended with $status, not 77 (skipped)" >&2
  exit 1
fi
grep -q "^skipped: .*mount namespace.*cannot change root filesystem propagation: Invalid argument" "$tmp/out.log" ||
  { echo "FAIL: the package test's skip does not say that no mount namespace can be made, and why" >&2; exit 1; }
echo "ok: skipped where no mount namespace can be made"
