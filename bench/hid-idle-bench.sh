#!/usr/bin/env bash
# Idle cost of the configurator in the tray on the HID path, beside the same on the loopback
# shortcut measured in the same run. On the HID path the mouse is the test HID device of
# the Wine prefix (scripts/wine-hid-mouse.sh), polled every 500 ms through Windows HID. Prints
# the CPU time over a period of the configurator's process and of Wine's driver host (where the
# test drivers forward each report to the virtual mouse, a cost a real mouse does not have);
# never fails on them.
# Needs both presets built: cmake --build --preset native; cmake --build --preset windows.
# usage: bench/hid-idle-bench.sh [idle_seconds]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
idle_seconds=${1:-60}
source "$root/bench/wine-bench.sh"
bench_begin bench-hid "$win/wine-hid/orvabus.sys"

# The Linux processes of this prefix whose command line matches PATTERN.
prefix_pids() {
    local pid
    for pid in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
}
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

# idle_in_tray LABEL: the configurator started, sent to the tray, measured, ended.
idle_in_tray() {
    start_configurator
    wait_until 30 window_visible ORVA7100 || { echo "hid-idle-bench: no main window" >&2; exit 1; }
    probe post ORVA7100 0x0111 1044 0 >/dev/null  # Cancel: to the tray
    wait_until 10 eval '! window_visible ORVA7100' || true
    local app_pids host_pids app_before host_before reads_before
    app_pids=$(prefix_pids 'C:.ORVA.ORVA7100.exe')
    host_pids=$(prefix_pids 'winedevice.exe')
    # shellcheck disable=SC2086
    app_before=$(ticks $app_pids) host_before=$(ticks $host_pids) reads_before=$(transcript_count GET)
    sleep "$idle_seconds"
    # shellcheck disable=SC2086
    echo "$1 ($(($(transcript_count GET) - reads_before)) reports read):"
    # shellcheck disable=SC2086
    echo "  configurator:       $(figure $(($(ticks $app_pids) - app_before))) (target < 0.1 %)"
    # shellcheck disable=SC2086
    echo "  Wine's driver host: $(figure $(($(ticks $host_pids) - host_before)))"
    probe post ORVA7100 0x0012 0 0 >/dev/null || true
    wait_until 20 configurator_ended || true
}

start_mouse
idle_in_tray "idle in the tray, loopback shortcut, over $idle_seconds s"
plug_hid_mouse || { echo "hid-idle-bench: the HID mouse was not plugged in" >&2; exit 1; }
idle_in_tray "idle in the tray, HID path (test drivers and their loopback included), over $idle_seconds s"
