#!/usr/bin/env bash
# check-package.sh <package_test.exe> <dist folder> <version>
# The zips unpack with their Chinese names into one folder 墨笺速记本/ holding a stripped,
# static, console-less program, the shipped Time.ini and a read-me Notepad opens as Unicode.
# Then package_test.exe runs on the unpacked folders and the installer in a fresh Wine prefix,
# a user profile of its own. Exits 77 (skipped) without packages unless MJ_REQUIRE_PACKAGE is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
test_exe=$1 dist=$2 version=$3
setup=$dist/mjzs-$version-setup.exe
if [ ! -f "$setup" ]; then
  echo "no packages of version $version in $dist: scripts/package makes them"
  [ -n "${MJ_REQUIRE_PACKAGE:-}" ] && exit 1
  exit 77
fi

fail() { echo "FAILED: $*" >&2; exit 1; }
state=${MJ_RUN_DIR:-$root/.run}
[ -f "$state/env" ] || fail "services not started (scripts/services start)"
scratch=$(mktemp -d)
cleanup() {
  [ -z "${MJ_WINESERVER:-}" ] || "$MJ_WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
# Names in UTF-8, the tools' messages untranslated (the checks read them).
export LC_ALL=C.UTF-8

folder=墨笺速记本
expected=$(printf '%s\n' "$folder/" "$folder/Time.ini" "$folder/mjzs.exe" "$folder/使用说明.txt")
for flavour in win64 win32; do
  zip=$dist/mjzs-$version-$flavour.zip
  [ -f "$zip" ] || fail "$zip missing"
  [ "$(unzip -Z1 "$zip")" = "$expected" ] || fail "$zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
  python3 -c 'import sys, zipfile
sys.exit(any(not i.flag_bits & 0x800 for i in zipfile.ZipFile(sys.argv[1]).infolist()))' "$zip" \
    || fail "$zip: names without the UTF-8 flag"
  mkdir -p "$scratch/unpacked"
  unzip -q "$zip" -d "$scratch/unpacked/$flavour"
  dir=$scratch/unpacked/$flavour/$folder

  cmp -s "$dir/Time.ini" "$root/app/Time.ini" || fail "$flavour: Time.ini is not the shipped one"
  readme=$dir/使用说明.txt
  [ "$(head -c3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "$flavour: read-me without a byte-order mark"
  iconv -f UTF-8 -t UTF-16 "$readme" >/dev/null || fail "$flavour: read-me is not UTF-8"
  [ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "$flavour: read-me has lines without CR LF"
  grep -q "墨笺速记本 $version" "$readme" || fail "$flavour: read-me does not name version $version"

  headers=$(x86_64-w64-mingw32-objdump -p "$dir/mjzs.exe")
  case $flavour in win64) format=pei-x86-64 ;; win32) format=pei-i386 ;; esac
  grep -q "file format $format" <<<"$headers" || fail "$flavour: not a $format program"
  grep -q $'^Subsystem\t\t00000002' <<<"$headers" || fail "$flavour: not a GUI program"
  # Statically linked: only the system's own libraries.
  dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort)
  foreign=$(grep -v -x -E '(kernel32|user32|gdi32|comctl32|comdlg32|winmm|shell32|ole32|oleaut32|advapi32|msvcrt|shlwapi|version|uxtheme|msimg32|imm32|ws2_32|api-ms-win-.*)\.dll' <<<"$dlls" || true)
  [ -z "$foreign" ] || fail "$flavour: needs libraries beside it: $foreign"
  if x86_64-w64-mingw32-objdump -h "$dir/mjzs.exe" | grep -q '\.debug'; then fail "$flavour: debug sections left"; fi
  if x86_64-w64-mingw32-objdump -t "$dir/mjzs.exe" | grep -q '^\['; then fail "$flavour: symbols left (not stripped)"; fi
done

# The installer is a 64-bit program (NSIS's amd64 target): Wine here runs no other.
LC_ALL=C x86_64-w64-mingw32-objdump -f "$setup" | grep -q 'file format pei-x86-64' || fail "the installer is not a 64-bit program"

# shellcheck disable=SC1091
. "$state/env"
export WINEPREFIX=$scratch/prefix
winpath() { echo "Z:$1" | tr / '\\'; }
"$MJ_WINE" wineboot -i >/dev/null 2>&1 </dev/null
MJ_UNPACKED=$(winpath "$scratch/unpacked") MJ_SETUP=$(winpath "$setup") "$MJ_WINE" "$test_exe"
