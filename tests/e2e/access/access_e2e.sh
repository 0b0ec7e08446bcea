#!/usr/bin/env bash
# ORVA7100.exe with keys alone and through a screen reader's eyes, end to end under Wine and Xvfb
# against the virtual mouse, one program start a case:
#   keyboard  from the start, with no pointer: a window used so far without keys shows no focus
#             mark; Tab and Shift+Tab go round the window and the shown page in reading order and
#             the control with the focus shows the mark; Tab to "Lighting", Space, Tab to
#             "Zones", Space, Tab to a zone box, Space, Tab to Apply, Space: the profile file and
#             the mouse hold the zone
#   controls  with keys alone: on the mouse page the arrows, Home and End move a slider,
#             Alt+Down, Right, Down and Enter choose a function in a slot's menu and its sub-menu;
#             readers hear each move of the focus; Tab to Apply, Space: the mouse holds the
#             slider's value and the slot's function
#   names     with keys alone: F4 and Escape open and close a profile's menu, Alt+Down, Down, Up
#             and Enter rename the profile; New macro, a name and Enter twice, and Up in the list;
#             readers hear the focus go to the list's item
#   reader    an accessibility client in another process reads the role, name, state, value and
#             default action of every control of the window and of each page (the pages shown by
#             their tabs' default actions, a zone checked through its own), the items of a
#             profile's menu, checks a rate through its default action and presses Apply through
#             its own: the profile files and the mouse's slot images hold what the reader set
# Screenshots of the focus mark go to $ORVA_ARTIFACTS.
# usage: access_e2e.sh keyboard|controls|names|reader DIST_DIR PROBE_EXE ACCESS_CLIENT_EXE [NATIVE_BUILD]
set -u
case_name=$1
shift
case $case_name in
    keyboard | controls | names | reader) ;;
    *) echo "FAIL: no case '$case_name'"; exit 1 ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin "access-$case_name" "$1" "$2" "${4:-}"
if [ ! -f "$3" ]; then
    echo "FAIL: no accessibility client at $3"
    exit 1
fi
cp "$3" "$E2E_WORK/access.exe"
serve_start access "$E2E_WORK/access.exe" "$E2E_WORK" && e2e_pids+=("${serve_pid[access]}")

ctl="$E2E_NATIVE/tools/orva7100ctl/orva7100ctl"
T=$E2E_TITLE
data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100
# Main window ids; the pages answer to their template ids.
kPageMouse=1000 kPageSensor=1001 kPageColour=1002 kPageMacro=1003 kPageSupport=1004
kProfile1=1007 kProfile2=1008 kMenu2=1019 kMenu5=1016 kApply=1042 kVersion=1080
kMousePage=129 kSensorPage=130 kColourPage=131 kMacroPage=132 kSupportPage=133
kSlot3=1022 kRate125=1028 kRate1000=1030 kDoubleClick=1014
kLedSelect=1029 kZoneWheel=1030
kNewMacro=1064 kList=1069 kNameEdit=1071
# MSAA roles and states.
kRoleClient=10 kRolePushButton=43 kRoleCheckBox=44 kRoleRadio=45 kRolePageTab=37
kRoleButtonMenu=57 kRoleSlider=51 kRoleProgress=48 kRoleStatic=41 kRoleList=33
kRoleListItem=34 kRoleMenuItem=12
kSelected=0x2 kFocused=0x4 kChecked=0x10 kHasPopup=0x40000000
# The skin's accent green, in which the focus mark is drawn.
kMarkColour=b3d335

start_mouse
start_configurator
wait_until 30 window_visible "$T" || { fail "the main window did not show"; e2e_finish; }

