#!/usr/bin/env bash
# The updater end to end under Wine and Xvfb against the virtual mouse, in a Wine prefix and an
# install folder of its own. Screenshots go to $ORVA_ARTIFACTS. Firmware images are random
# from a seed that the test prints; ORVA_TEST_SEED=N repeats a run.
# Each notice is checked by what it shows (its bitmap and buttons; tests/e2e/lib/notices.sh).
# usage: updater_e2e.sh CASE DIST_DIR WINTOOL_EXE DEFAULT_NATIVE_BUILD RECORDER_EXE PROBE_EXE
# (the recorder writes the arguments it is started with into arguments.txt beside itself)
set -u
case_name=$1
dist=$2
wintool_exe=$3
native=${ORVA_NATIVE_BUILD:-$4}
recorder_exe=$5
probe_exe=$6
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wait.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/notices.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/serve.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/pointer.sh"
# The display's DPI (dpi, set_dpi), scaled coordinates and sizes, undoubled_pixels.
source "$(dirname "${BASH_SOURCE[0]}")/../lib/scale.sh"

if [ -z "${DISPLAY:-}" ] || [ ! -d "${ORVA_WINE_TEMPLATE:-}" ]; then
    echo "SKIP: run inside the Wine session (source scripts/wine-session.sh)"
    exit 77
fi
server=$native/virtual-mouse/orva-virtual-mouse
ctl=$native/tools/orva7100ctl/orva7100ctl
for tool in "$server" "$ctl"; do
    if [ ! -x "$tool" ]; then
        echo "FAIL: no $tool (build the native preset first)"
        exit 1
    fi
done

