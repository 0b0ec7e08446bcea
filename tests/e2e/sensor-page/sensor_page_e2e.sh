#!/usr/bin/env bash
# The sensor page of ORVA7100.exe end to end, with real drags and clicks (xdotool):
#   the X slider dragged to 1800 moves Y along; Apply writes DPI 20/20 of the shown step into the
#   saved profile and the mouse's slot image; "Test" and "Save" with the lift slider at its two
#   ends send 6 and 31, two quick clicks on "Test" twice; the surface analysis with OK on all
#   three screens (Enter on the second, which does nothing before its countdown ends) reads the
#   count once and shows its level; Cancel (or Close) on any screen reads nothing; one click on
#   "Analyze Surface" opens it, also right after the last pop-up has gone.
# usage: sensor_page_e2e.sh DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin sensor-page "$1" "$2" "${3:-}"

ctl="$E2E_NATIVE/tools/orva7100ctl/orva7100ctl"
T=$E2E_TITLE
kPageSensor=1001 kApply=1042 kSensorPage=130
kX=1022 kY=1023 kLift=1025 kQuality=1026 kAnalyze=1021 kTest=1020 kSave=1019
kOk=1076 kCancel=1077 kClose=1078 kTime=1079
kThumb=12

data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100

# A count of 60 is level 6.
start_mouse --surface-count 60
start_configurator
wait_until 30 window_visible "$T" || { fail "the main window did not show"; e2e_finish; }

