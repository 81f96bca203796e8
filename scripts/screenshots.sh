#!/usr/bin/env bash
# Takes the screenshots of the main window (title page selected) and of the about box under a
# virtual X server: scripts/screenshots.sh OUTPUT_FOLDER
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
cmake --build "$build" --target talvero -j 2
mkdir -p "$out"
# A settings folder of its own: the pictures never show the user's recent files or ports.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
XDG_CONFIG_HOME="$settings" TALVERO_LANG=0x0409 xvfb-run -a "$build/bin/talvero" --screenshots "$out"
echo "Screenshots written to $out:"
ls -1 "$out"
