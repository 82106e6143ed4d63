#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz (clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each, from its seed corpus under fuzz/corpus, for the
# given number of seconds (60 by default), two at a time. Exits non-zero when any target finds a
# crash; the input that caused it is left in build-fuzz/artifacts/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/install-packages.sh clang libclang-rt-14-dev

build="${KV_FUZZ_BUILD:-build-fuzz}"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKV_FUZZ=ON \
    -DKV_BUILD_TESTS=OFF -DKV_BUILD_TOOLS=OFF -DKV_BUILD_BENCH=OFF >/dev/null
targets=(fuzz_receive_583 fuzz_receive_261 fuzz_decode fuzz_plot)
cmake --build "$build" -j2 --target "${targets[@]}"

# Longest input per target: a few KiB of receive stream reach past the receive limit with
# repeated chunks (fuzz/chunks.h).
declare -A max_len=([fuzz_receive_583]=4096 [fuzz_receive_261]=4096 [fuzz_decode]=4096 [fuzz_plot]=16384)
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"

# Runs one target on a writable copy of its corpus in the build tree.
fuzz_target() {
    local target=$1
    mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
    # Seeds the copy once; later runs go on from what it has grown to (cp -n skips the files it has).
    cp -n fuzz/corpus/"$target"/* "$build/corpus/$target"/ || true
    "$build/bin/$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" -rss_limit_mb=3072 \
        -timeout=30 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target/" \
        "$build/corpus/$target" >"$build/fuzz-$target.log" 2>&1
}

failed=()
for pair in "fuzz_receive_583 fuzz_receive_261" "fuzz_decode fuzz_plot"; do
    declare -A running=()
    for target in $pair; do
        echo "== $target: ${seconds} s"
        fuzz_target "$target" &
        running[$target]=$!
    done
    for target in $pair; do
        status=0
        wait "${running[$target]}" || status=$?
        log="$build/fuzz-$target.log"
        if [ "$status" -eq 0 ]; then
            echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)"
        else
            tail -n 60 "$log"
            failed+=("$target")
        fi
    done
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: crashes in ${failed[*]} (inputs in $build/artifacts/)"
    exit 1
fi
echo "fuzz: ${#targets[@]} targets, no crash"