seed=${ORVA_TEST_SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
echo "updater e2e $case_name: seed $seed (ORVA_TEST_SEED=$seed repeats it)"

kMainTitle="Kelti Gaming Mouse Firmware update"
kMonitorTitle="Velmor ORVA 7100 Mouse Monitor"
kSuccessTitle="Firmware upgrade success"
kMonitorExe="ORVA_Monitor.EXE"

# Wine takes file names from the command line in the locale's encoding.
export LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/orva-updater-e2e.XXXXXX")
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
server_pid=""
updater_pid=""
cleanup() {
    [ -n "$updater_pid" ] && kill "$updater_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
finish() {
    if [ "$failures" = 0 ]; then
        echo "updater e2e $case_name: passed"
        exit 0
    fi
    echo "updater e2e $case_name: $failures failures (seed $seed)"
    exit 1
}

# The install folder: the monitor in it, the updater and its driver library in Romvane below.
# INSTALL_NAME may have non-ASCII letters.
install_name=ORVA
[ "$case_name" = non-ascii ] && install_name="Установка_Ünï"
bash "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/copy-prefix.sh" "$ORVA_WINE_TEMPLATE" "$WINEPREFIX"
install=$WINEPREFIX/drive_c/$install_name
mkdir -p "$install/Romvane"
cp "$dist/Romvane/Updater.exe" "$dist/Romvane/hiddriver.dll" "$install/Romvane/"
cp "$dist/ORVA_Monitor.EXE" "$install/"
cp "$wintool_exe" "$work/wintool.exe"
cp "$recorder_exe" "$work/recorder.exe"
cp "$probe_exe" "$work/probe.exe"
state=$work/state
wineserver -p
wine cmd /c exit >/dev/null 2>&1
serve_start wintool "$work/wintool.exe" "$work"
serve_start probe "$work/probe.exe" "$work"

wt() { serve_or_run wintool "$work/wintool.exe" "$@"; }
probe() { serve_or_run probe "$work/probe.exe" "$@"; }
# notice NAME [WHAT]: the top dialog is the updater's notice NAME with its buttons.
updater_windows_path="C:\\$install_name\\Romvane\\Updater.exe"
notice() { expect_notice "$1" "$updater_windows_path" "${2:-$1}"; }


window_exists() { wt find "$1" >/dev/null; }
window_gone() { ! wt find "$1" >/dev/null; }
monitor_runs() { wt process "$kMonitorExe"; }

# The topmost visible dialog: sets dlg_hwnd, dlg_x, dlg_y, dlg_w, dlg_h, dlg_title.
read_top_dialog() {
    local line
    line=$(probe top-dialog) || return 1
    read -r dlg_hwnd dlg_x dlg_y dlg_w dlg_h dlg_title <<<"$line"
    return 0
}
# A dialog with exactly this title other than NOT_HWND, at the same place as at the last look:
# a notice is centred after it appears, so it is only clicked once it stays put.
settled_key=""
dialog_settled() {
    read_top_dialog && [ "$dlg_title" = "$1" ] && [ "$dlg_hwnd" != "$2" ] || return 1
    local key="$dlg_hwnd $dlg_x $dlg_y"
    [ "$key" = "$settled_key" ] && return 0
    settled_key=$key
    return 1
}
# wait_dialog TITLE NOT_HWND SECONDS
wait_dialog() {
    settled_key=""
    wait_until "$3" dialog_settled "$1" "$2"
}
# A notice ends: the top dialog is another one, or there is none.
dialog_left() { ! read_top_dialog || [ "$dlg_hwnd" != "$1" ]; }

# pixel FILE X Y: "R G B" of one pixel.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+.5)] %[fx:int(255*p{$2,$3}.g+.5)] %[fx:int(255*p{$2,$3}.b+.5)]" info: 2>/dev/null
}
# grab: the top dialog as $work/dialog.png (read_top_dialog first).
grab() {
    import -window root -crop "${dlg_w}x${dlg_h}+${dlg_x}+${dlg_y}" +repage "$work/dialog.png" \
        2>/dev/null
}
# The close button's X at the top right is drawn once the dialog has been painted.
close_button_drawn() {
    grab || return 1
    local r g b
    read -r r g b <<<"$(pixel "$work/dialog.png" "$(scaled 361)" "$(scaled 11)")"
    [ "${r:-0}" -gt 80 ]
}
keep_shot() {
    [ -n "${ORVA_ARTIFACTS:-}" ] || return 0
    mkdir -p "$ORVA_ARTIFACTS"
    cp "$work/dialog.png" "$ORVA_ARTIFACTS/updater-$case_name-$1.png"
}
# shot NAME: keeps a picture of the top dialog once it is painted.
shot() {
    wait_until 10 close_button_drawn || fail "$1: the dialog was not painted"
    keep_shot "$1"
}
# click X Y: a click at a 96-DPI position inside the top dialog, scaled to the display.
click() {
    point_at $((dlg_x + $(scaled "$1"))) $((dlg_y + $(scaled "$2"))) && xdotool click 1
}
# Clicks the one button at the notice's bottom right (Ok, Close, Cancel) and waits for the
# notice to go.
dismiss_notice() {
    local notice=$dlg_hwnd
    click_moved_from_button $((dlg_x + $(scaled $((319 + 25))))) $((dlg_y + $(scaled $((152 + 10)))))
    wait_until 10 dialog_left "$notice" || fail "the notice did not end on its button"
}

start_server() {
    "$server" --listen 127.0.0.1:0 --transcript "$work/transcript.txt" --state-dir "$state" \
        --quiet "$@" >"$work/server.out" 2>"$work/server.err" &
    server_pid=$!
    wait_until 10 grep -q "listening on" "$work/server.out" || { echo "FAIL: server"; exit 1; }
    export ORVA7100_VIRTUAL_MOUSE=$(sed -n 's/^listening on //p' "$work/server.out")
}
mouse() { "$ctl" virtual "$@" >/dev/null; }
mouse_present() { "$ctl" virtual status 2>/dev/null | grep -q '"present":true'; }
start_monitor() {
    wine "$install/ORVA_Monitor.EXE" >/dev/null 2>&1 &
    wait_until 15 window_exists "$kMonitorTitle" || fail "the monitor did not start"
}
start_updater() {
    wine "$install/Romvane/Updater.exe" "$@" >/dev/null 2>&1 &
    updater_pid=$!
}
updater_ended() { ! kill -0 "$updater_pid" 2>/dev/null; }
expect_updater_ends() {
    wait_until "${1:-10}" updater_ended || fail "the updater did not end"
}
# write_config NAME: config.ini as UTF-16 with its byte order mark, which Windows reads
# whatever the code page, so a name may have any letters.
write_config() {
    printf '[Firmware]\r\nName=%s\r\nVersion=110\r\n' "$1" |
        python3 -c 'import sys; sys.stdout.buffer.write(b"\xff\xfe" + sys.stdin.read().encode("utf-16-le"))' \
            >"$install/Romvane/config.ini"
}
set_lines() { grep -c '^SET ' "$work/transcript.txt" 2>/dev/null || true; }
data_lines() { grep -c '^SET 22' "$work/transcript.txt" 2>/dev/null || true; }
has_line() { grep -q "^$1" "$work/transcript.txt" 2>/dev/null; }
at_least_data_lines() { [ "$(data_lines)" -ge "$1" ]; }

# make_image FILE MIN MAX: random bytes from the seed, MIN to MAX of them.
image_number=0
make_image() {
    image_number=$((image_number + 1))
    python3 - "$seed-$image_number" "$2" "$3" >"$1" <<'PY'
import random, sys
r = random.Random(sys.argv[1])
size = r.randint(int(sys.argv[2]), int(sys.argv[3]))
sys.stdout.buffer.write(bytes(r.getrandbits(8) for _ in range(size)))
PY
}
firmware_is() { cmp -s "$state/firmware.bin" "$1"; }

# The reports a transfer of FILE must send, computed here independently of the updater.
check_transcript() {
    python3 - "$1" "$work/transcript.txt" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
length = len(data)
want = ["2006090000000000", "215aa5321003cb0001",
        "2006090000010000", "21" + length.to_bytes(4, "little").hex() + "5aa52288",
        "2006090000020000", "21ec00000000000000"]
for i in range((length + 1023) // 1024):
    block = data[i * 1024:(i + 1) * 1024].ljust(1024, b"\0")
    checksum = sum(block) & 0xFFFF
    want += ["2006090000030000",
             "21" + i.to_bytes(2, "little").hex() + checksum.to_bytes(2, "little").hex() + "5aa52288",
             "2006010400040000", "22" + block.hex()]
got = [line.split()[1] for line in open(sys.argv[2]) if line.startswith("SET ")]
if got != want:
    for n, (g, w) in enumerate(zip(got, want)):
        if g != w:
            print(f"SET line {n + 1}: got {g[:40]}, wanted {w[:40]}")
            break
    print(f"{len(got)} SET lines, wanted {len(want)}")
    sys.exit(1)
PY
}

# The close button of the update window is disabled: the close waits for the transfer.
close_button_disabled() { wt buttons "$kMainTitle" | grep -q '^350 2 23 18 0$'; }
close_button_enabled() { wt buttons "$kMainTitle" | grep -q '^350 2 23 18 1$'; }

# flash_again FILE: a run straight into the transfer completes and the mouse holds FILE.
flash_again() {
    rm -f "$state/firmware.bin"
    wait_until 15 mouse_present || fail "the mouse did not come back"
    start_updater x
    wait_dialog "$kSuccessTitle" none 60 || fail "$1: no success notice on the run after"
    notice success "$1: the run after"
    firmware_is "$1" || fail "$1: the mouse's firmware differs from the file after the run after"
    dismiss_notice
    expect_updater_ends 10
}

# unplug_at N: the mouse vanishes after N more reports; the updater shows the failure notice
# and leaves when closed; a second run completes. A fresh image each time.
unplug_at() {
    local n=$1 file=$install/Romvane/fw.bin
    make_image "$file" 3073 4096  # four blocks: 12 + 4 x 8 reports
    rm -f "$state/firmware.bin"
    mouse fault vanish-after "$n"
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "unplug after $n: no update window"
    main=$dlg_hwnd
    wait_dialog "" "$main" 40 || fail "unplug after $n: no failure notice"
    notice failure "unplug after $n"
    [ "$n" = "$first_point" ] && shot "failure-after-unplug"
    dismiss_notice
    window_exists "$kMainTitle" || fail "unplug after $n: the update window did not stay"
    # Only the last block's acknowledgement was lost at the final point: the mouse has it all.
    if [ "$n" != "$last_point" ] && [ -f "$state/firmware.bin" ]; then
        fail "unplug after $n: the mouse holds a whole image"
    fi
    wt close "$kMainTitle" || fail "unplug after $n: no update window to close"
    expect_updater_ends 10
    flash_again "$file"
    echo "unplug after report $n: failure notice, then a complete flash ($failures failures so far)"
}

# failure_then_close [SHOT]: the failure notice comes; after its Ok the update window stays
# until it is closed, and then the updater ends.
failure_then_close() {
    wait_dialog "" none 20 || fail "no failure notice"
    [ -n "${1:-}" ] && shot "$1"
    notice failure
    dismiss_notice
    window_exists "$kMainTitle" || fail "the update window closed after the failure"
    wt close "$kMainTitle" || fail "no update window to close"
    expect_updater_ends 10
}

case "$case_name" in
flash)
    # Offer, warning, transfer with progress, success: the mouse holds the file, the monitor
    # comes back. A dozen blocks and a little latency, so the progress can be watched.
    make_image "$install/Romvane/fw.bin" 11265 12288
    write_config fw.bin
    start_server --latency 40
    start_monitor
    start_updater 1
    wait_dialog "" none 20 || fail "no update offer"
    shot update-offer
    notice update-offer
    offer=$dlg_hwnd
    click $((198 + 56)) $((152 + 10))
    wait_dialog "" "$offer" 10 || fail "no backup warning"
    shot backup-warning
    notice backup-warning
    click $((247 + 31)) $((152 + 10))
    wait_dialog "$kMainTitle" none 10 || fail "no update window"
    wait_until 10 window_gone "$kMonitorTitle" || fail "the monitor still runs during the transfer"
    # The bar is partly filled: its left end in the bar colour, its right end still black.
    bar_partly_filled() {
        read_top_dialog && [ "$dlg_title" = "$kMainTitle" ] && grab || return 1
        [ "$(pixel "$work/dialog.png" 24 112)" = "186 214 77" ] &&
            [ "$(pixel "$work/dialog.png" 348 112)" = "0 0 0" ]
    }
    wait_until 40 bar_partly_filled || fail "the progress bar never showed part of the image"
    keep_shot progress
    close_button_enabled || fail "the close button is not enabled during the transfer"
    wait_dialog "$kSuccessTitle" none 60 || fail "no success notice"
    shot success
    notice success
    firmware_is "$install/Romvane/fw.bin" || fail "the mouse's firmware.bin differs from the file"
    check_transcript "$install/Romvane/fw.bin" || fail "the reports sent differ"
    dismiss_notice
    expect_updater_ends 10
    wait_until 10 window_exists "$kMonitorTitle" || fail "the monitor was not started again"
    ;;
up-to-date | driver-offer)
    # "3" or "0": one notice, then the monitor runs: started if it was not running, and not
    # started a second time if it was. Download Driver hands the driver page to the browser at
    # each click, quick ones too, and leaves the notice open. "2" offers the update as "1" does.
    argument=3
    [ "$case_name" = driver-offer ] && argument=0
    start_server
    browsed=$WINEPREFIX/drive_c/t/arguments.txt
    if [ "$case_name" = driver-offer ]; then
        mkdir -p "$WINEPREFIX/drive_c/t"
        cp "$work/recorder.exe" "$WINEPREFIX/drive_c/t/rec.exe"
        for scheme in http https; do
            wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /t REG_SZ \
                /d '"C:\t\rec.exe" "%1"' /f >/dev/null 2>&1 || fail "no browser recorder for $scheme"
        done
    fi
    browsed_twice() { [ "$(grep -c . "$browsed" 2>/dev/null)" = 2 ]; }
    # Any start of the monitor program now leaves a line in arguments.txt beside it.
    monitor_file=$install/$kMonitorExe
    monitor_starts=$install/arguments.txt
    for monitor in running absent; do
        if [ "$monitor" = running ]; then
            start_monitor
            mv "$monitor_file" "$work/monitor.exe"
            cp "$work/recorder.exe" "$monitor_file"
        fi
        start_updater "$argument"
        wait_dialog "" none 20 || fail "no notice (monitor $monitor)"
        notice "$case_name" "\"$argument\" (monitor $monitor)"
        notice=$dlg_hwnd
        [ "$monitor" = absent ] && shot notice
        if [ "$case_name" = driver-offer ] && [ "$monitor" = running ]; then
            point_at $((dlg_x + 198 + 56)) $((dlg_y + 152 + 10)) &&
                xdotool click --repeat 2 --delay 120 1
            wait_until 15 browsed_twice || fail "Download Driver, twice: $(cat "$browsed" 2>/dev/null)"
            grep -vqxF "https://support.velmor.com/categories/20014118-software-manual-downloads" \
                <(tr -d '\r' <"$browsed") && fail "Download Driver opened: $(cat "$browsed")"
            read_top_dialog && [ "$dlg_hwnd" = "$notice" ] || fail "Download Driver ended the notice"
        fi
        dismiss_notice
        expect_updater_ends 10
        if [ "$monitor" = running ]; then
            # A start would still run, or would have left its line: the updater has ended.
            [ "$(wt processes "$kMonitorExe")" = 1 ] && [ ! -e "$monitor_starts" ] ||
                fail "a second monitor was started beside the running one"
            window_exists "$kMonitorTitle" || fail "the running monitor was closed"
            mv -f "$work/monitor.exe" "$monitor_file"
        fi
        wait_until 10 window_exists "$kMonitorTitle" || fail "no monitor after the notice ($monitor)"
        wt close "$kMonitorTitle"
        wait_until 10 window_gone "$kMonitorTitle" || fail "the monitor did not close"
    done
    if [ "$case_name" = driver-offer ]; then
        # "2": the update offer, then the backup warning; a cancel there ends the updater.
        start_updater 2
        wait_dialog "" none 20 || fail "2: no update offer"
        notice update-offer '"2"'
        offer=$dlg_hwnd
        click $((198 + 56)) $((152 + 10))
        wait_dialog "" "$offer" 10 || fail "2: no backup warning after the update offer"
        notice backup-warning '"2"'
        dismiss_notice
        expect_updater_ends 10
        wait_until 10 window_exists "$kMonitorTitle" || fail "2: no monitor after the cancel"
    fi
    [ "$(set_lines)" = 0 ] || fail "reports were sent"
    ;;
