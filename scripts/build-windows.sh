#!/usr/bin/env bash
# Builds the Windows program on Debian: installs what is missing (MinGW-w64, the icon tools),
# cross-builds build-win/zunmo-calc.exe and packs build-win/zunmo-calc-windows-x64.zip with the
# .exe, 使用说明.txt (UTF-8 with a byte-order mark, so that Notepad on any Windows reads it) and
# the user guide page user-guide.html with its pictures in images\, which the about box's picture
# opens (the same page as the Linux package's, made from README.md by the build).
# Run the tests under Wine with: ctest --test-dir build-win (./test.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zm_install_packages
zm_build_windows build-win -DZM_WERROR=ON "$@"

exe=build-win/zunmo-calc.exe
size=$(stat -c %s "$exe")
if [ "$size" -ge $((3 * 1024 * 1024)) ]; then
  echo "build-windows: $exe is $size bytes, over the 3 MB the download may have" >&2
  exit 1
fi
# The program must need nothing but what every Windows has.
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|SHELL32|msvcrt)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
if grep -v -i -E "$allowed" <<<"$imports"; then
  echo "build-windows: $exe imports a DLL that Windows does not ship (above)" >&2
  exit 1
fi

stage=build-win/zip
rm -rf "$stage" build-win/zunmo-calc-windows-x64.zip
mkdir -p "$stage"
cp "$exe" "$stage/"
{
  printf '\xEF\xBB\xBF'
  sed 's/$/\r/' packaging/windows/使用说明.txt
} >"$stage/使用说明.txt"
guide=build-win/guide
if [ ! -f "$guide/user-guide.html" ]; then
  echo "build-windows: $guide/user-guide.html was not made" >&2
  exit 1
fi
cp "$guide/user-guide.html" "$stage/"
cp -r "$guide/images" "$stage/"
# CMake's zip writer marks the Chinese file name as UTF-8 (general purpose flag bit 11) when the
# locale is UTF-8, so that Windows' Explorer shows it as written.
(cd "$stage" && LC_ALL=C.UTF-8 cmake -E tar cf ../zunmo-calc-windows-x64.zip --format=zip \
  zunmo-calc.exe 使用说明.txt user-guide.html images)
rm -rf "$stage"
echo "build-windows: $exe ($size bytes; imports: $(tr '\n' ' ' <<<"$imports"))"
echo "build-windows: build-win/zunmo-calc-windows-x64.zip"
