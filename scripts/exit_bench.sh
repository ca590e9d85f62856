#!/usr/bin/env bash
# Shut-down time on a desktop with a window manager: starts the program (zunmo-calc) on a virtual
# X server (Xvfb) with Debian's openbox, closes it five times by the window manager's close box
# (WM_DELETE_WINDOW, as wmctrl -c sends it) and five times by its Exit button (a click), and
# prints, for each way, the medians of
#   - the wall time from the close until the main window is gone from the screen,
#   - the wall time from the close until the process has ended,
# and the exit statuses. The budget is 250 ms from the close to the end of the process; the script
# exits 1 when a median is over it, 2 when a run went wrong.
#
# Before each close the program is used as a user would: a purchase typed with Enter, both batch
# dialogs opened, a result figure selected by a double-click and copied with Ctrl+C.
#
# Usage: scripts/exit_bench.sh [BUILD_DIR]   (default: build; the program is built as needed)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zm_install_packages openbox xdotool wmctrl x11-utils

build_dir="${1:-build}"
runs=5
budget_ms=250
title='股票交易费用成本Zunmo计算器3.0版'

if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DZM_BUILD_TESTS=OFF -DZM_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build_dir" --parallel "$(nproc)" --target zunmo-calc >/dev/null

work="$(mktemp -d)"
mkdir -m 700 "$work/runtime"
# The program writes its settings file beside itself: a copy of its own in the scratch folder.
cp "$build_dir/zunmo-calc" "$work/"
export XDG_RUNTIME_DIR="$work/runtime"
export LC_ALL=C.UTF-8

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
for ((i = 0; i < 50; ++i)); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# main_window: the id of the program's visible main window, or nothing.
main_window() { { xdotool search --onlyvisible --name "$title" 2>/dev/null || true; } | head -1; }

# run WAY: one start, use and close; appends "gone=MS ended=MS status=N" to $work/WAY.
run() {
  local way="$1" pid window x y
  "$work/zunmo-calc" >/dev/null 2>>"$work/stderr" &
  pid=$!
  for ((i = 0; i < 100; ++i)); do
    window=$(main_window)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "exit_bench: the main window did not show" >&2
    exit 2
  fi
  sleep 0.5
  # The client area's place on the screen.
  read -r X Y < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
  # A purchase by the keyboard road, both batch dialogs, a figure copied from Text3.
  xdotool type --delay 20 10 && xdotool key Return && xdotool type --delay 20 1000 &&
    xdotool key Return
  sleep 0.3
  xdotool mousemove $((X + 44)) $((Y + 323)) click 1 && sleep 0.5
  xdotool windowactivate --sync "$window" 2>/dev/null && sleep 0.2
  xdotool mousemove $((X + 132)) $((Y + 323)) click 1 && sleep 0.5
  xdotool windowactivate --sync "$window" 2>/dev/null && sleep 0.2
  xdotool mousemove $((X + 330)) $((Y + 132)) click --repeat 2 --delay 80 1 && xdotool key ctrl+c
  sleep 0.5
  local start gone ended status=0
  if [ "$way" = close-box ]; then
    start=$(now_ms)
    wmctrl -i -c "$window"
  else
    xdotool windowactivate --sync "$window" mousemove $((X + 44)) $((Y + 420)) 2>/dev/null
    sleep 0.2
    # The button acts on the release; xdotool's click would wait 100 ms between the two.
    xdotool mousedown 1
    start=$(now_ms)
    xdotool mouseup 1
  fi
  while [ -n "$(main_window)" ]; do sleep 0.005; done
  gone=$(now_ms)
  wait "$pid" || status=$?
  ended=$(now_ms)
  echo "gone=$((gone - start)) ended=$((ended - start)) status=$status" >>"$work/$way"
}

for way in close-box exit-button; do
  : >"$work/$way"
  for ((n = 0; n < runs; ++n)); do
    run "$way"
  done
done

# median FILE FIELD: the median of a key=value field over the runs of a file.
median() {
  sed -n "s/.*\\b$2=\\([0-9]*\\).*/\\1/p" "$1" | sort -n |
    awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

over=0
echo "Shut-down on Xvfb with openbox, median of $runs runs each (the close to ...)"
printf '%-12s %16s %16s   %s\n' "" "window gone" "process ended" "exit statuses"
for way in close-box exit-button; do
  gone=$(median "$work/$way" gone)
  ended=$(median "$work/$way" ended)
  statuses=$(sed -n 's/.*status=\([0-9]*\).*/\1/p' "$work/$way" | sort -u | tr '\n' ' ')
  printf '%-12s %13s ms %13s ms   %s\n' "$way" "$gone" "$ended" "$statuses"
  if [ "$ended" -gt "$budget_ms" ]; then over=1; fi
  if [ "$statuses" != "0 " ]; then
    echo "exit_bench: the program did not always end with status 0" >&2
    exit 2
  fi
done
echo "Budget (process ended at most $budget_ms ms after the close): $([ $over = 0 ] && echo met || echo EXCEEDED)"
exit "$over"
