#!/usr/bin/env bash
# The updater end to end under Wine and Xvfb against the virtual mouse, in a Wine prefix and an
# install folder of its own. Screenshots of every notice go to $ORVA_ARTIFACTS.
# usage: updater_e2e.sh CASE DIST_DIR WINTOOL_EXE DEFAULT_NATIVE_BUILD
set -u
case_name=$1
dist=$2
wintool_exe=$3
native=${ORVA_NATIVE_BUILD:-$4}

if [ -z "${DISPLAY:-}" ] || [ ! -d "${ORVA_WINE_TEMPLATE:-}" ]; then
    echo "SKIP: run inside the Wine session (source scripts/wine-session.sh)"
    exit 77
fi
server=$native/virtual-mouse/orva-virtual-mouse
if [ ! -x "$server" ]; then
    echo "FAIL: no virtual mouse server at $server (build the native preset first)"
    exit 1
fi

kMainTitle="Kelti Gaming Mouse Firmware update"
kMonitorTitle="Velmor ORVA 7100 Mouse Monitor"
kSuccessTitle="Firmware upgrade success"

work=$(mktemp -d "${TMPDIR:-/tmp}/orva-updater-e2e.XXXXXX")
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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
    exit 1
}

cp -a "$ORVA_WINE_TEMPLATE" "$WINEPREFIX"
install=$WINEPREFIX/drive_c/ORVA
mkdir -p "$install/Romvane"
cp "$dist/Romvane/Updater.exe" "$dist/Romvane/hiddriver.dll" "$install/Romvane/"
cp "$dist/ORVA_Monitor.EXE" "$install/"
cp "$wintool_exe" "$work/wintool.exe"
wineserver -p
wine cmd /c exit >/dev/null 2>&1

wt() { wine "$work/wintool.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# wait_until SECONDS COMMAND...: polls the command until it succeeds.
wait_until() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    while [ $SECONDS -lt "$end" ]; do
        "$@" && return 0
        sleep 0.3
    done
    return 1
}

window_exists() { wt find "$1" >/dev/null; }
window_gone() { ! wt find "$1" >/dev/null; }

# The topmost visible dialog: sets dlg_hwnd, dlg_x, dlg_y, dlg_w, dlg_h, dlg_title.
read_top_dialog() {
    local line
    line=$(wt top-dialog) || return 1
    read -r dlg_hwnd dlg_x dlg_y dlg_w dlg_h dlg_title <<<"$line"
    return 0
}
# wait_dialog TITLE NOT_HWND SECONDS: a dialog with exactly this title other than NOT_HWND.
dialog_matches() {
    read_top_dialog && [ "$dlg_title" = "$1" ] && [ "$dlg_hwnd" != "$2" ]
}
# Waits for the dialog, then lets it settle: the same window at the same place a moment later.
wait_dialog() {
    wait_until "$3" dialog_matches "$1" "$2" || return 1
    local hwnd=$dlg_hwnd x=$dlg_x y=$dlg_y
    sleep 0.4
    read_top_dialog && [ "$dlg_hwnd" = "$hwnd" ] && [ "$dlg_x" = "$x" ] && [ "$dlg_y" = "$y" ] ||
        wait_until "$3" dialog_matches "$1" "$2"
}

# shot NAME: keeps a picture of the current top dialog.
shot() {
    [ -n "${ORVA_ARTIFACTS:-}" ] || return 0
    mkdir -p "$ORVA_ARTIFACTS"
    sleep 0.5
    import -window root "$work/screen.png" 2>/dev/null &&
        convert "$work/screen.png" -crop "${dlg_w}x${dlg_h}+${dlg_x}+${dlg_y}" +repage \
            "$ORVA_ARTIFACTS/updater-$case_name-$1.png"
}
# click X Y: a click at a position inside the top dialog, pointer moved there first.
click() {
    xdotool mousemove $((dlg_x + $1)) $((dlg_y + $2))
    sleep 0.3
    xdotool click 1
}

