#!/usr/bin/env bash
# Fuzzes every reader with libFuzzer: installs clang when missing, builds the harnesses into
# build-fuzz/, seeds each corpus from a demo game, the editor's own writers and the committed
# samples, then runs each harness for the given seconds (default 60). Inputs that crash, hang
# or break a promise are copied into fuzz/regressions/<harness>/ for the replay test; the
# corpora grow in build-fuzz/corpus/ from run to run.
#
#   scripts/fuzz.sh [seconds-per-harness] [harness...]
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
seconds="${1:-60}"
shift || true

bash scripts/deps.sh
missing=()
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

source scripts/ccache-env.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DPITWRIGHT_FUZZ=ON -DPITWRIGHT_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j2 --target fuzzers

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    harnesses=(exe_tables save_state cars_archive car_shape tga bmp team_picture team_file
               camera_set tyre_set sectioned_performance_file keyed_performance_file wine_registry)
fi

rm -rf build-fuzz/seeds
build-fuzz/fuzz/fuzz-seed-corpus build-fuzz/seeds
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

findings=0
summary=()
for h in "${harnesses[@]}"; do
    corpus="build-fuzz/corpus/$h"
    artifacts="build-fuzz/findings/$h"
    log="build-fuzz/logs/$h.log"
    mkdir -p "$corpus" "$artifacts" "build-fuzz/logs" "fuzz/regressions/$h"
    echo "== $h: $seconds s"
    # Team pictures are 256 KB; every other reader is fed up to the size of its largest seed.
    maxlen=()
    [ "$h" = team_picture ] && maxlen=(-max_len=270000)
    status=0
    "build-fuzz/fuzz/fuzz_$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${maxlen[@]}" \
        "$corpus" "build-fuzz/seeds/$h" "fuzz/samples/$h" "fuzz/regressions/$h" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
    new=0
    for f in "$artifacts"/crash-* "$artifacts"/timeout-* "$artifacts"/oom-* "$artifacts"/leak-*; do
        [ -e "$f" ] || continue
        cp "$f" "fuzz/regressions/$h/$(basename "$f")"
        rm "$f"
        new=$((new + 1))
    done
    if [ "$status" -ne 0 ] || [ "$new" -gt 0 ]; then
        findings=$((findings + 1))
        summary+=("$h: FINDING (exit $status, $new input(s) kept in fuzz/regressions/$h; log $log)")
    else
        summary+=("$h: ${runs:-?} runs, ${cov:-no coverage reported}, corpus $(ls "$corpus" | wc -l) inputs")
    fi
done

echo
printf '%s\n' "${summary[@]}"
[ "$findings" -eq 0 ]