second-instance)
    start_server
    start_monitor
    start_updater 3
    wait_dialog "" none 20 || fail "no notice of the first updater"
    notice up-to-date '"3"'
    first=$dlg_hwnd
    timeout 20 wine "$install/Romvane/Updater.exe" 1 >/dev/null 2>&1
    [ $? = 0 ] || fail "the second updater did not end at once"
    read_top_dialog && [ "$dlg_hwnd" = "$first" ] || fail "the second updater showed a window"
    dismiss_notice
    expect_updater_ends 10
    ;;
missing-file)
    # No image: the failure notice, no reports; closing does not restart the monitor.
    write_config absent.bin
    start_server
    start_monitor
    start_updater x
    failure_then_close failure
    # The updater has ended: it cannot send or start anything any more.
    [ "$(set_lines)" = 0 ] || fail "reports were sent without an image"
    monitor_runs && fail "the monitor was started after a failure"
    ;;
failed-transfer)
    # The mouse refuses the start parameters: the failure notice, the window stays, nothing
    # but the start step was sent, no monitor.
    make_image "$install/Romvane/fw.bin" 2049 3072
    write_config fw.bin
    start_server --reject-report 33
    start_updater x
    failure_then_close failure
    sent=$(grep '^SET ' "$work/transcript.txt" | cut -d' ' -f2 | tr '\n' ' ')
    [ "$sent" = "2006090000000000 215aa5321003cb0001 " ] ||
        fail "reports other than the refused start step: $sent"
    monitor_runs && fail "the monitor was started after a failure"
    ;;
