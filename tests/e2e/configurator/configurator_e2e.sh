#!/usr/bin/env bash
# ORVA7100.exe end to end under Wine and Xvfb against the virtual mouse, with real clicks and
# keys through xdotool and the probe reading the controls. One program start per case (plus the
# second starts the case is about):
#   shell     temporaries of killed saves removed at start, pages (the button of the page shown
#             changing nothing), a profile switch collecting the page's edit into the profile
#             left, the poll following the mouse's profile button (and the Windows settings of
#             that profile in the prefix's registry), a replug on the same index, a closing menu
#             bringing the window above another program's, minimise and restore, dragging by
#             the background,
#             Cancel keeping an edit, a second start while hidden and while shown, OK applying
#             and hiding, the tray's double click, its menu opened twice with "Config Mouse" and
#             "Exit" saving the macros
#   apply     Apply with profile 3 current equals orva7100ctl's apply of the same five files;
#             Apply without the mouse, with an acknowledge missing in profile 2, and while a
#             process named Updater.exe runs; the end of the Windows session saving the macros
#   profiles  rename (OK, Escape, Cancel), export to a name without extension, import into
#             another slot, "Save current settings" taking the page's edit, an import of a file
#             that is no profile, Reset to Default (cancel, then confirm), rename (Close, and OK
#             on the empty field)
#   data      five generated profiles (X and Y set separately and different in every step of
#             every slot, the other fields drawn across their ranges; ORVA_E2E_SEED repeats a
#             run) survive start, every page, every profile current, a switch on the mouse and
#             Apply byte for byte, in the files and in the mouse
#   guards    a profile switched on the mouse while a dialog is open waits for the dialog; a
#             macro folder that cannot be written is reported at "Exit"
#   silent    a mouse that never answers in time: the window answers every message within half
#             a second, Apply still reports the failure; messages any program can post with any
#             numbers do no harm
# Screenshots of the window and of each dialog go to $ORVA_ARTIFACTS.
# usage: configurator_e2e.sh CASE DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
case_name=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin "configurator-$case_name" "$1" "$2" "${3:-}"

ctl="$E2E_NATIVE/tools/orva7100ctl/orva7100ctl"
T=$E2E_TITLE
kMessageTitle="ORVA 7100"
kMessageText=65535
# Main window ids.
kPageMouse=1000 kPageSensor=1001 kPageMacro=1003
kProfile1=1007 kProfile2=1008 kProfile3=1009 kProfile4=1010 kProfile5=1011
kMenu1=1020 kMenu2=1019 kMenu3=1018 kMenu4=1017 kMenu5=1016
kReset=1031 kOk=1041 kApply=1042 kCancel=1044 kMinimise=1005
# Pages answer to their template ids.
kMousePage=129 kSensorPage=130 kMacroPage=132
kRate500=1029 kRate1000=1030 kSlot4=1023
# Rename dialog and pop-up.
kRenameOk=1072 kRenameCancel=1073 kRenameClose=1074 kPopupOk=1076 kPopupCancel=1077
# Items of a profile menu.
kRename=0 kSave=1 kExport=2 kImport=3

data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100
profiles=$data/Profiles
out=$WINEPREFIX/drive_c/out
mkdir -p "$out" "$E2E_INSTALL/Profiles"

# ---- helpers -------------------------------------------------------------------------------

