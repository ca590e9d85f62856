#!/usr/bin/env bash
# Builds the Windows program on Debian: installs what is missing (MinGW-w64, the icon tools),
# cross-builds build-win/zunmo-calc.exe and packs build-win/zunmo-calc-windows-x64.zip with the
# .exe, 使用说明.txt (UTF-8 with a byte-order mark, so that Notepad on any Windows reads it) and
# the user guide page user-guide.html with its pictures in images\, which the about box's picture
# opens (the same page as the Linux package's, made from README.md by the build), and makes the
# per-user setup program build-win/zunmo-calc-setup.exe of the same files with NSIS
# (packaging/windows/zunmo-calc.nsi).
# Run the tests under Wine with: ctest --test-dir build-win (./test.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zm_install_packages
zm_build_windows build-win -DZM_WERROR=ON "$@"

exe=build-win/zunmo-calc.exe
size=$(stat -c %s "$exe")
# The .exe carries the C++ library, SQLite and the journal; what is downloaded is the zip or the
# setup program, both compressed and held under 3 MB below.
if [ "$size" -ge $((4 * 1024 * 1024)) ]; then
  echo "build-windows: $exe is $size bytes, over the 4 MB the program may have" >&2
  exit 1
fi
# The program must need nothing but what every Windows has.
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|SHELL32|msvcrt)\.dll$'
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

# The setup program: the zip's files and installed.marker, which makes the installed program
# keep its settings in %APPDATA%\zunmo-calc. The File lines and the uninstaller's Delete lines
# are made from the same folder, so the uninstaller removes exactly what was installed.
setup=build-win/setup
rm -rf "$setup" build-win/zunmo-calc-setup.exe
mkdir -p "$setup/files"
cp -r "$stage"/. "$setup/files/"
rm -rf "$stage"
{
  printf '\xEF\xBB\xBF'
  printf '%s\r\n' '这个文件表示程序是用安装程序装的：设置保存在 %APPDATA%\zunmo-calc\TKVR.INI 里。' \
    '卸载时会删除它；请不要删除或移动它。'
} >"$setup/files/installed.marker"
files_dir=$(cd "$setup/files" && pwd)
mapfile -t folders < <(cd "$files_dir" && find . -type d | sed 's|^\.||; s|^/||' | LC_ALL=C sort)
{
  for folder in "${folders[@]}"; do
    printf 'SetOutPath "$INSTDIR%s"\n' "${folder:+\\${folder//\//\\}}"
    find "$files_dir/$folder" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort |
      sed 's/^/File "/; s/$/"/'
  done
} >"$setup/install-files.nsh"
{
  mapfile -t installed < <(cd "$files_dir" && find . -type f | sed 's|^\./||; s|/|\\|g' |
    LC_ALL=C sort)
  echo '!macro RemoveInstalledFiles'
  printf '    Delete "$INSTDIR\\%s"\n' "${installed[@]}"
  for ((i = ${#folders[@]} - 1; i > 0; i--)); do
    printf '    RMDir "$INSTDIR\\%s"\n' "${folders[i]//\//\\}"
  done
  echo '!macroend'
  echo '!macro CheckReplaceableFiles'
  printf '    !insertmacro CheckReplaceable "$INSTDIR\\%s"\n' "${installed[@]}" uninstall.exe
  echo '!macroend'
} >"$setup/uninstall-files.nsh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$(cd "$setup" && pwd)" \
  -DICON="$(pwd)/build-win/src/win/icons/app.ico" -DOUTFILE="$(pwd)/build-win/zunmo-calc-setup.exe" \
  packaging/windows/zunmo-calc.nsi
for download in build-win/zunmo-calc-setup.exe build-win/zunmo-calc-windows-x64.zip; do
  download_size=$(stat -c %s "$download")
  if [ "$download_size" -ge $((3 * 1024 * 1024)) ]; then
    echo "build-windows: $download is $download_size bytes, over 3 MB" >&2
    exit 1
  fi
done
echo "build-windows: $exe ($size bytes; imports: $(tr '\n' ' ' <<<"$imports"))"
echo "build-windows: build-win/zunmo-calc-windows-x64.zip"
echo "build-windows: build-win/zunmo-calc-setup.exe ($(stat -c %s build-win/zunmo-calc-setup.exe) bytes)"