value() { ctl_value "$T" "$1" "$2" $kSensorPage; }
# The slider's rectangle on the screen: sets sx sy sw sh.
slider_rect() {
    local cx cy
    read -r cx cy <<<"$(probe screenpos "$T" "$1" $kSensorPage)" || return 1
    read -r _ _ sw sh <<<"$(value "$1" rect | tr ',' ' ')"
    sx=$((cx - sw / 2)) sy=$((cy - sh / 2))
}
# drag SLIDER TO_X: from the thumb to a client x of the slider.
drag() {
    slider_rect "$1" || return 1
    local range min max pos from
    range=$(value "$1" range)
    min=${range%%..*} max=${range##*..} pos=$(value "$1" pos)
    from=$(((sw - kThumb) * (pos - min) / (max - min) + kThumb / 2))
    point_at $((sx + from)) $((sy + sh / 2)) && xdotool mousedown 1
    xdotool mousemove --sync $((sx + (from + $2) / 2)) $((sy + sh / 2))
    xdotool mousemove --sync $((sx + $2)) $((sy + sh / 2)) mouseup 1
}
# click_in SLIDER X: a click at a client x of the slider.
click_in() {
    slider_rect "$1" || return 1
    point_at $((sx + $2)) $((sy + sh / 2)) && xdotool click 1
}
click_button() { click_ctl "$T" "$1" $kSensorPage; }
sets() { transcript_count "SET $1"; }

click_ctl "$T" $kPageSensor
wait_until 10 ctl_is "$T" $kX visible 1 $kSensorPage || { fail "the sensor page did not show"; e2e_finish; }
shot sensor-page-initial "$T"

# ---- DPI ---------------------------------------------------------------------------------------
# Profile 1 shows step 2; x 134 of the 410-pixel track selects 1800.
drag $kX 134
wait_until 5 eval '[ "$(value $kX pos)" = 1800 ]' || fail "X shows $(value $kX pos), not 1800"
[ "$(value $kY pos)" = 1800 ] || fail "Y did not follow X: $(value $kY pos)"
shot sensor-page-dragged "$T"

json_of() { python3 -c "import json,sys; d=json.load(sys.stdin); print($1)"; }
saved_dpi() {
    "$ctl" profile show "$data/Profiles/Default1.profile" 2>/dev/null | json_of "' '.join(str(v) for step in d['dpi'] for v in (step if isinstance(step, list) else [step]))"
}
mouse_dpi() {
    "$ctl" image show "$E2E_MOUSE_STATE/slot0.bin" 2>/dev/null | json_of "' '.join(str(v) for step in d['dpi'] for v in (step if isinstance(step, list) else [step]))"
}
click_ctl "$T" $kApply
wait_until 15 eval '[ "$(saved_dpi)" = "9 9 20 20 45 45" ]' || fail "saved DPI: '$(saved_dpi)'"
wait_until 15 eval '[ "$(mouse_dpi)" = "9 9 20 20 45 45" ]' || fail "the mouse's DPI: '$(mouse_dpi)'"

# ---- lift distance -------------------------------------------------------------------------------
click_in $kLift 1
wait_until 5 eval '[ "$(value $kLift pos)" = 1 ]' || fail "lift slider at $(value $kLift pos), not 1"
# Two quick clicks (a double click to the system) are two tests.
point_at $(probe screenpos "$T" $kTest $kSensorPage) && xdotool click --repeat 2 --delay 100 1
wait_until 5 eval '[ "$(sets 0a0006)" = 2 ]' || fail "two quick clicks on Test at 1 sent $(sets 0a0006)"
click_button $kSave
wait_until 5 eval '[ "$(sets 0a0106)" = 1 ]' || fail "Save at 1 did not send 6"
click_in $kLift 331
wait_until 5 eval '[ "$(value $kLift pos)" = 32 ]' || fail "lift slider at $(value $kLift pos), not 32"
click_button $kTest
wait_until 5 eval '[ "$(sets 0a001f)" = 1 ]' || fail "Test at 32 did not send 31"
click_button $kSave
wait_until 5 eval '[ "$(sets 0a011f)" = 1 ]' || fail "Save at 32 did not send 31"

# ---- surface analysis ------------------------------------------------------------------------------
# screen TITLE: waits for the pop-up with that title.
screen() { wait_until 10 window_visible "$1"; }
# One click on Analyze Surface opens the first screen, also at once after the last pop-up went.
open_analysis() {
    click_ctl "$T" $kAnalyze $kSensorPage
    screen "Analysis start"
}
countdown_done() { ctl_is "Analysis move" $kOk enabled 1; }
# Through to the last screen: start OK, countdown, Next.
to_last_screen() {
    open_analysis || { fail "no first analysis screen"; return 1; }
    click_ctl "Analysis start" $kOk
    screen "Analysis move" || { fail "no countdown screen"; return 1; }
    wait_until 15 countdown_done || { fail "OK never became usable"; return 1; }
    click_ctl "Analysis move" $kOk
    screen "Analysis finish" || { fail "no last analysis screen"; return 1; }
}
all_closed() { window_gone "Analysis start" && window_gone "Analysis move" && window_gone "Analysis finish"; }

if open_analysis; then
    shot popup-analysis-start "Analysis start"
    click_ctl "Analysis start" $kOk
    if screen "Analysis move"; then
        ctl_is "Analysis move" $kOk enabled 0 || fail "OK is usable before the countdown ended"
        wait_until 8 ctl_is "Analysis move" $kTime text 6 || fail "the countdown does not run"
        # Enter before the countdown ends does nothing; two ticks on, it has been read.
        focus_window "Analysis move" && press_keys Return
        wait_until 5 ctl_is "Analysis move" $kTime text 4 || fail "the countdown stopped at Enter"
        window_exists "Analysis finish" && fail "Enter went on before the countdown ended"
        shot popup-analysis-move "Analysis move"
        wait_until 12 countdown_done || fail "OK never became usable"
        [ "$(ctl_value "Analysis move" $kTime text)" = 0 ] || fail "the countdown did not end at 0"
        # Now Enter is OK.
        focus_window "Analysis move" && press_keys Return
        if screen "Analysis finish"; then
            shot popup-analysis-finish "Analysis finish"
            click_ctl "Analysis finish" $kOk
        else
            fail "no last analysis screen"
        fi
    else
        fail "no countdown screen"
    fi
else
    fail "no first analysis screen"
fi
wait_until 10 all_closed || fail "an analysis screen stayed open"
[ "$(sets 0b00)" = 1 ] || fail "the capture was started $(sets 0b00) times"
wait_until 5 eval '[ "$(sets 0b01)" = 1 ]' || fail "the count was read $(sets 0b01) times"
wait_until 5 ctl_is "$T" $kQuality pos 6 $kSensorPage || fail "level $(value $kQuality pos), not 6"
shot sensor-page-analysed "$T"

# Cancel on the first screen, Cancel during the countdown, Close on the last: no read, level 0.
open_analysis && click_ctl "Analysis start" $kCancel
wait_until 10 all_closed || fail "Cancel on the first screen left a screen open"
[ "$(value $kQuality pos)" = 0 ] || fail "level $(value $kQuality pos) after Cancel"
open_analysis && click_ctl "Analysis start" $kOk
screen "Analysis move" && click_ctl "Analysis move" $kCancel
wait_until 10 all_closed || fail "Cancel during the countdown left a screen open"
to_last_screen && click_ctl "Analysis finish" $kClose
wait_until 10 all_closed || fail "Close on the last screen left a screen open"
[ "$(sets 0b01)" = 1 ] || fail "a cancelled analysis read the count ($(sets 0b01) reads in all)"
[ "$(value $kQuality pos)" = 0 ] || fail "level $(value $kQuality pos) after a cancelled analysis"

e2e_finish
