#!/usr/bin/env bash
# `cmake --install` of a host build puts the command-line tool, the virtual mouse and the udev
# rule where a user expects them, and the rule matches the mouse's hidraw node by its ids.
# usage: install_test.sh BUILD_DIR
set -u
build=$1
stage=$(mktemp -d "${TMPDIR:-/tmp}/orva-install.XXXXXX")
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$stage" cmake --install "$build" --prefix /usr/local >/dev/null || fail "cmake --install failed"
for f in usr/local/bin/orva7100ctl usr/local/bin/orva-virtual-mouse; do
    [ -x "$stage/$f" ] || fail "$f not installed as a program"
done
rule=$(find "$stage" -name '70-orva7100.rules' | head -n 1)
[ -n "$rule" ] || fail "no udev rule installed"
if [ -n "$rule" ]; then
    grep -q '^SUBSYSTEM=="hidraw", ATTRS{idVendor}=="04b4", ATTRS{idProduct}=="1224", TAG+="uaccess"' "$rule" ||
        fail "the rule does not give the logged-in user the mouse's hidraw node"
fi
"$stage/usr/local/bin/orva7100ctl" --help >/dev/null || fail "the installed tool does not run"

if [ "$failures" = 0 ]; then
    echo "linux install: passed"
    exit 0
fi
exit 1
