#!/usr/bin/env bash
# The three Windows programs on the mouse as a real HID device of the Wine prefix (the test
# drivers of virtual-mouse/wine-hid, plugged in by scripts/wine-hid-mouse.sh), with no
# ORVA7100_VIRTUAL_MOUSE in their environment: SetupDi enumeration, overlapped feature requests,
# device notifications and hiddriver.dll's Windows channel, as a real mouse meets them.
#   ctl       orva7100ctl.exe device info and device apply: the apply's reports equal those of
#             orva7100ctl's apply of the same files on the loopback path, every chunk whole; a
#             rejected report fails device info; a mouse answering after 10 s fails device
#             info, the configurator's Apply and the updater (through hiddriver.dll's Windows
#             channel) within their limits; unplugged, no mouse
#   apply     the configurator's Apply of five two-chunk profiles to a mouse that acknowledges
#             late equals orva7100ctl's, every chunk whole
#   apply-unplug-at-N  the mouse vanishing at report N of an Apply (1: the first select, 9 and
#             24: images, 46: the last select): the system's messages, the program runs on,
#             and after plugging in the next Apply is whole
#   presence  start-up with the mouse present: Firm Version follows removal and arrival, the
#             poll follows a profile switched on the mouse; an arrival while a process named
#             UPDATER.EXE runs leaves the link closed; start-up without the mouse, then arrival
#   updater   a whole flash to a busy mouse that asks for each report twice: it leaves the bus
#             after the start step and comes back, the updater reconnects and the mouse holds
#             the file
#   updater-vanish  the same mouse vanishing between blocks: the failure notice, and the next
#             run completes
# usage: hid_path_e2e.sh CASE DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
case_name=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin "hid-path-$case_name" "$1" "$2" "${3:-}"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/unplug.sh"

hid_dir=${ORVA_WINDOWS_BUILD:-$(dirname "$E2E_DIST")}/wine-hid
if [ ! -f "$hid_dir/orvabus.sys" ]; then
    echo "FAIL: no test HID drivers in $hid_dir (build the windows preset)"
    exit 1
fi
ctl_exe="$E2E_INSTALL_WIN\\orva7100ctl.exe"
T=$E2E_TITLE
kProfile1=1007 kProfile2=1008 kProfile3=1009 kProfile4=1010
kPageSupport=1004 kSupportPage=133 kFirm=1082
kUpdaterTitle="Kelti Gaming Mouse Firmware update"
kSuccessTitle="Firmware upgrade success"

# ---- helpers -----------------------------------------------------------------------------------

# The HID interface of the mouse is present (or absent) within the tool's own deadline.
hid_tool() { wine "$hid_dir/orva-hid-tool.exe" "$@" >/dev/null 2>&1; }
hid_present() { hid_tool wait present; }
hid_absent() { hid_tool wait absent; }

# Every image chunk and firmware block in the transcript arrived at its full 1025 bytes.
chunks_whole() {
    ! grep -E '^SET (05|22)' "$E2E_TRANSCRIPT" | awk '{ if (length($2) != 2050) bad = 1 } END { exit !bad }'
}

# loopback_sets FILE ARGS...: the SET lines (without the poll's questions) that orva7100ctl's
# apply of the same files writes into a second virtual mouse on the loopback path.
loopback_sets() {
    local out=$1
    shift
    "$E2E_NATIVE/virtual-mouse/orva-virtual-mouse" --listen 127.0.0.1:0 \
        --transcript "$E2E_WORK/ctl-transcript.txt" --quiet >"$E2E_WORK/ctl-mouse.out" 2>&1 &
    local ctl_mouse=$!
    wait_until 10 grep -qs "^listening on " "$E2E_WORK/ctl-mouse.out"
    "$ctl" --device "virtual:$(sed -n 's/^listening on //p' "$E2E_WORK/ctl-mouse.out")" device \
        apply "$@" >/dev/null || fail "orva7100ctl device apply on the loopback path failed"
    kill "$ctl_mouse" 2>/dev/null
    wait "$ctl_mouse" 2>/dev/null
    grep '^SET' "$E2E_WORK/ctl-transcript.txt" | grep -v '^SET 030[34]' >"$out"
}
# sets_since N FILE: the same from the transcript of the mouse under test, after line N.
sets_since() {
    tail -n +$(($1 + 1)) "$E2E_TRANSCRIPT" | grep '^SET' | grep -v '^SET 030[34]' >"$2"
}
# An Apply that began after line N is done, closing select included: as many reports as
# orva7100ctl's apply on the loopback path wrote (loop-sets.txt). A select of profile 3 and its
# operand read alike, so the reports are counted, not the selects.
apply_done() {
    sets_since "$1" "$E2E_WORK/app-sets.txt" &&
        [ "$(wc -l <"$E2E_WORK/app-sets.txt")" -ge "$(wc -l <"$E2E_WORK/loop-sets.txt")" ]
}

