#!/usr/bin/env bash
# Builds the Debian packages from the build tree (configured for /usr and Debian's multiarch
# library folder), checks them with lintian, installs them with apt-get, tries the installed tools
# and builds examples/host against the installed -dev package; removes the packages again at the
# end. The packages stay in build/packages.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh help2man lintian dpkg-dev fakeroot file
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
KV_CMAKE_ARGS="${KV_CMAKE_ARGS:-} -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_LIBDIR=lib/$multiarch" scripts/setup.sh
cmake --build build -j2
rm -rf build/packages
(cd build && cpack -G DEB -B packages >/dev/null)
debs=(build/packages/*.deb)
echo "== packages: ${debs[*]}"

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "${debs[@]}"

remove() { DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -q kvrv520maxcam kvrv520maxcam-dev >/dev/null; }
trap remove EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${debs[@]/#/./}" >/dev/null

check() { # description, expected text, command...
    local what=$1 expected=$2 output
    shift 2
    output=$("$@" 2>&1) || { echo "$what failed:"; echo "$output"; return 1; }
    grep -qF -- "$expected" <<<"$output" || { echo "$what: no '$expected' in:"; echo "$output"; return 1; }
    echo "ok: $what"
}
unset KV_PLUGIN_PATH # the installed tools find the installed plug-in and its translations
check "kvhost list" "SPEED" /usr/bin/kvhost list
check "kvhost --lang ja_JP list" "ステータス" /usr/bin/kvhost --lang ja_JP list
check "kvhost --simulate cut" "done: 1 of 1 copy" \
    /usr/bin/kvhost --simulate --time-scale 0 cut /usr/share/doc/kvrv520maxcam/examples/star.plt
check "kvhost --lang zh_CN --simulate cut" "完成：1/1 份" \
    /usr/bin/kvhost --lang zh_CN --simulate --time-scale 0 cut /usr/share/doc/kvrv520maxcam/examples/star.plt
check "manual pages" "kvcloud.1.gz" man -w kvhost kvsim kvpanel kvcloud
check "kvhost completion" "SPEED" bash -c 'source /usr/share/bash-completion/completions/kvhost
    COMP_WORDS=(kvhost --simulate get sp); COMP_CWORD=3; _kvhost; echo "${COMPREPLY[*]}"'

host_build=$(mktemp -d)
cmake -S examples/host -B "$host_build" >/dev/null
cmake --build "$host_build" >/dev/null
check "examples/host against the installed -dev package" "5 user settings" "$host_build/example_host"
rm -rf "$host_build"
