#!/usr/bin/env bash
# ORVA7100.exe end to end at one display scale (PERCENT 100, 150 or 200), under Wine and Xvfb
# against the virtual mouse. Every window is as large as the scale makes it and every control
# sits at its layout rectangle (from the probe's copy of the layout tables) scaled edge by edge;
# clicks at scaled places reach the page buttons, a check box, the report rate, Apply (the mouse
# receives the change), a profile's menu and its rename dialog, the macro page's buttons and the
# pop-up of Delete. At 200 % the window is drawn from art of its own scale, not doubled pixels.
# Screenshots of each page, the menu, the rename dialog, the macro editor and the pop-up go to
# $ORVA_ARTIFACTS as configurator-scale-PERCENT-*.png.
# usage: configurator_scale_e2e.sh PERCENT DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
percent=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scale.sh"
e2e_begin "configurator-scale-$percent" "$1" "$2" "${3:-}"

T=$E2E_TITLE
# Main window ids, page template ids and the controls clicked on the pages.
kPageMouse=1000 kPageSensor=1001 kPageColour=1002 kPageMacro=1003 kPageSupport=1004
kProfile1=1007 kMenu2=1019 kApply=1042
kMousePage=129 kSensorPage=130 kColourPage=131 kMacroPage=132 kSupportPage=133
kRate500=1029 kAccelerationOn=1040
kNewMacro=1064 kDelete=1065 kStartRecord=1067 kStopRecord=1068 kList=1069 kNameEdit=1071
kRenameCancel=1073 kPopupCancel=1077
kDeleteMacroMode=125

data=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Velmor/ORVA7100
profiles=$data/Profiles
layouts=$E2E_WORK/layouts
mkdir -p "$layouts"

# ---- helpers -------------------------------------------------------------------------------

# The 96-DPI layout tables of the windows checked, read once through the probe (its layout
# command); layout NAME [MODE] names the file of one.
layout() { echo "$layouts/$1${2:+-$2}.txt"; }
for table in main $kMousePage $kSensorPage $kColourPage $kMacroPage $kSupportPage rename \
    "popup $kDeleteMacroMode"; do
    probe layout $table >"$(layout $table)" || fail "the probe has no layout '$table'"
done
# place FILE ID: "X Y W H" of a control in a layout table.
place() { sed -n "s/^$2 //p" "$1" | head -n 1; }
# size_of FILE: "W H" of the window the table lays out.
size_of() { sed -n 's/^size //p' "$1"; }

# scaled_centre X Y W H: the centre of a 96-DPI rectangle's scaled edges.
scaled_centre() {
    echo $((($(scaled "$1") + $(scaled $(($1 + $3)))) / 2)) $((($(scaled "$2") + $(scaled $(($2 + $4)))) / 2))
}
# page_origin PAGE: the scaled client point of a page's corner in the main window.
page_origin() {
    local x y w h
    read -r x y w h <<<"$(place "$(layout main)" "$1")"
    echo "$(scaled "$x") $(scaled "$y")"
}
# click_screen X Y: a click at a screen point.
click_screen() { point_at "$1" "$2" && xdotool click 1; }
# click_place ID [PAGE]: a click at the scaled centre of a main-window control's layout
# rectangle, or of one on the page PAGE (in page pixels from the page's scaled corner).
click_place() {
    local table ox=0 oy=0 cx cy x y
    table=$(layout "${2:-main}")
    [ -n "${2:-}" ] && read -r ox oy <<<"$(page_origin "$2")"
    read -r cx cy <<<"$(scaled_centre $(place "$table" "$1"))"
    [ -n "$cx" ] || { fail "no place for control $1 in the layout '${2:-main}'"; return 1; }
    read -r x y <<<"$(probe origin "$T")" || return 1
    click_screen $((x + ox + cx)) $((y + oy + cy))
}
# click_dialog_place TABLE ID: the same inside the top dialog read by read_top_dialog.
click_dialog_place() {
    local cx cy
    read -r cx cy <<<"$(scaled_centre $(place "$1" "$2"))"
    click_screen $((dlg_x + cx)) $((dlg_y + cy))
}

