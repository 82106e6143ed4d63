#!/usr/bin/env bash
# The main job: set up, build, and cut a sample job in two copies on the simulated plotter,
# through the plug-in loaded the way a host loads it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --build build -j2 --target KVRV520MAXCam kvhost
echo "== kvhost: cutting examples/labels.plt in two copies on the simulated KV-RV520MAXCam"
build/bin/kvhost --lang "${KV_LANG:-en_US}" --simulate info
build/bin/kvhost --lang "${KV_LANG:-en_US}" --simulate cut examples/labels.plt --copies 2
