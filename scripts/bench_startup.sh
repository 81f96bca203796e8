#!/usr/bin/env bash
# Start-up benchmark: runs the program N times (default 10) until its main window is first
# painted, headless, and reports the time to that paint and the resident memory at that moment,
# as the program measures them, plus the wall time of the whole run.
#   scripts/bench_startup.sh [RUNS]
set -euo pipefail
runs=${1:-10}
cd "$(dirname "$0")/.."
build=${TALVERO_BUILD_DIR:-build}
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S . -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target talvero -j 2 >/dev/null
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
paint=()
rss=()
wall=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    line=$(XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen TALVERO_LANG=0x0409 \
        "$build/bin/talvero" --exit-after-first-paint 2>/dev/null)
    end=$(date +%s%N)
    paint+=("$(sed -E 's/.*after ([0-9.]+) ms.*/\1/' <<<"$line")")
    rss+=("$(sed -E 's/.*resident ([0-9]+) kB.*/\1/' <<<"$line")")
    wall+=("$(( (end - start) / 1000000 ))")
done
stats() { sort -n | awk '{a[NR]=$1} END {printf "min %s  median %s  max %s\n", a[1], a[int((NR+1)/2)], a[NR]}'; }
echo "runs: $runs"
echo "first paint (ms):        $(printf '%s\n' "${paint[@]}" | stats)"
echo "whole run, wall (ms):    $(printf '%s\n' "${wall[@]}" | stats)"
echo "resident at paint (kB):  $(printf '%s\n' "${rss[@]}" | stats)"