json() { python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print($2)" "$1"; }
# profile_field FILE EXPRESSION: a field of a profile file, through orva7100ctl.
profile_field() {
    "$ctl" profile show "$1" >"$E2E_WORK/profile.json" 2>/dev/null || return 1
    json "$E2E_WORK/profile.json" "$2"
}
# write_profile FILE PYTHON: a default profile changed by PYTHON statements on `d`.
write_profile() {
    "$ctl" profile new -o "$E2E_WORK/new.profile" >/dev/null &&
        "$ctl" profile show "$E2E_WORK/new.profile" >"$E2E_WORK/new.json" &&
        python3 -c "import json,sys
d=json.load(open(sys.argv[1]))
$2
json.dump(d,open(sys.argv[1],'w'))" "$E2E_WORK/new.json" &&
        mkdir -p "$(dirname "$1")" && "$ctl" profile build "$E2E_WORK/new.json" -o "$1" >/dev/null
}

latched() { ctl_is "$T" "$1" check 1; }
caption_is() { ctl_is "$T" "$1" text "$2" ${3:+"$3"}; }
page_shown() { ctl_is "$T" "$1" visible 1; }
window_hidden() { window_exists "$T" && ! window_visible "$T"; }

# profile_menu BUTTON ITEM: opens a profile's menu and chooses one of its four items. The first
# click on a window that is not yet active may only activate it: click again if no menu shows.
profile_menu() {
    click_ctl "$T" "$1"
    wait_until 2 menu_open || { click_ctl "$T" "$1" && wait_until 5 menu_open; } || return 1
    click_menu_item "$2" 4
}

# The topmost dialog: dlg_hwnd dlg_x dlg_y dlg_w dlg_h dlg_title.
read_top_dialog() {
    local line
    line=$(probe top-dialog) || return 1
    read -r dlg_hwnd dlg_x dlg_y dlg_w dlg_h dlg_title <<<"$line"
}
top_dialog_is() { read_top_dialog && [ "$dlg_title" = "$1" ]; }
# expect_message TEXT SHOT: a message box with exactly TEXT; pressed OK.
expect_message() {
    if ! wait_until 15 top_dialog_is "$kMessageTitle"; then
        fail "no message box '$1'"
        return 1
    fi
    local text
    text=$(ctl_value "$kMessageTitle" $kMessageText text)
    [ "$text" = "$1" ] || fail "message '$text', expected '$1'"
    shot "$2" "$kMessageTitle"
    click_ctl "$kMessageTitle" 1
    wait_until 5 window_gone "$kMessageTitle" || fail "the message box '$1' did not close"
}
# expect_message_start TEXT SHOT: the same for a message that begins with TEXT.
expect_message_start() {
    wait_until 15 top_dialog_is "$kMessageTitle" || {
        fail "no message box '$1...'"
        return 1
    }
    local text
    text=$(ctl_value "$kMessageTitle" $kMessageText text)
    [ "${text#"$1"}" != "$text" ] || fail "message '$text', expected '$1...'"
    shot "$2" "$kMessageTitle"
    click_ctl "$kMessageTitle" 1
    wait_until 5 window_gone "$kMessageTitle" || fail "the message box '$1' did not close"
}
# type_into TITLE TEXT: the dialog gets the X focus, its field is cleared and TEXT typed, Return.
type_into() {
    focus_window "$1" || return 1
    press_keys End Home shift+End BackSpace
    type_text "$2"
    press_keys Return
}

# click_popup ID: OK or Cancel of the reset pop-up, by id when the pop-up has a title to find it
# by, else at its place in the pop-up's layout.
click_popup() {
    read_top_dialog || return 1
    if [ -n "${dlg_title:-}" ] && click_ctl "$dlg_title" "$1" 2>/dev/null; then
        return 0
    fi
    local x=345
    [ "$1" = "$kPopupOk" ] && x=284
    point_at $((dlg_x + x)) $((dlg_y + 162)) && xdotool click 1
}

lines() { wc -l <"$E2E_TRANSCRIPT" 2>/dev/null || echo 0; }
# since N PATTERN: transcript lines after line N that start with PATTERN.
since() { tail -n +$(($1 + 1)) "$E2E_TRANSCRIPT" | grep -c "^$2" || true; }
# The configurator's Apply as steps, from line N on: "select S", "image S" (one per header).
apply_steps() {
    tail -n +$(($1 + 1)) "$E2E_TRANSCRIPT" | python3 -c '
import sys
operand = False
for line in sys.stdin:
    if not line.startswith("SET "):
        continue
    b = line[4:].strip()
    if operand:
        print("select", int(b[2:4], 16)); operand = False
    elif b.startswith("0302"):
        operand = True
    elif b.startswith("0300") and b[4:6] != "00":
        print("image", int(b[10:12], 16))
' | tr '\n' ',' | sed 's/,$//'
}
# selects_since N COUNT: COUNT selects after line N, each with its operand: the select's header
# reaches the transcript before its operand, so counting headers alone ends the wait too early.
selects_since() { [ "$(apply_steps "$1" | tr ',' '\n' | grep -c '^select')" -ge "$2" ]; }

reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $3 }'
}
reg_is() { [ "$(reg_value "$1" "$2")" = "$3" ]; }

# ctl_apply DIR CURRENT FILES...: orva7100ctl's apply of FILES to a fresh virtual mouse whose
# transcript and state folder go to DIR.
ctl_apply() {
    local dir=$1 current=$2
    shift 2
    mkdir -p "$dir"
    "$E2E_NATIVE/virtual-mouse/orva-virtual-mouse" --listen 127.0.0.1:0 \
        --transcript "$dir/transcript.txt" --state-dir "$dir/state" --quiet >"$dir/mouse.out" 2>&1 &
    local pid=$!
    wait_until 10 grep -q "^listening on " "$dir/mouse.out"
    "$ctl" --device "virtual:$(sed -n 's/^listening on //p' "$dir/mouse.out")" device \
        apply "$@" --current "$current" --firmware 109 >/dev/null
    local status=$?
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return $status
}

start_and_wait() {
    start_configurator
    wait_until 30 window_visible "$T" || {
        fail "the main window did not show"
        e2e_finish
    }
}

# ---- cases ---------------------------------------------------------------------------------

