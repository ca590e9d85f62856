#!/usr/bin/env bash
# Installs what is missing, checks that every C++ source is formatted as .clang-format sets it
# (scripts/check_format.sh), then:
#   1. builds with warnings as errors (./build);
#   2. builds the Debian package from it and checks it (scripts/build_deb.sh): lintian without
#      errors, and the files it installs, unpacked into a scratch root with dpkg -x;
#   3. static analysis of src/: clang-tidy (.clang-tidy) and cppcheck (scripts/static_analysis.sh);
#   4. builds the whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer
#      (./build-asan) and runs it: the first report aborts the test that made it, leaks included;
#   5. runs each fuzz target for a few seconds on its seed corpus (scripts/fuzz.sh brief);
#   6. cross-builds the Windows program with MinGW-w64 (scripts/build-windows.sh: ./build-win,
#      the .exe and its zip) and runs under Wine the engine's test programs and the Windows
#      front-end test, which drives the real windows on Xvfb;
#   7. runs every test of the plain build through CTest; its summary is the last thing printed.
# The first failure stops the script with a non-zero status.
# Window tests run on Qt's offscreen platform, so no display is needed.
#
# ./test.sh --quick: the edit-build-test loop: the format check, then steps 1 and 7 only (the
# plain build and its tests); no package, static analysis, sanitizer, fuzzing or Windows build.
set -euo pipefail
cd "$(dirname "$0")"
quick=0
case "${1:-}" in
  --quick) quick=1 ;;
  "") ;;
  *) echo "usage: ./test.sh [--quick]" >&2; exit 2 ;;
esac
source scripts/setup.sh
zm_install_packages
export QT_QPA_PLATFORM=offscreen

scripts/check_format.sh

zm_build build -DZM_WERROR=ON -DZM_BUILD_TESTS=ON -DZM_BUILD_BENCHMARKS=ON

if [ "$quick" = 1 ]; then
  ctest --test-dir build --output-on-failure --parallel "$(nproc)"
  exit 0
fi

scripts/build_deb.sh build

scripts/static_analysis.sh build

# Exported before the build too: the build runs each test executable to list its tests.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
zm_build build-asan -DZM_WERROR=ON -DZM_SANITIZE=ON -DZM_BUILD_TESTS=ON -DZM_BUILD_BENCHMARKS=OFF
echo "Sanitizer build (ASan + UBSan):"
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
unset ASAN_OPTIONS UBSAN_OPTIONS

echo "Fuzz targets, briefly:"
scripts/fuzz.sh brief

echo "Windows program (MinGW-w64), tested under Wine:"
scripts/build-windows.sh
ctest --test-dir build-win --output-on-failure

echo "Plain build:"
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
