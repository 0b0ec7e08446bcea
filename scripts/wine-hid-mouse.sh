#!/usr/bin/env bash
# Plugs a HID ORVA 7100 into the current Wine prefix, bound to a running orva-virtual-mouse, so
# that the programs reach it through Windows HID exactly as they reach a real mouse (no
# ORVA7100_VIRTUAL_MOUSE needed). Test-only drivers; see virtual-mouse/wine-hid.
#
#   scripts/wine-hid-mouse.sh plug HOST:PORT   install the drivers (first time only), bind the
#                                              mouse to HOST:PORT, return once its HID
#                                              interface is present
#   scripts/wine-hid-mouse.sh unplug           return once the HID interface is gone
#
# While plugged, the HID device follows the virtual mouse: it leaves when the mouse is
# unplugged or vanishes, and comes back (as a new device) when it returns.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ORVA_WINDOWS_BUILD:-build/windows}
[[ $build = /* ]] || build=$root/$build
dir=$build/wine-hid

usage() {
    echo "usage: $0 plug HOST:PORT | unplug" >&2
    exit 2
}

[ $# -ge 1 ] || usage
for file in orva-hid-tool.exe orvabus.sys orvahid.sys orva-hid.inf; do
    if [ ! -f "$dir/$file" ]; then
        echo "$0: $dir/$file is missing: build the windows preset first" >&2
        exit 1
    fi
done

# A prefix that was never booted is booted first, and its first-boot services are let finish:
# an install that overlaps them fails without a word.
prefix=${WINEPREFIX:-$HOME/.wine}
if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi

case $1 in
    plug)
        [ $# -eq 2 ] || usage
        wine "$dir/orva-hid-tool.exe" plug "$2" "$(winepath -w "$dir/orva-hid.inf")"
        ;;
    unplug)
        [ $# -eq 1 ] || usage
        wine "$dir/orva-hid-tool.exe" unplug
        ;;
    *)
        usage
        ;;
esac
