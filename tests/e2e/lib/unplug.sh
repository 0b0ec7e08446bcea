# Sourced after e2e.sh and e2e_begin by the scripts that pull the mouse away in the middle of the
# configurator's Apply: five profiles of two image chunks each, the message boxes of the system,
# and one unplug round.
#
#   source "$(dirname "${BASH_SOURCE[0]}")/../lib/unplug.sh"
#   write_long_profiles; start_mouse; start_configurator ...
#   unplug_round N || break      (the configurator ended)
#
# A script may define, before a round, replug_mouse (default: mouse_ctl plug) and
# apply_written BEFORE (default: ten image chunks after transcript line BEFORE).

ctl="$E2E_NATIVE/tools/orva7100ctl/orva7100ctl"
kMessageTitle="ORVA 7100"
kMessageText=65535
kApply=1042
data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100
appdata_win="C:\\users\\${USER:-$(id -un)}\\AppData\\Roaming\\Velmor\\ORVA7100"
mkdir -p "$data/Profiles" "$data/Macros"

# Five profiles whose button 4 plays a macro of 150 events: two chunks each, as the files of the
# configurator; other profiles in E2E_WORK/other1..5.profile to overwrite the slots with. The
# macro is in the macro folder too, or Apply would unbind the button.
write_long_profiles() {
    local i
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
}

lines() { wc -l <"$E2E_TRANSCRIPT" 2>/dev/null || echo 0; }
# since N PREFIX: the transcript lines after line N that begin with PREFIX.
since() { tail -n +$(($1 + 1)) "$E2E_TRANSCRIPT" | grep -c "^$2" || true; }

# The mouse's five slots hold the images of the configurator's five profile files.
mouse_holds_app_profiles() {
    local i
    for i in 1 2 3 4 5; do
        "$ctl" profile image "$data/Profiles/Default$i.profile" --firmware 109 --raw \
            >"$E2E_WORK/app$i.image" || return 1
        cmp -s "$E2E_WORK/app$i.image" "$E2E_MOUSE_STATE/slot$((i - 1)).bin" || return 1
    done
}

# The topmost dialog's handle, place and title (dlg_hwnd, dlg_x, dlg_y, dlg_title), or false
# when there is none.
top_dialog() {
    local line
    line=$(probe top-dialog) || return 1
    read -r dlg_hwnd dlg_x dlg_y _ _ dlg_title <<<"$line"
}
top_dialog_is() { top_dialog && [ "$dlg_title" = "$1" ]; }
# Another box than the one with handle $1, or none at all.
box_replaced() { ! top_dialog || [ "$dlg_hwnd" != "$1" ]; }

# answer_messages NAME [SECONDS]: presses OK on each message box that follows; each must be one
# of the system's. `boxes` counts them, `first_message` keeps the first text and
# `messages_seen` gathers all. The sequence is over when no further box follows within a few
# seconds; a box that came later still would block the next Apply, which the next checks see.
messages_seen=""
answer_messages() {
    boxes=0
    first_message=""
    wait_until "${2:-20}" top_dialog_is "$kMessageTitle" || return 1
    # Each look waits a little: between one box and the next the window has none for a moment.
    while wait_until 3 top_dialog_is "$kMessageTitle"; do
        local text box=$dlg_hwnd
        text=$(ctl_value "$kMessageTitle" $kMessageText text)
        case "$text" in
        "ORVA mouse no found." | "set current profile id failed." | "set profile to mcu failed.") ;;
        *) fail "message '$text'" ;;
        esac
        [ $boxes = 0 ] && first_message=$text && shot "message-$1" "$kMessageTitle"
        messages_seen+="$1: $text; "
        click_ctl "$kMessageTitle" 1
        wait_until 5 box_replaced "$box" || return 1
        boxes=$((boxes + 1))
    done
}

replug_mouse() { mouse_ctl plug >/dev/null; }
apply_written() { [ "$(since "$1" "SET 05")" -ge 10 ]; }

# unplug_round N: the mouse vanishes at report N of an Apply counted from its first select, so
# that a poll before the click does not move the point. The system's messages, the program runs
# on, and after plugging in the next Apply writes all five images (the slots were overwritten
# with other profiles in between, so only a whole write makes them match). False when the
# configurator ended.
unplug_round() {
    local n=$1 before
    mouse_ctl fault vanish-for 0 >/dev/null && mouse_ctl fault vanish-from-select 1 >/dev/null &&
        mouse_ctl fault vanish-after "$n" >/dev/null || fail "fault at $n"
    click_ctl "$E2E_TITLE" $kApply
    answer_messages "$n" || fail "vanishing after report $n: no message box"
    echo "vanishing after report $n: $boxes message(s), the first '$first_message'"
    kill -0 "$e2e_app_pid" 2>/dev/null || {
        fail "the configurator ended after vanishing at report $n"
        return 1
    }
    mouse_ctl fault clear >/dev/null
    replug_mouse "$n"
    # The configurator's poll may come between two reports of a select: try again then.
    wait_until 10 "$ctl" --device "virtual:$ORVA7100_VIRTUAL_MOUSE" device apply \
        "$E2E_WORK"/other{1,2,3,4,5}.profile >/dev/null 2>&1 || fail "overwriting the slots at $n"
    before=$(lines)
    click_ctl "$E2E_TITLE" $kApply
    if wait_until 30 apply_written "$before"; then
        [ "$(since "$before" "SET 05")" = 10 ] ||
            fail "the Apply after plugging in at $n wrote $(since "$before" "SET 05") chunks"
        wait_until 10 mouse_holds_app_profiles || fail "the Apply after plugging in at $n left other images"
    else
        top_dialog_is "$kMessageTitle" && fail "after $n: '$(ctl_value "$kMessageTitle" $kMessageText text)'"
        fail "the Apply after plugging in at $n did not finish"
    fi
}
