#!/usr/bin/env bash
# The mouse and colour pages of ORVA7100.exe end to end, with real clicks and keys (xdotool):
#   functions for several slots through the real menus (a sub-menu item among them); the left
#   click guard's warning; a key captured for a slot (A then B gives 66; Enter, Escape and Space
#   are captured and close nothing; Cancel keeps the old key); a report rate; then Apply: the
#   saved profile holds exactly those functions and the mouse's slot images equal the images of
#   the saved profiles; the rate box already checked stays checked; "page" and "Speed" disable
#   and enable the Scroll Speed slider, "Enable" the acceleration slider (a disabled slider
#   ignores clicks). On the colour page "Select" with two zones and a palette colour, "OFF" and
#   "ON" disabling the zone boxes (checks kept, clicks ignored), Apply: the profile and the mouse
#   carry the LED mode and colour. Screenshots with the slot menus open.
# usage: mouse_page_e2e.sh DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin mouse-page "$1" "$2" "${3:-}"

ctl="$E2E_NATIVE/tools/orva7100ctl/orva7100ctl"
T=$E2E_TITLE
# Ids of the main window, the two pages (their own ids are their template ids) and controls.
kPageMouse=1000 kPageColour=1002 kApply=1042 kMousePage=129 kColourPage=131
kSlots=(1012 1021 1022 1023 1024 1025 1026)
kRate125=1028 kRate250=1027 kRate500=1029 kRate1000=1030
kWheelLines=1039 kWheelPage=1038 kScrollSpeed=1015 kAcceleration=1016 kAccelerationOn=1040
kLedOn=1027 kLedOff=1028 kLedSelect=1029 kZoneWheel=1030 kZoneDpiIndicator=1031
kZoneDpiButtons=1032 kZoneLogo=1033 kPalette21=1044 kColourTip=1063
# Pop-up: OK, Cancel and the key text; OK and Cancel by their place in the dialog.
kPopupKey=1079

data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100

start_mouse
start_configurator
wait_until 30 window_visible "$T" || { fail "the main window did not show"; e2e_finish; }