case_shell() {
    # Profile 2 has settings of its own, so the registry tells which profile was applied.
    write_profile "$profiles/Default2.profile" "d['name']='Second'; d['index']=1
d['doubleClickValue']=800; d['pointerSpeed']=3; d['scrollLines']=5; d['accelerationOn']=1"
    # Saves cut short by a kill leave "<file>.tmp<process>-<n>"; the start removes those whose
    # process is gone (no process has the id 4000000000) and nothing else.
    mkdir -p "$data/Macros"
    local leftovers=("$profiles/Default3.profile.tmp4000000000-0"
        "$data/Macros/macroList.dat.tmp4000000000-7")
    local strangers=("$profiles/Default3.profile.tmp" "$profiles/notes.tmp4000000000"
        "$data/Macros/Keep.macro.tmp4000000000-x")
    local file
    for file in "${leftovers[@]}" "${strangers[@]}"; do
        printf 'left over' >"$file"
    done
    start_mouse
    start_and_wait
    for file in "${leftovers[@]}"; do
        [ -e "$file" ] && fail "the start left $(basename "$file")"
    done
    for file in "${strangers[@]}"; do
        [ -e "$file" ] || fail "the start removed $(basename "$file"), which no save makes"
    done
    # The first poll takes the mouse's active profile (slot 0) and applies its settings.
    wait_until 5 reg_is 'HKCU\Control Panel\Mouse' DoubleClickSpeed 1100 ||
        fail "profile 1's double-click time was not applied: $(reg_value 'HKCU\Control Panel\Mouse' DoubleClickSpeed)"
    wait_until 5 caption_is $kProfile2 Second || fail "profile 2's button does not show its file's name"
    shot main "$T"
    # The version label (280, 6, 40 x 15) shows the header behind its text, not a box: beside
    # the text each of its rows has the colour of the header just right of it.
    local y shown=$ORVA_ARTIFACTS/$E2E_NAME-main.png
    for y in 7 13 19; do
        [ "$(pixel "$shown" 316 $y)" = "$(pixel "$shown" 326 $y)" ] ||
            fail "the version label's row $y is $(pixel "$shown" 316 $y), the header $(pixel "$shown" 326 $y)"
    done

    # Pages: a button shows its page; pressing it again changes nothing.
    click_ctl "$T" $kPageSensor
    wait_until 5 page_shown $kSensorPage || fail "the sensor page did not show"
    wait_until 5 latched $kPageSensor || fail "the sensor page's button is not latched"
    ctl_isnt "$T" $kMousePage visible 1 || fail "the mouse page stayed visible"
    shot sensor-page "$T"
    click_ctl "$T" $kPageMacro
    wait_until 5 page_shown $kMacroPage || fail "the macro page did not show"
    click_ctl "$T" $kPageMouse
    wait_until 5 page_shown $kMousePage || fail "the mouse page did not come back"
    ctl_isnt "$T" $kPageSensor check 1 || fail "the sensor page's button is still latched"
    # Its button again: the page stays (input reaches the window in order, so once a click on
    # the page has taken effect, the click on the button before it has too).
    click_ctl "$T" $kPageMouse
    click_ctl "$T" $kRate500 $kMousePage
    wait_until 5 ctl_is "$T" $kRate500 check 1 $kMousePage || fail "500 Hz did not check"
    page_shown $kMousePage && latched $kPageMouse || fail "the mouse page's own button hid it"

    # A profile switch collects the page into the profile it leaves and shows the other one.
    click_ctl "$T" $kProfile2
    wait_until 5 latched $kProfile2 || fail "profile 2's button did not latch"
    ctl_is "$T" $kRate1000 check 1 $kMousePage && ctl_is "$T" $kRate500 check 0 $kMousePage ||
        fail "profile 2 shows profile 1's report rate"
    click_ctl "$T" $kProfile1
    wait_until 5 latched $kProfile1 || fail "profile 1's button did not latch again"
    ctl_is "$T" $kRate500 check 1 $kMousePage || fail "profile 1 lost its 500 Hz on the switch"

    # The profile button on the mouse: the window follows and applies profile 2's settings.
    mouse_ctl switch-profile 1 >/dev/null
    wait_until 3 latched $kProfile2 || fail "the window did not follow the mouse to profile 2"
    ctl_isnt "$T" $kProfile1 check 1 || fail "profile 1 is still latched"
    local mouse='HKCU\Control Panel\Mouse'
    wait_until 5 reg_is "$mouse" DoubleClickSpeed 800 || fail "double-click time not applied"
    reg_is "$mouse" MouseSensitivity 6 || fail "mouse speed $(reg_value "$mouse" MouseSensitivity)"
    reg_is 'HKCU\Control Panel\Desktop' WheelScrollLines 5 || fail "wheel lines not applied"
    reg_is "$mouse" MouseSpeed 2 || fail "acceleration $(reg_value "$mouse" MouseSpeed)"
    reg_is "$mouse" MouseThreshold1 6 || fail "threshold 1 $(reg_value "$mouse" MouseThreshold1)"
    reg_is "$mouse" MouseThreshold2 10 || fail "threshold 2 $(reg_value "$mouse" MouseThreshold2)"

    # Replug on the same active profile: no switch away from the profile chosen in the window.
    click_ctl "$T" $kProfile4
    wait_until 5 latched $kProfile4 || fail "profile 4's button did not latch"
    local infos
    infos=$(transcript_count "GET 04")
    mouse_ctl unplug >/dev/null
    mouse_ctl plug >/dev/null
    wait_until 10 eval '[ "$(transcript_count "GET 04")" -gt "$infos" ]' ||
        fail "the arrival did not read the device information"
    local polls
    polls=$(lines)
    wait_until 10 eval '[ "$(since "$polls" "SET 0303")" -ge 2 ]' || fail "the poll stopped"
    wait_until 5 latched $kProfile4 || fail "a replug on the same index switched the profile"

    # Closing a menu brings the window above the other programs' windows: topmost while each
    # level hides, then back among the others (at their top). A window that never takes
    # activation comes over the window while a slot's menu is open; a click on a menu item does
    # not activate anything either.
    click_ctl "$T" $kSlot4 $kMousePage
    wait_until 2 menu_open || { click_ctl "$T" $kSlot4 $kMousePage && wait_until 5 menu_open; } ||
        fail "no menu on slot 4"
    local ox oy
    read -r ox oy <<<"$(probe origin "$T")"
    wine "$E2E_WORK/probe.exe" window Other $((ox + 450)) $((oy + 20)) 300 300 60 >/dev/null 2>&1 &
    e2e_pids+=($!)
    wait_until 10 window_visible Other || fail "no other window"
    probe above Other "$T" || fail "the other window did not come over the main window"
    shot slot-menu-under-other
    click_menu_item 3 8
    wait_until 5 caption_is $kSlot4 "Scroll up" $kMousePage || fail "slot 4 did not take Scroll up"
    wait_until 5 probe above "$T" Other || fail "closing the menu left the window under the other"
    window_is "$T" topmost 0 || fail "the window stays topmost after the menu"
    probe close Other

    # Minimise, and restore as the task bar does, to the same place. (Wine keeps minimised
    # windows off the screen whatever the settings say, so the icon they paint is not seen.)
    local placed
    placed=$(probe origin "$T")
    click_ctl "$T" $kMinimise
    wait_until 5 window_is "$T" iconic 1 || fail "the minimise button did not minimise"
    probe post "$T" 0x0112 0xF120 0 || fail "cannot restore"
    wait_until 5 window_is "$T" iconic 0 || fail "the window was not restored"
    window_visible "$T" || fail "the restored window is not visible"
    [ "$(probe origin "$T")" = "$placed" ] || fail "restored at $(probe origin "$T"), not $placed"

    # Dragging the background moves the window, and back.
    drag_background() {
        read -r ox oy <<<"$(probe origin "$T")"
        point_at $((ox + 450)) $((oy + 135)) && xdotool mousedown 1 \
            mousemove --sync $((ox + 450 + $1 / 2)) $((oy + 135 + $2 / 2)) \
            mousemove --sync $((ox + 450 + $1)) $((oy + 135 + $2)) mouseup 1
    }
    origin_is() { [ "$(probe origin "$T")" = "$1 $2" ]; }
    drag_background 60 40
    wait_until 5 origin_is $((ox + 60)) $((oy + 40)) ||
        fail "dragging from $ox $oy by 60 40 left the window at $(probe origin "$T")"
    drag_background -60 -40
    wait_until 5 origin_is $((ox - 60)) $((oy - 40)) || fail "the window did not come back"

    # Cancel hides and keeps an edit; a second start shows the window and ends.
    click_ctl "$T" $kRate500 $kMousePage
    wait_until 5 ctl_is "$T" $kRate500 check 1 $kMousePage || fail "500 Hz did not check"
    click_ctl "$T" $kCancel
    wait_until 5 window_hidden || fail "Cancel did not hide the window"
    local first=$e2e_app_pid
    start_configurator
    local second=$e2e_app_pid
    e2e_app_pid=$first
    wait_until 15 window_visible "$T" || fail "a second start did not show the window"
    wait_until 15 program_ended "$second" || fail "the second start did not end"
    program_ended "$first" && fail "the first program ended"
    ctl_is "$T" $kRate500 check 1 $kMousePage || fail "Cancel lost the edit on the page"
    # A second start while the window is shown changes nothing.
    start_configurator
    second=$e2e_app_pid
    e2e_app_pid=$first
    wait_until 15 program_ended "$second" || fail "the start while shown did not end"
    program_ended "$first" && fail "the first program ended on a start while shown"
    window_visible "$T" || fail "a start while shown hid the window"
    [ "$(xdotool search --onlyvisible --name "^$T\$" | wc -l)" = 1 ] || fail "two main windows"

    # OK applies and hides.
    local before
    before=$(lines)
    click_ctl "$T" $kOk
    wait_until 5 window_hidden || fail "OK did not hide the window"
    wait_until 15 selects_since "$before" 2 || fail "OK did not apply"
    [ "$(apply_steps "$before")" = "select 3,image 0,image 1,image 2,image 3,image 4,select 3" ] ||
        fail "OK wrote $(apply_steps "$before")"
    [ "$(profile_field "$profiles/Default4.profile" "d['reportRate']")" = 1 ] ||
        fail "the 500 Hz edit did not reach profile 4's file"

    # The tray: a double click shows the window, and so does "Config Mouse" of its menu; the menu
    # opens again; its "Exit" ends the program and saves the macros.
    local tray
    tray=$(xdotool search --sync --name '^Wine System Tray$' | head -n 1)
    xdotool mousemove --window "$tray" 10 10 click --repeat 2 --delay 80 1
    wait_until 5 window_visible "$T" || fail "a double click on the tray icon did not show it"
    click_ctl "$T" $kCancel
    wait_until 5 window_hidden || fail "Cancel did not hide the window"
    xdotool mousemove --window "$tray" 10 10 click 3
    wait_until 5 menu_open || fail "no tray menu"
    shot tray-menu
    click_menu_item 0 2
    wait_until 5 window_visible "$T" || fail "\"Config Mouse\" did not show the window"
    wait_until 5 eval '! menu_open' || fail "the tray menu stayed open after \"Config Mouse\""
    rm -f "$data/Macros/macroList.dat"
    xdotool mousemove --window "$tray" 10 10 click 3
    wait_until 5 menu_open || fail "the tray menu did not open a second time"
    click_menu_item 1 2
    wait_until 15 configurator_ended || fail "Exit did not end the program"
    [ -f "$data/Macros/macroList.dat" ] || fail "Exit did not save the macros"
}

