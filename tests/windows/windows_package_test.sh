#!/usr/bin/env bash
# windows_package_test.sh ZIP SETUP EXPECTED_ZIP_LIST OBJDUMP WORK
#
# The Windows downloads: the zip holds exactly the expected files; its
# programs import only DLLs every Windows has; the installer, run silently
# under Wine in a throw-away prefix, installs those files and the PATH
# entry, scenc.exe runs from where it was installed, and the uninstaller,
# run silently, leaves no file, Start-menu entry, registry key or PATH entry
# behind, and keeps the user's other PATH entries as they were.
set -euo pipefail
zip=$1 setup=$2 expected=$3 objdump=$4 work=$5
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }

# The zip's list of files.
unzip -Z1 "$zip" | grep -v '/$' | sort > "$work/zip_list.txt"
diff "$expected" "$work/zip_list.txt" || fail "the zip's files differ from the expected list (< expected, > zip)"

# No DLL beyond the system's own: the C and C++ runtimes and the threads
# library are linked in.
unzip -q "$zip" -d "$work/unzipped"
system_dlls=' kernel32.dll msvcrt.dll user32.dll gdi32.dll gdiplus.dll ws2_32.dll mswsock.dll shell32.dll ole32.dll oleaut32.dll advapi32.dll comctl32.dll comdlg32.dll bcrypt.dll crypt32.dll uxtheme.dll '
for exe in "$work"/unzipped/*/bin/*.exe; do
  imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print tolower($3)}')
  [[ -n $imports ]] || fail "$exe: no imports read"
  for dll in $imports; do
    [[ $system_dlls == *" $dll "* ]] || fail "$(basename "$exe") needs $dll, which Windows does not have"
  done
  echo "$(basename "$exe") imports only: $(echo $imports)"
done

# The installer, in a Wine prefix of its own. winemenubuilder would copy
# the Start-menu entries into this machine's own desktop menus: kept off,
# and Wine's desktop folders kept inside the work folder.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
export XDG_DATA_HOME=$work/xdg/data XDG_CONFIG_HOME=$work/xdg/config
wine wineboot -i >/dev/null 2>&1
wineserver -w
windows_path() {  # a Linux path as Wine names it
  local p
  case $1 in
    "$WINEPREFIX"/drive_c/*) p=${1#"$WINEPREFIX"/drive_c}; p=${p//\//\\}; echo "C:$p" ;;
    *) p=${1//\//\\}; echo "Z:$p" ;;
  esac
}
user_path() {  # the user's PATH as the registry holds it, or nothing
  wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' |
    awk '$1 == "Path" { sub(/^[ \t]*Path[ \t]+REG_[A-Z_]+[ \t]+/, ""); print }' || true
}
set_user_path() { wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$1" /f >/dev/null; }
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/"Start Menu"/Programs/scenc
top=$(head -n1 "$expected" | cut -d/ -f1)

# Twice: into Program Files with no PATH of the user's (the value must go
# again), then into a folder named with /D= and with a PATH of the user's
# (it must come back as it was). Wine quotes an argument that holds a
# space, and /D= is not read inside quotes: that folder's name has none.
for before in "" 'C:\keep;D:\other tools'; do
  if [[ -z $before ]]; then
    install_dir=$WINEPREFIX/drive_c/"Program Files"/scenc
    where=()
  else
    install_dir=$work/installed/scenc
    where=("/D=$(windows_path "$install_dir")")
    set_user_path "$before"
  fi
  wine "$setup" /S "${where[@]}"
  wineserver -w
  [[ -d $install_dir ]] || fail "nothing installed in $install_dir"
  (cd "$install_dir" && find . -type f | sed 's|^\./||' | sort) > "$work/installed.txt"
  { sed "s|^$top/||" "$expected"; echo uninstall.exe; } | sort > "$work/expected_installed.txt"
  diff "$work/expected_installed.txt" "$work/installed.txt" || fail "installed files differ (< expected, > installed)"
  [[ -f $start_menu/"scenc documentation.lnk" ]] || fail "no Start-menu entry for the docs"
  bin=$(windows_path "$install_dir")'\bin'
  want=$bin
  [[ -z $before ]] || want="$before;$bin"
  [[ $(user_path) == "$want" ]] || fail "PATH after install: '$(user_path)', not '$want'"
  version=$(cd "$install_dir/bin" && wine ./scenc.exe --version | tr -d '\r')
  [[ $version == *scenc* ]] || fail "installed scenc.exe --version said '$version'"
  echo "installed into $(windows_path "$install_dir"): $version; PATH: $(user_path)"

  wine "$install_dir/uninstall.exe" /S
  wineserver -w
  [[ ! -e $install_dir ]] || fail "left behind: $(find "$install_dir")"
  [[ ! -e $start_menu ]] || fail "left behind: $start_menu"
  [[ $(user_path) == "$before" ]] || fail "PATH after uninstall: '$(user_path)', not '$before'"
  if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\scenc' >/dev/null 2>&1; then
    fail "the uninstall registry key is left behind"
  fi
  echo "uninstalled: nothing left; PATH: '$(user_path)'"
done