# The transcripts of a failed comparison, for the artifacts: the whole one of the mouse under
# test, the reports of its Apply and those of orva7100ctl's.
keep_transcripts() {
    mkdir -p "$ORVA_ARTIFACTS"
    local name
    for name in transcript app-sets loop-sets; do
        cp "$E2E_WORK/$name.txt" "$ORVA_ARTIFACTS/$E2E_NAME-$name.txt" 2>/dev/null
    done
    echo "transcripts kept in $ORVA_ARTIFACTS/$E2E_NAME-*.txt"
}

start_and_wait() {
    start_configurator
    wait_until 30 window_visible "$T" || {
        fail "the main window did not show"
        e2e_finish
    }
}
stop_configurator() {
    probe post "$T" 0x0012 0 0 >/dev/null
    wait_until 15 configurator_ended || fail "the configurator did not end"
}
latched() { ctl_is "$T" "$1" check 1; }
firm_is() { ctl_is "$T" $kFirm text "$1" $kSupportPage; }
show_support_page() {
    click_ctl "$T" $kPageSupport
    wait_until 10 ctl_is "$T" $kFirm visible 1 $kSupportPage || fail "the support page did not show"
}

# The updater's notices: a click on the one button at the bottom right.
dismiss_notice() {
    local notice=$dlg_hwnd
    click_moved_from_button $((dlg_x + 344)) $((dlg_y + 162))
    wait_until 10 box_replaced "$notice" || fail "the notice did not end on its button"
}
# A notice with this title, other than the window NOT_HWND, that has stopped moving: a notice
# is centred after it appears, so it is only clicked once it stays put.
settled_key=""
notice_settled() {
    top_dialog && [ "$dlg_title" = "$1" ] && [ "$dlg_hwnd" != "$2" ] || return 1
    local key="$dlg_hwnd $dlg_x $dlg_y"
    [ "$key" = "$settled_key" ] && return 0
    settled_key=$key
    return 1
}
wait_notice() {
    settled_key=""
    wait_until "$3" notice_settled "$1" "$2"
}
updater_pid=""
start_updater() {
    start_program "$E2E_INSTALL_WIN\\Romvane\\Updater.exe" "$@"
    updater_pid=$E2E_LAST_PID
}
updater_ended() { program_ended "$updater_pid"; }
# make_image FILE SIZE: random bytes.
make_image() { head -c "$2" /dev/urandom >"$1"; }
write_config() {
    printf '[Firmware]\r\nName=%s\r\nVersion=110\r\n' "$1" >"$E2E_INSTALL/Romvane/config.ini"
}
firmware_is() { cmp -s "$E2E_MOUSE_STATE/firmware.bin" "$1"; }

begin_on_hid() {
    start_mouse "$@"
    plug_hid_mouse || {
        fail "the HID mouse was not plugged in"
        e2e_finish
    }
}

# ---- cases -------------------------------------------------------------------------------------