missing-driver)
    # No driver library: the failure notice, no reports, the window stays until closed.
    make_image "$install/Romvane/fw.bin" 2049 3072
    write_config fw.bin
    rm "$install/Romvane/hiddriver.dll"
    start_server
    start_updater x
    failure_then_close
    [ "$(set_lines)" = 0 ] || fail "reports were sent"
    ;;
busy-and-resend)
    # A mouse that is busy twice and asks for every report once more still gets the image,
    # each repeated report sent again unchanged. The image is named by a full path.
    mkdir -p "$install/images"
    make_image "$install/images/fw.bin" 3073 4096
    write_config 'C:\ORVA\images\fw.bin'
    start_server --busy 2 --resend 1
    start_updater x
    wait_dialog "$kSuccessTitle" none 90 || fail "no success notice"
    notice success
    firmware_is "$install/images/fw.bin" || fail "the mouse's firmware.bin differs from the file"
    python3 - "$work/transcript.txt" <<'PY' || fail "resent reports differ from the first sending"
import sys
sets = [line.split()[1] for line in open(sys.argv[1]) if line.startswith("SET ")]
# Every parameter and data report goes out twice in a row; command reports once.
i = 0
while i < len(sets):
    if sets[i].startswith("2006"):
        i += 1
        continue
    if i + 1 >= len(sets) or sets[i + 1] != sets[i]:
        sys.exit(1)
    i += 2
