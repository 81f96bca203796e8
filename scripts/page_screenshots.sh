#!/usr/bin/env bash
# Pictures of settings pages under a virtual X server, each with a row that its rule disables:
# scripts/page_screenshots.sh OUTPUT_FOLDER
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
cmake --build "$build" --target page_screen -j 2
mkdir -p "$out"
shot() {
    xvfb-run -a -s "-screen 0 1366x768x24" "$build/bin/page_screen" "$@"
}
# Microphone and earphone with the sidetone on: the echo canceller row is read-only.
shot 1009 "$out/tx_mic.png" ear_sidetone=on int_mic_gain=-3
# Call tones with a tone for individual calls only: the other groups' rows are disabled.
shot 1011 "$out/rx_notify_tone.png" call_indi_tone=tone2
# Default destination with a call type: the default ID row enabled.
shot 1004 "$out/tx_callee.png" def_id_type=indi def_id=42
# Emergency with a fixed individual destination and man-down on: the telephone number row disabled.
shot 1016 "$out/emergency.png" emer_enabled=on emer_id_type=indi emer_id=101 emer_mand_enabled=on
# Option key set to a one-touch telephone call: the ID row disabled, the number row enabled.
shot 1027 "$out/option_key.png" opt_key=onetouch opt_key_onetouch_id_type=tel \
    opt_key_onetouch_number=0312345678# opt_emer=rx_mute
echo "Screenshots written to $out:"
ls -1 "$out"
