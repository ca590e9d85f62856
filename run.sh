#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
zm_install_packages
zm_build build -DZM_BUILD_TESTS=OFF -DZM_BUILD_BENCHMARKS=OFF
exec ./build/zunmo-calc "$@"