PY
    dismiss_notice
    expect_updater_ends 10
    ;;
close-before-start)
    # The mouse is busy with the start command for eleven seconds; a close meanwhile ends the
    # updater at once, and the start parameters never go out.
    make_image "$install/Romvane/fw.bin" 2049 3072
    write_config fw.bin
    start_server --busy 12 --updater-fault-step 0
    start_monitor
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "no update window"
    wait_until 20 has_line "GET 2003" || fail "the start step was not sent"
    wt close "$kMainTitle" || fail "no update window to close"
    expect_updater_ends 4
    [ "$(set_lines)" = 1 ] || fail "reports other than the start command: $(set_lines)"
    monitor_runs && fail "the monitor was started after a stopped transfer"
    ;;
close-while-reconnecting)
    # A close once the mouse has been told to start is remembered: the close button shows it,
    # and when the whole image is in the mouse the success notice still tells the user to
    # unplug and plug in the mouse; the window ends on its Ok.
    make_image "$install/Romvane/fw.bin" 2049 3072
    write_config fw.bin
    start_server
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "no update window"
    wait_until 20 has_line "SET 215aa532" || fail "the start parameters were not sent"
    wt close "$kMainTitle" || fail "no update window to close"
    wait_until 5 close_button_disabled || fail "the close button does not show the close"
    read_top_dialog && grab && keep_shot closing
    read -r r g b <<<"$(pixel "$work/dialog.png" 361 11)"
    [ "${r:-0}" -gt 80 ] && [ "${r:-0}" -lt 150 ] || fail "the close button is not drawn dimmed ($r)"
    # Still there while the mouse restarts.
    updater_ended && fail "the updater ended under a running transfer"
    wt close "$kMainTitle" || fail "the update window went at the second close"
    wait_dialog "$kSuccessTitle" none 40 || fail "no success notice after the close"
    shot success-after-close
    notice success "after the close"
    dismiss_notice
    expect_updater_ends 10
    firmware_is "$install/Romvane/fw.bin" || fail "the transfer did not finish after the close"
    check_transcript "$install/Romvane/fw.bin" || fail "the reports sent differ"
    wait_until 10 window_exists "$kMonitorTitle" || fail "the monitor was not started again"
    ;;
