#!/usr/bin/env bash
# Unplug at every report: an Apply of five two-chunk profiles, the virtual mouse vanishing after
# report N for every N from the first report to the last. Each time the command ends with the
# system's message, the cause "no-mouse" and status 1 (nothing crashes), and the next Apply
# after replugging writes everything.
set -u
source "$(dirname "$0")/reliability_common.sh" "$@"

start_mouse
make_profiles a
make_profiles bb
apply() { "$ctl" device apply "$work/$1"-p{1,2,3,4,5}.profile --firmware 108 --current 2; }

# A clean Apply tells how many reports it takes.
apply a 2>"$work/err" || fail "clean apply: $(cat "$work/err")"
mouse_holds mouse a || fail "clean apply did not write everything"
reports=$(wc -l <"$work/mouse.transcript")
[ "$reports" -gt 40 ] || fail "only $reports reports in an apply"
echo "an apply takes $reports reports"

messages='^\{"error":"no-mouse","message":"(ORVA mouse no found\.|set current profile id failed\.|set profile to mcu failed\.)",'
set_name=a
for n in $(seq 1 "$reports"); do
    # Each round writes the other set, so that only a complete Apply makes the slots match.
    [ "$set_name" = a ] && set_name=bb || set_name=a
    "$ctl" virtual fault vanish-for 0 && "$ctl" virtual fault vanish-after "$n" ||
        fail "fault at $n"
    apply "$set_name" 2>"$work/err"
    status=$?
    if [ "$n" -lt "$reports" ]; then
        [ $status = 1 ] || fail "vanishing after report $n: status $status ($(cat "$work/err"))"
        [ -s "$work/err" ] || fail "vanishing after report $n: no message"
        if grep -Evq "$messages" "$work/err"; then
            fail "vanishing after report $n: $(cat "$work/err")"
        fi
    else
        # Gone only after the last report: everything was done.
        [ $status = 0 ] || fail "vanishing after the last report: status $status"
    fi
    "$ctl" virtual fault clear && "$ctl" virtual plug || fail "replug at $n"
    apply "$set_name" 2>"$work/err" || fail "apply after replug at $n: $(cat "$work/err")"
    mouse_holds mouse "$set_name" || fail "apply after replug at $n did not write everything"
    grep -q '"activeSlot": 1' "$work/mouse/state.json" || fail "active slot after $n"
done
echo "unplug at every report: $reports points tried, all ended with the system's message"