# misplaced TITLE TABLE [PAGE]: every control of the table that does not sit at its scaled
# rectangle, "ID at x,y,w,h, not x,y,w,h" a line: the window's own controls, or those of its
# page PAGE measured from the page's corner.
misplaced() {
    local list line parent=${3:-0} ox=0 oy=0 id x y w h got want
    local -A rects=()
    list=$(probe list "$1") || {
        echo "the probe could not list '$1'"
        return
    }
    # "id=ID parent=PARENT ... rect=X,Y,W,H ..." of every control, the first of each id kept.
    while read -r line; do
        [[ $line =~ ^id=([0-9]+)\ parent=([0-9]+)\ .*\ rect=([-0-9]+),([-0-9]+),([0-9]+),([0-9]+)\  ]] ||
            continue
        id="${BASH_REMATCH[2]}:${BASH_REMATCH[1]}"
        [ -n "${rects[$id]:-}" ] ||
            rects[$id]="${BASH_REMATCH[3]} ${BASH_REMATCH[4]} ${BASH_REMATCH[5]} ${BASH_REMATCH[6]}"
    done <<<"$list"
    [ "$parent" = 0 ] || read -r ox oy _ <<<"${rects[0:$parent]:-}"
    while read -r id x y w h; do
        [ "$id" = size ] && continue
        scaled_rect_into want "$x" "$y" "$w" "$h"
        if [ -z "${rects[$parent:$id]:-}" ]; then
            echo "$id missing (belongs at $want)"
            continue
        fi
        read -r x y w h <<<"${rects[$parent:$id]}"
        got="$((x - ox)),$((y - oy)),$w,$h"
        [ "$got" = "$want" ] || echo "$id at $got, not $want"
    done <"$2"
}
# expect_in_place TITLE TABLE WHAT [PAGE]
expect_in_place() {
    local wrong
    wrong=$(misplaced "$1" "$2" ${4:+"$4"})
    [ -z "$wrong" ] || fail "$percent %: controls of $3 out of place: $(tr '\n' ';' <<<"$wrong")"
}

latched() { ctl_is "$T" "$1" check 1; }
page_shown() { ctl_is "$T" "$1" visible 1; }
read_top_dialog() {
    local line
    line=$(probe top-dialog) || return 1
    read -r dlg_hwnd dlg_x dlg_y dlg_w dlg_h dlg_title <<<"$line"
}
top_dialog_is() { read_top_dialog && [ "$dlg_title" = "$1" ]; }

json() { python3 -c "import json,sys; d=json.load(open(sys.argv[1])); print($2)" "$1"; }
profile_field() {
    "$E2E_NATIVE/tools/orva7100ctl/orva7100ctl" profile show "$1" >"$E2E_WORK/profile.json" \
        2>/dev/null && json "$E2E_WORK/profile.json" "$2"
}
rate_applied() {
    [ "$(profile_field "$profiles/Default1.profile" "d['reportRate']")" = 1 ] && slots_match "$profiles"
}

# drawn_at_scale FILE: at 200 % the main window's picture is no 100 % picture doubled, and the
# round edge of the mouse drawn in the header (an ellipse centred at 640, 90, 35 by 50 pixels)
# has shades inside the 2 x 2 blocks that doubling would make uniform.
drawn_at_scale() {
    local undoubled edge
    undoubled=$(undoubled_pixels "$1")
    echo "$percent %: $undoubled pixels of the main window differ from a doubled picture"
    [ "${undoubled:-0}" -gt 5000 ] 2>/dev/null ||
        fail "$percent %: the main window looks like a 100 % picture doubled ($undoubled)"
    # The lower right quarter of the ellipse's edge, clear of every control.
    convert "$1" -crop "$(scaled 24)x$(scaled 30)+$(scaled 652)+$(scaled 108)" +repage \
        "$E2E_WORK/edge.png"
    edge=$(undoubled_pixels "$E2E_WORK/edge.png")
    echo "$percent %: $edge pixels of the mouse's edge differ from a doubled picture"
    [ "${edge:-0}" -gt 20 ] 2>/dev/null ||
        fail "$percent %: the mouse's round edge in the header is doubled pixels ($edge)"
}