json() { python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print($2)" "$1"; }

# ---- the accessibility client ----------------------------------------------------------------

acc() { serve_or_run access "$E2E_WORK/access.exe" "$@"; }
# "ID PARENT" of the control with the focus, as its accessible object tells it.
focused() { acc focus "$T"; }
focused_is() { [ "$(focused)" = "$1 $2" ]; }
# tab_once [KEY]: Tab (or KEY) and wait until the focus has moved on.
tab_once() {
    local before
    before=$(focused)
    press_keys "${1:-Tab}"
    wait_until 5 eval '[ "$(focused)" != "$before" ]'
}
# tab_to ID PARENT: Tab until the control has the focus, at most once round the window.
tab_to() {
    local i
    for i in $(seq 1 60); do
        focused_is "$1" "$2" && return 0
        tab_once
    done
    fail "Tab never reached control $1 (page $2)"
    return 1
}
# heard ID PARENT CHILD: readers were told that the focus went there.
heard() { tr -d '\r' <"$E2E_WORK/focus-events.txt" | grep -qx "$1 $2 $3"; }
# fields LINE: the client's tab-separated fields split on a separator that is not white space,
# so that empty fields stay fields.
fields() { tr '\t' '\037' <<<"$1"; }
# What the reader sees of every control now, for read_control and all_named.
snapshot() { acc controls "$T" >"$E2E_WORK/controls.txt"; }
# One line of the last snapshot for control ID on PARENT: sets c_visible c_role c_state c_action
# c_name c_value.
read_control() {
    local line
    line=$(awk -F'\t' -v id="$1" -v p="$2" '$1 == id && $2 == p' "$E2E_WORK/controls.txt")
    [ -n "$line" ] || return 1
    IFS=$'\037' read -r _ _ c_visible c_role c_state c_action c_name c_value <<<"$(fields "$line")"
}
has_state() { (($1 & $2)); }
# expect_control ID PARENT ROLE NAME [ACTION]: the reader sees that role, name and action.
expect_control() {
    if ! read_control "$1" "$2"; then
        fail "no accessible object for control $1 (page $2)"
        return 1
    fi
    [ "$c_role" = "$3" ] && [ "$c_name" = "$4" ] && [ "$c_action" = "${5:-}" ] ||
        fail "control $1 (page $2) reads role $c_role '$c_name' '$c_action', not $3 '$4' '${5:-}'"
}
# Every visible control of the window and of PAGE (0: the window's own) in a new snapshot has
# its own role and a name; prints how many were read.
all_named() {
    snapshot || return 1
    awk -F'\t' -v page="$1" -v client=$kRoleClient '
        $2 == page && $3 == 1 { n++; if ($4 == client || $7 == "") { print "unnamed: " $0; bad = 1 } }
        END { print n " controls"; exit bad }' "$E2E_WORK/controls.txt"
}

# ---- the screen and the files ------------------------------------------------------------------

# mark_shown ID PARENT: the focus mark's first dot, one pixel inside the control's top-left
# corner, is drawn.
mark_shown() {
    local x y w h ox oy pixel parent=$2
    [ "$parent" = 0 ] && parent=""
    read -r x y w h <<<"$(ctl_value "$T" "$1" rect $parent | tr ',' ' ')"
    read -r ox oy <<<"$(probe origin "$T")"
    # The one pixel, cut from the screen as it is taken.
    pixel=$(import -window root -crop "1x1+$((ox + x + 1))+$((oy + y + 1))" +repage -depth 8 \
        -format "%[hex:p{0,0}]" info: 2>/dev/null) || return 1
    [ "${pixel,,}" = $kMarkColour ] || [ "${pixel,,}" = ${kMarkColour}ff ]
}
profile_field() {
    "$ctl" profile show "$data/Profiles/Default1.profile" >"$E2E_WORK/profile.json" 2>/dev/null &&
        json "$E2E_WORK/profile.json" "$1"
}
mouse_slot() {
    "$ctl" image show "$E2E_MOUSE_STATE/slot0.bin" >"$E2E_WORK/slot.json" 2>/dev/null &&
        json "$E2E_WORK/slot.json" "$1"
}
# Every slot image of the mouse equals the image of its saved profile file.
slots_match() {
    local k
    for k in 0 1 2 3 4; do
        "$ctl" profile image "$data/Profiles/Default$((k + 1)).profile" --firmware 109 --raw \
            >"$E2E_WORK/expected$k.bin" 2>/dev/null || return 1
        cmp -s "$E2E_WORK/expected$k.bin" "$E2E_MOUSE_STATE/slot$k.bin" || return 1
    done
}
menu_open() { acc menu >/dev/null; }
menu_closed() { ! xdotool search --onlyvisible --name '^menu$' >/dev/null 2>&1; }

# ---- keyboard, from the start --------------------------------------------------------------------
keyboard_case() {

focus_window "$T" || fail "the main window did not take the X focus"
read -r start_id start_parent <<<"$(focused)"
if [ -n "${start_parent:-}" ] && mark_shown "$start_id" "$start_parent"; then
    fail "a focus mark shows before any key was pressed"
fi

# Once round in reading order: the tabs, the profile row, the page's controls group by group
# (the disabled acceleration slider left out), the buttons along the bottom, the title bar's.
expected="1000/0 1001/0 1002/0 1003/0 1004/0 1020/0 1007/0 1019/0 1008/0 1018/0 1009/0 1017/0"
expected+=" 1010/0 1016/0 1011/0 1012/129 1021/129 1022/129 1023/129 1024/129 1025/129"
expected+=" 1026/129 1028/129 1027/129 1029/129 1030/129 1014/129 1039/129 1038/129 1015/129"
expected+=" 1040/129 1031/0 1041/0 1042/0 1044/0 1005/0 1006/0"
tab_to $kPageMouse 0
order="1000/0"
for _ in $(seq 2 "$(wc -w <<<"$expected")"); do
    tab_once
    order+=" $(focused | tr ' ' /)"
done
[ "$order" = "$expected" ] || fail "Tab went round as '$order'"
tab_once
focused_is $kPageMouse 0 || fail "Tab after the last control did not come back to the first"
tab_once shift+Tab
focused_is 1006 0 || fail "Shift+Tab from the first control went to '$(focused)'"
tab_once
wait_until 5 mark_shown $kPageMouse 0 || fail "the focused page tab shows no focus mark"
shot focus-mark-tab "$T"

# Lighting: Space on the tab, the zone choice and one zone, then Space on Apply.
tab_to $kPageColour 0
press_keys space
wait_until 5 ctl_is "$T" $kLedSelect visible 1 $kColourPage || fail "Space did not show Lighting"
tab_to $kLedSelect $kColourPage
press_keys space
wait_until 5 ctl_is "$T" $kZoneWheel enabled 1 $kColourPage || fail "Space did not choose Zones"
tab_to $kZoneWheel $kColourPage
wait_until 5 mark_shown $kZoneWheel $kColourPage || fail "the focused zone box shows no mark"
shot focus-mark-box "$T"
press_keys space
wait_until 5 ctl_is "$T" $kZoneWheel check 1 $kColourPage || fail "Space did not check the zone"
tab_to $kApply 0
press_keys space
wait_until 15 eval '[ "$(profile_field "d[\"ledMode\"]")" = 17 ]' ||
    fail "the profile saved LED mode $(profile_field "d['ledMode']"), not 17 (zones, scroll wheel)"
wait_until 15 eval '[ "$(mouse_slot "d[\"ledMode\"]")" = 17 ]' ||
    fail "the mouse holds LED mode $(mouse_slot "d['ledMode']"), not 17"

}

# ---- keyboard: sliders, menus, names and lists ---------------------------------------------------
# Readers hear the focus move: watched for as long as the case may run (its time limit); the
# watch ends with the case.
watch_focus() {
    focus_window "$T" || fail "the main window did not take the X focus"
    wine "$E2E_WORK/access.exe" watch-focus 240 >"$E2E_WORK/focus-events.txt" 2>/dev/null &
    e2e_pids+=($!)
    wait_until 10 grep -q watching "$E2E_WORK/focus-events.txt" || fail "the focus watch did not start"
}

controls_case() {
watch_focus
tab_to $kPageMouse 0
press_keys space
wait_until 5 ctl_is "$T" $kDoubleClick visible 1 $kMousePage || fail "Space did not show Buttons"

# A slider: one step with an arrow, its ends with Home and End.
tab_to $kDoubleClick $kMousePage
wait_until 5 heard $kDoubleClick $kMousePage 0 || fail "no focus event for the slider"
start_pos=$(ctl_value "$T" $kDoubleClick pos $kMousePage)
press_keys Right
wait_until 5 ctl_is "$T" $kDoubleClick pos $((start_pos / 200 * 200 + 200)) $kMousePage ||
    fail "Right moved the slider from $start_pos to $(ctl_value "$T" $kDoubleClick pos $kMousePage)"
press_keys Home
wait_until 5 ctl_is "$T" $kDoubleClick pos 200 $kMousePage || fail "Home did not reach 200"
press_keys End Left
wait_until 5 ctl_is "$T" $kDoubleClick pos 1200 $kMousePage || fail "End, Left did not give 1200"
snapshot && read_control $kDoubleClick $kMousePage && [ "$c_value" = 1200 ] ||
    fail "the reader reads the slider as '$c_value'"

# A slot's menu: the first item lit, Right into "Default Commands", the fifth of its items.
tab_to $kSlot3 $kMousePage
press_keys alt+Down
wait_until 5 menu_open || fail "Alt+Down did not open the slot's menu"
first=$(acc menu | head -n 1)
IFS=$'\037' read -r m_role m_state _ m_name <<<"$(fields "$first")"
[ "$m_role" = $kRoleMenuItem ] && has_state "$m_state" $kFocused && [ "$m_name" = "Default Commands" ] ||
    fail "the menu's first item reads '$first'"
press_keys Right Down Down Down Down
shot keyboard-submenu
press_keys Return
wait_until 5 eval '[ "$(ctl_value "$T" $kSlot3 text $kMousePage)" = Back ]' ||
    fail "slot 3 shows '$(ctl_value "$T" $kSlot3 text $kMousePage)', not Back"
wait_until 5 menu_closed || fail "Enter left the menu open"

# Apply from the keyboard: the mouse holds the slider's value and the slot's function.
tab_to $kApply 0
press_keys space
wait_until 15 eval '[ "$(profile_field "d[\"doubleClickValue\"]")" = 1200 ]' ||
    fail "the slider's keys saved double-click value $(profile_field "d['doubleClickValue']")"
wait_until 15 slots_match || fail "the mouse's slot images differ from the saved profiles"
}

names_case() {
watch_focus
# A profile's menu: F4 and Escape; Alt+Down, Down, Up, Enter is "Rename".
tab_to $kMenu2 0
press_keys F4
wait_until 5 menu_open || fail "F4 did not open the profile's menu"
press_keys Escape
wait_until 5 menu_closed || fail "Escape did not close the profile's menu"
press_keys alt+Down
wait_until 5 menu_open || fail "Alt+Down did not open the profile's menu"
press_keys Down Up Return
wait_until 10 window_visible Rename || fail "Enter on the first item did not open Rename"
focus_window Rename && type_text Keys && press_keys Return
wait_until 5 ctl_is "$T" $kProfile2 text Keys || fail "profile 2 was not renamed from the keyboard"
snapshot && read_control $kProfile2 0 && [ "$c_name" = Keys ] || fail "the reader names profile 2 '$c_name'"

# Two new macros from the keyboard; Up in the list selects the first.
focus_window "$T"
tab_to $kPageMacro 0
press_keys space
wait_until 5 ctl_is "$T" $kNewMacro visible 1 $kMacroPage || fail "Space did not show Macros"
for name in alpha beta; do
    tab_to $kNewMacro $kMacroPage
    press_keys space
    wait_until 5 ctl_is "$T" $kNameEdit visible 1 $kList || fail "Space on New macro: no name box"
    type_text $name
    press_keys Return
    wait_until 5 ctl_is "$T" $kNameEdit visible 0 $kList || fail "Enter left the name box open"
done
wait_until 5 ctl_is "$T" $kList cursel 1 $kMacroPage || fail "the new macro is not selected"
tab_to $kList $kMacroPage
press_keys Up
wait_until 5 ctl_is "$T" $kList cursel 0 $kMacroPage || fail "Up did not select the first macro"
acc items "$T" $kList $kMacroPage >"$E2E_WORK/items.txt"
IFS=$'\037' read -r i_role i_state _ i_name <<<"$(fields "$(head -n 1 "$E2E_WORK/items.txt")")"
[ "$i_role" = $kRoleListItem ] && [ "$i_name" = alpha ] && has_state "$i_state" $((kSelected | kFocused)) ||
    fail "the reader reads the list's first item as '$(head -n 1 "$E2E_WORK/items.txt")'"
[ "$(wc -l <"$E2E_WORK/items.txt")" = 2 ] || fail "the reader counts $(wc -l <"$E2E_WORK/items.txt") macros"
wait_until 5 heard $kList $kMacroPage 1 || fail "no focus event for the list item selected by Up"
}

# ---- the reader --------------------------------------------------------------------------------
reader_case() {
# A zone checked through the reader: Lighting, Zones and the scroll wheel by their actions; then
# the macro page, where the reading starts.
acc do "$T" $kPageColour && wait_until 5 ctl_is "$T" $kLedSelect visible 1 $kColourPage ||
    fail "the default action of Lighting showed no page"
acc do "$T" $kLedSelect $kColourPage && wait_until 5 ctl_is "$T" $kZoneWheel enabled 1 $kColourPage ||
    fail "the default action of Zones did not enable the zones"
acc do "$T" $kZoneWheel $kColourPage && wait_until 5 ctl_is "$T" $kZoneWheel check 1 $kColourPage ||
    fail "the default action of the scroll wheel box did not check it"
acc do "$T" $kPageMacro && wait_until 5 ctl_is "$T" $kNewMacro visible 1 $kMacroPage ||
    fail "the default action of Macros showed no page"

# The window's own controls.
all_named 0 || fail "controls of the main window without role or name: $(grep unnamed "$E2E_WORK/controls.txt")"
expect_control $kApply 0 $kRolePushButton Apply Press
expect_control $kPageMacro 0 $kRolePageTab Macros Switch
has_state "$c_state" $kSelected || fail "the shown page's tab is not selected"
expect_control $kProfile1 0 $kRoleRadio Profile1 Check
has_state "$c_state" $kChecked || fail "the current profile is not checked"
expect_control $kMenu5 0 $kRoleButtonMenu "Profile 5 menu" Open
has_state "$c_state" $kHasPopup || fail "a profile's menu button does not say it has a pop-up"
expect_control $kVersion 0 $kRoleStatic Version
[ "$c_value" = 1.34 ] || fail "the version reads '$c_value'"

# Each page, shown through its tab's default action.
for page in $kPageMouse:$kMousePage $kPageSensor:$kSensorPage $kPageColour:$kColourPage \
    $kPageSupport:$kSupportPage $kPageMacro:$kMacroPage; do
    acc do "$T" "${page%:*}" || fail "no default action on tab ${page%:*}"
    wait_until 5 ctl_is "$T" "${page#*:}" visible 1 || fail "the default action of tab ${page%:*} showed no page"
    all_named "${page#*:}" || fail "controls of page ${page#*:} without role or name: $(grep unnamed "$E2E_WORK/controls.txt")"
done
# Read from the last look: the macro page shown, the others hidden but all there.
expect_control $kRate125 $kMousePage $kRoleRadio "125 Hz" Check
expect_control $kDoubleClick $kMousePage $kRoleSlider "Double-click speed"
expect_control $kSlot3 $kMousePage $kRoleButtonMenu "Button 3" Open
[ "$c_value" = "Scroll Click" ] || fail "button 3's menu button reads the value '$c_value'"
expect_control 1018 $kSensorPage $kRoleCheckBox "Set X and Y separately" Check
expect_control 1026 $kSensorPage $kRoleProgress "Surface quality"
expect_control $kZoneWheel $kColourPage $kRoleCheckBox "Scroll wheel" Uncheck
has_state "$c_state" $kChecked || fail "the reader does not see the zone box checked"
expect_control 1081 $kSupportPage $kRoleStatic "Installed version"
expect_control $kList $kMacroPage $kRoleList Macros

# A profile's menu through the reader: its items, then Escape.
acc do "$T" $kMenu5 || fail "no default action on profile 5's menu button"
wait_until 5 menu_open || fail "the default action did not open profile 5's menu"
[ "$(acc menu | cut -f4 | tr '\n' ,)" = "Rename,Save current settings,Export Profile,Import Profile," ] ||
    fail "the reader reads profile 5's menu as '$(acc menu | cut -f4 | tr '\n' ,)'"
focus_window "$T" && press_keys Escape
wait_until 5 menu_closed || fail "Escape did not close the menu opened by the reader"

# A rate and Apply through their default actions.
acc do "$T" $kPageMouse && wait_until 5 ctl_is "$T" $kRate125 visible 1 $kMousePage
acc do "$T" $kRate125 $kMousePage || fail "no default action on 125 Hz"
wait_until 5 ctl_is "$T" $kRate125 check 1 $kMousePage || fail "the default action did not check 125 Hz"
ctl_is "$T" $kRate1000 check 0 $kMousePage || fail "1000 Hz stayed checked beside 125 Hz"
acc do "$T" $kApply || fail "no default action on Apply"
wait_until 15 eval '[ "$(profile_field "d[\"reportRate\"]")" = 5 ]' ||
    fail "Apply through the reader saved report rate $(profile_field "d['reportRate']"), not 5"
[ "$(profile_field "d['ledMode']")" = 17 ] ||
    fail "the zone checked through the reader saved LED mode $(profile_field "d['ledMode']")"
wait_until 15 slots_match || fail "the mouse's slot images differ from the saved profiles"
}

"${case_name}_case"

e2e_finish
