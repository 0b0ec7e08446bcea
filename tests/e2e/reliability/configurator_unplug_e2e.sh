#!/usr/bin/env bash
# The running ORVA7100.exe while the virtual mouse vanishes at a sample of reports of an Apply
# of five two-chunk profiles: each Apply ends with the system's messages (OK pressed on each),
# the program keeps running, and after the mouse is plugged in again the next Apply writes all
# five images (the slots were overwritten with other profiles in between, so only a complete
# write makes them match). POINTS names the reports, N-M, of one run: 1-46 the first and the
# last select, 9-24 the images of profiles 1 and 3.
# usage: configurator_unplug_e2e.sh POINTS DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
name=reliability-unplug-at-$1
points=${1//-/ }
shift
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin "$name" "$1" "$2" "${3:-}"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/unplug.sh"
T=$E2E_TITLE

write_long_profiles
start_mouse
start_configurator
wait_until 30 window_visible "$T" || {
    fail "the main window did not show"
    e2e_finish
}
kill -0 "$e2e_app_pid" 2>/dev/null || fail "the configurator did not start"

# A clean Apply first: ten image chunks.
before=$(lines)
click_ctl "$T" $kApply
wait_until 30 apply_written "$before" || fail "the clean Apply did not write"
wait_until 10 mouse_holds_app_profiles || fail "the clean Apply left other images in the mouse"

tried=0
for n in $points; do
    unplug_round "$n" || break
    tried=$((tried + 1))
done
shot main "$T"
echo "running configurator: $tried unplug points tried; messages: $messages_seen"
probe post "$T" 0x0012 0 0 >/dev/null
wait_until 15 configurator_ended || fail "the configurator did not end"
e2e_finish