close-during-transfer)
    # Closed during the blocks, then the mouse vanishes: the failure notice still shows, the
    # updater ends on its Ok, the monitor stays off, and the next run completes.
    make_image "$install/Romvane/fw.bin" 9217 10240
    write_config fw.bin
    start_server --latency 40
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "no update window"
    main=$dlg_hwnd
    wait_until 40 at_least_data_lines 2 || fail "no block was sent"
    wt close "$kMainTitle" || fail "no update window to close"
    wait_until 5 close_button_disabled || fail "the close button does not show the close"
    mouse fault vanish-after 3
    wait_dialog "" "$main" 30 || fail "no failure notice after the close"
    notice failure "after the close"
    dismiss_notice
    expect_updater_ends 10
    [ -f "$state/firmware.bin" ] && fail "the mouse holds a whole image"
    monitor_runs && fail "the monitor was started after a failed transfer"
    mouse fault clear
    flash_again "$install/Romvane/fw.bin"
    ;;
unplug-at-[0-9]*)
    # The mouse vanishes after a given report: in the start step before and after its
    # parameters (1, 3), in the length and prepare steps (6, 11), or at the first block's
    # header, a middle block's data and the last block's data (13, 27, 43; four blocks, 44
    # reports: 4 a step, 8 a block). One point a run, so that the runs go side by side.
    write_config fw.bin
    start_server
    first_point=${case_name#unplug-at-}
    last_point=43
    unplug_at "$first_point"
    ;;
no-answer)
    # A mouse that answers each transfer only after ten seconds: the transfer fails within a
    # few seconds, before the start step and after it, and the updater ends when closed.
    make_image "$install/Romvane/fw.bin" 2049 3072
    write_config fw.bin
    start_server
    mouse fault latency 10000
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "no update window"
    main=$dlg_hwnd
    started=$SECONDS
    wait_dialog "" "$main" 15 || fail "no failure notice from a silent mouse"
    notice failure "a silent mouse"
    echo "failure notice $((SECONDS - started)) s after the update window"
    dismiss_notice
    wt close "$kMainTitle" || fail "no update window to close"
    expect_updater_ends 10
    has_line "SET 215aa532" && fail "the start parameters went to a silent mouse"
    # The late command report reaches the mouse ten seconds on; then it is quiet.
    wait_until 20 has_line "SET 2006090000000000" || fail "the late report never arrived"
    mouse fault clear

    # Silent after the start step, with a close waiting: the failure notice, then the end.
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "no update window (second run)"
    main=$dlg_hwnd
    # Once the mouse has acknowledged the start and gone to restart, it turns silent.
    start_acknowledged() {
        awk '/^SET 215aa5321003cb0001/ { sent = 1 } sent && /^GET 2001/ { ok = 1 } END { exit !ok }' \
            "$work/transcript.txt"
    }
    wait_until 20 start_acknowledged || fail "the start step was not acknowledged"
    mouse fault latency 10000
    wt close "$kMainTitle" || fail "no update window to close"
    wait_until 5 close_button_disabled || fail "the close button does not show the close"
    started=$SECONDS
    wait_dialog "" "$main" 30 || fail "no failure notice from a silent mouse after the start"
    notice failure "a silent mouse after the start"
    echo "failure notice $((SECONDS - started)) s after the close"
    dismiss_notice
    expect_updater_ends 10
    wait_until 20 has_line "SET 2006090000010000" || fail "the late report never arrived"
    mouse fault clear
    flash_again "$install/Romvane/fw.bin"
    ;;
