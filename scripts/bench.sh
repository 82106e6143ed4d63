#!/usr/bin/env bash
# Set up, build the benchmarks (optimised, with debug info) and print their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
benches=(bench_protocol bench_link)
cmake --build build -j2 --target "${benches[@]}"
for bench in "${benches[@]}"; do
    echo "== $bench"
    build/bin/"$bench"
done
