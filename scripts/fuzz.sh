#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into ./build-fuzz and runs them on their committed seed corpora.
#
#   scripts/fuzz.sh brief                 each target for a few seconds (run by the test script)
#   scripts/fuzz.sh long [SECONDS] [T..]  each target (or the named ones) for SECONDS (default
#                                         1800), two at a time, at low priority
#
# The committed seeds under fuzz/corpus/<name> are only read. A long run keeps the new inputs it
# finds in build-fuzz/corpus/<target>, so the next long run goes on from there; a brief run starts
# from the seeds alone and keeps nothing. A finding stops its target, is written to
# build-fuzz/findings/<target>/ and makes the script exit non-zero; replay one with
# build-fuzz/fuzz/<target> <file>, and once mended, add it to fuzz/corpus/<name> under a name
# that says what it found. Logs are build-fuzz/logs/<mode>-<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

mode="${1:-brief}"
build=build-fuzz
all_targets=(fuzz_number_text fuzz_display_format fuzz_settings_file fuzz_session fuzz_csv_writer
             fuzz_journal_rules)

# Per-target limits: the longest input and the time one input may take. The session target
# replays whole sessions; each one is bounded by a step budget, so a few seconds is already
# far beyond any sound input even under the sanitizers.
declare -A max_len=([fuzz_number_text]=512 [fuzz_display_format]=16
                    [fuzz_settings_file]=4096 [fuzz_session]=1024
                    [fuzz_csv_writer]=1024 [fuzz_journal_rules]=256)
declare -A timeout_s=([fuzz_number_text]=2 [fuzz_display_format]=2
                      [fuzz_settings_file]=5 [fuzz_session]=10
                      [fuzz_csv_writer]=2 [fuzz_journal_rules]=2)

build_targets() {
    zm_install_packages
    if [ ! -f "$build/CMakeCache.txt" ]; then
        CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DZM_WERROR=ON -DZM_FUZZ=ON \
            -DZM_BUILD_TESTS=OFF -DZM_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    nice cmake --build "$build" --parallel 2 --target "${all_targets[@]}"
}

# run_target NAME SECONDS WORKDIR: runs one target on its seeds and WORKDIR, where new inputs go;
# returns libFuzzer's exit status.
run_target() {
    local t="$1" secs="$2" work="$3" name="${1#fuzz_}"
    local findings="$build/findings/$t"
    mkdir -p "$work" "$findings" "$build/logs"
    nice -n 10 "$build/fuzz/$t" "$work" "fuzz/corpus/$name" \
        -max_total_time="$secs" -max_len="${max_len[$t]}" -timeout="${timeout_s[$t]}" \
        -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 \
        >"$build/logs/$mode-$t.log" 2>&1
}

report() {
    local t="$1" status="$2" log="$build/logs/$mode-$1.log"
    local last
    last="$(grep -aE '^#[0-9]+' "$log" | tail -n 1 || true)"
    local runs
    runs="$(grep -aE '^stat::number_of_executed_units' "$log" | awk '{print $2}' || true)"
    if [ "$status" -eq 0 ]; then
        printf '%-22s ok     executions %s  %s\n' "$t" "${runs:-?}" "${last:-}"
    else
        printf '%-22s FAILED (status %s), see %s\n' "$t" "$status" "$log"
        grep -aE 'fault|ERROR|SUMMARY|Test unit written' "$log" | head -n 8 || true
    fi
}

case "$mode" in
    brief)
        build_targets
        failed=0
        scratch="$(mktemp -d)"
        trap 'rm -rf "$scratch"' EXIT
        for t in "${all_targets[@]}"; do
            status=0
            run_target "$t" 8 "$scratch/$t" || status=$?
            report "$t" "$status"
            [ "$status" -eq 0 ] || failed=1
        done
        exit "$failed"
        ;;
    long)
        secs="${2:-1800}"
        shift $(( $# >= 2 ? 2 : 1 ))
        targets=("$@")
        [ "${#targets[@]}" -gt 0 ] || targets=("${all_targets[@]}")
        build_targets
        failed=0
        # Two at a time: the machine has two cores.
        for ((i = 0; i < ${#targets[@]}; i += 2)); do
            pids=()
            names=()
            for t in "${targets[@]:i:2}"; do
                run_target "$t" "$secs" "$build/corpus/$t" &
                pids+=("$!")
                names+=("$t")
            done
            for k in "${!pids[@]}"; do
                status=0
                wait "${pids[$k]}" || status=$?
                report "${names[$k]}" "$status"
                [ "$status" -eq 0 ] || failed=1
            done
        done
        exit "$failed"
        ;;
    *)
        echo "usage: $0 brief | long [SECONDS] [TARGET...]" >&2
        exit 2
        ;;
esac
