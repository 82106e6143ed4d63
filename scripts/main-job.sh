#!/usr/bin/env bash
# The main job: set up, build, and show the plug-in at work through the command-line host.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --build build -j2 --target KVRV520MAXCam kvhost
echo "== kvhost: the KV-RV520MAXCam catalogue, as a host loads it"
build/bin/kvhost --lang "${KV_LANG:-en_US}" list
