#!/usr/bin/env bash
# A mouse that stays connected but answers every transfer only after 10 s: each transfer fails
# after the transports' bounded wait, so every command ends with its message, the cause
# "timed-out" and status 1 well before the deadline given here; nothing hangs. Once the mouse
# answers again, commands work.
set -u
source "$(dirname "$0")/reliability_common.sh" "$@"

start_mouse
make_profiles a
"$ctl" virtual fault latency 10000 || fail "latency fault"

# Each command gets a deadline (a few bounded transfers); `timeout` ends it with 124 otherwise.
check() {
    local deadline=$1
    shift
    timeout "$deadline" "$ctl" device "$@" >"$work/out" 2>"$work/err"
    local status=$?
    [ $status = 1 ] || fail "device $* against a silent mouse: status $status"
    [ -s "$work/err" ] || fail "device $*: no message"
    if grep -vq '^{"error":"timed-out","message":"[^"]*","cause":"the mouse did not answer in time"' "$work/err"; then
        fail "device $*: $(cat "$work/err")"
    fi
}
check 20 info
check 20 active
check 20 select 3
check 20 lift save 20
check 20 surface
check 40 apply "$work"/a-p{1,2,3,4,5}.profile --firmware 108

"$ctl" virtual fault clear || fail "clear"
"$ctl" device apply "$work"/a-p{1,2,3,4,5}.profile || fail "apply once the mouse answers"
mouse_holds mouse a || fail "apply after the silence did not write everything"
echo "silent mouse: every command failed in bounded time"
