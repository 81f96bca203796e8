#!/usr/bin/env bash
# Pictures of settings pages with enabled and grey rows under a virtual X server:
# scripts/page_screens.sh OUTPUT_FOLDER
set -euo pipefail
if [[ $# -ne 1 ]]; then
    echo "usage: $0 OUTPUT_FOLDER" >&2
    exit 2
fi
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."
build=${TALVERO_BUILD_DIR:-build}
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S . -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target function_pages_screen -j 2
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1366x768x24" "$build/bin/function_pages_screen" "$out"
echo "Pictures written to $out:"
ls -1 "$out"
