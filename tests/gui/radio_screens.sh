#!/bin/sh
# Takes the pictures of the radio windows on a virtual X server:
#   tests/gui/radio_screens.sh <build dir> [output folder]
set -e
build=${1:?build directory}
out=${2:-.}
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24" "$build/bin/gui_radio_screens" "$out"
