#!/usr/bin/env bash
# The Windows build under Wine, in a prefix of its own whose application-data folder and install
# folder have non-ASCII letters:
# - killed by TerminateProcess while saving the five profiles and the macro folder, 200 times at
#   random moments (the seeds are printed): every file loads as the old or the new content;
# - orva7100ctl.exe reads what was saved there;
# - orva7100ctl.exe applying five two-chunk profiles while the virtual mouse vanishes after report
#   N, at a sample of N: the system's message and status 1, and the next Apply writes everything;
# - orva7100ctl.exe against a mouse that answers too late: each command fails in bounded time.
# The kills run as two cases of half of them each (kills-1, kills-2), the mouse's faults as a
# third (unplug), so that the three go side by side.
# usage: reliability_wine_test.sh kills-1|kills-2|unplug KILL_EXE CTL_EXE
set -u
case_name=$1
kill_exe=$2
win_ctl=$3
case $case_name in
    kills-1 | kills-2 | unplug) ;;
    *) echo "FAIL: no case '$case_name'"; exit 1 ;;
esac
native=${ORVA_NATIVE_BUILD:-}
server=$native/virtual-mouse/orva-virtual-mouse
ctl=$native/tools/orva7100ctl/orva7100ctl
if [ -z "$native" ] || [ ! -x "$server" ] || [ ! -x "$ctl" ]; then
    echo "SKIP: ORVA_NATIVE_BUILD does not hold orva-virtual-mouse and orva7100ctl"
    exit 77
fi
source "$(dirname "$0")/../../native/tools/reliability_common.sh" "$ctl" "$server"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX=$work/prefix
if [ -n "${ORVA_WINE_TEMPLATE:-}" ] && [ -f "$ORVA_WINE_TEMPLATE/.orva-ready" ]; then
    bash "$(dirname "$0")/../../../scripts/copy-prefix.sh" "$ORVA_WINE_TEMPLATE" "$WINEPREFIX"
else
    wineboot -i >/dev/null 2>&1
fi
wineserver -p
wine cmd /c exit >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null; cleanup' EXIT

user='Jürgen Ølsen'
appdata="C:\\users\\$user\\AppData\\Roaming"
for key in 'User Shell Folders' 'Shell Folders'; do
    wine reg add "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\$key" /v AppData \
        /t REG_SZ /d "$appdata" /f >/dev/null 2>&1 || fail "cannot redirect the application data"
done
mkdir -p "$WINEPREFIX/drive_c/users/$user/AppData/Roaming"
install="$WINEPREFIX/drive_c/Programme Größe"
mkdir -p "$install"
cp "$kill_exe" "$win_ctl" "$install/"
kill_name=$(basename "$kill_exe")
ctl_name=$(basename "$win_ctl")

# ---- killed while saving, then read by the command-line tool -----------------------------------
kills_case() {
local kills=$((${ORVA_KILLS:-200} / 2))
timeout 400 wine "$install/$kill_name" --kills "$kills" --app-data >"$work/kill.out" 2>&1
status=$?
cat "$work/kill.out"
[ $status = 0 ] || fail "killed while saving under Wine: status $status"
tr -d '\r' <"$work/kill.out" | grep -qxF "folder: $appdata\\Velmor\\ORVA7100" ||
    fail "the data folder is not the redirected one"
data="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Velmor/ORVA7100"
[ -f "$data/Profiles/Default5.profile" ] || fail "no profiles in the non-ASCII folder"
[ -f "$data/Macros/macroList.dat" ] || fail "no macro index in the non-ASCII folder"
wine "$install/$ctl_name" profile show "$appdata\\Velmor\\ORVA7100\\Profiles\\Default2.profile" \
    >"$work/p2.json" || fail "profile show from the non-ASCII folder"
grep -Eq '"name": "(Profile2|Zweites Pröfil 2)"' "$work/p2.json" || fail "profile 2: $(cat "$work/p2.json")"
wine "$install/$ctl_name" macro list "$appdata\\Velmor\\ORVA7100\\Macros" >"$work/m.json" 2>"$work/m.err" ||
    fail "macro list from the non-ASCII folder"
[ -s "$work/m.err" ] && fail "macro list warned: $(cat "$work/m.err")"
grep -q '"name": "Changed"' "$work/m.json" || fail "macro list: $(cat "$work/m.json")"
grep -q "Jürgen Ølsen" "$work/m.json" || fail "the index does not hold the non-ASCII paths"

echo "under Wine: $kills kills; all checks passed"
}

# ---- the mouse vanishing and answering late ------------------------------------------------------
unplug_case() {
# Unplug at a sample of reports, with the Windows build's Apply.
start_mouse
make_profiles a
make_profiles bb
cp "$work"/a-p*.profile "$work"/bb-p*.profile "$install/"
win_apply() {
    (cd "$install" && timeout 60 wine "$ctl_name" device apply "$1"-p1.profile "$1"-p2.profile \
        "$1"-p3.profile "$1"-p4.profile "$1"-p5.profile --firmware 108 --current 2)
}
win_apply a 2>"$work/err" || fail "clean apply under Wine: $(cat "$work/err")"
mouse_holds mouse a || fail "clean apply under Wine did not write everything"
reports=$(wc -l <"$work/mouse.transcript")
messages='^\{"error":"[a-z-]+","message":"(ORVA mouse no found\.|set current profile id failed\.|set profile to mcu failed\.)",'
set_name=a
tried=0
for n in 1 2 5 9 14 20 27 33 40 $((reports - 1)); do
    [ "$set_name" = a ] && set_name=bb || set_name=a
    "$ctl" virtual fault vanish-for 0 && "$ctl" virtual fault vanish-after "$n" || fail "fault"
    win_apply "$set_name" 2>"$work/err.crlf"
    status=$?
    tr -d '\r' <"$work/err.crlf" >"$work/err"
    [ $status = 1 ] || fail "Wine apply vanishing after report $n: status $status"
    if [ ! -s "$work/err" ] || grep -Evq "$messages" "$work/err"; then
        fail "Wine apply vanishing after report $n: $(cat "$work/err")"
    fi
    "$ctl" virtual fault clear && "$ctl" virtual plug || fail "replug"
    win_apply "$set_name" 2>"$work/err" || fail "Wine apply after replug at $n: $(cat "$work/err")"
    mouse_holds mouse "$set_name" || fail "Wine apply after replug at $n did not write everything"
    tried=$((tried + 1))
done
# A mouse that answers every transfer only after 10 s: the Windows build's commands fail with a
# message, each transfer after its bounded wait, well before the deadline.
"$ctl" virtual fault latency 10000 || fail "latency fault"
for command in info "select 3"; do
    # shellcheck disable=SC2086
    (cd "$install" && timeout 30 wine "$ctl_name" device $command >/dev/null 2>"$work/err")
    status=$?
    [ $status = 1 ] || fail "device $command against a silent mouse under Wine: status $status"
done
"$ctl" virtual fault clear || fail "clear"
win_apply a 2>"$work/err" || fail "apply once the mouse answers again: $(cat "$work/err")"

echo "under Wine: $tried unplug points of $reports reports; all checks passed"
}

case $case_name in
    kills-*) kills_case ;;
    unplug) unplug_case ;;
esac
