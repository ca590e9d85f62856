#!/usr/bin/env bash
# Builds the Debian package from a built build folder (cpack -G DEB, see packaging/), then checks
# it: lintian reports no error, and unpacked into a scratch root (dpkg -x) it holds exactly the
# files below, a launcher that starts the packaged program, and the libraries the program links
# among its dependencies (found by dpkg-shlibdeps).
#
# Usage: scripts/build_deb.sh [BUILD_DIR]   (default: build, as ./test.sh builds it)
# The package is left in BUILD_DIR as zunmo-calc_<version>_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build}"
rm -f "$build_dir"/zunmo-calc_*.deb
(cd "$build_dir" && cpack -G DEB > cpack.log) || { cat "$build_dir/cpack.log" >&2; exit 1; }
debs=("$build_dir"/zunmo-calc_*_amd64.deb)
deb="${debs[0]}"
[ -f "$deb" ] || { echo "build_deb: cpack made no zunmo-calc_<version>_amd64.deb" >&2; exit 1; }

# Errors fail; warnings (a missing man page) are shown.
lintian --fail-on error --suppress-tags no-manual-page "$deb"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch"
expected="$(cat <<'LIST'
/usr/bin/zunmo-calc
/usr/lib/zunmo-calc/zunmo-calc
/usr/share/applications/zunmo-calc.desktop
/usr/share/doc/zunmo-calc/changelog.gz
/usr/share/doc/zunmo-calc/copyright
/usr/share/doc/zunmo-calc/images/about-box.png
/usr/share/doc/zunmo-calc/images/batch-buy.png
/usr/share/doc/zunmo-calc/images/import.png
/usr/share/doc/zunmo-calc/images/journal.png
/usr/share/doc/zunmo-calc/images/main-window-today.png
/usr/share/doc/zunmo-calc/images/main-window.png
/usr/share/doc/zunmo-calc/images/target-dialog.png
/usr/share/doc/zunmo-calc/images/tool-average.png
/usr/share/doc/zunmo-calc/images/tool-exrights.png
/usr/share/doc/zunmo-calc/images/tool-limit.png
/usr/share/doc/zunmo-calc/images/tool-lots.png
/usr/share/doc/zunmo-calc/images/tool-swing.png
/usr/share/doc/zunmo-calc/images/windows-import.png
/usr/share/doc/zunmo-calc/images/windows-journal.png
/usr/share/doc/zunmo-calc/images/windows-tool-average.png
/usr/share/doc/zunmo-calc/images/windows-tool-exrights.png
/usr/share/doc/zunmo-calc/images/windows-tool-limit.png
/usr/share/doc/zunmo-calc/images/windows-tool-lots.png
/usr/share/doc/zunmo-calc/images/windows-tool-swing.png
/usr/share/doc/zunmo-calc/user-guide.html
/usr/share/icons/hicolor/128x128/apps/zunmo-calc.png
/usr/share/icons/hicolor/16x16/apps/zunmo-calc.png
/usr/share/icons/hicolor/24x24/apps/zunmo-calc.png
/usr/share/icons/hicolor/256x256/apps/zunmo-calc.png
/usr/share/icons/hicolor/32x32/apps/zunmo-calc.png
/usr/share/icons/hicolor/48x48/apps/zunmo-calc.png
/usr/share/icons/hicolor/64x64/apps/zunmo-calc.png
/usr/share/icons/hicolor/scalable/apps/zunmo-calc.svg
LIST
)"
actual="$(cd "$scratch" && find . ! -type d | sed 's|^\.||' | LC_ALL=C sort)"
if [ "$actual" != "$expected" ]; then
  echo "build_deb: the package's files differ from the expected list (< expected, > packaged):" >&2
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  exit 1
fi

fail() { echo "build_deb: $*" >&2; exit 1; }
[ "$(readlink "$scratch/usr/bin/zunmo-calc")" = "../lib/zunmo-calc/zunmo-calc" ] ||
  fail "/usr/bin/zunmo-calc is no link to the program"
file "$scratch/usr/lib/zunmo-calc/zunmo-calc" | grep -q "ELF 64-bit.*, stripped" ||
  fail "the program is no stripped 64-bit executable"
grep -qx "Exec=/usr/lib/zunmo-calc/zunmo-calc" "$scratch/usr/share/applications/zunmo-calc.desktop" ||
  fail "the launcher does not start /usr/lib/zunmo-calc/zunmo-calc"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libstdc++6 qt6-qpa-plugins \
  qt6-translations-l10n sensible-utils; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
echo "Debian package: $deb ($(du -k "$deb" | cut -f1) KiB), lintian without errors, files as listed"
