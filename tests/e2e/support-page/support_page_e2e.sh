#!/usr/bin/env bash
# The support page of ORVA7100.exe end to end:
#   "Check Firmware" with config.ini versions above, equal to and below the mouse's (and without
#   config.ini) starts the real Updater.exe with "1", "3", "0" (and "1"), which shows its notice:
#   the update offer, the up-to-date notice, the driver offer, each known by its picture and buttons;
#   "Online Support" and "Check Updates" hand their addresses to the shell, where a recorder
#   registered as the prefix's browser writes them down; unplugging and plugging the virtual
#   mouse turns "Firm Version" to "-.--" and back to "1.09". While the updater it started runs,
#   nothing of the configurator reaches the mouse; when the updater ends, the poll goes on.
# usage: support_page_e2e.sh DIST_DIR PROBE_EXE RECORDER_EXE [NATIVE_BUILD]
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/notices.sh"
recorder_exe=$3
e2e_begin support-page "$1" "$2" "${4:-}"

T=$E2E_TITLE
kPageSupport=1004 kSupportPage=133
kOnline=1071 kUpdates=1072 kFirmware=1073 kSoft=1081 kFirm=1082

# The prefix's browser: a recorder that writes each address it is given into arguments.txt.
mkdir -p "$WINEPREFIX/drive_c/t"
cp "$recorder_exe" "$WINEPREFIX/drive_c/t/rec.exe"
for scheme in http https; do
    wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /t REG_SZ \
        /d '"C:\t\rec.exe" "%1"' /f >/dev/null 2>&1 || fail "cannot register the recorder for $scheme"
done
addresses=$WINEPREFIX/drive_c/t/arguments.txt

start_mouse
start_configurator
wait_until 30 window_visible "$T" || { fail "the main window did not show"; e2e_finish; }
value() { ctl_value "$T" "$1" "$2" $kSupportPage; }
click_button() {
    # Two clicks on one button within the double-click time are a double click: a person waits.
    sleep 0.6
    click_ctl "$T" "$1" $kSupportPage
}

click_ctl "$T" $kPageSupport
wait_until 10 ctl_is "$T" $kFirmware visible 1 $kSupportPage || { fail "the support page did not show"; e2e_finish; }
[ "$(value $kSoft text)" = 1.34 ] || fail "Soft Version shows '$(value $kSoft text)'"
wait_until 5 eval '[ "$(value $kFirm text)" = 1.09 ]' || fail "Firm Version shows '$(value $kFirm text)'"
shot support-page "$T"

# ---- web pages ---------------------------------------------------------------------------------
lines() { [ -f "$addresses" ] && grep -c . "$addresses" || echo 0; }
click_button $kOnline
wait_until 15 eval '[ "$(lines)" -ge 1 ]' || fail "Online Support reached no browser"
click_button $kUpdates
wait_until 15 eval '[ "$(lines)" -ge 2 ]' || fail "Check Updates reached no browser"
# The order in which two workers reach the shell is not fixed.
sort "$addresses" 2>/dev/null | tr -d '\r' >"$E2E_WORK/addresses.txt"
printf '%s\n' "https://support.velmor.com/" \
    "https://support.velmor.com/categories/20014118-software-manual-downloads" |
    sort | cmp -s - "$E2E_WORK/addresses.txt" || fail "addresses: $(cat "$E2E_WORK/addresses.txt")"

# ---- Check Firmware ------------------------------------------------------------------------------
romvane=$E2E_INSTALL/Romvane
# The updaters running in this test's prefix (other tests may run updaters of their own).
updater_pids() {
    local pid
    for pid in $(pgrep -f 'Updater\.exe'); do
        tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
}
# The argument of the running updater, from its command line.
updater_argument() {
    local pid
    for pid in $(updater_pids); do
        tr '\0' ' ' <"/proc/$pid/cmdline" | sed -n 's/.*Updater\.exe"\{0,1\} \([0-9]\).*/\1/p'
    done | head -n 1
}
notice_shown() {
    local line title
    line=$(probe top-dialog) || return 1
    read -r nhwnd nx ny nw nh title <<<"$line"
    # The notices have no title; the configurator's windows all have one.
    [ -z "${title:-}" ]
}
updater_gone() { [ -z "$(updater_pids)" ]; }
reports() { wc -l <"$E2E_TRANSCRIPT" 2>/dev/null || echo 0; }
reports_since() { tail -n +$(($1 + 1)) "$E2E_TRANSCRIPT" | grep -c "^$2" || true; }
# check_firmware NAME ARGUMENT NOTICE: the updater starts with ARGUMENT and shows NOTICE.
check_firmware() {
    local name=$1 expected=$2
    click_button $kFirmware
    if wait_until 20 notice_shown; then
        local argument
        argument=$(updater_argument)
        [ "$argument" = "$expected" ] || fail "$name: the updater got '$argument', not $expected"
        shot "notice-$name"
        expect_notice "$3" "$E2E_INSTALL_WIN\\Romvane\\Updater.exe" "$name"
        # The updater owns the mouse: three poll periods pass without a report of ours.
        local before
        before=$(reports)
        sleep 1.5
        [ "$(reports_since "$before" "SET")" = 0 ] ||
            fail "$name: the configurator wrote to the mouse while the updater ran"
        # Every notice has its cancel or close button at the same place.
        point_at $((nx + 344)) $((ny + 162)) && xdotool click 1
        wait_until 15 updater_gone || fail "$name: the updater did not end"
        before=$(reports)
        wait_until 5 eval '[ "$(reports_since "$before" "SET 0303")" -ge 1 ]' ||
            fail "$name: the poll did not go on after the updater"
    else
        fail "$name: no updater notice"
    fi
}
write_version() { printf '[Firmware]\r\nName=ORVA7100.bin\r\nVersion=%s\r\n' "$1" >"$romvane/config.ini"; }
cp "$romvane/config.ini" "$E2E_WORK/config.ini.shipped" 2>/dev/null
write_version 110
check_firmware newer 1 update-offer
write_version 109
check_firmware equal 3 up-to-date
write_version 108
check_firmware older 0 driver-offer
rm -f "$romvane/config.ini"
check_firmware no-config 1 update-offer

# ---- Firm Version follows the mouse ------------------------------------------------------------------
mouse_ctl unplug >/dev/null
wait_until 10 eval '[ "$(value $kFirm text)" = "-.--" ]' || fail "unplugged: '$(value $kFirm text)'"
shot support-page-unplugged "$T"
mouse_ctl plug >/dev/null
wait_until 10 eval '[ "$(value $kFirm text)" = 1.09 ]' || fail "plugged in: '$(value $kFirm text)'"

e2e_finish
