#!/usr/bin/env bash
# Static analysis of the program's own sources (src/): clang-tidy with the checks of .clang-tidy
# and cppcheck, both over the compile commands of a configured CMake build, so that they see the
# same include paths and definitions as the compiler. Any finding fails (exit status 1).
# A true false positive is suppressed on its line with the reason beside it
# (// NOLINT(check) for clang-tidy, // cppcheck-suppress id for cppcheck).
#
# Usage: scripts/static_analysis.sh [BUILD_DIR]   (default: build, as ./test.sh configures it)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build}"
database="$build_dir/compile_commands.json"
if [ ! -f "$database" ]; then
  echo "static_analysis: $database is missing; configure the build first" >&2
  exit 2
fi
root="$PWD"

# Only the translation units under src/: tests, benchmarks and the files CMake generates
# (moc, resources) are not ours to judge.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
awk -v prefix="\"file\": \"$root/src/" '
  /^\{/ { entry = $0; next }
  /^\},?$/ { if (index(entry, prefix)) { kept = kept (kept ? ",\n" : "") entry "\n}" } entry = ""; next }
  entry != "" { entry = entry "\n" $0 }
  END { print "[\n" kept "\n]" }
' "$database" >"$work/compile_commands.json"
mapfile -t sources < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$work/compile_commands.json")
if [ "${#sources[@]}" -eq 0 ]; then
  echo "static_analysis: no source under src/ in $database" >&2
  exit 2
fi

status=0
start=$SECONDS
echo "clang-tidy: ${#sources[@]} files of src/"
# The build's GCC-only warning options mean nothing to clang; findings in our own headers count,
# Qt's and the standard library's do not.
if ! printf '%s\0' "${sources[@]}" |
  xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$work" --quiet \
    --header-filter="^$root/src/" --extra-arg=-Wno-unknown-warning-option \
    >"$work/clang-tidy.log" 2>&1; then
  status=1
fi
# clang-tidy prints "N warnings generated." for the findings it filtered out; show the rest.
grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^$' \
  "$work/clang-tidy.log" || true
echo "clang-tidy: $([ "$status" -eq 0 ] && echo clean || echo FINDINGS) ($((SECONDS - start)) s)"

start=$SECONDS
cppcheck_status=0
echo "cppcheck: ${#sources[@]} files of src/"
mkdir -p "$build_dir/cppcheck"
# passedByValue is left to clang-tidy's performance-unnecessary-value-param, which knows which
# types are cheap to copy: cppcheck asks for a reference to every struct over two words, and the
# engine passes its control names (Ctl: an enum and a string_view) by value on purpose, as
# plain values that cannot change under a handler while it writes to the window.
cppcheck --project="$work/compile_commands.json" --cppcheck-build-dir="$build_dir/cppcheck" \
  --std=c++20 --library=qt --enable=warning,style,performance,portability \
  --inline-suppr --suppress=missingIncludeSystem --suppress=passedByValue --error-exitcode=1 --quiet -j "$(nproc)" \
  --template='{file}:{line}:{column}: {severity}: {message} [{id}]' || cppcheck_status=1
echo "cppcheck: $([ "$cppcheck_status" -eq 0 ] && echo clean || echo FINDINGS) ($((SECONDS - start)) s)"

if [ "$status" -ne 0 ] || [ "$cppcheck_status" -ne 0 ]; then
  exit 1
fi