case_ctl() {
    write_long_profiles
    begin_on_hid
    local info
    info=$(wine "$ctl_exe" device info 2>/dev/null | tr -d '\r')
    [ "$info" = '{"firmwareVersion":109}' ] || fail "device info on the HID path said '$info'"

    local before profiles_win="$appdata_win\\Profiles"
    before=$(lines)
    wine "$ctl_exe" device apply "$profiles_win"\\Default{1,2,3,4,5}.profile --current 2 \
        --firmware 109 >/dev/null 2>&1 || fail "orva7100ctl.exe device apply on the HID path failed"
    sets_since "$before" "$E2E_WORK/hid-sets.txt"
    loopback_sets "$E2E_WORK/loop-sets.txt" "$data/Profiles"/Default{1,2,3,4,5}.profile \
        --current 2 --firmware 109
    [ "$(grep -c '^SET 05' "$E2E_WORK/hid-sets.txt")" = 10 ] || fail "the apply wrote no ten chunks"
    cmp -s "$E2E_WORK/hid-sets.txt" "$E2E_WORK/loop-sets.txt" ||
        { fail "device apply's reports differ between the HID and the loopback path"; keep_transcripts; }
    chunks_whole || fail "a chunk arrived cut"
    mouse_holds_app_profiles || fail "the mouse does not hold the applied images"

    # A report the mouse rejects fails the command.
    mouse_ctl fault reject-report 4 >/dev/null
    info=$(wine "$ctl_exe" device info 2>&1 | tr -d '\r')
    [[ "$info" == '{"error":"send-failed","message":"reading the device information failed."'* ]] ||
        fail "device info with report 4 rejected said '$info'"
    mouse_ctl fault clear >/dev/null

    silent_mouse
    unplug_hid_mouse || fail "the HID mouse was not unplugged"
    info=$(wine "$ctl_exe" device info 2>&1 | tr -d '\r')
    [[ "$info" == '{"error":"no-mouse","message":"ORVA mouse no found."'* ]] ||
        fail "device info without the mouse said '$info'"
}

# A mouse that answers each transfer after 10 s: every program's command fails within its
# limit, through the overlapped requests of the configurator and orva7100ctl and through
# hiddriver.dll's Windows channel.
silent_mouse() {
    make_image "$E2E_INSTALL/Romvane/fw.bin" 3000
    write_config fw.bin
    mouse_ctl fault latency 10000 >/dev/null
    local start=$SECONDS waited
    wine "$ctl_exe" device info >/dev/null 2>"$E2E_WORK/silent-info.txt" &&
        fail "device info succeeded on a silent mouse"
    grep -q '^{"error":"timed-out",' "$E2E_WORK/silent-info.txt" ||
        fail "device info on a silent mouse said '$(cat "$E2E_WORK/silent-info.txt")'"
    waited=$((SECONDS - start))
    echo "device info on a mouse answering after 10 s failed after $waited s"
    [ $waited -le 8 ] || fail "device info waited $waited s"

    mouse_ctl fault clear >/dev/null
    start_and_wait
    # The apply above left profile 2 active.
    wait_until 10 latched $kProfile2 || fail "the poll did not take the mouse's profile 2"
    mouse_ctl fault latency 10000 >/dev/null
    # The poll's own questions fail the same way meanwhile, so the click may wait for one.
    start=$SECONDS
    click_ctl "$T" $kApply
    wait_until 30 top_dialog_is "$kMessageTitle" || fail "Apply on a silent mouse showed no message"
    waited=$((SECONDS - start))
    echo "Apply on a mouse answering after 10 s: the first message after $waited s"
    [ $waited -le 12 ] || fail "Apply's first message came after $waited s"
    answer_messages silent 30 || fail "Apply on a silent mouse showed no message"
    [ "$first_message" = "set current profile id failed." ] || fail "Apply on a silent mouse: '$first_message'"
    stop_configurator

    start=$SECONDS
    start_updater x
    wait_notice "" none 30 || fail "the updater on a silent mouse showed no failure notice"
    waited=$((SECONDS - start))
    echo "the updater on a mouse answering after 10 s failed after $waited s"
    [ $waited -le 15 ] || fail "the updater waited $waited s"
    dismiss_notice
    probe close "$kUpdaterTitle" >/dev/null
    wait_until 15 updater_ended || fail "the updater did not end"
    mouse_ctl fault clear >/dev/null
}

