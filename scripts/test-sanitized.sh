#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there; window and OpenGL tests run under Xvfb. The first finding fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
bash scripts/deps.sh
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPITWRIGHT_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build build-asan -j2
# Leaks are checked too; the suppression files name only system libraries.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/scripts/sanitizers/ubsan.supp"
cd build-asan
xvfb-run -a -s "-screen 0 1400x1000x24" ctest --output-on-failure -j2 --timeout 600