json() { python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print($2)" "$1"; }


slot_text() { ctl_value "$T" "${kSlots[$1]}" text $kMousePage; }
# choose SLOT ITEM_INDEX [SUB_INDEX]: the slot's menu, an item of the top level (8 items), or
# with SUB_INDEX an item of the sub-menu of "Default Commands" (7 items).
choose() {
    click_ctl "$T" "${kSlots[$1]}" $kMousePage
    wait_until 5 menu_count 1 || { fail "slot $(($1 + 1)): the menu did not open"; return 1; }
    if [ $# -ge 3 ]; then
        hover_item 0 "$2" 8 && wait_until 5 menu_count 2 || {
            fail "slot $(($1 + 1)): no sub-menu"
            return 1
        }
        shot "menu-slot$(($1 + 1))-default-commands"
        click_item 1 "$3" 7
    else
        click_item 0 "$2" 8
    fi
}

# The topmost dialog other than the main window: sets pop (hwnd), px py pw ph and ptitle.
popup_open() {
    local line
    line=$(probe top-dialog) || return 1
    read -r pop px py pw ph ptitle <<<"$line"
    [ "${ptitle:-}" != "$T" ] && [ -n "$pop" ]
}
popup_gone() { ! popup_open; }
# click_popup X Y: a click at client coordinates of the open pop-up.
click_popup() { point_at $((px + $1)) $((py + $2)) && xdotool click 1; }
popup_key_text() { ctl_value "$ptitle" $kPopupKey text; }

wait_until 10 ctl_is "$T" "${kSlots[0]}" visible 1 $kMousePage || fail "the mouse page is not shown"
shot mouse-page-initial "$T"

# ---- functions through the menus -----------------------------------------------------------------
choose 2 0 4 && wait_until 5 eval '[ "$(slot_text 2)" = Back ]' ||
    fail "slot 3 shows '$(slot_text 2)', not Back"
choose 3 3 && wait_until 5 eval '[ "$(slot_text 3)" = "Scroll up" ]' ||
    fail "slot 4 shows '$(slot_text 3)', not Scroll up"
choose 5 7 && wait_until 5 eval '[ "$(slot_text 5)" = "Disable Button" ]' ||
    fail "slot 6 shows '$(slot_text 5)', not Disable Button"
wait_until 5 menu_count 0 || fail "a menu stayed open"

# ---- the left-click guard -----------------------------------------------------------------------
choose 0 0 1
if wait_until 5 popup_open; then
    # The menu closed before the warning opened.
    menu_count 0 || fail "a menu stays drawn over the warning"
    shot popup-left-click-warning "$ptitle"
    click_popup 345 162
    wait_until 5 popup_gone || fail "the warning did not close on OK"
else
    fail "no warning when the only left click was to be reassigned"
fi
[ "$(slot_text 0)" = "Left Click" ] || fail "slot 1 lost its left click: '$(slot_text 0)'"

# ---- a single key -------------------------------------------------------------------------------
# OK before any key assigns the key code 0: an empty caption.
choose 6 5
if wait_until 5 popup_open; then
    click_popup 284 162
    wait_until 5 popup_gone || fail "the key pop-up did not close on OK before a key"
    wait_until 5 eval '[ -z "$(slot_text 6)" ]' || fail "OK before a key: slot 7 shows '$(slot_text 6)'"
else
    fail "no key pop-up"
fi
choose 6 5
if wait_until 5 popup_open; then
    focus_window "$ptitle"
    press_keys a b
    wait_until 5 eval '[ "$(popup_key_text)" = B ]' || fail "the pop-up shows '$(popup_key_text)' after A, B"
    press_keys Return Escape space
    wait_until 5 eval '[ "$(popup_key_text)" = SPACE ]' ||
        fail "Enter, Escape, Space: the pop-up shows '$(popup_key_text)'"
    popup_open || fail "Enter, Escape or Space closed the pop-up"
    press_keys b
    wait_until 5 eval '[ "$(popup_key_text)" = B ]' || fail "B was not captured again"
    shot popup-single-key "$ptitle"
    click_popup 284 162
    wait_until 5 popup_gone || fail "the key pop-up did not close on OK"
else
    fail "no key pop-up"
fi
wait_until 5 eval '[ "$(slot_text 6)" = B ]' || fail "slot 7 shows '$(slot_text 6)', not B"
# Cancel keeps the key.
choose 6 5
if wait_until 5 popup_open; then
    focus_window "$ptitle"
    press_keys c
    wait_until 5 eval '[ "$(popup_key_text)" = C ]' || fail "C was not captured"
    click_popup 345 162
    wait_until 5 popup_gone || fail "the key pop-up did not close on Cancel"
fi
[ "$(slot_text 6)" = B ] || fail "Cancel changed slot 7 to '$(slot_text 6)'"

# ---- report rate ----------------------------------------------------------------------------------
click_ctl "$T" $kRate250 $kMousePage
wait_until 5 ctl_is "$T" $kRate250 check 1 $kMousePage || fail "250 Hz is not checked"
# rates: the checked boxes, in the order 125 250 500 1000.
rates() {
    local id
    for id in $kRate125 $kRate250 $kRate500 $kRate1000; do
        ctl_value "$T" $id check $kMousePage
    done | tr -d '\n'
}
[ "$(rates)" = 0100 ] || fail "rate boxes $(rates) after 250 Hz"

# ---- wheel mode and acceleration: their boxes enable and disable the sliders --------------------
mouse_pos() { ctl_value "$T" "$1" pos $kMousePage; }
# slider_click ID left|right: a click near one end of a slider's track.
slider_click() {
    local x y w
    read -r x y <<<"$(probe screenpos "$T" "$1" $kMousePage)" || return 1
    w=$(ctl_value "$T" "$1" rect $kMousePage | cut -d, -f3)
    [ "$2" = right ] && x=$((x + w / 2 - 3)) || x=$((x - w / 2 + 3))
    point_at "$x" "$y" && xdotool click 1
}
# Input reaches the window in order: once a later click has taken effect, so has every earlier
# one. A click on the box that is already checked leaves it checked and the others clear; a
# click on "page" checks it alone and the Scroll Speed slider ignores clicks.
click_ctl "$T" $kRate250 $kMousePage
scroll_before=$(mouse_pos $kScrollSpeed)
click_ctl "$T" $kWheelPage $kMousePage
slider_click $kScrollSpeed right
click_ctl "$T" $kRate500 $kMousePage
wait_until 5 ctl_is "$T" $kRate500 check 1 $kMousePage || fail "500 Hz is not checked"
[ "$(rates)" = 0010 ] || fail "rate boxes $(rates) after 250 Hz twice and 500 Hz"
ctl_is "$T" $kWheelPage check 1 $kMousePage && ctl_is "$T" $kWheelLines check 0 $kMousePage ||
    fail "page does not stand alone: Speed $(ctl_value "$T" $kWheelLines check $kMousePage)"
[ "$(mouse_pos $kScrollSpeed)" = "$scroll_before" ] ||
    fail "the Scroll Speed slider moved to $(mouse_pos $kScrollSpeed) with page checked"
shot mouse-page-wheel-page "$T"
# "Speed" enables it again, and it keeps its position.
click_ctl "$T" $kWheelLines $kMousePage
wait_until 5 ctl_is "$T" $kWheelLines check 1 $kMousePage || fail "Speed is not checked"
ctl_is "$T" $kWheelPage check 0 $kMousePage || fail "page stays checked beside Speed"
slider_click $kScrollSpeed right
wait_until 5 eval '[ "$(mouse_pos $kScrollSpeed)" = 6 ]' ||
    fail "the Scroll Speed slider did not follow a click with Speed checked: $(mouse_pos $kScrollSpeed)"

# The Point Acceleration slider follows clicks only while "Enable" is checked.
accel_before=$(mouse_pos $kAcceleration)
slider_click $kAcceleration right
click_ctl "$T" $kAccelerationOn $kMousePage
wait_until 5 ctl_is "$T" $kAccelerationOn check 1 $kMousePage || fail "Enable is not checked"
[ "$(mouse_pos $kAcceleration)" = "$accel_before" ] ||
    fail "the disabled acceleration slider moved to $(mouse_pos $kAcceleration)"
slider_click $kAcceleration right
wait_until 5 eval '[ "$(mouse_pos $kAcceleration)" = 2 ]' ||
    fail "the enabled acceleration slider stays at $(mouse_pos $kAcceleration)"
click_ctl "$T" $kAccelerationOn $kMousePage
slider_click $kAcceleration left
click_ctl "$T" $kRate250 $kMousePage
wait_until 5 ctl_is "$T" $kRate250 check 1 $kMousePage || fail "250 Hz is not checked again"
ctl_is "$T" $kAccelerationOn check 0 $kMousePage || fail "Enable did not clear"
[ "$(mouse_pos $kAcceleration)" = 2 ] ||
    fail "the acceleration slider moved to $(mouse_pos $kAcceleration) after Enable was cleared"
shot mouse-page-edited "$T"

# ---- Apply ------------------------------------------------------------------------------------------
profile_field() {
    "$ctl" profile show "$data/Profiles/Default1.profile" >"$E2E_WORK/profile.json" 2>/dev/null &&
        json "$E2E_WORK/profile.json" "$1"
}
buttons() { profile_field "' '.join('%d/%d' % (b['function'], b['value']) for b in d['buttons'])"; }
expected_buttons="0/0 1/0 4/0 11/0 4/0 15/0 13/66"
click_ctl "$T" $kApply
wait_until 15 eval '[ "$(buttons)" = "$expected_buttons" ]' ||
    fail "buttons saved as '$(buttons)', not '$expected_buttons'"
[ "$(profile_field "d['reportRate']")" = 3 ] || fail "report rate saved as $(profile_field "d['reportRate']")"
wait_until 15 slots_match "$data/Profiles" || fail "the mouse's slot images differ from the saved profiles"
# Read back from the mouse itself: the functions and the key's usage (B is usage 5).
mouse_slot() {
    "$ctl" image show "$E2E_MOUSE_STATE/slot0.bin" >"$E2E_WORK/slot.json" 2>/dev/null &&
        json "$E2E_WORK/slot.json" "$1"
}
slot_buttons="$(mouse_slot "' '.join('%d/%d' % (b['function'], b['keyUsage']) for b in d['buttons'])")"
[ "$slot_buttons" = "0/0 1/0 4/0 11/0 4/0 15/0 13/5" ] || fail "the mouse's slot holds $slot_buttons"

# ---- colour page ----------------------------------------------------------------------------------
click_ctl "$T" $kPageColour
wait_until 10 ctl_is "$T" $kLedSelect visible 1 $kColourPage || fail "the colour page did not show"
click_ctl "$T" $kLedSelect $kColourPage
wait_until 5 ctl_is "$T" $kZoneWheel enabled 1 $kColourPage || fail "the zones stay disabled"
click_ctl "$T" $kZoneWheel $kColourPage
click_ctl "$T" $kZoneLogo $kColourPage
click_ctl "$T" $kPalette21 $kColourPage
wait_until 5 ctl_is "$T" $kColourTip text 255.154.0 $kColourPage ||
    fail "the colour tip shows '$(ctl_value "$T" $kColourTip text $kColourPage)'"
wait_until 5 ctl_is "$T" $kZoneLogo check 1 $kColourPage || fail "LogoType is not checked"
# zones KEY: the enabled or check answers of the four zone boxes in order.
zones() {
    local id
    for id in $kZoneWheel $kZoneDpiIndicator $kZoneDpiButtons $kZoneLogo; do
        ctl_value "$T" $id "$1" $kColourPage
    done | tr -d '\n'
}
# "OFF" and "ON" disable the zone boxes, which keep their checks and ignore clicks; "Select"
# gives them back as they were.
click_ctl "$T" $kLedOff $kColourPage
wait_until 5 eval '[ "$(zones enabled)" = 0000 ]' || fail "OFF leaves the zone boxes $(zones enabled)"
ctl_is "$T" $kLedSelect check 0 $kColourPage || fail "Select stays selected beside OFF"
click_ctl "$T" $kZoneDpiIndicator $kColourPage
click_ctl "$T" $kLedOn $kColourPage
wait_until 5 ctl_is "$T" $kLedOn check 1 $kColourPage || fail "ON is not selected"
ctl_is "$T" $kLedOff check 0 $kColourPage || fail "OFF stays selected beside ON"
[ "$(zones enabled)" = 0000 ] || fail "ON leaves the zone boxes $(zones enabled)"
[ "$(zones check)" = 1001 ] || fail "zone boxes checked $(zones check) under OFF and ON"
shot colour-page-on "$T"
click_ctl "$T" $kLedSelect $kColourPage
wait_until 5 eval '[ "$(zones enabled)" = 1111 ]' || fail "Select leaves the zone boxes $(zones enabled)"
[ "$(zones check)" = 1001 ] || fail "zone boxes checked $(zones check) after Select again"
shot colour-page "$T"
led() { profile_field "'%d/%d' % (d['ledMode'], d['ledColour'])"; }
click_ctl "$T" $kApply
wait_until 15 eval '[ "$(led)" = 25/39679 ]' || fail "LED mode/colour saved as $(led), not 25/39679"
wait_until 15 slots_match "$data/Profiles" || fail "the mouse's slot images differ after the colour change"
slot_led="$(mouse_slot "'%d/%d' % (d['ledMode'], d['ledColour'])")"
[ "$slot_led" = 25/39679 ] || fail "the mouse's slot holds LED mode/colour $slot_led"

e2e_finish
