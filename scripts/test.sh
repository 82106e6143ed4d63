#!/usr/bin/env bash
# Set up, build everything and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2 --timeout 600
