#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing, and configures the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh

build_type="${KV_BUILD_TYPE:-RelWithDebInfo}"
cmake -S . -B build -DCMAKE_BUILD_TYPE="$build_type" ${KV_CMAKE_ARGS:-} >/dev/null
