#!/usr/bin/env bash
# Runs a Windows program under Wine with a prefix of its own: WINEPREFIX defaults to
# build-win/wine beside the program's build folder (set it to share one). The first run makes the
# prefix (some seconds); later runs reuse it. No Mono or Gecko installer is offered, nothing is
# logged, and the exit status is the program's.
#   scripts/wine-run.sh build-win/zunmo-calc.exe
set -euo pipefail
exe="$1"
shift
if [ -z "${WINEPREFIX:-}" ]; then
  build_dir="$(cd "$(dirname "$exe")" && pwd)"
  while [ "$build_dir" != / ] && [ ! -f "$build_dir/CMakeCache.txt" ]; do
    build_dir="$(dirname "$build_dir")"
  done
  [ "$build_dir" = / ] && build_dir="$(cd "$(dirname "$exe")" && pwd)"
  export WINEPREFIX="$build_dir/wine"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
wine=wine
command -v wine >/dev/null 2>&1 || wine=wine64
# Tests run in parallel: one of them makes the prefix while the others wait for it.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/zunmo-calc.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1 || true
    # Windows has 宋体; Wine takes the Song face Debian installs (fonts-arphic-uming) in its
    # place. Wine draws the title bars itself, since Xvfb has no window manager to do it.
    reg="$WINEPREFIX/zunmo-calc.reg"
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"宋体"="AR PL UMing CN"' '"SimSun"="AR PL UMing CN"' '"NSimSun"="AR PL UMing CN"' '' \
      '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Decorated"="N"' '' |
      iconv -f UTF-8 -t UTF-16 >"$reg.new"
    "$wine" regedit /S "$reg.new" >/dev/null 2>&1 || true
    mv "$reg.new" "$reg"
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"
exec "$wine" "$exe" "$@"
