#!/usr/bin/env bash
# The macro page of ORVA7100.exe end to end, with real clicks and keys through xdotool:
#   New Macro, a name, Enter; Escape hiding nothing; New Macro twice; recording with Record Delay
#   off and on, keys that press nothing on the page; a mouse click and a wheel step from the
#   editor's menu, a delay edited, an event deleted, the menu going with the editor's focus; the
#   macro bound to button 4 and applied (the mouse's slot image
#   equals the image computed from the saved profile); the macro deleted (Cancel first, then OK)
#   and button 4 back to its own function after Apply; Exit from the tray and a second start.
# usage: macro_page_e2e.sh DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin macro-page "$1" "$2" "${3:-}"

ctl="$E2E_NATIVE/tools/orva7100ctl/orva7100ctl"
T=$E2E_TITLE
# Ids of the main window, the mouse page and the macro page.
kPageMouse=1000 kPageMacro=1003 kApply=1042 kSlot4=1023

kNewMacro=1064 kDelete=1065 kRecordDelay=1066 kStartRecord=1067 kStopRecord=1068
kList=1069 kEditor=1070 kNameEdit=1071 kDelayEdit=101

data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100
macro_file=$data/Macros/jump.macro

start_mouse
start_configurator
wait_until 30 window_visible "$T" || { fail "the main window did not show"; e2e_finish; }

