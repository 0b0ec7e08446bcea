#!/usr/bin/env bash
# The running ORVA7100.exe while the virtual mouse vanishes at a sample of reports of an Apply
# of five two-chunk profiles: each Apply ends with the system's messages (OK pressed on each),
# the program keeps running, and after the mouse is plugged in again the next Apply writes all
# five images (the slots were overwritten with other profiles in between, so only a complete
# write makes them match).
# usage: configurator_unplug_e2e.sh DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin reliability-unplug "$1" "$2" "${3:-}"
ctl="$E2E_NATIVE/tools/orva7100ctl/orva7100ctl"
T=$E2E_TITLE
kMessageTitle="ORVA 7100"
kMessageText=65535
kApply=1042

data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100
appdata_win="C:\\users\\${USER:-$(id -un)}\\AppData\\Roaming\\Velmor\\ORVA7100"
mkdir -p "$data/Profiles" "$data/Macros"

# Five profiles whose button 4 plays macro 7 of 150 events: two chunks each. The macro is in the
# macro folder too, or Apply would unbind the button.
for i in 1 2 3 4 5; do
    "$ctl" profile new --index $((i - 1)) --name "Long$i" -o "$E2E_WORK/new.profile" >/dev/null &&
        "$ctl" profile show "$E2E_WORK/new.profile" | python3 -c '
import json, sys
p = json.load(sys.stdin)
events = [{"kind": 1, "code": 65 + k % 26, "action": 1 + k % 2, "delay": 10 * k} for k in range(150)]
p["buttons"][3]["function"] = 14
p["buttons"][3]["value"] = 7
p["macros"][3] = {"id": 7, "name": "long", "events": events + [{"kind": 0, "code": 0, "action": 0, "delay": 0}]}
json.dump(p, sys.stdout)' >"$E2E_WORK/p$i.json" &&
        "$ctl" profile build "$E2E_WORK/p$i.json" -o "$data/Profiles/Default$i.profile" ||
        fail "profile $i"
    # Other content for overwriting the slots between the rounds.
    "$ctl" profile new --index $((i - 1)) --name "Other$i" -o "$E2E_WORK/other$i.profile" >/dev/null
done
python3 - "$data/Macros" "$appdata_win\\Macros\\long.macro" <<'PY'
import struct, sys
folder, path = sys.argv[1], sys.argv[2]
def string(text):
    units = text.encode("utf-16-le")
    return struct.pack("<i", len(units) // 2) + units
body = string("long") + struct.pack("<i4ii", 7, 0, 0, 204, 220, 150)
for k in range(150):
    body += struct.pack("<BhBi4iii", 1, 65 + k % 26, 1 + k % 2, 10 * k, 4, 5 + 18 * k, 202, 23 + 18 * k,
                        1 if k == 149 else 0, k + 1)
open(folder + "/long.macro", "wb").write(body)
open(folder + "/macroList.dat", "wb").write(struct.pack("<i", 1) + string(path))
PY

start_mouse
start_configurator
wait_until 30 window_visible "$T" || {
    fail "the main window did not show"
    e2e_finish
}
kill -0 "$e2e_app_pid" 2>/dev/null || fail "the configurator did not start"

# The topmost dialog's handle and title, or false when there is none.
top_dialog() {
    local line
    line=$(probe top-dialog) || return 1
    read -r dlg_hwnd _ _ _ _ dlg_title <<<"$line"
}
top_dialog_is() { top_dialog && [ "$dlg_title" = "$1" ]; }
# Another box than the one with handle $1, or none at all.
box_replaced() { ! top_dialog || [ "$dlg_hwnd" != "$1" ]; }
# Presses OK on each message box the Apply shows; every text must be one of the system's.
# The sequence is over when no further box follows within a few seconds; a box that came later
# still would block the next Apply, which the next round's checks would then report.
boxes=0
messages_seen=""
answer_messages() {
    boxes=0
    wait_until 20 top_dialog_is "$kMessageTitle" || return 1
    while top_dialog_is "$kMessageTitle"; do
        local text box=$dlg_hwnd
        text=$(ctl_value "$kMessageTitle" $kMessageText text)
        case "$text" in
        "ORVA mouse no found." | "set current profile id failed." | "set profile to mcu failed.") ;;
        *) fail "message '$text'" ;;
        esac
        [ $boxes = 0 ] && shot "message-$1" "$kMessageTitle"
        messages_seen+="$1: $text; "
        click_ctl "$kMessageTitle" 1
        wait_until 5 box_replaced "$box" || return 1
        boxes=$((boxes + 1))
        wait_until 3 top_dialog_is "$kMessageTitle" || break
    done
}
lines() { wc -l <"$E2E_TRANSCRIPT" 2>/dev/null || echo 0; }
images_since() { tail -n +$(($1 + 1)) "$E2E_TRANSCRIPT" | grep -c '^SET 05' || true; }
mouse_holds_app_profiles() {
    local i
    for i in 1 2 3 4 5; do
        "$ctl" profile image "$data/Profiles/Default$i.profile" --firmware 109 --raw \
            >"$E2E_WORK/app$i.image" || return 1
        cmp -s "$E2E_WORK/app$i.image" "$E2E_MOUSE_STATE/slot$((i - 1)).bin" || return 1
    done
}

# A clean Apply first: ten image chunks.
before=$(lines)
click_ctl "$T" $kApply
wait_until 30 eval '[ "$(images_since "$before")" -ge 10 ]' || fail "the clean Apply did not write"
wait_until 10 mouse_holds_app_profiles || fail "the clean Apply left other images in the mouse"

tried=0
# Report N of the Apply counted from its first select, so that the profile poll before the
# click does not move the point: in the first select, in the images of profiles 1 and 3, and
# in the last select.
for n in 1 9 24 46; do
    mouse_ctl fault vanish-for 0 >/dev/null && mouse_ctl fault vanish-from-select 1 >/dev/null &&
        mouse_ctl fault vanish-after "$n" >/dev/null || fail "fault at $n"
    click_ctl "$T" $kApply
    answer_messages "$n" || fail "vanishing after report $n: no message box"
    [ $boxes -ge 1 ] || fail "vanishing after report $n: no message"
    kill -0 "$e2e_app_pid" 2>/dev/null || {
        fail "the configurator ended after vanishing at report $n"
        break
    }
    mouse_ctl fault clear >/dev/null
    mouse_ctl plug >/dev/null
    "$ctl" --device "virtual:$ORVA7100_VIRTUAL_MOUSE" device apply "$E2E_WORK"/other{1,2,3,4,5}.profile \
        >/dev/null 2>&1 || fail "overwriting the slots at $n"
    before=$(lines)
    click_ctl "$T" $kApply
    if ! wait_until 30 eval '[ "$(images_since "$before")" -ge 10 ]'; then
        top_dialog_is "$kMessageTitle" && fail "after $n: '$(ctl_value "$kMessageTitle" $kMessageText text)'"
        fail "the Apply after replugging at $n wrote $(images_since "$before") chunks"
        break
    fi
    wait_until 10 mouse_holds_app_profiles || fail "the Apply after replugging at $n left other images"
    tried=$((tried + 1))
done
shot main "$T"
echo "running configurator: $tried unplug points tried; messages: $messages_seen"
probe post "$T" 0x0012 0 0 >/dev/null
wait_until 15 configurator_ended || fail "the configurator did not end"
e2e_finish
