#!/usr/bin/env bash
# Profile, macro and firmware files above their size caps are refused from their size, without
# being read: sparse files of several gigabytes would take seconds and gigabytes to read whole.
# A pipe in a file's place is refused too instead of blocking the reader.
set -u
ctl=$1
source "$(dirname "$0")/../../support/temp_work.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$work"

"$ctl" profile new --name Big -o small.profile || fail "profile new"
# Just above the profile cap: a valid profile followed by padding (it decoded before the cap).
cp small.profile big.profile
truncate -s $((1024 * 1024 + 1)) big.profile
truncate -s 6G huge.profile
truncate -s 6G huge.macro
truncate -s 6G huge.bin
mkdir folder
truncate -s 6G folder/macroList.dat
mkfifo pipe.profile

refused() {
    timeout 10 "$ctl" "$@" >/dev/null 2>"$work/err"
    local status=$?
    [ $status = 1 ] || fail "$* : status $status ($(cat "$work/err"))"
}
"$ctl" profile show small.profile >/dev/null || fail "a small profile is refused"
refused profile show big.profile
refused profile show huge.profile
refused profile show pipe.profile
refused profile image huge.profile
refused macro show huge.macro
refused firmware info huge.bin
# An index above the cap loads as no macros (nothing to list), without reading it.
timeout 10 "$ctl" macro list folder >out.json 2>err || fail "macro list: $(cat err)"
[ "$(tr -d ' \n' <out.json)" = "[]" ] || fail "an oversized index listed macros"
for i in 1 2 3 4 5; do cp small.profile "p$i.profile"; done
cp huge.profile p3.profile
refused device apply p1.profile p2.profile p3.profile p4.profile p5.profile
echo "oversized files: all refused"