case_apply() {
    start_mouse --unplugged
    start_and_wait
    # Enter and Escape on the window as it starts do nothing: no Apply (its message would hold
    # the window) and the window stays.
    focus_window "$T" && press_keys Return Escape
    # Without the mouse the files are still written.
    click_ctl "$T" $kProfile3
    wait_until 5 latched $kProfile3 || fail "profile 3 did not latch"
    window_gone "$kMessageTitle" && window_visible "$T" || fail "Enter or Escape at start did something"
    click_ctl "$T" $kApply
    expect_message "ORVA mouse no found." no-mouse
    local slot
    for slot in 1 2 3 4 5; do
        [ -f "$profiles/Default$slot.profile" ] || fail "Apply without the mouse wrote no file $slot"
    done

    # With the mouse: the configurator's Apply equals orva7100ctl's of the same five files.
    # The first poll after the arrival follows the mouse to its active profile 1.
    mouse_ctl plug >/dev/null
    wait_until 10 latched $kProfile1 || fail "the window did not follow the mouse after arrival"
    click_ctl "$T" $kProfile3
    wait_until 5 latched $kProfile3 || fail "profile 3 did not latch again"
    local before
    before=$(lines)
    click_ctl "$T" $kApply
    wait_until 15 selects_since "$before" 2 || fail "Apply did not finish"
    [ "$(apply_steps "$before")" = "select 2,image 0,image 1,image 2,image 3,image 4,select 2" ] ||
        fail "Apply wrote $(apply_steps "$before")"
    tail -n +$((before + 1)) "$E2E_TRANSCRIPT" | grep '^SET' | grep -v '^SET 030[34]' \
        >"$E2E_WORK/app-sets.txt"
    ctl_apply "$E2E_WORK/ctl" 3 "$profiles"/Default{1,2,3,4,5}.profile ||
        fail "orva7100ctl device apply failed"
    grep '^SET' "$E2E_WORK/ctl/transcript.txt" | grep -v '^SET 030[34]' >"$E2E_WORK/ctl-sets.txt"
    cmp -s "$E2E_WORK/app-sets.txt" "$E2E_WORK/ctl-sets.txt" ||
        fail "Apply's reports differ from orva7100ctl's ($(wc -l <"$E2E_WORK/app-sets.txt") and $(wc -l <"$E2E_WORK/ctl-sets.txt") lines)"
    # The click left the focus on Apply: Enter and Escape still do nothing (the keys are read
    # once the page clicked after them shows).
    before=$(lines)
    focus_window "$T" && press_keys Return Escape
    click_ctl "$T" $kPageSensor
    wait_until 5 page_shown $kSensorPage || fail "the sensor page did not show"
    [ "$(since "$before" "SET 0302")" = 0 ] && [ "$(since "$before" "SET 0300")" = 0 ] &&
        window_visible "$T" || fail "Enter or Escape after a click on Apply did something"

    # An acknowledge missing during profile 2: profile 1 written, 3 to 5 not, selected again.
    mouse_ctl fault ack-fault-slot 1 >/dev/null
    mouse_ctl fault ack-after never >/dev/null
    before=$(lines)
    click_ctl "$T" $kApply
    expect_message "set profile to mcu failed." ack-missing
    wait_until 10 selects_since "$before" 2 || fail "no select after the failed image"
    local steps
    steps=$(apply_steps "$before")
    [ "$steps" = "select 2,image 0,image 1,select 2" ] || fail "the failed Apply wrote $steps"
    mouse_ctl fault clear >/dev/null

    # While a program named Updater.exe runs, Apply saves the files but leaves the mouse alone.
    cp "$E2E_WORK/probe.exe" "$E2E_WORK/Updater.exe"
    wine "$E2E_WORK/Updater.exe" wait "no such window" 60 >/dev/null 2>&1 &
    e2e_pids+=($!)
    wait_until 10 eval 'probe list "$T" >/dev/null && [ -n "$(pgrep -f Updater.exe)" ]'
    rm -f "$profiles/Default1.profile"
    before=$(lines)
    click_ctl "$T" $kApply
    expect_message_start "The firmware updater is running." updater-running
    [ -f "$profiles/Default1.profile" ] || fail "Apply beside the updater saved no files"
    # (The poll's questions go on; no select and no image.)
    [ "$(since "$before" "SET 0302")" = 0 ] && [ "$(since "$before" "SET 0300")" = 0 ] &&
        [ "$(since "$before" "SET 05")" = 0 ] || fail "Apply beside the updater wrote the mouse"
    shot main "$T"

    # The end of the Windows session saves the macros as "Exit" does (no WM_DESTROY follows).
    rm -f "$data/Macros/macroList.dat"
    wineboot --end-session >/dev/null 2>&1
    wait_until 15 configurator_ended || fail "the end of the session did not end the program"
    [ -f "$data/Macros/macroList.dat" ] || fail "the end of the session lost the macros"
}