non-ascii)
    # Installed in a folder with Cyrillic and accented letters, the image named likewise: the
    # flash completes and the monitor is started from that folder.
    make_image "$install/Romvane/прошивка_ß.bin" 2049 3072
    write_config 'прошивка_ß.bin'
    start_server
    start_updater x
    wait_dialog "$kSuccessTitle" none 60 || fail "no success notice"
    notice success
    firmware_is "$install/Romvane/прошивка_ß.bin" || fail "the mouse's firmware differs from the file"
    dismiss_notice
    expect_updater_ends 10
    wait_until 10 window_exists "$kMonitorTitle" || fail "the monitor was not started from the folder"
    ;;
scale-100 | scale-150 | scale-200)
    # At 150 and 200 % as at 100 % (a case each): each window as large as the scale makes it and drawn from
    # art of its own scale (not doubled pixels), its buttons answering clicks at their scaled
    # places, the progress bar filling its scaled place; the flash completes. Six or seven
    # blocks: with three the bar stays partly filled for less time than a screenshot takes.
    make_image "$install/Romvane/fw.bin" 6145 7168
    write_config fw.bin
    start_server --latency 40
    # expect_size W H WHAT: the top dialog is W x H 96-DPI pixels at the display's scale.
    expect_size() { expect_scaled_size "$1" "$2" "$dlg_w" "$dlg_h" "$3"; }
    bar_partly_filled() {
        read_top_dialog && [ "$dlg_title" = "$kMainTitle" ] && grab || return 1
        [ "$(pixel "$work/dialog.png" "$(scaled 24)" "$(scaled 112)")" = "186 214 77" ] &&
            [ "$(pixel "$work/dialog.png" "$(scaled 348)" "$(scaled 112)")" = "0 0 0" ]
    }
    for percent in ${case_name#scale-}; do
        set_dpi $((96 * percent / 100))
        rm -f "$state/firmware.bin"
        wait_until 15 mouse_present || fail "$percent %: the mouse did not come back"
        start_updater 1
        wait_dialog "" none 20 || fail "$percent %: no update offer"
        expect_size 378 179 "the update offer"
        shot offer
        if [ "$percent" = 200 ]; then
            undoubled=$(undoubled_pixels "$work/dialog.png")
            echo "200 %: $undoubled pixels differ from a doubled picture"
            [ "${undoubled:-0}" -gt 2000 ] 2>/dev/null ||
                fail "200 %: the offer looks like a 100 % picture doubled ($undoubled)"
        fi
        offer=$dlg_hwnd
        click $((198 + 56)) $((152 + 10))
        wait_dialog "" "$offer" 10 || fail "$percent %: Upgrade Firmware did not answer"
        expect_size 378 179 "the backup warning"
        shot warning
        click $((247 + 31)) $((152 + 10))
        wait_dialog "$kMainTitle" none 10 || fail "$percent %: Continue did not answer"
        expect_size 378 179 "the update window"
        wait_until 40 bar_partly_filled || fail "$percent %: the progress bar never filled in part"
        keep_shot progress
        wait_dialog "$kSuccessTitle" none 60 || fail "$percent %: no success notice"
        expect_size 378 179 "the success notice"
        shot success
        firmware_is "$install/Romvane/fw.bin" || fail "$percent %: the mouse's firmware differs"
        dismiss_notice
        expect_updater_ends 10
        echo "$percent %: offer, warning, transfer and success ($failures failures so far)"
    done
    ;;
*)
    echo "unknown case $case_name"
    exit 2
    ;;
esac
finish
