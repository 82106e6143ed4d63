#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing, and configures the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config libgl-dev
          qt6-base-dev qt6-base-dev-tools qt6-websockets-dev qt6-serialport-dev qt6-httpserver-dev
          qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools)
missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build_type="${KV_BUILD_TYPE:-RelWithDebInfo}"
cmake -S . -B build -DCMAKE_BUILD_TYPE="$build_type" ${KV_CMAKE_ARGS:-} >/dev/null
