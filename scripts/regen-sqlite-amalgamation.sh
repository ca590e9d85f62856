#!/usr/bin/env bash
# Regenerates third_party/sqlite/ (sqlite3.c, sqlite3.h, VERSION): the SQLite amalgamation the
# Windows program compiles in, made from Debian's own source package of the SQLite that the
# Linux build links (libsqlite3-dev), so that both systems run the same SQLite.
#
# The machine's apt sources need no deb-src line: the script writes one for the same archives
# and suites into a sources file of its own, with apt's package lists and downloads in a
# temporary folder, and removes all of it when it ends, also on failure. The system's sources
# and package lists are left as they were. Needs tclsh (package tcl, installed when missing),
# dpkg-dev and a C compiler.
#
# Usage: scripts/regen-sqlite-amalgamation.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
dest="$root/third_party/sqlite"

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
if ! command -v tclsh >/dev/null; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends tcl
fi
for tool in dpkg-source cc make; do
  if ! command -v "$tool" >/dev/null; then
    echo "regen-sqlite: $tool is missing (packages dpkg-dev, gcc, make)" >&2
    exit 1
  fi
done

# The Debian source package and its version of the installed SQLite library.
source_package=$(dpkg-query -W -f='${source:Package}' libsqlite3-0)
source_version=$(dpkg-query -W -f='${source:Version}' libsqlite3-0)
upstream_version=$(dpkg-query -W -f='${source:Upstream-Version}' libsqlite3-0)
echo "regen-sqlite: $source_package $source_version (SQLite $upstream_version)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# deb-src lines for every "deb" archive and suite of the machine's sources, both formats
# (one-line sources.list and deb822 .sources files).
mapfile -t archives < <(
  {
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      if [ -f "$f" ]; then cat "$f"; fi
    done | sed -n 's/^[[:space:]]*deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\{0,1\}\([^[:space:]]\+\)[[:space:]]\+\([^[:space:]]\+\).*/\2 \3/p'
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      # One stanza per blank-line-separated block; only enabled stanzas of Types: deb.
      awk '
        function flush() {
          if (types ~ /(^| )deb( |$)/ && enabled != "no")
            for (i = 1; i <= nu; i++) for (j = 1; j <= ns; j++) print uris[i], suites[j]
          types = ""; enabled = ""; nu = 0; ns = 0
        }
        /^[[:space:]]*$/ { flush(); next }
        /^#/ { next }
        /^Types:/ { types = $0; sub(/^Types:[[:space:]]*/, "", types) }
        /^Enabled:/ { enabled = tolower($2) }
        /^URIs:/ { for (k = 2; k <= NF; k++) uris[++nu] = $k }
        /^Suites:/ { for (k = 2; k <= NF; k++) suites[++ns] = $k }
        END { flush() }
      ' "$f"
    done
  } | grep -E '^(https?|file)://' | sort -u
)
# Only Debian's own archives carry the source package.
mapfile -t archives < <(printf '%s\n' "${archives[@]}" | grep -E 'debian(-security)?/? ' || true)
if [ "${#archives[@]}" -eq 0 ]; then
  echo "regen-sqlite: no Debian archive in the apt sources" >&2
  exit 1
fi
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial"
for line in "${archives[@]}"; do
  read -r uri suite <<<"$line"
  printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n' \
    "$uri" "$suite"
done >"$work/sources.list"
echo "regen-sqlite: temporary sources:"
sed 's/^/  /' "$work/sources.list"
apt_options=(
  -o "Dir::Etc::SourceList=$work/sources.list"
  -o "Dir::Etc::SourceParts=$work/no-parts"
  -o "Dir::State::Lists=$work/apt/lists"
  -o "Dir::Cache::Archives=$work/apt/archives"
  -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
  -o "APT::Sandbox::User=root"
)
mkdir -p "$work/no-parts"
apt-get "${apt_options[@]}" update -qq
mkdir -p "$work/src"
# The very version installed; an archive that moved on to a later Debian revision of the same
# SQLite release gives that one instead (VERSION records which).
if ! (cd "$work/src" && apt-get "${apt_options[@]}" source -qq \
  "$source_package=$source_version"); then
  echo "regen-sqlite: $source_version is gone from the archive; taking the current one" >&2
  (cd "$work/src" && apt-get "${apt_options[@]}" source -qq "$source_package")
fi
tree=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d | head -n 1)
fetched_version=$(sed -n '1s/^[^(]*(\([^)]*\)).*/\1/p' "$tree/debian/changelog")
fetched_upstream=$(tr -d '[:space:]' <"$tree/VERSION")
if [ "$fetched_upstream" != "$upstream_version" ]; then
  echo "regen-sqlite: the archive has SQLite $fetched_upstream, the machine $upstream_version" >&2
  exit 1
fi

# The amalgamation, with Debian's patches applied (dpkg-source did that when it unpacked).
mkdir -p "$work/build"
(cd "$work/build" && "$tree/configure" --disable-tcl >configure.log 2>&1 &&
  make -j"$(nproc)" sqlite3.c >make.log 2>&1) || {
  tail -n 30 "$work/build/configure.log" "$work/build/make.log" >&2 || true
  exit 1
}
mkdir -p "$dest"
cp "$work/build/sqlite3.c" "$work/build/sqlite3.h" "$dest/"
{
  echo "SQLite $fetched_upstream"
  echo "Debian source package $source_package $fetched_version"
  (cd "$dest" && sha256sum sqlite3.c sqlite3.h) | sed 's/^/sha256 /'
} >"$dest/VERSION"
echo "regen-sqlite: wrote $dest (sqlite3.c, sqlite3.h, VERSION)"
cat "$dest/VERSION"