# The window on five two-chunk profiles with profile 3 current, and the reports orva7100ctl's
# apply of the same files writes on the loopback path (loop-sets.txt).
begin_apply() {
    write_long_profiles
    begin_on_hid "$@"
    # The window takes the mouse's profile on the poll's first answer, which may come late (a
    # poll that ran out of time rests five seconds); a profile chosen before it would be taken
    # back. With the mouse on profile 2 the window shows when that answer has come.
    mouse_ctl switch-profile 1 >/dev/null
    start_and_wait
    wait_until 15 latched $kProfile2 || fail "the poll did not take the mouse's profile 2"
    # The first click on a window that is not active yet may only activate it.
    click_ctl "$T" $kProfile3
    wait_until 3 latched $kProfile3 || { click_ctl "$T" $kProfile3 && wait_until 5 latched $kProfile3; } ||
        fail "profile 3 did not latch"
    loopback_sets "$E2E_WORK/loop-sets.txt" "$data/Profiles"/Default{1,2,3,4,5}.profile \
        --current 3 --firmware 109
}

case_apply() {
    # Each acknowledge comes on the third poll, as a busy mouse's does.
    begin_apply --ack-after 2
    local before
    before=$(lines)
    click_ctl "$T" $kApply
    wait_until 30 apply_done "$before" || fail "Apply did not finish"
    [ "$(grep -c '^SET 05' "$E2E_WORK/app-sets.txt")" = 10 ] || fail "Apply wrote no ten chunks"
    if ! cmp -s "$E2E_WORK/app-sets.txt" "$E2E_WORK/loop-sets.txt"; then
        fail "Apply's reports differ from orva7100ctl's ($(wc -l <"$E2E_WORK/app-sets.txt") and $(wc -l <"$E2E_WORK/loop-sets.txt") lines)"
        keep_transcripts
    fi
    chunks_whole || fail "a chunk arrived cut"
    wait_until 10 mouse_holds_app_profiles || fail "the mouse does not hold the applied images"
    top_dialog_is "$kMessageTitle" && fail "Apply showed '$(ctl_value "$kMessageTitle" $kMessageText text)'"
    shot main "$T"
    stop_configurator
}

# The mouse vanishes at report N of an Apply counted from its first select: in the first
# select (1), in the images of profiles 1 and 3 (9, 24), or in the last select (46); one point
# a run, so that the runs go side by side. The system's messages, the program runs on, and
# after plugging in the next Apply writes all five images (the slots were overwritten in
# between, so only a whole write makes them match).
case_apply_unplug_at() {
    begin_apply
    # Through Windows HID: the interface goes, and comes back before the slots are overwritten.
    replug_mouse() {
        hid_absent || fail "the HID mouse did not go after report $1"
        mouse_ctl plug >/dev/null
        hid_present || fail "the HID mouse did not come back after report $1"
    }
    apply_written() { apply_done "$1"; }
    unplug_round "$1" || e2e_finish
    chunks_whole || fail "a chunk arrived cut"
    shot "unplugged-$1" "$T"
    stop_configurator
}

