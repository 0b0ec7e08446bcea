#!/usr/bin/env bash
# The configurator on a virtual ORVA 7100: builds what is missing, starts orva-virtual-mouse,
# plugs it into a private Wine prefix as a HID device and runs the real ORVA7100.exe on it.
# - With a display (DISPLAY set): the configurator is yours to use, with its icon in the
#   notification area, until you choose "Exit" in the icon's menu.
# - Without one: a private X server, a short tour (every page, a profile switch on the mouse's
#   own button, an Apply) with a screenshot of each step, then what the mouse received.
# Either way it ends with nothing left running.
# usage: scripts/demo.sh [SCREENSHOT_FOLDER]   (default build/demo)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh

echo "== building (a few minutes the first time)"
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target orva_configurator orva_skin_art orva_updater \
    hiddriver orva_probe orvabus orvahid orva-hid-tool >/dev/null
native=$root/build/release
ctl=$native/tools/orva7100ctl/orva7100ctl
dist=$root/build/windows/dist
probe_exe=$(find "$root/build/windows/tests/e2e/probe" -name 'orva-probe.exe' | head -n 1)

interactive=0
[ -n "${DISPLAY:-}" ] && interactive=1
if [ "$interactive" = 1 ]; then
    # Keep the user's display; the session still makes a private Wine prefix.
    export ORVA_KEEP_DISPLAY=1
fi
export ORVA_WINE_RUN=$root/build/wine/demo
source scripts/wine-session.sh
export ORVA_ARTIFACTS=$(realpath -m "${1:-$root/build/demo}")
export ORVA_NATIVE_BUILD=$native
source tests/e2e/lib/e2e.sh
e2e_begin demo "$dist" "$probe_exe" "$native"
# Both ends: the programs, the mouse and the prefix, then the X server and Wine's services.
# The X server first: the cleanup waits for every child of this shell, the server among them.
trap 'status=$?; set +e; (WINEPREFIX="$ORVA_WINE_RUN" wine_session_end); kill "$orva_xvfb_pid" 2>/dev/null; wait "$orva_xvfb_pid" 2>/dev/null; e2e_cleanup; exit $status' EXIT

start_mouse
echo "== virtual ORVA 7100 at $ORVA7100_VIRTUAL_MOUSE"
# The configurator meets it through Windows HID, as it meets a real mouse (the test drivers of
# virtual-mouse/wine-hid); ORVA_DEMO_LOOPBACK=1 keeps the loopback shortcut instead.
if [ "${ORVA_DEMO_LOOPBACK:-0}" != 1 ] && plug_hid_mouse; then
    echo "== plugged into the demo's Wine prefix as a HID device (vendor 04B4, product 1224)"
else
    export ORVA7100_VIRTUAL_MOUSE
    echo "== reached through the loopback shortcut (ORVA7100_VIRTUAL_MOUSE)"
fi

# What the mouse received, slot by slot, read back from its state folder with orva7100ctl.
show_slots() {
    echo "== what the mouse received: $(transcript_count SET) reports; its slots"
    bash "$root/scripts/mouse-summary.sh" "$E2E_MOUSE_STATE" "$ctl"
}

if [ "$interactive" = 1 ]; then
    cat <<MSG
== ORVA7100 runs on your display. Try:
   - the five pages and profiles, then Apply: the settings go into the virtual mouse;
   - the mouse's profile button: $ctl --device virtual:$ORVA7100_VIRTUAL_MOUSE virtual switch-profile 2
   - unplugging it: ... virtual unplug / virtual plug
   Choose "Exit" in the menu of its icon in the notification area to end.
MSG
    start_configurator
    wait "$e2e_app_pid" || true
    show_slots
    exit 0
fi

step=0
snap() {
    step=$((step + 1))
    shot "$(printf '%02d' "$step")-$1" ORVA7100
    echo "  $(printf '%02d' "$step") $2"
}
echo "== the tour (screenshots in $ORVA_ARTIFACTS)"
start_configurator
wait_until 30 window_visible ORVA7100 || { echo "the configurator did not start"; exit 1; }
# The first poll of the mouse's active profile settles the window.
sleep 1
snap start "the main window on the mouse page"
pages=(1000:buttons 1001:performance 1002:lighting 1003:macros 1004:support)
for entry in "${pages[@]}"; do
    id=${entry%%:*}
    name=${entry#*:}
    click_ctl ORVA7100 "$id"
    wait_until 5 ctl_is ORVA7100 "$id" check 1 || true
    snap "page-$name" "the $name page"
done
click_ctl ORVA7100 1000
mouse_ctl switch-profile 2 >/dev/null
wait_until 5 ctl_is ORVA7100 1009 check 1 || echo "  (the window did not follow the mouse's button)"
snap profile-3 "profile 3, switched on the mouse's own button"
click_ctl ORVA7100 1042
# Apply ends with a select of the current slot after the five images.
wait_until 20 eval '[ "$(transcript_count "SET 05")" -ge 5 ]' || echo "  (Apply did not reach the mouse)"
sleep 1
snap applied "after Apply"
probe post ORVA7100 0x0012 0 0 >/dev/null || true
wait_until 15 configurator_ended || echo "  (the configurator did not end)"
show_slots
echo "== screenshots: $ORVA_ARTIFACTS"
