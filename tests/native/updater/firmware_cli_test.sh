#!/usr/bin/env bash
# orva7100ctl firmware info: lengths, block counts and checksums of firmware files; bad files
# exit 1 with one line, wrong usage 2.
set -u
ctl=$1
source "$(dirname "$0")/../../support/temp_work.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

head -c 1024 /dev/zero | tr '\0' '\377' > "$work/ff.bin"
out=$("$ctl" firmware info "$work/ff.bin") || fail "info of a 0xFF block"
[ "$out" = '{"blocks":1,"checksums":[64512],"length":1024}' ] || fail "0xFF block: $out"

# 1500 bytes of 0x01: 1024 in block 0, 476 in block 1.
head -c 1500 /dev/zero | tr '\0' '\001' > "$work/a.bin"
out=$("$ctl" firmware info "$work/a.bin") || fail "info of 1500 bytes"
[ "$out" = '{"blocks":2,"checksums":[1024,476],"length":1500}' ] || fail "1500 bytes: $out"

: > "$work/empty.bin"
out=$("$ctl" firmware info "$work/empty.bin") || fail "info of an empty file"
[ "$out" = '{"blocks":0,"checksums":[],"length":0}' ] || fail "empty: $out"

head -c 204801 /dev/zero > "$work/big.bin"
"$ctl" firmware info "$work/big.bin" >"$work/out" 2>"$work/err"
[ $? = 1 ] || fail "too long: exit status"
[ "$(wc -l < "$work/err")" = 1 ] || fail "too long: one line on stderr"
[ -s "$work/out" ] && fail "too long: wrote output"

"$ctl" firmware info "$work/absent.bin" >/dev/null 2>&1
[ $? = 1 ] || fail "missing file: exit status"
"$ctl" firmware info "$work" >/dev/null 2>&1
[ $? = 1 ] || fail "folder: exit status"
"$ctl" firmware show "$work/a.bin" >/dev/null 2>&1
[ $? = 2 ] || fail "unknown command: exit status"
"$ctl" firmware --help | grep -q "info FILE" || fail "help"

[ $failures = 0 ] && echo "firmware cli: all passed"
exit $((failures > 0))
