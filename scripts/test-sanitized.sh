#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there; window and OpenGL tests run under Xvfb. The first
# finding fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
bash scripts/deps.sh
source scripts/ccache-env.sh
# -O1 with line tables only: the checks stay, the build and the link take far less time.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
    -DPITWRIGHT_SANITIZE=ON "${launcher[@]}" >/dev/null
# What the tests run, nothing else (no benchmarks, no tools the tests do not start).
cmake --build build-asan -j2 --target core_tests preview_tests gui_tests cli_tests fuzz_replay_tests pitwright \
    pitwright_documents make-demo-game
# Leaks are checked too; the suppression files name only system libraries.
export ASAN_OPTIONS="suppressions=$root/scripts/sanitizers/asan.supp:detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/scripts/sanitizers/ubsan.supp"
cd build-asan
# -noreset: the server resets whenever its last client leaves, and refuses the clients that
# connect meanwhile (a test starting just as the one before it ended).
xvfb-run -a -s "-screen 0 1400x1000x24 -noreset" ctest --output-on-failure -j2 --timeout 600
