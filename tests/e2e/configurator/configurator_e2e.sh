#!/usr/bin/env bash
# ORVA7100.exe end to end under Wine and Xvfb against the virtual mouse, with real clicks and
# keys through xdotool and the probe reading the controls. One program start per case (plus the
# second starts the case is about):
#   shell     pages, the poll following the mouse's profile button (and the Windows settings of
#             that profile in the prefix's registry), a replug on the same index, Cancel keeping
#             an edit, a second start while hidden, OK applying and hiding, the tray's double
#             click and its "Exit" saving the macros
#   apply     Apply with profile 3 current equals orva7100ctl's apply of the same five files;
#             Apply without the mouse, with an acknowledge missing in profile 2, and while a
#             process named Updater.exe runs; the end of the Windows session saving the macros
#   profiles  rename (OK, Escape, Cancel), export to a name without extension, import into
#             another slot, "Save current settings" taking the page's edit, an import of a file
#             that is no profile, Reset to Default (cancel, then confirm), rename (Close, and OK
#             on the empty field)
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
kReset=1031 kOk=1041 kApply=1042 kCancel=1044
# Pages answer to their template ids.
kMousePage=129 kSensorPage=130 kMacroPage=132
kRate500=1029
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
caption_is() { ctl_is "$T" "$1" text "$2"; }
page_shown() { ctl_is "$T" "$1" visible 1; }
window_hidden() { window_exists "$T" && ! window_visible "$T"; }

# The visible popup menus, "x y w h" each.
menus() {
    local w
    for w in $(xdotool search --onlyvisible --name '^menu$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        echo "$X $Y $WIDTH $HEIGHT"
    done
}
menu_open() { [ -n "$(menus)" ]; }
# click_menu_item INDEX COUNT: a click on item INDEX of the open menu of COUNT items.
click_menu_item() {
    local x y w h
    read -r x y w h <<<"$(menus | head -n 1)"
    [ -n "${h:-}" ] || return 1
    local row=$(((h - 8) / $2))
    xdotool mousemove --sync $((x + 30)) $((y + 4 + $1 * row + row / 2)) click 1
}
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
    xdotool mousemove --sync $((dlg_x + x)) $((dlg_y + 162)) click 1
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
selects_since() { [ "$(since "$1" "SET 0302")" -ge "$2" ]; }

reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $3 }'
}
reg_is() { [ "$(reg_value "$1" "$2")" = "$3" ]; }

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
    start_mouse
    start_and_wait
    # The first poll takes the mouse's active profile (slot 0) and applies its settings.
    wait_until 5 reg_is 'HKCU\Control Panel\Mouse' DoubleClickSpeed 1100 ||
        fail "profile 1's double-click time was not applied: $(reg_value 'HKCU\Control Panel\Mouse' DoubleClickSpeed)"
    caption_is $kProfile2 Second || fail "profile 2's button does not show its file's name"
    shot main "$T"

    # Pages: a button shows its page; pressing it again changes nothing.
    click_ctl "$T" $kPageSensor
    wait_until 5 page_shown $kSensorPage || fail "the sensor page did not show"
    latched $kPageSensor || fail "the sensor page's button is not latched"
    page_shown $kMousePage && fail "the mouse page stayed visible"
    shot sensor-page "$T"
    click_ctl "$T" $kPageMacro
    wait_until 5 page_shown $kMacroPage || fail "the macro page did not show"
    click_ctl "$T" $kPageMouse
    wait_until 5 page_shown $kMousePage || fail "the mouse page did not come back"
    latched $kPageSensor && fail "the sensor page's button is still latched"

    # The profile button on the mouse: the window follows and applies profile 2's settings.
    mouse_ctl switch-profile 1 >/dev/null
    wait_until 3 latched $kProfile2 || fail "the window did not follow the mouse to profile 2"
    latched $kProfile1 && fail "profile 1 is still latched"
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
    latched $kProfile4 || fail "a replug on the same index switched the profile"

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

    # The tray: a double click shows the window; "Exit" ends the program and saves the macros.
    local tray
    tray=$(xdotool search --sync --name '^Wine System Tray$' | head -n 1)
    xdotool mousemove --window "$tray" 10 10 click --repeat 2 --delay 80 1
    wait_until 5 window_visible "$T" || fail "a double click on the tray icon did not show it"
    rm -f "$data/Macros/macroList.dat"
    xdotool mousemove --window "$tray" 10 10 click 3
    wait_until 5 menu_open || fail "no tray menu"
    shot tray-menu
    click_menu_item 1 2
    wait_until 15 configurator_ended || fail "Exit did not end the program"
    [ -f "$data/Macros/macroList.dat" ] || fail "Exit did not save the macros"
}

