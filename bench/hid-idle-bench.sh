#!/usr/bin/env bash
# Idle cost of the configurator in the tray on the HID path: the mouse is the test HID device of
# the Wine prefix (scripts/wine-hid-mouse.sh), polled every 500 ms through Windows HID. Prints
# the CPU time over a period of the configurator's process and of Wine's driver host (where the
# test drivers forward each report to the virtual mouse, a cost a real mouse does not have);
# never fails on them.
# Needs both presets built: cmake --build --preset native; cmake --build --preset windows.
# usage: bench/hid-idle-bench.sh [idle_seconds]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
idle_seconds=${1:-60}
win=$root/build/windows
native=${ORVA_NATIVE_BUILD:-$root/build/native}
dist=$win/dist
probe_exe=$win/tests/e2e/probe/orva-probe.exe
for need in "$dist/ORVA7100.exe" "$probe_exe" "$win/wine-hid/orvabus.sys"; do
    [ -e "$need" ] || { echo "hid-idle-bench: missing $need (build both presets)" >&2; exit 1; }
done

export ORVA_WINE_RUN=$root/build/wine/bench-hid
source "$root/scripts/wine-session.sh"
export ORVA_NATIVE_BUILD=$native
source "$root/tests/e2e/lib/e2e.sh"
e2e_begin bench-hid "$dist" "$probe_exe" "$native"
# The X server first: the cleanup waits for every child of this shell, the server among them.
trap 'status=$?; set +e; (WINEPREFIX="$ORVA_WINE_RUN" wine_session_end); kill "$orva_xvfb_pid" 2>/dev/null; wait "$orva_xvfb_pid" 2>/dev/null; e2e_cleanup; exit $status' EXIT

start_mouse
plug_hid_mouse || { echo "hid-idle-bench: the HID mouse was not plugged in" >&2; exit 1; }
start_configurator
wait_until 30 window_visible ORVA7100 || { echo "hid-idle-bench: no main window" >&2; exit 1; }

# The Linux processes of this prefix whose command line matches PATTERN.
prefix_pids() {
    local pid
    for pid in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
}
app_pids=$(prefix_pids 'C:.ORVA.ORVA7100.exe')
host_pids=$(prefix_pids 'winedevice.exe')
# CPU ticks (user + system) of the processes named.
ticks() {
    local pid sum=0
    for pid in "$@"; do
        sum=$((sum + $(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
    echo "$sum"
}
tick_ms=$((1000 / $(getconf CLK_TCK)))
figure() {
    awk -v t=$(($1 * tick_ms)) -v s="$idle_seconds" \
        'BEGIN { printf "%d ms of CPU over %d s = %.3f %% of a core", t, s, t / (s * 10) }'
}

probe post ORVA7100 0x0111 1044 0 >/dev/null  # Cancel: to the tray
wait_until 10 eval '! window_visible ORVA7100' || true
# shellcheck disable=SC2086
app_before=$(ticks $app_pids) host_before=$(ticks $host_pids) polls_before=$(transcript_count GET)
sleep "$idle_seconds"
# shellcheck disable=SC2086
app_after=$(ticks $app_pids) host_after=$(ticks $host_pids) polls_after=$(transcript_count GET)
echo "idle on the HID path, in the tray: $((polls_after - polls_before)) reports read in $idle_seconds s"
echo "  configurator:       $(figure $((app_after - app_before))) (target < 0.1 %)"
echo "  Wine's driver host: $(figure $((host_after - host_before))) (test drivers and loopback included)"
probe post ORVA7100 0x0012 0 0 >/dev/null || true
wait_until 20 configurator_ended || true
