#!/usr/bin/env bash
# The virtual transport from the Windows build: the device tests and orva7100ctl.exe under Wine
# talk to the native orva-virtual-mouse; an apply from orva7100ctl.exe leaves the same
# transcript as one from the native orva7100ctl.
set -u
test_exe=$1
ctl_exe=$2
native=${ORVA_NATIVE_BUILD:-}
server=$native/virtual-mouse/orva-virtual-mouse
native_ctl=$native/tools/orva7100ctl/orva7100ctl
if [ -z "$native" ] || [ ! -x "$server" ] || [ ! -x "$native_ctl" ]; then
    echo "SKIP: ORVA_NATIVE_BUILD does not hold orva-virtual-mouse and orva7100ctl"
    exit 77
fi
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Starts a server writing to $work/$1.*; leaves its address in $address. Not in a subshell, so
# that the cleanup knows every server's pid.
start_server() {
    "$server" --transcript "$work/$1.transcript" --quiet >"$work/$1.out" 2>&1 &
    pids+=($!)
    address=
    for _ in $(seq 100); do grep -q '^listening on ' "$work/$1.out" && break; sleep 0.05; done
    address=$(sed -n 's/^listening on //p' "$work/$1.out")
    [ -n "$address" ] || fail "server did not start"
}

start_server tests
ORVA7100_VIRTUAL_MOUSE=$address timeout 120 wine "$test_exe" --gtest_color=no \
    --gtest_filter='VirtualFromWindows.*' || fail "device tests against the virtual mouse"
grep -q '^SET ' "$work/tests.transcript" || fail "nothing reached the server"

for i in 1 2 3 4 5; do
    "$native_ctl" profile new --index $((i - 1)) -o "$work/p$i.profile" || fail "profile new"
done
start_server windows
win_address=$address
start_server native
native_address=$address
(cd "$work" && timeout 60 wine "$ctl_exe" --device "virtual:$win_address" device apply \
    p1.profile p2.profile p3.profile p4.profile p5.profile --current 2) || fail "apply under Wine"
(cd "$work" && "$native_ctl" --device "virtual:$native_address" device apply \
    p1.profile p2.profile p3.profile p4.profile p5.profile --current 2) || fail "native apply"
[ "$(wc -l <"$work/windows.transcript")" -gt 20 ] || fail "short transcript"
cmp -s "$work/windows.transcript" "$work/native.transcript" || fail "transcripts differ"
echo "virtual transport from the Windows build: all checks passed"
