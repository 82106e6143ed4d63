#!/usr/bin/env bash
# Builds everything with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs every test there. Any report halts its test, so the run passes only with none.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh

build="${KV_ASAN_BUILD:-build-asan}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
# Instrumented code runs several times slower: the per-test limit grows with it.
ctest --test-dir "$build" --output-on-failure -j2 --timeout 1200
