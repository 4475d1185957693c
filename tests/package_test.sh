#!/usr/bin/env bash
# The installed tree and the Debian package, run as a user runs them
# (tests/package_checks.sh).
#   package_test.sh BUILD_DIR install|deb
# install: `cmake --install` into a temporary prefix.
# deb: builds the package and runs lintian on it (any error fails; the
# warnings left are explained in the README's packaging notes). Then, as
# root, it installs the package with dpkg into two throw-away roots, each
# an overlay of this machine's root in a mount namespace of its own: one
# with the recommended packages as this machine has them, one where they
# were purged first. In each it runs every subcommand and the scenario
# program, purges the package and checks that nothing is left behind. As
# another user, or where no mount namespace can be made (a chroot), the two
# roots are skipped (exit 77) with a line saying why.
set -euo pipefail

build=$1
mode=$2
here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The names in a dependency field, without versions and alternatives.
package_names() {
  tr ',|' '\n\n' <<<"$1" | sed 's/(.*)//; s/^ *//; s/ *$//' | grep -v '^$' || true
}

# Installs, checks and purges the package in an overlay root made in the
# folder $1, with or without the recommended packages. Runs in a mount
# namespace of its own, so the mounts are seen by nobody else and vanish
# with it; they are undone before it ends, as the root holds this machine's
# /dev.
in_root() {
  local layer=$1 deb=$2 checks=$3 recommends=$4 drop=$5
  local root=$layer/merged
  mkdir -p "$layer/upper" "$layer/work" "$root"
  mount -t overlay overlay -o "lowerdir=/,upperdir=$layer/upper,workdir=$layer/work" "$root"
  # shellcheck disable=SC2064
  trap "umount -R $(printf %q "$root")" EXIT
  mount --rbind /dev "$root/dev"
  mount -t proc proc "$root/proc"
  mkdir -p "$root/scenc-test/work"
  cp "$deb" "$root/scenc-test/scenc.deb"
  cp "$checks" "$root/scenc-test/package_checks.sh"
  in_chroot() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }

  # A machine of this kind without the recommended packages (and without
  # any scenc installed before).
  if in_chroot dpkg-query -W -f='${Status}' scenc 2>/dev/null | grep -q installed; then
    in_chroot dpkg --purge scenc >/dev/null
  fi
  if [[ $recommends == without ]]; then
    # shellcheck disable=SC2086
    in_chroot dpkg --purge --force-depends $drop >"$layer/purge.log" 2>&1 ||
      { cat "$layer/purge.log" >&2; fail "cannot purge $drop"; }
  fi
  (cd "$layer/upper" && find . -mindepth 1 | sort) >"$layer/before.txt"

  in_chroot dpkg --install /scenc-test/scenc.deb >"$layer/install.log" 2>&1 ||
    { cat "$layer/install.log" >&2; fail "dpkg --install failed $recommends recommends"; }
  in_chroot bash /scenc-test/package_checks.sh /usr /scenc-test/work "$recommends"
  in_chroot dpkg --purge scenc >"$layer/remove.log" 2>&1 ||
    { cat "$layer/remove.log" >&2; fail "dpkg --purge failed $recommends recommends"; }

  # What the overlay gained meanwhile, but dpkg's own records and log,
  # man-db's index (its trigger updates it for any package with man pages),
  # the test's folder and the directories of this machine that were merely
  # opened for writing.
  (cd "$layer/upper" && find . -mindepth 1 | sort) >"$layer/after.txt"
  local left=()
  while IFS= read -r p; do
    case $p in ./var/lib/dpkg | ./var/lib/dpkg/* | ./var/log | ./var/log/* | ./var/cache/man/*) continue ;;
      ./scenc-test | ./scenc-test/*) continue ;; esac
    [[ -d $layer/upper/$p && ! -L $layer/upper/$p && -d /$p ]] && continue
    left+=("${p#.}")
  done < <(comm -13 "$layer/before.txt" "$layer/after.txt")
  ((${#left[@]} == 0)) || fail "left behind after purging, $recommends recommends: ${left[*]}"
  echo "ok: installed, run and purged $recommends recommends"
}

if [[ $mode == __in_root ]]; then
  in_root "${@:3}"
  exit 0
fi

tmp=$(mktemp -d)
trap 'rm -rf --one-file-system "$tmp"' EXIT

case $mode in
  install)
    cmake --install "$build" --prefix "$tmp/root" >/dev/null
    chmod 755 "$tmp"
    mkdir "$tmp/work"
    "$here/package_checks.sh" "$tmp/root" "$tmp/work" with
    ;;
  deb)
    cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 ||
      { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
    debs=("$tmp"/pkg/scenc_*.deb)
    [[ -f ${debs[0]} ]] || fail "cpack made no scenc_*.deb"
    deb=${debs[0]}

    lintian --fail-on error "$deb" >"$tmp/lintian.log" 2>&1 ||
      { cat "$tmp/lintian.log" >&2; fail "lintian found errors"; }
    cat "$tmp/lintian.log"

    depends=$(dpkg-deb -f "$deb" Depends)
    recommends=$(dpkg-deb -f "$deb" Recommends)
    echo "Depends: $depends"
    echo "Recommends: $recommends"
    [[ $depends == *libc6* ]] || fail "Depends lacks libc6: $depends"
    [[ ! $depends =~ fltk|cairo|libx ]] || fail "Depends holds what only the modules need: $depends"
    for lib in libfltk1.3 libcairo2 libx11-6; do
      [[ $recommends == *"$lib"* ]] || fail "Recommends lacks $lib: $recommends"
    done

    if [[ $(id -u) != 0 ]]; then
      echo "skipped: installing into throw-away roots needs root"
      exit 77
    fi
    # In a chroot, or a container without the capability, no mount
    # namespace can be made, and so no throw-away root.
    if ! refusal=$(unshare --mount --propagation private true 2>&1); then
      echo "skipped: installing into throw-away roots needs a mount namespace, and this machine makes none" \
        "(${refusal:-unshare failed})"
      exit 77
    fi
    # The recommended packages that Depends does not name (Recommends may
    # ask a later version of one it does).
    drop=$(comm -23 <(package_names "$recommends" | sort -u) <(package_names "$depends" | sort -u) | tr '\n' ' ')
    for with in with without; do
      unshare --mount --propagation private "$0" "$build" __in_root "$tmp/root-$with" "$deb" "$here/package_checks.sh" \
        "$with" "$drop"
    done
    ;;
  *)
    fail "unknown mode $mode"
    ;;
esac
echo "ok: $mode"
