#!/usr/bin/env bash
# Builds the project in release mode (its own tree, build-release) and runs every benchmark,
# then prints the table of figures and targets. KV_BENCH_DIR overrides the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
tree="${KV_BENCH_DIR:-build-release}"
cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_TESTS=OFF >/dev/null
benches=(bench_protocol bench_link bench_host bench_plot bench_cut)
cmake --build "$tree" -j2 --target "${benches[@]}"
table=$(mktemp)
output=$(mktemp)
trap 'rm -f "$table" "$output"' EXIT
for bench in "${benches[@]}"; do
    echo "== $bench"
    "$tree/bin/$bench" >"$output"
    grep -v '^TABLE' "$output" || true
    grep '^TABLE' "$output" >>"$table" || true
done
echo
echo "== Figures ($(nproc) cores, $(date -u +%Y-%m-%d))"
{
    printf 'Figure\tValue\tTarget\t\n'
    cut -f2- "$table"
} | column -t -s $'\t'
