#!/usr/bin/env bash
# Installs the Debian packages the build needs, and any named as arguments, when any is missing.
set -euo pipefail

packages=(cmake g++ make pkg-config libgl-dev
          qt6-base-dev qt6-base-dev-tools qt6-websockets-dev qt6-serialport-dev qt6-svg-dev
          qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
          fonts-dejavu-core fonts-wqy-microhei qt6-translations-l10n
          "$@")
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
