#!/usr/bin/env bash
# Builds the Debian package: configures and builds the plain build folder (the same one as
# scripts/test.sh), then runs CPack there. Prints the path of the .deb on the last line.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build=${TALVERO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DTALVERO_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/talvero_*.deb
if ! (cd "$build" && cpack -G DEB >cpack.log 2>&1); then
    cat "$build/cpack.log" >&2
    exit 1
fi
deb=$(ls "$build"/talvero_*.deb)
echo "$deb"