# ---- the checks, each ending at its first failure (what follows would only repeat it) -------

# Each page by its button at the scaled place, its controls at their scaled rectangles, ending
# on the mouse page the window starts with.
check_pages() {
    local entry button page name
    for entry in $kPageSensor:$kSensorPage:sensor $kPageColour:$kColourPage:colour \
        $kPageMacro:$kMacroPage:macro $kPageSupport:$kSupportPage:support \
        $kPageMouse:$kMousePage:mouse; do
        IFS=: read -r button page name <<<"$entry"
        click_place "$button"
        wait_until 5 page_shown "$page" || {
            fail "$percent %: a click on the $name page's button did not show the page"
            return 1
        }
        wait_until 5 latched "$button" || fail "$percent %: the $name page's button is not latched"
        expect_in_place "$T" "$(layout "$page")" "the $name page" "$page"
        shot "$name-page" "$T"
    done
}

# A check box toggles; the report rate changed and applied reaches the mouse.
check_apply() {
    local acceleration images
    acceleration=$(ctl_value "$T" $kAccelerationOn check $kMousePage)
    click_place $kAccelerationOn $kMousePage
    wait_until 5 ctl_isnt "$T" $kAccelerationOn check "$acceleration" $kMousePage ||
        fail "$percent %: the acceleration check box did not toggle"
    click_place $kRate500 $kMousePage
    wait_until 5 ctl_is "$T" $kRate500 check 1 $kMousePage || {
        fail "$percent %: 500 Hz did not check"
        return 1
    }
    images=$(transcript_count "SET 05")
    click_place $kApply
    wait_until 15 rate_applied || fail "$percent %: Apply did not bring 500 Hz to the mouse"
    [ "$(transcript_count "SET 05")" -gt "$images" ] || fail "$percent %: Apply wrote no profile image"
}

# Profile 2's menu, its rows grown with the scale; its first item opens the rename dialog,
# whose Cancel closes it.
check_menu() {
    click_place $kMenu2
    wait_until 2 menu_open || { click_place $kMenu2 && wait_until 5 menu_open; } || {
        fail "$percent %: no menu on profile 2"
        return 1
    }
    read_menu 0 4 || {
        fail "$percent %: the menu cannot be read"
        return 1
    }
    shot profile-menu "$T"
    echo "$percent %: the profile menu is $mw x $mh"
    local pad row rename
    pad=$(scaled 4)
    [ "$mh" -ge $((4 * $(scaled 15) + 2 * pad)) ] ||
        fail "$percent %: the menu's four rows are $mh pixels high, too little for the scale"
    row=$(((mh - 2 * pad) / 4))
    click_screen $((mx + $(scaled 30))) $((my + pad + row / 2))
    wait_until 5 top_dialog_is Rename || {
        fail "$percent %: the menu's first item did not open the rename dialog"
        return 1
    }
    rename=$(layout rename)
    expect_scaled_size $(size_of "$rename") "$dlg_w" "$dlg_h" "the rename dialog"
    expect_in_place Rename "$rename" "the rename dialog"
    shot rename Rename
    click_dialog_place "$rename" $kRenameCancel
    wait_until 5 window_gone Rename || fail "$percent %: Cancel did not close the rename dialog"
}

