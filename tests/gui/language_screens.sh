#!/bin/sh
# Takes the pictures of the program in one language on a virtual X server of a laptop's size:
#   tests/gui/language_screens.sh <build dir> [output folder] [language ID, default 0x0411]
# Look at them for texts that are cut off or drawn as empty boxes.
set -e
build=${1:?build directory}
out=${2:-.}
lang=${3:-0x0411}
mkdir -p "$out"
TALVERO_LANG=$lang QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24" \
    "$build/bin/gui_language_screens" "$out"
