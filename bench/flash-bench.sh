#!/usr/bin/env bash
# Flashes a 200-block image (204800 bytes) into the virtual mouse with the real Updater.exe
# under Wine and prints how long the transfer took against the sum of the fixed delays the
# protocol prescribes: for each report acknowledged the first status poll waits 100 ms, the
# start parameters 500 ms more, the mouse is looked for again after 10 s, and three 500 ms
# pauses separate the steps. The transfer is timed from its first report to its last status
# read, as the virtual mouse's transcript records them.
# Needs: cmake --preset native && cmake --build --preset native (the virtual mouse) and
#        cmake --preset windows && cmake --build --preset windows (the programs).
# usage: bench/flash-bench.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-1}
dist=$root/build/windows/dist
server=$root/build/native/virtual-mouse/orva-virtual-mouse
for need in "$dist/Romvane/Updater.exe" "$dist/Romvane/hiddriver.dll" "$server"; do
    [ -e "$need" ] || { echo "flash-bench: missing $need (build both presets first)" >&2; exit 1; }
done

blocks=200
# 3 parameter steps and 2 x 200 block steps, each two acknowledged reports of 100 ms;
# the start pause, the reconnect wait and the three pauses between steps.
fixed_ms=$(((3 + 2 * blocks) * 2 * 100 + 500 + 10000 + 3 * 500))

work=$(mktemp -d "${TMPDIR:-/tmp}/orva-flash-bench.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
xvfb_pid=""
server_pid=""
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

template=$root/build/wine/template
if [ -f "$template/.orva-ready" ]; then
    cp -a "$template" "$WINEPREFIX"
else
    wineboot -i >/dev/null 2>&1 || true
fi
display=120
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
sleep 1
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true

install=$WINEPREFIX/drive_c/ORVA
mkdir -p "$install/Romvane"
cp "$dist/Romvane/Updater.exe" "$dist/Romvane/hiddriver.dll" "$install/Romvane/"
head -c $((blocks * 1024)) /dev/urandom >"$install/Romvane/fw.bin"
printf '[Firmware]\r\nName=fw.bin\r\nVersion=110\r\n' >"$install/Romvane/config.ini"
# Every report and its status read: two transcript lines each.
lines=$(((6 + 4 * blocks) * 2))

echo "flash-bench: $blocks blocks, fixed delays ${fixed_ms} ms"
for run in $(seq 1 "$runs"); do
    rm -rf "$work/state" "$work/transcript.txt" "$work/server.out"
    "$server" --listen 127.0.0.1:0 --transcript "$work/transcript.txt" --state-dir "$work/state" \
        --quiet >"$work/server.out" 2>/dev/null &
    server_pid=$!
    for _ in $(seq 1 100); do
        grep -q "listening on" "$work/server.out" 2>/dev/null && break
        sleep 0.05
    done
    export ORVA7100_VIRTUAL_MOUSE=$(sed -n 's/^listening on //p' "$work/server.out")
    wine 'C:\ORVA\Romvane\Updater.exe' x >/dev/null 2>&1 &
    # Times the first and the last transcript line by watching the file grow.
    elapsed_ms=$(python3 - "$work/transcript.txt" "$lines" <<'PY'
import os, sys, time
path, want = sys.argv[1], int(sys.argv[2])
deadline = time.monotonic() + 400
while not os.path.exists(path) and time.monotonic() < deadline:
    time.sleep(0.002)
first = None
count = 0
with open(path, "rb") as f:
    while time.monotonic() < deadline:
        chunk = f.read()
        now = time.monotonic()
        if chunk:
            first = first if first is not None else now
            count += chunk.count(b"\n")
            if count >= want:
                print(round((now - first) * 1000))
                sys.exit(0)
        time.sleep(0.002)
print(-1)
PY
)
    if [ "$elapsed_ms" -lt 0 ] || ! cmp -s "$work/state/firmware.bin" "$install/Romvane/fw.bin"; then
        echo "flash-bench: run $run did not complete the transfer" >&2
        exit 1
    fi
    python3 -c "import sys; e, f = int(sys.argv[1]), int(sys.argv[2]); \
print(f'run {sys.argv[3]}: {e / 1000:.3f} s, {e / f:.4f} x the fixed delays ({(e - f) / f * 100:+.2f} %)')" \
        "$elapsed_ms" "$fixed_ms" "$run"
    wineserver -k 2>/dev/null || true
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=""
    wineserver -p
done
