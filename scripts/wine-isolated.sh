#!/usr/bin/env bash
# Runs one test in a Wine prefix and on an X display of its own (the prefix copied from the
# session's template), so that tests run side by side without sharing a wineserver, a pointer or
# the registry. The Windows build's ctest runs every test through this; a test script that makes
# a prefix of its own still gets its own display.
# usage: wine-isolated.sh COMMAND [ARGS...]   (inside a session of scripts/wine-session.sh)
#        e.g. wine-isolated.sh wine test.exe --gtest_color=no
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ ! -d "${ORVA_WINE_TEMPLATE:-}" ]; then
    echo "wine-isolated: no Wine session (source scripts/wine-session.sh first)" >&2
    exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/orva-wine.XXXXXX")
source "$here/private-display.sh"
cleanup() {
    wineserver -k 2>/dev/null
    orva_display_end
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cp -a "$ORVA_WINE_TEMPLATE" "$WINEPREFIX"
orva_display_begin "$work" || { echo "wine-isolated: no X server" >&2; exit 1; }
# Wine's services start first, so that they never hold the test's output pipe.
wineserver -p
wine cmd /c exit >/dev/null 2>&1
"$@"