case_profiles() {
    # Profile 3 has a setting of its own that Reset takes back.
    write_profile "$profiles/Default3.profile" "d['name']='Third'; d['index']=2; d['pointerSpeed']=3"
    start_mouse
    start_and_wait

    # Rename with OK (Enter), then Escape and Cancel change nothing.
    profile_menu $kMenu2 $kRename || fail "no menu on profile 2"
    wait_until 5 top_dialog_is Rename || fail "no rename dialog"
    shot rename Rename
    type_into Rename "Sniper"
    wait_until 5 caption_is $kProfile2 Sniper || fail "profile 2 was not renamed"
    profile_menu $kMenu3 $kRename || fail "no menu on that profile button"
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    focus_window Rename || fail "the rename dialog did not take the focus"
    type_text "Nothing"
    press_keys Escape
    wait_until 5 window_gone Rename || fail "Escape did not close the rename dialog"
    profile_menu $kMenu3 $kRename || fail "no menu on that profile button"
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    focus_window Rename || fail "the rename dialog did not take the focus"
    type_text "Nothing"
    click_ctl Rename $kRenameCancel
    wait_until 5 window_gone Rename || fail "Cancel did not close the rename dialog"
    wait_until 5 caption_is $kProfile3 Third || fail "Escape or Cancel renamed profile 3"

    # Export proposes the new name; a name typed without extension is kept as typed.
    profile_menu $kMenu2 $kExport || fail "no menu on that profile button"
    wait_until 10 top_dialog_is "Save As" || fail "no save dialog"
    local proposal
    proposal=$(ctl_value "Save As" 1148 text)
    [ "$proposal" = "Sniper.profile" ] || fail "export proposed '$proposal'"
    shot export "Save As"
    type_into "Save As" 'C:\out\exported'
    wait_until 10 test -f "$out/exported" || fail "export wrote no file 'exported'"
    wait_until 5 window_gone "Save As"
    [ "$(profile_field "$out/exported" "d['name'] + ' ' + str(d['index'])")" = "Sniper 1" ] ||
        fail "the exported file is not profile 2"
    [ -e "$out/exported.profile" ] && fail "export added an extension"

    # Import into profile 5: its button shows the name at once; the slot keeps its index.
    profile_menu $kMenu5 $kImport || fail "no menu on that profile button"
    wait_until 10 top_dialog_is "Open" || fail "no open dialog"
    shot import Open
    type_into Open 'C:\out\exported'
    wait_until 10 caption_is $kProfile5 Sniper || fail "profile 5 does not show the import"
    profile_menu $kMenu5 $kSave || fail "no menu on that profile button"
    wait_until 10 eval '[ "$(profile_field "$profiles/Default5.profile" "d[\"name\"]")" = Sniper ]' ||
        fail "Save current settings did not write the imported profile"
    [ "$(profile_field "$profiles/Default5.profile" "d['index']")" = 4 ] ||
        fail "the imported profile left its slot's index"

    # "Save current settings" of the profile on the pages saves what the pages show.
    click_ctl "$T" $kRate500 $kMousePage
    wait_until 5 ctl_is "$T" $kRate500 check 1 $kMousePage || fail "500 Hz did not check"
    profile_menu $kMenu1 $kSave || fail "no menu on that profile button"
    wait_until 10 eval '[ "$(profile_field "$profiles/Default1.profile" "d[\"reportRate\"]")" = 1 ]' ||
        fail "Save current settings did not take the page's edit"

    # A file that is no profile is refused and changes nothing.
    printf 'no profile here' >"$out/junk.profile"
    profile_menu $kMenu4 $kImport || fail "no menu on that profile button"
    wait_until 10 top_dialog_is "Open" || fail "no open dialog for profile 4"
    type_into Open 'C:\out\junk.profile'
    expect_message 'The file C:\out\junk.profile is not an ORVA 7100 profile. The profile was not changed.' \
        import-refused
    wait_until 5 caption_is $kProfile4 Profile4 || fail "a refused import changed profile 4"

    # Reset to Default: Cancel changes nothing; OK resets all five, keeps names, applies.
    local before
    before=$(lines)
    click_ctl "$T" $kReset
    wait_until 10 eval 'read_top_dialog && [ "$dlg_title" != "$T" ]' || fail "no reset pop-up"
    shot reset-popup
    click_popup $kPopupCancel || fail "no Cancel to press on the reset pop-up"
    wait_until 5 top_dialog_is "$T" || fail "Cancel did not close the reset pop-up"
    [ "$(since "$before" "SET 05")" = 0 ] || fail "a cancelled reset wrote the mouse"
    click_ctl "$T" $kReset
    wait_until 10 eval 'read_top_dialog && [ "$dlg_title" != "$T" ]' || fail "no reset pop-up"
    click_popup $kPopupOk || fail "no OK to press on the reset pop-up"
    wait_until 15 selects_since "$before" 2 || fail "the confirmed reset did not apply"
    [ "$(apply_steps "$before")" = "select 0,image 0,image 1,image 2,image 3,image 4,select 0" ] ||
        fail "reset wrote $(apply_steps "$before")"
    [ "$(profile_field "$profiles/Default3.profile" "d['name'] + ' ' + str(d['pointerSpeed'])")" = "Third 6" ] ||
        fail "reset did not reset profile 3 or lost its name"
    wait_until 5 caption_is $kProfile2 Sniper || fail "reset changed a name"
    shot after-reset "$T"

    # Close changes nothing; OK on the field left empty gives an empty name, saved as such.
    profile_menu $kMenu3 $kRename || fail "no menu on that profile button"
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    focus_window Rename || fail "the rename dialog did not take the focus"
    type_text "Nothing"
    click_ctl Rename $kRenameClose
    wait_until 5 window_gone Rename || fail "Close did not close the rename dialog"
    wait_until 5 caption_is $kProfile3 Third || fail "Close renamed profile 3"
    profile_menu $kMenu3 $kRename || fail "no menu on that profile button"
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    click_ctl Rename $kRenameOk
    wait_until 5 window_gone Rename || fail "OK did not close the rename dialog"
    wait_until 5 caption_is $kProfile3 "" || fail "an empty name left the caption '$(ctl_value "$T" $kProfile3 text)'"
    saved_name3() { profile_field "$profiles/Default3.profile" "repr(d['name'])"; }
    saved_name3_empty() { [ "$(saved_name3)" = "''" ]; }
    profile_menu $kMenu3 $kSave || fail "no menu on that profile button"
    wait_until 10 saved_name3_empty || fail "the empty name was saved as $(saved_name3)"
}

