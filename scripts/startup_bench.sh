#!/usr/bin/env bash
# Start-up and memory budget: starts the program (zunmo-calc) and a bare Qt window with the same
# controls (bench/startup/bare_window.cpp) on Qt's offscreen platform, ten times each, and prints
# the medians of
#   - the wall time from the start until the main window is shown and the program idle,
#   - the wall time until the program has ended (it quits as soon as it is idle),
#   - the peak resident memory,
# and the program's ratios to the bare window. The budget is 1.3 times the bare window for the
# time to idle and for the memory; the script exits 1 when the program is over it.
#
# The moment "shown and idle" comes from bench/startup/idle_probe_plugin.cpp, a Qt generic
# plugin loaded into both programs alike through QT_PLUGIN_PATH and QT_QPA_GENERIC_PLUGINS; the
# program itself has no code for the measurement. Each program runs once first, uncounted, so
# that both meet warm file and font caches.
#
# Usage: scripts/startup_bench.sh [BUILD_DIR]   (default: build; configured and built as needed)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build}"
runs=10
budget=1.3

if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DZM_BUILD_TESTS=OFF -DZM_BUILD_BENCHMARKS=ON >/dev/null
fi
cmake --build "$build_dir" --parallel "$(nproc)" \
  --target zunmo-calc zm_bare_window zm_idle_probe zm_startup_probe >/dev/null

probe="$build_dir/bench/startup/zm_startup_probe"
program="$build_dir/zunmo-calc"
bare="$build_dir/bench/startup/zm_bare_window"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"

export QT_QPA_PLATFORM=offscreen
export QT_PLUGIN_PATH="$PWD/$build_dir/bench/startup/plugins"
export QT_QPA_GENERIC_PLUGINS=zmidleprobe
export XDG_RUNTIME_DIR="$work/runtime"

# run NAME EXECUTABLE: one measured start; appends the probe's line to $work/NAME.
run() {
  local name="$1" executable="$2"
  if ! "$probe" "$executable" >>"$work/$name" 2>"$work/stderr"; then
    echo "startup_bench: $executable did not start, show its window and end cleanly:" >&2
    cat "$work/stderr" >&2
    exit 2
  fi
}

run bare "$bare"
run program "$program"
: >"$work/bare"
: >"$work/program"
# Alternate which program goes first, so that neither always meets the other's leftovers.
for ((i = 0; i < runs; ++i)); do
  if ((i % 2 == 0)); then
    run bare "$bare"
    run program "$program"
  else
    run program "$program"
    run bare "$bare"
  fi
done

# median FILE FIELD: the median of a key=value field over the runs of a file.
median() {
  sed -n "s/.*\\b$2=\\([0-9.]*\\).*/\\1/p" "$1" | sort -g |
    awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

bare_ready=$(median "$work/bare" ready_ms)
bare_exit=$(median "$work/bare" exit_ms)
bare_rss=$(median "$work/bare" max_rss_kb)
prog_ready=$(median "$work/program" ready_ms)
prog_exit=$(median "$work/program" exit_ms)
prog_rss=$(median "$work/program" max_rss_kb)
window=$(sed -n '1s/.*window=//p' "$work/program")

awk -v runs="$runs" -v window="$window" -v budget="$budget" \
  -v br="$bare_ready" -v be="$bare_exit" -v bm="$bare_rss" \
  -v pr="$prog_ready" -v pe="$prog_exit" -v pm="$prog_rss" 'BEGIN {
  printf "Start-up on the offscreen platform, median of %d runs each (window measured: %s)\n", runs, window
  printf "%-16s %16s %16s %16s\n", "", "shown and idle", "until ended", "peak memory"
  printf "%-16s %13.1f ms %13.1f ms %12.1f MiB\n", "bare Qt window", br, be, bm / 1024
  printf "%-16s %13.1f ms %13.1f ms %12.1f MiB\n", "zunmo-calc", pr, pe, pm / 1024
  printf "%-16s %16.2f %16.2f %16.2f\n", "ratio", pr / br, pe / be, pm / bm
  over = (pr / br > budget) || (pm / bm > budget)
  printf "Budget (time to idle and memory at most %.1f times the bare window): %s\n", budget, over ? "EXCEEDED" : "met"
  exit over
}'
