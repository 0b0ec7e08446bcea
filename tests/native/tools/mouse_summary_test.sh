#!/usr/bin/env bash
# The demo's closing summary of what the virtual mouse holds, against real state folders:
# - a fresh mouse that received nothing: five empty slots, status 0, nothing on stderr;
# - after an apply of five profiles: each slot names its profile, and the active slot;
# - a slot holding bytes that are no profile image is named as such, still with status 0.
# usage: mouse_summary_test.sh ORVA7100CTL ORVA_VIRTUAL_MOUSE MOUSE_SUMMARY_SCRIPT
set -u
summary=$3
source "$(dirname "$0")/reliability_common.sh" "$@"

run_summary() {
    bash "$summary" "$1" "$ctl" >"$work/out" 2>"$work/err"
    local status=$?
    [ $status = 0 ] || fail "status $status for $1: $(cat "$work/err")"
    [ -s "$work/err" ] && fail "errors for $1: $(cat "$work/err")"
    return 0
}
line_count() { grep -c "$1" "$work/out" || true; }

start_server fresh --quiet
run_summary "$work/fresh"
[ "$(line_count '^  slot [0-4]: empty$')" = 5 ] || fail "a fresh mouse: $(cat "$work/out")"
grep -qx '  active slot: 0' "$work/out" || fail "no active slot: $(cat "$work/out")"

for i in 1 2 3 4 5; do
    "$ctl" profile new --index $((i - 1)) --name "p$i" -o "$work/p$i.profile" || fail "profile new"
done
"$ctl" --device "virtual:$address" device apply "$work"/p{1,2,3,4,5}.profile --current 3 \
    >/dev/null 2>"$work/apply.err" || fail "apply: $(cat "$work/apply.err")"
run_summary "$work/fresh"
for slot in 0 1 2 3 4; do
    grep -q "^  slot $slot: profile $((slot + 1)), " "$work/out" ||
        fail "slot $slot after the apply: $(cat "$work/out")"
done
[ "$(line_count '^          buttons: ')" = 5 ] || fail "buttons missing: $(cat "$work/out")"
grep -qx '  active slot: 2' "$work/out" || fail "active slot after the apply: $(cat "$work/out")"

mkdir -p "$work/odd"
cp "$work"/fresh/slot*.bin "$work/odd/"
# Text, not random bytes: now and then random bytes happen to read as a profile image.
yes 'these bytes are no profile image' | head -c 2048 >"$work/odd/slot1.bin"
run_summary "$work/odd"
grep -qx '  slot 1: 2048 bytes that are no profile image' "$work/out" ||
    fail "a garbled slot: $(cat "$work/out")"
grep -q '^  slot 0: profile 1, ' "$work/out" || fail "the other slots: $(cat "$work/out")"
grep -qx '  active slot: ?' "$work/out" || fail "a folder without state: $(cat "$work/out")"
echo "mouse summary: all checks passed"
