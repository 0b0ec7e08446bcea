#!/usr/bin/env bash
# Times 'orva7100ctl device apply' of five macro-heavy profiles (every image two chunks) against
# orva-virtual-mouse with a latency of 1 ms per transfer, and compares the time spent talking
# to the mouse with its floor: transfers x latency. Target: within 10 % of the floor.
# Builds an optimised host build of the two programs in build/bench when needed.
# usage: bench/apply-bench.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
latency_ms=1
build=$root/build/bench
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target orva7100ctl orva-virtual-mouse >/dev/null
ctl=$build/tools/orva7100ctl/orva7100ctl
server=$build/virtual-mouse/orva-virtual-mouse

work=$(mktemp -d "${TMPDIR:-/tmp}/orva-apply-bench.XXXXXX")
server_pid=""
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Five profiles, each with macros on four buttons: about 1800 bytes of image.
source "$root/bench/heavy-profiles.sh"
heavy_profiles "$ctl" "$work"

"$server" --latency "$latency_ms" --transcript "$work/transcript" --quiet >"$work/out" 2>&1 &
server_pid=$!
for _ in $(seq 100); do grep -q '^listening on ' "$work/out" && break; sleep 0.05; done
address=$(sed -n 's/^listening on //p' "$work/out")
[ -n "$address" ] || { echo "apply-bench: the server did not start" >&2; exit 1; }

times=()
for run in $(seq "$runs"); do
    : >"$work/transcript"
    "$ctl" --device "virtual:$address" device apply "$work"/p{1,2,3,4,5}.profile --current 1 \
        --timing 2>"$work/err"
    times+=("$(sed -n 's/^device time: \([0-9.]*\) ms$/\1/p' "$work/err")")
done
transfers=$(wc -l <"$work/transcript")
chunks=$(grep -c '^SET 05' "$work/transcript")
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
best=$(printf '%s\n' "${times[@]}" | sort -n | head -1)
floor=$((transfers * latency_ms))
echo "apply of 5 macro-heavy profiles ($chunks image chunks), latency ${latency_ms} ms per transfer"
echo "runs:       ${times[*]} ms"
echo "median:     $median ms   best: $best ms"
echo "transfers:  $transfers"
echo "floor:      $floor ms (transfers x latency)"
awk -v t="$median" -v b="$best" -v f="$floor" \
    'BEGIN { printf "ratio:      %.3f median, %.3f best (target <= 1.100)\n", t / f, b / f }'
# Other work on the machine delays every wake-up of the server and of the client.
echo "load:       $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
