#!/usr/bin/env bash
# Runs one test in a Wine prefix and on an X display of its own (the prefix copied from the
# session's template), so that tests run side by side without sharing a wineserver, a pointer or
# the registry. The Windows build's ctest runs every test through this; a test script that makes
# a prefix of its own still gets its own display.
# usage: wine-isolated.sh [--own-prefix] COMMAND [ARGS...]   (inside a session of
#        scripts/wine-session.sh), e.g. wine-isolated.sh wine test.exe --gtest_color=no
# --own-prefix: the command makes its prefix itself (the end-to-end scripts do), so none is
# copied and started here; copying and booting one costs several seconds on a busy machine.
set -u
own_prefix=0
if [ "${1:-}" = --own-prefix ]; then
    own_prefix=1
    shift
fi
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
# With --own-prefix this folder is never made: a command that used it by mistake would get a
# prefix of its own all the same, never the session's.
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The native build's tools (the virtual mouse, orva7100ctl) serve here as the Windows programs'
# counterpart, called hundreds of times a run. Their leaks are checked by the native tests; here
# LeakSanitizer's stop at every exit would only cost 40 ms a call. Every other check stays on.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
orva_display_begin "$work" || { echo "wine-isolated: no X server" >&2; exit 1; }
if [ $own_prefix = 0 ]; then
    bash "$here/copy-prefix.sh" "$ORVA_WINE_TEMPLATE" "$WINEPREFIX"
    # Wine's services start first, so that they never hold the test's output pipe.
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1
fi
"$@"
