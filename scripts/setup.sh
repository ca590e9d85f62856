#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages (only what is missing),
# then configures and builds into ./build. Shared by run.sh and test.sh.
set -euo pipefail

ZM_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  qt6-translations-l10n
  librsvg2-bin
  libgtest-dev libbenchmark-dev locales
  libsqlite3-dev
  clang-tidy clang-format cppcheck
  clang-14 libclang-rt-14-dev
  fonts-arphic-uming
  xvfb xauth x11-apps imagemagick
  python3-markdown
  dpkg-dev file lintian
  g++-mingw-w64-x86-64-posix googletest icoutils wine wine64 nsis
)

zm_missing_packages() {
  local p
  for p in "${ZM_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$p"
    fi
  done
}

zm_install_packages() {
  local missing
  mapfile -t missing < <(zm_missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# zm_build_windows DIR [cmake options...]: the Windows program, cross-built with MinGW-w64.
zm_build_windows() {
  local dir="$1"; shift
  zm_build "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release "$@"
}

# zm_build DIR [cmake options...]
zm_build() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" --parallel "$(nproc)"
}
