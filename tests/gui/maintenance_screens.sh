#!/bin/sh
# Takes the pictures of the setting-mode permissions and radio information pages on a virtual X
# server:
#   tests/gui/maintenance_screens.sh <build dir> [output folder]
set -e
build=${1:?build directory}
out=${2:-.}
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24" "$build/bin/maintenance_screens" "$out"
