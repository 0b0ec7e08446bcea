#!/usr/bin/env bash
# The probe and the end-to-end library against the control gallery: every kind of skinned
# control read from another process by id, before and after real clicks.
# usage: probe_e2e.sh DIST_DIR PROBE_EXE GALLERY_EXE DEFAULT_NATIVE_BUILD
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin probe "$1" "$2" "$4"
gallery_exe=$3

kPage="ORVA Gallery"
kSensor="ORVA Gallery Sensor"
kPlain="ORVA Gallery Plain"

cp "$gallery_exe" "$E2E_WORK/gallery.exe"
mkdir -p "$E2E_WORK/out"
start_program "$E2E_WORK/gallery.exe" "$(winepath -w "$E2E_WORK/out" 2>/dev/null)" \
    "$E2E_INSTALL_WIN\\Skins" pages
gallery_pid=$E2E_LAST_PID
# The gallery writes its listing once every window is filled in and drawn; a window may show
# before its controls hold their states.
wait_until 60 test -f "$E2E_WORK/out/gallery-controls.txt" && window_visible "$kPlain" ||
    { fail "the gallery did not come up"; e2e_finish; }

# find: the handle and the screen rectangle.
read -r hwnd x y w h <<<"$(probe find "$kPage")"
[ "$x $y $w $h" = "0 0 777 337" ] || fail "find gave '$hwnd $x $y $w $h'"
probe find "No such window" >/dev/null && fail "find found a window that does not exist"

# list: every control with its kind and answers.
listing=$(probe list "$kPage")
grep -q '^id=1014 parent=0 class=Static kind=slider rect=553,62,181,25 visible=1 enabled=1 pos=800 range=200..1400 text=$' \
    <<<"$listing" || fail "the double-click slider is not listed as expected"
grep -q '^id=1030 .*kind=button .*check=1 ' <<<"$listing" || fail "the checked rate box reads unchecked"
grep -q '^id=1040 .*enabled=0 ' <<<"$listing" || fail "the disabled box reads enabled"
[ "$(ctl_value "$kPage" 1012 text)" = "Left Click" ] || fail "the slot button's text is not its choice"

# Real clicks, read back.
ctl_is "$kPage" 1028 check 0 || fail "the 125 Hz box starts checked"
click_ctl "$kPage" 1028
wait_until 5 ctl_is "$kPage" 1028 check 1 || fail "a click did not check the 125 Hz box"
ctl_is "$kPage" 1015 pos 3 || fail "the scroll speed slider does not start at 3"
# Near the right end of the scroll speed slider (563, 152, 180 x 25): the maximum, 6.
click_at "$kPage" $((563 + 178)) $((152 + 8))
wait_until 5 ctl_is "$kPage" 1015 pos 6 || fail "a click did not move the slider to 6"
shot page "$kPage"

progress=$(probe ctl "$kSensor" 1026)
grep -qx 'pos=6' <<<"$progress" && grep -qx 'range=0..10' <<<"$progress" ||
    fail "the quality gauge reads '$progress'"

ctl_is "$kPlain" 1069 count 14 || fail "the macro list does not hold 14 entries"
ctl_is "$kPlain" 1069 cursel 13 || fail "the last added macro is not the selected one"
[ "$(probe lbtext "$kPlain" 1069 2)" = "Macro 3" ] || fail "row 2 does not read 'Macro 3'"
probe lbtext "$kPlain" 1069 14 >/dev/null && fail "a row past the end was read"
# The list (10, 45) shows 14 rows of 18 pixels scrolled up by 37: row 5 is at y 58 .. 76.
click_at "$kPlain" 50 $((45 + 67))
wait_until 5 ctl_is "$kPlain" 1069 cursel 5 || fail "a click did not select row 5"
[ "$(probe lbtext "$kPlain" 1069 5)" = "Macro 6" ] || fail "row 5 does not read 'Macro 6'"
shot plain "$kPlain"

# The gallery ends when asked; close posts WM_CLOSE to a window that exists.
probe close "No such window" && fail "close reported success for no window"
touch "$E2E_WORK/out/quit"
wait_until 20 program_ended "$gallery_pid" || fail "the gallery did not end"
e2e_finish