# The macro page: a new macro with a few recorded keys in the editor; Delete asks in the
# pop-up, whose Cancel keeps the macro.
check_macro_editor() {
    click_place $kPageMacro
    wait_until 5 page_shown $kMacroPage || {
        fail "$percent %: the macro page did not show"
        return 1
    }
    click_place $kNewMacro $kMacroPage
    wait_until 5 ctl_is "$T" $kNameEdit visible 1 $kList || {
        fail "$percent %: New Macro showed no name box"
        return 1
    }
    focus_window "$T"
    type_text scaled
    press_keys Return
    wait_until 5 ctl_is "$T" $kList count 1 || fail "$percent %: the new macro is not in the list"
    click_place $kStartRecord $kMacroPage
    wait_until 5 ctl_is "$T" $kStopRecord visible 1 || {
        fail "$percent %: recording did not start"
        return 1
    }
    focus_window "$T"
    type_text abc
    click_place $kStopRecord $kMacroPage
    wait_until 5 ctl_is "$T" $kStartRecord visible 1 || fail "$percent %: recording did not stop"
    shot macro-editor "$T"
    # The macro's name in the list, in accent letters, is as wide as the scale makes it (38
    # pixels at 100 %): not left at its 100 % size, not scaled twice.
    local x y w h ox oy ink
    read -r ox oy <<<"$(page_origin $kMacroPage)"
    scaled_rect_into ink $(place "$(layout $kMacroPage)" $kList)
    IFS=, read -r x y w h <<<"$ink"
    ink=$(convert "$ORVA_ARTIFACTS/$E2E_NAME-macro-editor.png" -crop "${w}x${h}+$((ox + x))+$((oy + y))" \
        +repage -fx 'g > 0.55 && b < 0.45 ? 1 : 0' -format '%@' info: | sed 's/x.*//')
    echo "$percent %: the macro's name in the list is $ink pixels wide"
    [ "${ink:-0}" -ge "$(scaled 28)" ] && [ "$ink" -le "$(scaled 50)" ] 2>/dev/null ||
        fail "$percent %: the macro's name in the list is ${ink:-no} pixels wide, not about $(scaled 38)"

    local popup
    click_place $kDelete $kMacroPage
    wait_until 10 top_dialog_is "Delete macro" || {
        fail "$percent %: Delete showed no pop-up"
        return 1
    }
    popup=$(layout popup $kDeleteMacroMode)
    expect_scaled_size $(size_of "$popup") "$dlg_w" "$dlg_h" "the pop-up"
    expect_in_place "Delete macro" "$popup" "the pop-up"
    shot popup "Delete macro"
    click_dialog_place "$popup" $kPopupCancel
    wait_until 5 window_gone "Delete macro" || fail "$percent %: Cancel did not close the pop-up"
    ctl_is "$T" $kList count 1 || fail "$percent %: Cancel deleted the macro"
}

# ---- the run -------------------------------------------------------------------------------

# Pictures of an earlier run would pass for this one's.
rm -f "$ORVA_ARTIFACTS/$E2E_NAME"-*.png
set_dpi $((96 * percent / 100))
start_mouse
start_configurator
wait_until 30 window_visible "$T" || {
    fail "the main window did not show at $percent %"
    e2e_finish
}
main=$(layout main)
read -r _ _ _ width height <<<"$(probe find "$T")"
wait_until 5 latched $kProfile1 || fail "profile 1 is not current at start"
shot main "$T"
expect_scaled_size $(size_of "$main") "$width" "$height" "the main window"
# Clicks at scaled places cannot reach a window that did not scale.
[ "$e2e_failures" = 0 ] || {
    expect_in_place "$T" "$main" "the main window"
    e2e_finish
}
check_pages && [ "$percent" = 200 ] && drawn_at_scale "$ORVA_ARTIFACTS/$E2E_NAME-mouse-page.png"
# Some pages are made only when first needed: every one is there once all have been shown.
expect_in_place "$T" "$main" "the main window"
check_apply
check_menu
check_macro_editor
e2e_finish
