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

run_cli_demo() {
    local demo
    demo=$(mktemp -d)
    trap 'rm -rf "$demo"' EXIT
    ./build/bin/talvero-cli new -o "$demo/default.ini"
    echo "A default configuration was written to $demo/default.ini; its radio form:"
    ./build/bin/talvero-cli show --radio-form "$demo/default.ini" | head -n 40
    echo "..."
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
    ./build/bin/talvero-radiosim --link "$link" >"$work/sim.out" 2>"$work/sim.err" &
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