start_server() {
    "$server" --listen 127.0.0.1:0 --transcript "$work/transcript.txt" --state-dir "$work/state" \
        --quiet "$@" >"$work/server.out" 2>"$work/server.err" &
    server_pid=$!
    wait_until 10 grep -q "listening on" "$work/server.out" || { echo "FAIL: server"; exit 1; }
    export ORVA7100_VIRTUAL_MOUSE=$(sed -n 's/^listening on //p' "$work/server.out")
}
start_monitor() {
    wine 'C:\ORVA\ORVA_Monitor.EXE' >/dev/null 2>&1 &
    wait_until 15 window_exists "$kMonitorTitle" || fail "the monitor did not start"
}
start_updater() {
    wine 'C:\ORVA\Romvane\Updater.exe' "$@" >/dev/null 2>&1 &
    updater_pid=$!
}
updater_ended() { ! kill -0 "$updater_pid" 2>/dev/null; }
expect_updater_ends() {
    wait_until "${1:-10}" updater_ended || fail "the updater did not end"
}
write_config() {
    printf '[Firmware]\r\nName=%s\r\nVersion=110\r\n' "$1" >"$install/Romvane/config.ini"
}
set_lines() { grep -c '^SET ' "$work/transcript.txt" 2>/dev/null || true; }

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

case "$case_name" in
flash)
    # Offer, warning, transfer, success: the mouse holds the file, the monitor comes back.
    head -c 5000 /dev/urandom >"$install/Romvane/fw.bin"
    write_config fw.bin
    start_server
    start_monitor
    start_updater 1
    wait_dialog "" none 20 || fail "no update offer"
    shot update-offer
    offer=$dlg_hwnd
    click $((198 + 56)) $((152 + 10))
    wait_dialog "" "$offer" 10 || fail "no backup warning"
    shot backup-warning
    click $((247 + 31)) $((152 + 10))
    wait_dialog "$kMainTitle" none 10 || fail "no update window"
    window_gone "$kMonitorTitle" || fail "the monitor still runs during the transfer"
    wait_until 30 grep -q '^SET 22' "$work/transcript.txt" && read_top_dialog && shot progress
    wait_dialog "$kSuccessTitle" none 60 || fail "no success notice"
    shot success
    cmp -s "$work/state/firmware.bin" "$install/Romvane/fw.bin" ||
        fail "the mouse's firmware.bin differs from the file"
    check_transcript "$install/Romvane/fw.bin" || fail "the reports sent differ"
    click $((319 + 25)) $((152 + 10))
    expect_updater_ends 10
    wait_until 10 window_exists "$kMonitorTitle" || fail "the monitor was not started again"
    ;;
up-to-date | driver-offer)
    # "3" or "0": one notice, then the monitor runs (started if it was not running).
    argument=3
    [ "$case_name" = driver-offer ] && argument=0
    start_server
    for monitor in running absent; do
        [ "$monitor" = running ] && start_monitor
        start_updater "$argument"
        wait_dialog "" none 20 || fail "no notice (monitor $monitor)"
        [ "$monitor" = absent ] && shot notice
        click $((319 + 25)) $((152 + 10))
        expect_updater_ends 10
        wait_until 10 window_exists "$kMonitorTitle" || fail "no monitor after the notice ($monitor)"
        wt close "$kMonitorTitle"
        wait_until 10 window_gone "$kMonitorTitle" || fail "the monitor did not close"
    done
    [ "$(set_lines)" = 0 ] || fail "reports were sent"
    ;;
second-instance)
    start_server
    start_monitor
    start_updater 3
    wait_dialog "" none 20 || fail "no notice of the first updater"
    first=$dlg_hwnd
    timeout 20 wine 'C:\ORVA\Romvane\Updater.exe' 1 >/dev/null 2>&1
    [ $? = 0 ] || fail "the second updater did not end at once"
    read_top_dialog && [ "$dlg_hwnd" = "$first" ] || fail "the second updater showed a window"
    click $((319 + 25)) $((152 + 10))
    expect_updater_ends 10
    ;;
