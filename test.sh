#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test through CTest.
# Window tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
zm_install_packages
zm_build build -DZM_WERROR=ON -DZM_BUILD_TESTS=ON -DZM_BUILD_BENCHMARKS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
