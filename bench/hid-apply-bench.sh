#!/usr/bin/env bash
# The time of an Apply of five macro-heavy profiles (every image two chunks) on the HID path and,
# beside it, on the loopback shortcut, measured in the same run. For each path:
#   floor   what the mouse's own delays make: its latency on every transfer and the 15 ms waits
#           of the acknowledge polls it answers "not yet" (from the transcript of the ctl runs)
#   ctl     orva7100ctl.exe device apply of the five files (its own account of the time spent on
#           the mouse, from opening it to the last acknowledge)
#   window  Apply in the configurator: the click to the window painted again (files, Windows
#           settings and the mouse)
# and the ratio window/ctl (target <= 1.10). On the HID path every transfer also crosses Wine's
# HID stack and the test drivers' loopback, a cost a real mouse does not have. Medians of the
# runs; prints figures, never fails on them.
# Needs both presets built: cmake --build --preset native; cmake --build --preset windows.
# usage: bench/hid-apply-bench.sh [runs] [mouse options...]   (default: 5 --latency 1 --ack-after 1)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
shift $(($# > 0 ? 1 : 0))
mouse_options=("$@")
[ ${#mouse_options[@]} -gt 0 ] || mouse_options=(--latency 1 --ack-after 1)
source "$root/bench/wine-bench.sh"
benchtool=$win/bench/orva_benchtool.exe
bench_begin bench-hid-apply "$benchtool" "$ctl" "$win/wine-hid/orvabus.sys"
cp "$benchtool" "$E2E_WORK/benchtool.exe"
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
profiles=$appdata/Velmor/ORVA7100/Profiles
mkdir -p "$profiles"
source "$root/bench/heavy-profiles.sh"
heavy_profiles "$ctl" "$profiles" Default%d.profile >/dev/null
heavy_macros "$appdata/Velmor/ORVA7100/Macros"
profiles_win=$(winepath -w "$profiles" 2>/dev/null)
start_mouse "${mouse_options[@]}"
latency_ms=$(printf '%s\n' "${mouse_options[@]}" | awk 'p { print; exit } /^--latency$/ { p = 1 }')
latency_ms=${latency_ms:-0}

echo "== Apply of five macro-heavy profiles, mouse: ${mouse_options[*]}" \
    "($(cut -d' ' -f1-3 /proc/loadavg) load on $(nproc) cores)"
printf '%-10s %10s %10s %10s %14s\n' path floor ctl window window/ctl

# measure LABEL: the three figures on the path the programs reach now.
measure() {
    local ctl_times=() window_times=() run transfers sleeps floor ctl_ms window_ms window_transfers
    for run in $(seq "$runs"); do
        : >"$E2E_TRANSCRIPT"
        wine "$E2E_INSTALL/orva7100ctl.exe" device apply "$profiles_win"\\Default{1,2,3,4,5}.profile \
            --current 1 --firmware 109 --timing 2>"$E2E_WORK/ctl.err" >/dev/null
        ctl_times+=("$(tr -d '\r' <"$E2E_WORK/ctl.err" | sed -n 's/^device time: \([0-9.]*\) ms$/\1/p')")
    done
    # Every SET is followed by acknowledge polls; each poll before the last one waited 15 ms.
    transfers=$(wc -l <"$E2E_TRANSCRIPT")
    sleeps=$(($(transcript_count GET) - $(transcript_count SET)))
    floor=$((transfers * latency_ms + sleeps * 15))

    start_configurator
    wait_until 30 window_visible ORVA7100 || { echo "hid-apply-bench: no main window" >&2; exit 1; }
    # The poll's first answer has come (the mouse is on profile 1, the window's own start).
    wait_until 10 eval '[ "$(transcript_count "SET 0303")" -ge 1 ]' || true
    : >"$E2E_TRANSCRIPT"
    for run in $(seq "$runs"); do
        window_times+=("$(wine "$E2E_WORK/benchtool.exe" click ORVA7100 1042 2>/dev/null |
            tr -d '\r' | cut -d' ' -f1)")
    done
    # The window's own transfers a run, the poll's questions (four transfers each) left out.
    window_transfers=$((($(wc -l <"$E2E_TRANSCRIPT") - 4 * $(transcript_count "SET 0303")) / runs))
    probe post ORVA7100 0x0012 0 0 >/dev/null || true
    wait_until 20 configurator_ended || true
    ctl_ms=$(printf '%s\n' "${ctl_times[@]}" | median)
    window_ms=$(printf '%s\n' "${window_times[@]}" | median)
    printf '%-10s %8d ms %7.1f ms %7.1f ms %12.3f\n' "$1" "$floor" "$ctl_ms" "$window_ms" \
        "$(awk -v w="$window_ms" -v c="$ctl_ms" 'BEGIN { print w / c }')"
    echo "           runs: ctl ${ctl_times[*]} ms; window ${window_times[*]} ms;" \
        "$transfers transfers, $sleeps acknowledge waits (the window: $window_transfers a run)"
}

measure loopback
plug_hid_mouse || { echo "hid-apply-bench: the HID mouse was not plugged in" >&2; exit 1; }
measure HID
echo "target: window/ctl <= 1.100 on each path"
