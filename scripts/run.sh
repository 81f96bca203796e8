#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"

# Until the windows exist: a default configuration, shown as the radio would receive it.
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
./build/bin/talvero-cli new -o "$demo/default.ini"
echo "A default configuration was written to $demo/default.ini; its radio form:"
./build/bin/talvero-cli show --radio-form "$demo/default.ini" | head -n 40
echo "..."
