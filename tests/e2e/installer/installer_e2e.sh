#!/usr/bin/env bash
# The Windows installer under Wine: a silent install into a fresh prefix, the installed program
# on the virtual mouse, a second install over the first, and the uninstaller, which keeps the
# user's profiles and macros unless asked to remove them.
# usage: installer_e2e.sh INSTALLER PORTABLE_ZIP DIST_DIR PROBE_EXE [NATIVE_BUILD]
set -u
installer=$(realpath -m "$1")
portable=$(realpath -m "$2")
source "$(dirname "${BASH_SOURCE[0]}")/../lib/e2e.sh"
e2e_begin installer "$3" "$4" "${5:-}"
if [ ! -f "$installer" ]; then
    echo "FAIL: no installer at $installer"
    exit 1
fi

# The user's application-data folder of the prefix.
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')" 2>/dev/null)
# Ends the configurator as its tray menu's "Exit" does: the quit message ends its run.
exit_configurator() { probe post ORVA7100 0x0012 0 0 >/dev/null; }

install_dir="$WINEPREFIX/drive_c/Program Files/Velmor/ORVA7100"
data_dir=$appdata/Velmor/ORVA7100
menu_dir="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ORVA7100"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ORVA7100'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

cp "$installer" "$E2E_WORK/ORVA7100-Setup.exe"
installed_layout() {
    local f
    for f in ORVA7100.exe orva7100ctl.exe Uninstall.exe Romvane/Updater.exe Romvane/hiddriver.dll \
             Romvane/config.ini Skins/main_normal.bmp Skins/TQA2-3.bmp \
             Skins/125/main_normal.png Skins/150/macro_page_bk.png Skins/200/TQA2-3.png; do
        [ -f "$install_dir/$f" ] || return 1
    done
}
reg_has() { wine reg query "$1" /v "$2" /reg:64 >/dev/null 2>&1; }

# A silent install into the fresh prefix.
(cd "$E2E_WORK" && wine ORVA7100-Setup.exe /S) || fail "the installer exited with $?"
installed_layout || fail "the install layout is incomplete: $(ls -R "$install_dir" 2>&1 | head -20)"
[ -e "$install_dir/../../ORVA_Monitor.EXE" ] || [ -e "$install_dir/ORVA_Monitor.EXE" ] &&
    fail "the monitor stand-in was installed"
[ "$(ls "$install_dir/Skins" | wc -l)" -ge 60 ] || fail "skins missing"
[ -f "$menu_dir/ORVA7100.lnk" ] || fail "no Start-menu entry"
reg_has "$uninstall_key" DisplayName || fail "no entry in Apps and features"
reg_has "$uninstall_key" UninstallString || fail "no uninstall command"
reg_has "$run_key" ORVA7100 || fail "not started with Windows"

# The installed program starts on the virtual mouse and applies.
start_mouse
start_program 'C:\Program Files\Velmor\ORVA7100\ORVA7100.exe'
app=$E2E_LAST_PID
wait_until 30 window_visible ORVA7100 || fail "the installed configurator shows no window"
shot installer-installed-program ORVA7100
click_ctl ORVA7100 1042
# Five images, each at least one chunk (report 5).
wait_until 20 eval '[ "$(transcript_count "SET 05")" -ge 5 ]' ||
    fail "Apply from the installed program wrote no images: $(transcript_count SET) reports"
wait_until 10 test -f "$data_dir/Profiles/Default1.profile" || fail "no profile file saved"
exit_configurator
wait_until 15 program_ended "$app" || fail "the configurator did not end on Exit"

# The user's own data in the folder, to see it survive.
mkdir -p "$data_dir/Macros"
echo keep > "$data_dir/Macros/marker.txt"
profile_before=$(md5sum < "$data_dir/Profiles/Default1.profile")

# A second install over the first keeps the data.
(cd "$E2E_WORK" && wine ORVA7100-Setup.exe /S) || fail "the second install exited with $?"
installed_layout || fail "the second install left an incomplete layout"
[ -f "$data_dir/Macros/marker.txt" ] || fail "the second install lost the macros folder"
[ "$(md5sum < "$data_dir/Profiles/Default1.profile")" = "$profile_before" ] ||
    fail "the second install changed a profile"

# Uninstalling removes the program and keeps the data. The silent uninstaller returns at once
# and works on from a copy of itself: wait for what it does.
wine "$install_dir/Uninstall.exe" /S
wait_until 30 test ! -e "$install_dir/ORVA7100.exe" || fail "the uninstaller left the program"
wait_until 15 eval '! reg_has "$uninstall_key" DisplayName' || fail "the uninstall entry stayed"
# The folder itself may outlive the uninstaller's copy of itself for a moment; no file may.
no_files_left() { [ -z "$(find "$install_dir" -type f 2>/dev/null)" ]; }
wait_until 15 no_files_left || fail "files stayed: $(find "$install_dir" -type f | head)"
reg_has "$run_key" ORVA7100 && fail "the start-with-Windows entry stayed"
[ -f "$data_dir/Macros/marker.txt" ] && [ -f "$data_dir/Profiles/Default1.profile" ] ||
    fail "the uninstaller removed the user's data without being asked"

# Asked to, it removes the data too.
(cd "$E2E_WORK" && wine ORVA7100-Setup.exe /S) || fail "the third install exited with $?"
wine "$install_dir/Uninstall.exe" /S /REMOVEDATA
wait_until 30 test ! -e "$data_dir" || fail "the data stayed although removal was asked for"
wait_until 30 no_files_left || fail "the second uninstall left the program"

# The portable zip holds the same layout and runs from wherever it is unpacked.
if [ -f "$portable" ]; then
    portable_dir="$WINEPREFIX/drive_c/Portable"
    mkdir -p "$portable_dir"
    (cd "$portable_dir" && unzip -q "$portable") || fail "the portable zip does not unpack"
    for f in ORVA7100.exe Romvane/Updater.exe Romvane/hiddriver.dll Romvane/config.ini \
             Skins/main_normal.bmp Skins/TQA2-3.bmp Skins/125/main_normal.png \
             Skins/150/macro_page_bk.png Skins/200/TQA2-3.png; do
        [ -f "$portable_dir/ORVA7100/$f" ] || fail "the portable zip lacks $f"
    done
    start_program 'C:\Portable\ORVA7100\ORVA7100.exe'
    app=$E2E_LAST_PID
    wait_until 30 window_visible ORVA7100 || fail "the portable configurator shows no window"
    shot installer-portable-program ORVA7100
    exit_configurator
    wait_until 15 program_ended "$app" || fail "the portable configurator did not end on Exit"
else
    fail "no portable zip at $portable"
fi
e2e_finish
