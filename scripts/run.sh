#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
#
# Without a display the command-line demo runs instead. Without a radio on a USB serial port, a
# simulated radio is started on a pseudo-terminal (when the simulator has been built) and listed
# among the COM ports, so Clone > Read can be tried at once. The port you chose for real radios
# stays as it was saved: pick the simulator's port in COM Port > More... when you want it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"

# The whole clone cycle on the command line, against a simulated radio: information, read, a look
# at a few settings, one change, write, and a second read that shows the change arrived.
run_cli_demo() {
    local cli=./build/bin/talvero-cli dir sim
    dir=$(mktemp -d)
    ./build/bin/talvero-radiosim --link "$dir/radio" --dump "$dir/written.txt" --no-pace --iccid 8981000000000000017 \
        >"$dir/sim.out" 2>"$dir/sim.err" &
    sim=$!
    # Expanded now: the trap runs after this function's locals are gone.
    trap "kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -rf '$dir'" EXIT
    for _ in $(seq 50); do
        [[ -e "$dir/radio" ]] && break
        sleep 0.1
    done
    if [[ ! -e "$dir/radio" ]]; then
        echo "The simulated radio did not start:" >&2
        cat "$dir/sim.err" >&2
        return 1
    fi
    local link=(--port "$dir/radio" --speed 115200)
    echo "\$ talvero-cli info --port $dir/radio"
    "$cli" info "${link[@]}"
    echo "\$ talvero-cli read -o radio.ini --no-backup"
    "$cli" read -o "$dir/radio.ini" --no-backup "${link[@]}"
    echo "\$ talvero-cli show radio.ini | grep -E '^(disp_name|def_id_type|def_id|msg_tx)_01='"
    "$cli" show "$dir/radio.ini" | grep -E '^(disp_name|def_id_type|def_id|msg_tx)_01=' || true
    echo "\$ talvero-cli set radio.ini disp_name_01=DEMO-RADIO"
    "$cli" set "$dir/radio.ini" disp_name_01=DEMO-RADIO
    echo "\$ talvero-cli write radio.ini"
    "$cli" write "$dir/radio.ini" "${link[@]}"
    echo "\$ talvero-cli read -o again.ini --no-backup; grep disp_name_01 again.ini"
    "$cli" read -o "$dir/again.ini" --no-backup "${link[@]}"
    "$cli" show "$dir/again.ini" | grep -E '^disp_name_01='
    echo "The radio now holds the changed name: the clone cycle is complete."
}

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the windows cannot open here."
    echo "Running the command-line demo instead."
    run_cli_demo
    exit 0
fi

sim_pid=""
work=$(mktemp -d)
cleanup() {
    if [[ -n "$sim_pid" ]]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

radio_attached() {
    compgen -G "/dev/ttyUSB*" >/dev/null || compgen -G "/dev/ttyACM*" >/dev/null
}

if ! radio_attached && [[ -x ./build/bin/talvero-radiosim ]]; then
    link="$work/talvero-radio"
    ./build/bin/talvero-radiosim --link "$link" --iccid 8981000000000000017 >"$work/sim.out" 2>"$work/sim.err" &
    sim_pid=$!
    for _ in $(seq 50); do
        [[ -s "$work/sim.out" || ! -e "/proc/$sim_pid" ]] && break
        sleep 0.1
    done
    if [[ -e "$link" ]]; then
        export TALVERO_EXTRA_PORTS="$link"
        echo "No radio is attached. A simulated radio answers on $link."
        echo "To try it, choose that port in COM Port > More... (your saved port is not changed)."
    else
        echo "No radio is attached, and the simulated radio did not start:" >&2
        cat "$work/sim.err" >&2
        sim_pid=""
    fi
fi

./build/bin/talvero "$@"