missing-file)
    # No image: the failure notice, no reports; closing does not restart the monitor.
    write_config absent.bin
    start_server
    start_monitor
    start_updater x
    wait_dialog "" none 20 || fail "no failure notice"
    shot failure
    [ "$(set_lines)" = 0 ] || fail "reports were sent without an image"
    click $((319 + 25)) $((152 + 10))
    sleep 1
    window_exists "$kMainTitle" || fail "the update window closed after the failure"
    wt close "$kMainTitle"
    expect_updater_ends 10
    sleep 2
    window_gone "$kMonitorTitle" || fail "the monitor was started after a failure"
    ;;
failed-transfer)
    # The mouse refuses the start parameters: failure notice, window stays, no monitor.
    head -c 3000 /dev/urandom >"$install/Romvane/fw.bin"
    write_config fw.bin
    start_server --reject-report 33
    start_updater x
    wait_dialog "" none 20 || fail "no failure notice"
    shot failure
    [ "$(set_lines)" -le 2 ] || fail "the transfer went on after the refusal"
    click $((319 + 25)) $((152 + 10))
    sleep 1
    window_exists "$kMainTitle" || fail "the update window closed after the failure"
    wt close "$kMainTitle"
    expect_updater_ends 10
    sleep 2
    window_gone "$kMonitorTitle" || fail "the monitor was started after a failure"
    ;;
missing-driver)
    # No driver library: the failure notice, no reports, the window stays until closed.
    head -c 3000 /dev/urandom >"$install/Romvane/fw.bin"
    write_config fw.bin
    rm "$install/Romvane/hiddriver.dll"
    start_server
    start_updater x
    wait_dialog "" none 20 || fail "no failure notice"
    [ "$(set_lines)" = 0 ] || fail "reports were sent"
    click $((319 + 25)) $((152 + 10))
    sleep 1
    window_exists "$kMainTitle" || fail "the update window closed after the failure"
    wt close "$kMainTitle"
    expect_updater_ends 10
    ;;
busy-and-resend)
    # A mouse that is busy twice and asks for every report once more still gets the image,
    # each repeated report sent again unchanged. The image is named by a full path.
    mkdir -p "$install/images"
    head -c 3500 /dev/urandom >"$install/images/fw.bin"
    write_config 'C:\ORVA\images\fw.bin'
    start_server --busy 2 --resend 1
    start_updater x
    wait_dialog "$kSuccessTitle" none 90 || fail "no success notice"
    cmp -s "$work/state/firmware.bin" "$install/images/fw.bin" ||
        fail "the mouse's firmware.bin differs from the file"
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
    click $((319 + 25)) $((152 + 10))
    expect_updater_ends 10
    ;;
close-during-transfer)
    # Closing mid-transfer ends after the step in progress, without a notice or a crash.
    head -c 40000 /dev/urandom >"$install/Romvane/fw.bin"
    write_config fw.bin
    start_server
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "no update window"
    wait_until 40 grep -q '^SET 22' "$work/transcript.txt" || fail "no block was sent"
    wt close "$kMainTitle"
    expect_updater_ends 15
    last=$(grep '^SET ' "$work/transcript.txt" | tail -n 1 | cut -c5-10)
    case "$last" in
    2006*) fail "a step was left half sent" ;;
    esac
    blocks=$(grep -c '^SET 22' "$work/transcript.txt")
    [ "$blocks" -lt 40 ] || fail "the transfer did not stop"
    [ -f "$work/state/firmware.bin" ] && fail "the whole image went out after the close"
    window_gone "$kMonitorTitle" || fail "the monitor was started after a stopped transfer"
    ;;
close-while-reconnecting)
    # Closing while the updater waits for the mouse to come back ends at once: the wait is not
    # a step, and nothing more is sent.
    head -c 3000 /dev/urandom >"$install/Romvane/fw.bin"
    write_config fw.bin
    start_server
    start_updater x
    wait_dialog "$kMainTitle" none 20 || fail "no update window"
    start_sent() { [ "$(set_lines)" -ge 2 ]; }
    wait_until 20 start_sent || fail "the start step was not sent"
    sleep 1
    wt close "$kMainTitle"
    expect_updater_ends 4
    [ "$(set_lines)" = 2 ] || fail "reports were sent after the close"
    ;;
*)
    echo "unknown case $case_name"
    exit 2
    ;;
esac
finish