# gen_profiles SEED DIR: five profiles in DIR/Default1..5.profile, drawn from SEED. X and Y are
# set separately and differ in every step of every slot; every other field the pages show takes
# a value from its range. Buttons and macros stay as new (the mouse page's tests cover them).
gen_profiles() {
    "$ctl" profile new -o "$E2E_WORK/new.profile" >/dev/null &&
        "$ctl" profile show "$E2E_WORK/new.profile" >"$E2E_WORK/new.json" || return 1
    python3 - "$1" "$E2E_WORK/new.json" "$2" <<'PY' || return 1
import json, random, sys
rng = random.Random(int(sys.argv[1]))
palette = [(0,90,0),(6,242,6),(94,255,0),(180,255,5),(255,255,5),(255,202,2),(255,154,0),
           (255,90,0),(255,43,3),(251,34,101),(255,44,62),(229,1,1),(255,0,64),(255,0,11),
           (160,0,120),(153,0,252),(96,0,255),(40,0,200),(0,0,150),(15,15,200),(14,71,255),
           (0,255,255),(103,254,216),(171,255,216)]
for slot in range(5):
    d = json.load(open(sys.argv[2]))
    d["name"] = "Gen%d-%d" % (slot + 1, rng.randrange(1000))
    d["index"] = slot
    d["reportRate"] = rng.choice([0, 1, 3, 5])
    d["doubleClickValue"] = rng.randrange(200, 1401, 200)
    d["scrollLines"] = rng.randint(1, 6)
    d["scrollByLines"], d["scrollByPage"] = rng.choice([(1, 0), (0, 1)])
    d["accelerationOn"] = rng.randint(0, 1)
    d["separateXY"] = 1
    d["dpiStage"] = rng.randint(1, 3)
    d["dpi"] = [rng.sample(range(1, 61), 2) for _ in range(3)]
    d["pointerSpeed"] = rng.randint(1, 10)
    d["liftDistance"] = rng.randint(1, 32)
    d["surfaceQuality"] = rng.randint(0, 10)
    r, g, b = rng.choice(palette)
    d["ledColour"] = r | g << 8 | b << 16
    json.dump(d, open("%s/Default%d.json" % (sys.argv[3], slot + 1), "w"))
PY
    local slot
    for slot in 1 2 3 4 5; do
        "$ctl" profile build "$2/Default$slot.json" -o "$2/Default$slot.profile" >/dev/null || return 1
    done
}