# json FILE EXPRESSION: a Python expression over the JSON document `d`.
json() { python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print($2)" "$1"; }

# Screen rectangle "x y w h" of a control (the probe's rectangles are in client coordinates of
# the main window, its centre in screen coordinates).
ctl_rect() {
    local cx cy x y w h
    read -r x y w h <<<"$(ctl_value "$T" "$1" rect ${2:+"$2"} | tr ',' ' ')"
    read -r cx cy <<<"$(probe screenpos "$T" "$1" ${2:+"$2"})"
    echo $((cx - w / 2)) $((cy - h / 2)) "$w" "$h"
}

# Screen point of the middle of event row ROW of the editor (rows are 18 pixels from y 5).
row_point() {
    local x y w h
    read -r x y w h <<<"$(ctl_rect $kEditor)"
    echo $((x + 40)) $((y + 5 + 18 * $1 + 9))
}
# Selects event ROW and opens the context menu on it.
menu_on_row() {
    point_at $(row_point "$1") && xdotool click 1
    sleep 0.2
    xdotool click 3
    wait_until 5 menu_count 1
}
# Opens "Insert mouse event" > the button at SECOND > the item at THIRD (THIRD_COUNT items).
insert_mouse_event() {
    menu_on_row "$1" || return 1
    hover_item 0 2 6 && wait_until 5 menu_count 2 || return 1
    hover_item 1 "$2" 6 && wait_until 5 menu_count 3 || return 1
    click_item 2 "$3" "$4" && wait_until 5 menu_count 0
}

event_codes() {
    "$ctl" macro show "$macro_file" >"$E2E_WORK/macro.json" 2>/dev/null || return 1
    json "$E2E_WORK/macro.json" "' '.join('%d/%d' % (e['code'], e['action']) for e in d['events'])"
}

# ---- new macros ----------------------------------------------------------------------------------
click_ctl "$T" $kPageMacro
wait_until 10 ctl_is "$T" $kNewMacro visible 1 || fail "the macro page did not show"
ctl_is "$T" $kList count 0 || fail "an empty macro folder should give an empty list"

# new_macro NAME [KEY]: KEY, if given, is pressed in the name box before the name is typed.
new_macro() {
    click_ctl "$T" $kNewMacro
    wait_until 5 ctl_is "$T" $kNameEdit visible 1 $kList || { fail "no name box"; return 1; }
    focus_window "$T"
    [ -n "${2:-}" ] && press_keys "$2"
    type_text "$1"
    press_keys Return
    wait_until 5 ctl_is "$T" $kNameEdit visible 0 $kList || fail "Enter left the name box open"
}
new_macro keep
# Escape neither hides the page nor closes the box: the name typed after it still counts.
new_macro jump Escape
wait_until 5 ctl_is "$T" $kList count 2 || fail "two new macros should make two entries"
window_visible "$T" && ctl_is "$T" $kNewMacro visible 1 || fail "Escape hid the macro page"
ctl_is "$T" $kList cursel 1 || fail "the new macro should be selected"
[ "$(probe lbtext "$T" $kList 1)" = jump ] || fail "the entry should read 'jump'"
# New Macro twice: the second press only closes the box.
click_ctl "$T" $kNewMacro
wait_until 5 ctl_is "$T" $kNameEdit visible 1 $kList
sleep 0.6
click_ctl "$T" $kNewMacro
wait_until 5 ctl_is "$T" $kNameEdit visible 0 $kList || fail "a second New Macro left the box open"
ctl_is "$T" $kList count 2 || fail "an empty name made an entry"

# ---- recording -----------------------------------------------------------------------------------
click_ctl "$T" $kStartRecord
wait_until 5 ctl_is "$T" $kStopRecord visible 1 || fail "Stop Record did not appear"
ctl_is "$T" $kStartRecord visible 0 || fail "Start Record stayed visible"
focus_window "$T"
type_text ab
click_ctl "$T" $kRecordDelay
wait_until 5 ctl_is "$T" $kRecordDelay check 1 || fail "Record Delay did not check"
sleep 0.3
focus_window "$T"
# The check box has the focus: a space typed for the macro must not toggle it.
press_keys c space
shot recording "$T"
sleep 0.3
ctl_is "$T" $kRecordDelay check 1 || fail "a key typed while recording toggled Record Delay"
ctl_is "$T" $kList count 2 || fail "a key typed while recording changed the list"
click_ctl "$T" $kStopRecord
wait_until 5 ctl_is "$T" $kStartRecord visible 1 || fail "Start Record did not come back"

# ---- editing: a click after the first event, a wheel step, a delay, a deletion -------------------
insert_mouse_event 0 0 2 3 || fail "could not insert a left click from the menu"
insert_mouse_event 2 5 1 2 || fail "could not insert a wheel step from the menu"
# The menu goes when the keyboard focus leaves the editor, as when another program takes it
# (here the X server's root window), without a click that would close it anyway.
root_window=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
if menu_on_row 0; then
    xdotool windowfocus --sync "$root_window"
    wait_until 5 menu_count 0 || fail "the editor's menu stayed open when the focus left"
    focus_window "$T"
else
    fail "no menu on the first event"
fi
menu_on_row 0 && click_item 0 4 6 || fail "could not choose Edit delay"
wait_until 5 ctl_is "$T" $kDelayEdit visible 1 $kEditor || fail "no delay box"
focus_window "$T"
type_text 250
press_keys Return
wait_until 5 ctl_is "$T" $kDelayEdit visible 0 $kEditor || fail "Enter left the delay box open"
menu_on_row 1 && click_item 0 5 6 || fail "could not choose Delete"
shot edited "$T"

click_ctl "$T" $kApply
wait_until 15 test -f "$macro_file" || fail "Apply wrote no macro file"
wait_until 5 event_codes >/dev/null
codes=$(event_codes)
# a down/up, b down/up, c down/up, space down/up; Click inserted after 'a down' and its down
# deleted again; the wheel step (151) after the click's up.
expected="65/1 1/2 151/1 65/2 66/1 66/2 67/1 67/2 32/1 32/2"
[ "$codes" = "$expected" ] || fail "macro events: '$codes', expected '$expected'"
delays=$(json "$E2E_WORK/macro.json" "' '.join(str(e['delay']) for e in d['events'])")
read -r -a delay <<<"$delays"
[ "${delay[0]}" = 250 ] || fail "the edited delay is ${delay[0]}, not 250"
[ "${delay[4]}" = 0 ] && [ "${delay[5]}" = 0 ] || fail "delays without Record Delay: $delays"
[ "${delay[6]}" -gt 0 ] && [ "${delay[7]}" -gt 0 ] || fail "delays with Record Delay: $delays"
[ "$(json "$E2E_WORK/macro.json" "d['id']")" = 17 ] || fail "the second macro should have id 17"

# ---- binding to button 4 ---------------------------------------------------------------------------
button4() {
    "$ctl" profile show "$data/Profiles/Default1.profile" >"$E2E_WORK/profile.json" 2>/dev/null &&
        json "$E2E_WORK/profile.json" "'%d/%d' % (d['buttons'][3]['function'], d['buttons'][3]['value'])"
}
# Slot 4 of the mouse page; its id is also used on the sensor page, so it is told apart as the
# drop-down button among the controls.
slot4_line() { probe list "$T" | grep "^id=$kSlot4 .*kind=button" | head -n 1; }
slot4_shown() { slot4_line | grep -q " visible=1 "; }
slot4_text() { slot4_line | sed -n 's/.* text=//p'; }
slot4_point() {
    local hwnd wx wy x y w h
    read -r hwnd wx wy _ <<<"$(probe find "$T")"
    read -r x y w h <<<"$(slot4_line | sed -n 's/.* rect=\([0-9,]*\) .*/\1/p' | tr ',' ' ')"
    echo $((wx + x + w / 2)) $((wy + y + h / 2))
}
click_ctl "$T" $kPageMouse
wait_until 10 slot4_shown || fail "the mouse page did not show"
point_at $(slot4_point) && xdotool click 1
wait_until 5 menu_count 1 || fail "the slot's menu did not open"
hover_item 0 6 8 && wait_until 5 menu_count 2 || fail "no macro sub-menu"
click_item 1 1 2 && wait_until 5 menu_count 0 || fail "could not choose the macro"
wait_until 5 eval '[ "$(slot4_text)" = jump ]' || fail "slot 4 does not show 'jump'"
click_ctl "$T" $kApply
wait_until 15 eval '[ "$(button4)" = 14/17 ]' || fail "button 4 saved as $(button4), not 14/17"
wait_until 15 slots_match "$data/Profiles" || fail "the mouse's slot images differ from the saved profiles: $(ls "$E2E_MOUSE_STATE")"
grep -q "^SET 05" "$E2E_TRANSCRIPT" || fail "no profile image reached the mouse"

# ---- deleting ------------------------------------------------------------------------------------
# The topmost dialog other than the main window: sets px py (its screen position).
popup_open() {
    local hwnd w h title
    read -r hwnd px py w h title <<<"$(probe top-dialog)"
    [ -n "$hwnd" ] && [ "$title" != "$T" ]
}
popup_closed() { ! popup_open; }
# delete_answering X Y: Delete, then a click at the pop-up's client point (OK or Cancel).
delete_answering() {
    click_ctl "$T" $kDelete
    wait_until 10 popup_open || { fail "no confirmation"; return 1; }
    sleep 0.5
    popup_open && point_at $((px + $1)) $((py + $2)) && xdotool click 1
    wait_until 10 popup_closed || fail "the confirmation stayed open"
}
click_ctl "$T" $kPageMacro
wait_until 10 ctl_is "$T" $kDelete visible 1
delete_answering 345 162  # Cancel
ctl_is "$T" $kList count 2 || fail "Cancel deleted the macro"
delete_answering 284 162  # OK
wait_until 5 ctl_is "$T" $kList count 1 || fail "OK did not delete the macro"
click_ctl "$T" $kApply
wait_until 15 eval '[ "$(button4)" = 3/0 ]' || fail "button 4 saved as $(button4) after the delete"
wait_until 15 slots_match "$data/Profiles" || fail "slot images differ from the saved profiles after the delete"

# ---- Exit from the tray and a second start ---------------------------------------------------------
tray=$(xdotool search --sync --name '^Wine System Tray$' | head -n 1)
xdotool mousemove --window "$tray" 10 10 click 3
if wait_until 5 menu_count 1; then
    read_menu 0 2
    point_at $((mx + 30)) $((my + 4 + mi + mi / 2)) && xdotool click 1
else
    fail "the tray menu did not open"
fi
wait_until 20 configurator_ended || fail "Exit from the tray did not end the program"
[ -f "$macro_file" ] && fail "the deleted macro's file is still there"

start_configurator
wait_until 30 window_visible "$T" || fail "the second start showed no window"
click_ctl "$T" $kPageMacro
wait_until 10 ctl_is "$T" $kList count 1 || fail "after a restart the list should hold 'keep'"
[ "$(probe lbtext "$T" $kList 0)" = keep ] || fail "after a restart the entry is not 'keep'"
shot restarted "$T"
e2e_finish