case_presence() {
    begin_on_hid
    start_and_wait
    show_support_page
    wait_until 10 firm_is 1.09 || fail "start-up with the mouse: Firm Version '$(ctl_value "$T" $kFirm text $kSupportPage)'"
    shot support-page "$T"
    # The 500 ms poll follows the mouse's profile button.
    mouse_ctl switch-profile 3 >/dev/null
    wait_until 10 latched $kProfile4 || fail "the poll did not follow the switch to profile 4"
    # Removal and arrival as Windows reports them.
    mouse_ctl unplug >/dev/null
    wait_until 15 firm_is "-.--" || fail "after removal Firm Version shows '$(ctl_value "$T" $kFirm text $kSupportPage)'"
    shot unplugged "$T"
    mouse_ctl plug >/dev/null
    wait_until 15 firm_is 1.09 || fail "after arrival Firm Version shows '$(ctl_value "$T" $kFirm text $kSupportPage)'"

    # An arrival while a process named UPDATER.EXE runs leaves the link closed: nothing reaches
    # the mouse, not even the poll, and Firm Version stays unknown.
    cp "$E2E_WORK/probe.exe" "$E2E_WORK/UPDATER.EXE"
    wine "$E2E_WORK/UPDATER.EXE" wait "no such window" 120 >/dev/null 2>&1 &
    local updater=$!
    e2e_pids+=("$updater")
    mouse_ctl unplug >/dev/null
    wait_until 15 firm_is "-.--" || fail "the removal beside UPDATER.EXE was missed"
    mouse_ctl plug >/dev/null
    hid_present || fail "the HID mouse did not come back"
    local before
    before=$(lines)
    # The arrival reaches the window within a second of the interface; two more to be sure.
    wait_until 3 eval '[ "$(lines)" != "$before" ]' && fail "reports reached the mouse beside UPDATER.EXE"
    firm_is "-.--" || fail "beside UPDATER.EXE Firm Version shows '$(ctl_value "$T" $kFirm text $kSupportPage)'"
    kill "$updater" 2>/dev/null
    wait "$updater" 2>/dev/null
    stop_configurator

    # Start-up without the mouse, then its arrival.
    mouse_ctl unplug >/dev/null
    hid_absent || fail "the HID mouse did not go"
    start_and_wait
    show_support_page
    firm_is "-.--" || fail "start-up without the mouse: Firm Version '$(ctl_value "$T" $kFirm text $kSupportPage)'"
    mouse_ctl plug >/dev/null
    wait_until 15 firm_is 1.09 || fail "arrival after start-up: Firm Version '$(ctl_value "$T" $kFirm text $kSupportPage)'"
    mouse_ctl switch-profile 4 >/dev/null
    wait_until 10 latched 1011 || fail "the poll did not follow the switch to profile 5 after arrival"
    stop_configurator
}



# The updater's mouse stays away four seconds after the start step, so that its absence is
# seen; it is busy once before each status and asks for every report once more.
begin_updater() {
    begin_on_hid --restart-ms 4000 --busy 1 --resend 1
    updater_file=$E2E_INSTALL/Romvane/fw.bin
    make_image "$updater_file" "$1"
    write_config fw.bin
}

# A whole flash: the mouse leaves the bus after the start step and comes back, the updater
# reconnects and the mouse holds the file.
case_updater() {
    begin_updater 3500
    start_updater x
    wait_until 30 has_start_step || fail "the start step was not sent"
    hid_absent || fail "the HID mouse did not leave after the start step"
    hid_present || fail "the HID mouse did not come back after the start step"
    wait_notice "$kSuccessTitle" none 60 || fail "no success notice"
    firmware_is "$updater_file" || fail "the mouse's firmware differs from the file"
    chunks_whole || fail "a firmware block arrived cut"
    shot success
    dismiss_notice
    wait_until 15 updater_ended || fail "the updater did not end after success"
}

# The mouse vanishes between blocks (and comes back a second later): the failure notice; the
# next run completes. With this mouse each step is nine reports (the command, busy, accepted,
# the parameters, busy, resend, the parameters again, busy, accepted): the start, length and
# prepare steps and block 0's header and data make 45.
case_updater_vanish() {
    begin_updater 4000
    mouse_ctl fault vanish-after 45 >/dev/null
    start_updater x
    wait_notice "" none 60 || fail "no failure notice after the mouse vanished"
    shot failure
    dismiss_notice
    probe close "$kUpdaterTitle" >/dev/null
    wait_until 15 updater_ended || fail "the updater did not end after the failure"
    [ -f "$E2E_MOUSE_STATE/firmware.bin" ] && fail "the mouse holds a whole image after vanishing"
    mouse_ctl fault clear >/dev/null
    hid_present || fail "the HID mouse did not come back"
    start_updater x
    wait_notice "$kSuccessTitle" none 60 || fail "no success notice on the run after"
    firmware_is "$updater_file" || fail "the mouse's firmware differs from the file after the run after"
    chunks_whole || fail "a firmware block arrived cut"
    dismiss_notice
    wait_until 15 updater_ended || fail "the updater did not end"
}
has_start_step() { grep -q '^SET 215aa532' "$E2E_TRANSCRIPT" 2>/dev/null; }

case $case_name in
apply-unplug-at-[0-9]*) case_apply_unplug_at "${case_name#apply-unplug-at-}" ;;
*) "case_${case_name//-/_}" ;;
esac
e2e_finish
