#!/usr/bin/env bash
# The setup program under Wine in a fresh prefix: refused for folders it cannot write to, then
# installed silently (files, Start menu, uninstall entry), the installed program run through
# WindowsSetup.* of TESTS, updated, and uninstalled, the settings in %APPDATA% kept throughout.
#   tests/win/setup_program.sh SETUP.exe TESTS.exe   (on an X display, e.g. under xvfb-run)
set -euo pipefail
setup="$1"
wine_run="$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-run.sh"
[ -f "$setup" ] || { echo "setup_program: no $setup; scripts/build-windows.sh makes it" >&2; exit 1; }
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix"
trap 'chattr -i "$scratch/locked" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "setup_program: $*" >&2; exit 1; }
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

# A /D= folder behind a file, and one in a folder locked as read_only_folder.sh locks it.
touch "$scratch/blocker"
mkdir "$scratch/locked"
if [ "$(id -u)" -eq 0 ]; then chattr +i "$scratch/locked"; else chmod a-w "$scratch/locked"; fi
for refused in blocker locked; do
  expect_status 4 "$setup" /S "/D=Z:${scratch//\//\\}\\$refused\\zunmo-calc"
done
[ ! -e "$folder" ] && [ -z "$(ls "$scratch/locked")" ] || fail "a refused install left files"
expect_status 1 reg query "$key"

expect_status 0 "$setup" /S
expected=$( (listing "$(dirname "$setup")/setup/files"; echo ./uninstall.exe) | LC_ALL=C sort)
[ "$(listing "$folder")" = "$expected" ] || fail "installed: $(listing "$folder")"
[ "$(listing "$menu")" = $'./卸载.lnk\n./股票交易费用成本Zunmo计算器.lnk' ] || fail "Start menu"
[ ! -e "$user/Desktop/股票交易费用成本Zunmo计算器.lnk" ] || fail "an unasked desktop shortcut"
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
  "$wine_run" "$2" --gtest_filter='WindowsSetup.*' --gtest_brief=1
cp "$settings" "$scratch/settings" || fail "no settings in %APPDATA%"
expect_status 0 "$setup" /S
[ "$(listing "$folder")" = "$expected" ] || fail "updated: $(listing "$folder")"
expect_status 0 "$folder/uninstall.exe" /S
wineserver -w # the uninstaller works on from a copy of itself
[ ! -e "$folder" ] && [ ! -e "$menu" ] || fail "left after the uninstall: $(listing "$user")"
expect_status 1 reg query "$key"
cmp "$settings" "$scratch/settings" || fail "the update or the uninstall changed the settings"
echo "setup_program: refusals, install, update and uninstall as expected"
