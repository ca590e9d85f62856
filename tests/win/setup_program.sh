#!/usr/bin/env bash
# The setup program under Wine, in a Wine prefix of its own in a temporary folder: an install into
# a folder that cannot be made is refused and leaves nothing; a silent install puts exactly its
# files, the Start-menu folder and the uninstall entry in place; the program started from that
# shortcut runs with its settings in %APPDATA% (WindowsSetup.* of TESTS); an update over it keeps
# them; a silent uninstall removes what the install made and keeps them too.
#   tests/win/setup_program.sh SETUP.exe TESTS.exe   (on an X display, e.g. under xvfb-run)
set -euo pipefail
setup="$1"
tests="$2"
wine_run="$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-run.sh"
[ -f "$setup" ] || { echo "setup_program: no $setup; scripts/build-windows.sh makes it" >&2; exit 1; }
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix"
fail() {
  echo "setup_program: $*" >&2
  exit 1
}
expect_status() {
  local want="$1" got=0
  shift
  "$wine_run" "$@" >/dev/null 2>&1 || got=$?
  [ "$got" -eq "$want" ] || fail "$* ended with $got, not $want"
}
user="$WINEPREFIX/drive_c/users/$(id -un)"
folder="$user/AppData/Local/Programs/zunmo-calc"
menu="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/股票交易费用成本Zunmo计算器"
settings="$user/AppData/Roaming/zunmo-calc/TKVR.INI"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\zunmo-calc'
listing() { (cd "$1" && find . -type f | LC_ALL=C sort); }

# Refused: a /D= folder behind a file, and one in a folder locked as read_only_folder.sh does.
touch "$scratch/blocker"
mkdir "$scratch/locked"
if [ "$(id -u)" -eq 0 ]; then chattr +i "$scratch/locked"; else chmod a-w "$scratch/locked"; fi
trap 'chattr -i "$scratch/locked" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
for refused in blocker locked; do
  expect_status 4 "$setup" /S "/D=Z:${scratch//\//\\}\\$refused\\zunmo-calc"
done
[ ! -e "$folder" ] && [ -z "$(ls "$scratch/locked")" ] || fail "a refused install left files"
expect_status 1 reg query "$key"

expect_status 0 "$setup" /S
expected=$( (listing "$(dirname "$setup")/setup/files"; echo ./uninstall.exe) | LC_ALL=C sort)
[ "$(listing "$folder")" = "$expected" ] || fail "installed files: $(listing "$folder")"
[ "$(listing "$menu")" = $'./卸载.lnk\n./股票交易费用成本Zunmo计算器.lnk' ] || fail "Start menu: $(listing "$menu")"
[ ! -e "$user/Desktop/股票交易费用成本Zunmo计算器.lnk" ] || fail "a desktop shortcut nobody asked for"
expect_status 0 reg export "$key" "Z:${scratch//\//\\}\\entry.reg" /y
entry=$(iconv -f UTF-16 -t UTF-8 "$scratch/entry.reg" | tr -d '\r')
for value in '"DisplayName"="股票交易费用成本Zunmo计算器"' '"DisplayVersion"="[0-9]+\.[0-9]+"' \
  '"Publisher"="Zunmo"' '"DisplayIcon"=".*\\\\zunmo-calc\.exe,0"' \
  '"InstallLocation"=".*\\\\Programs\\\\zunmo-calc"' '"UninstallString"="\\".*uninstall\.exe\\""' \
  '"QuietUninstallString"="\\".*uninstall\.exe\\" /S"' '"EstimatedSize"=dword:0*[1-9a-f]' \
  '"NoModify"=dword:00000001' '"NoRepair"=dword:00000001'; do
  grep -q -x -E "$value[0-9a-f]*" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done

ZM_SETUP_PROGRAM=$("$wine_run" winepath -w "$setup" | tr -d '\r') \
  "$wine_run" "$tests" --gtest_filter='WindowsSetup.*' --gtest_brief=1
[ -f "$settings" ] || fail "no settings in %APPDATA%"
cp "$settings" "$scratch/settings-before"

expect_status 0 "$setup" /S
[ "$(listing "$folder")" = "$expected" ] || fail "files after the update: $(listing "$folder")"
cmp -s "$settings" "$scratch/settings-before" || fail "the update changed the settings"

expect_status 0 "$folder/uninstall.exe" /S
wineserver -w # the uninstaller works on from a copy of itself
[ ! -e "$folder" ] || fail "left after the uninstall: $(listing "$folder")"
[ ! -e "$menu" ] || fail "the Start-menu folder is left"
expect_status 1 reg query "$key"
cmp -s "$settings" "$scratch/settings-before" || fail "the uninstall changed the settings"
echo "setup_program: install, refusals, update and uninstall as expected"