case_data() {
    local seed=${ORVA_E2E_SEED:-$RANDOM}
    echo "data: seed $seed (ORVA_E2E_SEED=$seed repeats this run)"
    local made=$E2E_WORK/generated
    mkdir -p "$made" "$profiles"
    gen_profiles "$seed" "$made" || fail "could not generate the profiles"
    cp "$made"/Default?.profile "$profiles/"
    start_mouse
    start_and_wait

    # Every page and every profile current, the profile button on the mouse too; the sensor
    # page is made late (at idle) or at once when shown, and both must leave the profiles alone.
    local page slot
    for slot in 1 2 3 4 5; do
        local button=$((kProfile1 + slot - 1))
        click_ctl "$T" $button
        wait_until 5 latched $button || fail "profile $slot did not latch"
        for page in 1001 1002 1003 1004 1000; do
            click_ctl "$T" $page
            wait_until 5 latched $page || fail "page button $page did not latch on profile $slot"
        done
    done
    mouse_ctl switch-profile 1 >/dev/null
    wait_until 5 latched $kProfile2 || fail "the window did not follow the mouse to profile 2"
    click_ctl "$T" $kPageSensor
    wait_until 5 page_shown $kSensorPage || fail "the sensor page did not show"
    click_ctl "$T" $kProfile3
    wait_until 5 latched $kProfile3 || fail "profile 3 did not latch"
    shot data-sensor-page "$T"

    local before
    before=$(lines)
    click_ctl "$T" $kApply
    wait_until 15 selects_since "$before" 2 || fail "Apply did not finish"
    for slot in 1 2 3 4 5; do
        cmp -s "$made/Default$slot.profile" "$profiles/Default$slot.profile" || {
            fail "profile $slot changed on its way through the window (seed $seed):" \
                "$(diff <("$ctl" profile show "$made/Default$slot.profile") \
                    <("$ctl" profile show "$profiles/Default$slot.profile") | grep '^[<>]' | head -n 8)"
        }
    done
    # The mouse holds what orva7100ctl writes from the generated files.
    ctl_apply "$E2E_WORK/ctl" 3 "$made"/Default{1,2,3,4,5}.profile || fail "orva7100ctl apply failed"
    for slot in 0 1 2 3 4; do
        cmp -s "$E2E_WORK/ctl/state/slot$slot.bin" "$E2E_MOUSE_STATE/slot$slot.bin" ||
            fail "slot $slot in the mouse differs from the generated profile's image (seed $seed)"
    done
}