case_apply() {
    start_mouse --unplugged
    start_and_wait
    # Without the mouse the files are still written.
    click_ctl "$T" $kProfile3
    wait_until 5 latched $kProfile3 || fail "profile 3 did not latch"
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
    "$E2E_NATIVE/virtual-mouse/orva-virtual-mouse" --listen 127.0.0.1:0 \
        --transcript "$E2E_WORK/ctl-transcript.txt" --state-dir "$E2E_WORK/ctl-state" --quiet \
        >"$E2E_WORK/ctl-mouse.out" 2>&1 &
    local ctl_mouse=$!
    wait_until 10 grep -q "^listening on " "$E2E_WORK/ctl-mouse.out"
    "$ctl" --device "virtual:$(sed -n 's/^listening on //p' "$E2E_WORK/ctl-mouse.out")" device \
        apply "$profiles"/Default{1,2,3,4,5}.profile --current 3 --firmware 109 >/dev/null ||
        fail "orva7100ctl device apply failed"
    kill "$ctl_mouse" 2>/dev/null
    wait "$ctl_mouse" 2>/dev/null
    grep '^SET' "$E2E_WORK/ctl-transcript.txt" | grep -v '^SET 030[34]' >"$E2E_WORK/ctl-sets.txt"
    cmp -s "$E2E_WORK/app-sets.txt" "$E2E_WORK/ctl-sets.txt" ||
        fail "Apply's reports differ from orva7100ctl's ($(wc -l <"$E2E_WORK/app-sets.txt") and $(wc -l <"$E2E_WORK/ctl-sets.txt") lines)"

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
    profile_menu $kMenu3 $kRename
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    focus_window Rename && type_text "Nothing" && press_keys Escape
    wait_until 5 window_gone Rename || fail "Escape did not close the rename dialog"
    profile_menu $kMenu3 $kRename
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    focus_window Rename && type_text "Nothing"
    click_ctl Rename $kRenameCancel
    wait_until 5 window_gone Rename || fail "Cancel did not close the rename dialog"
    caption_is $kProfile3 Third || fail "Escape or Cancel renamed profile 3"

    # Export proposes the new name; a name typed without extension is kept as typed.
    profile_menu $kMenu2 $kExport
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
    profile_menu $kMenu5 $kImport
    wait_until 10 top_dialog_is "Open" || fail "no open dialog"
    shot import Open
    type_into Open 'C:\out\exported'
    wait_until 10 caption_is $kProfile5 Sniper || fail "profile 5 does not show the import"
    profile_menu $kMenu5 $kSave
    wait_until 10 eval '[ "$(profile_field "$profiles/Default5.profile" "d[\"name\"]")" = Sniper ]' ||
        fail "Save current settings did not write the imported profile"
    [ "$(profile_field "$profiles/Default5.profile" "d['index']")" = 4 ] ||
        fail "the imported profile left its slot's index"

    # "Save current settings" of the profile on the pages saves what the pages show.
    click_ctl "$T" $kRate500 $kMousePage
    wait_until 5 ctl_is "$T" $kRate500 check 1 $kMousePage || fail "500 Hz did not check"
    profile_menu $kMenu1 $kSave
    wait_until 10 eval '[ "$(profile_field "$profiles/Default1.profile" "d[\"reportRate\"]")" = 1 ]' ||
        fail "Save current settings did not take the page's edit"

    # A file that is no profile is refused and changes nothing.
    printf 'no profile here' >"$out/junk.profile"
    profile_menu $kMenu4 $kImport
    wait_until 10 top_dialog_is "Open" || fail "no open dialog for profile 4"
    type_into Open 'C:\out\junk.profile'
    expect_message 'The file C:\out\junk.profile is not an ORVA 7100 profile. The profile was not changed.' \
        import-refused
    caption_is $kProfile4 Profile4 || fail "a refused import changed profile 4"

    # Reset to Default: Cancel changes nothing; OK resets all five, keeps names, applies.
    local before
    before=$(lines)
    click_ctl "$T" $kReset
    wait_until 10 eval 'read_top_dialog && [ "$dlg_title" != "$T" ]' || fail "no reset pop-up"
    shot reset-popup
    click_popup $kPopupCancel
    wait_until 5 top_dialog_is "$T" || fail "Cancel did not close the reset pop-up"
    [ "$(since "$before" "SET 05")" = 0 ] || fail "a cancelled reset wrote the mouse"
    click_ctl "$T" $kReset
    wait_until 10 eval 'read_top_dialog && [ "$dlg_title" != "$T" ]' || fail "no reset pop-up"
    click_popup $kPopupOk
    wait_until 15 selects_since "$before" 2 || fail "the confirmed reset did not apply"
    [ "$(apply_steps "$before")" = "select 0,image 0,image 1,image 2,image 3,image 4,select 0" ] ||
        fail "reset wrote $(apply_steps "$before")"
    [ "$(profile_field "$profiles/Default3.profile" "d['name'] + ' ' + str(d['pointerSpeed'])")" = "Third 6" ] ||
        fail "reset did not reset profile 3 or lost its name"
    caption_is $kProfile2 Sniper || fail "reset changed a name"
    shot after-reset "$T"

    # Close changes nothing; OK on the field left empty gives an empty name, saved as such.
    profile_menu $kMenu3 $kRename
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    focus_window Rename && type_text "Nothing"
    click_ctl Rename $kRenameClose
    wait_until 5 window_gone Rename || fail "Close did not close the rename dialog"
    caption_is $kProfile3 Third || fail "Close renamed profile 3"
    profile_menu $kMenu3 $kRename
    wait_until 5 top_dialog_is Rename || fail "no rename dialog for profile 3"
    click_ctl Rename $kRenameOk
    wait_until 5 window_gone Rename || fail "OK did not close the rename dialog"
    wait_until 5 caption_is $kProfile3 "" || fail "an empty name left the caption '$(ctl_value "$T" $kProfile3 text)'"
    saved_name3() { profile_field "$profiles/Default3.profile" "repr(d['name'])"; }
    saved_name3_empty() { [ "$(saved_name3)" = "''" ]; }
    profile_menu $kMenu3 $kSave
    wait_until 10 saved_name3_empty || fail "the empty name was saved as $(saved_name3)"
}

"case_${case_name//-/_}"
e2e_finish