case_guards() {
    start_mouse
    start_and_wait
    wait_until 5 latched $kProfile1 || fail "profile 1 is not current at start"

    # A switch on the mouse while the rename dialog is open: the window follows only when the
    # dialog has closed, so the dialog's OK can never write into another profile.
    profile_menu $kMenu1 $kRename || fail "no menu on profile 1"
    wait_until 5 top_dialog_is Rename || fail "no rename dialog"
    local polls
    polls=$(lines)
    mouse_ctl switch-profile 3 >/dev/null
    # Three poll periods pass with the dialog open.
    sleep 1.5
    wait_until 5 latched $kProfile1 || fail "the window switched profiles under the rename dialog"
    [ "$(since "$polls" "SET 0303")" = 0 ] || fail "the poll asked the mouse under the dialog"
    focus_window Rename || fail "the rename dialog did not take the focus"
    press_keys Escape
    wait_until 5 window_gone Rename || fail "Escape did not close the rename dialog"
    wait_until 5 latched $kProfile4 || fail "the window did not follow the mouse after the dialog"

    # "Exit" with a macro folder that cannot be written says so and names the folder.
    rm -rf "$data/Macros"
    mkdir -p "$data"
    printf 'not a folder' >"$data/Macros"
    local tray
    tray=$(xdotool search --sync --name '^Wine System Tray$' | head -n 1)
    xdotool mousemove --window "$tray" 10 10 click 3
    wait_until 5 menu_open || fail "no tray menu"
    click_menu_item 1 2
    expect_message_start "The macros could not be saved to " exit-macros-failed
    wait_until 15 configurator_ended || fail "Exit did not end the program after the message"
}

case_silent() {
    start_mouse --latency 10000
    start_and_wait
    # Nobody asked for the poll or the reads at start: they must never hold the window.
    probe responsive "$T" 16 500 || fail "the window did not answer within 0.5 s"
    # Messages with the window's private numbers and any parameters, as another program may
    # post them, are no pointers to anything.
    local message
    for message in 0x8001 0x8002 0x07EB 0x07EC; do
        probe post "$T" $message 0x12345678 0x7ff0deadbeef >/dev/null
        probe post "$T" $message 0 0 >/dev/null
    done
    probe responsive "$T" 2 500 || fail "the window froze after the posted messages"
    configurator_ended && fail "posted messages ended the configurator"
    # A command the user starts keeps its own, longer limit and reports the failure.
    click_ctl "$T" $kApply
    expect_message "set current profile id failed." silent-apply
    configurator_ended && fail "the configurator ended"
    shot silent "$T"
}

# A case name that names no case is a failure, not a run of nothing.
declare -F "case_${case_name//-/_}" >/dev/null || {
    echo "FAIL: no case '$case_name'"
    exit 1
}
"case_${case_name//-/_}"
e2e_finish
