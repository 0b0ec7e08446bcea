#!/usr/bin/env bash
# orva7100ctl macro: the example file as JSON, a folder through its index, the profile copy, and
# bad input that exits 1 with one line and no output.
set -u
ctl=$1
source "$(dirname "$0")/../../support/temp_work.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check DESCRIPTION EXPECTED-STATUS COMMAND...
    local what=$1 want=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" = "$want" ] || { fail "$what: exit $got, wanted $want"; cat "$work/err"; }
}
json() {  # json PYTHON-EXPRESSION-ON-d: prints its value for the last output
    python3 -c "import json,sys; d=json.load(open('$work/out')); print($1)"
}

# The 62-byte macro "A", id 16, one selected key press.
printf '\x01\x00\x00\x00\x41\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xcc\x00\x00\x00\xdc\x00\x00\x00\x01\x00\x00\x00\x01\x41\x00\x01\x00\x00\x00\x00\x04\x00\x00\x00\x05\x00\x00\x00\xca\x00\x00\x00\x17\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00' >"$work/A.macro"
check "show" 0 "$ctl" macro show "$work/A.macro"
[ "$(json 'd["name"], d["id"], d["bounds"]')" = "A 16 [0, 0, 204, 220]" ] || fail "show header"
[ "$(json 'd["events"]')" = "[{'action': 1, 'code': 65, 'delay': 0, 'id': 1, 'kind': 1, 'row': [4, 5, 202, 23], 'selected': 1}]" ] || fail "show events"

check "copy" 0 "$ctl" macro copy "$work/A.macro"
[ "$(json 'd["id"], d["name"], len(d["events"]), d["events"][1]')" = "16 A 2 {'action': 0, 'code': 0, 'delay': 0, 'kind': 0}" ] || fail "copy terminator"

# A folder: the index lists the example twice and a missing file in between.
mkdir "$work/folder"
python3 - "$work" <<'PY'
import struct, sys
work = sys.argv[1]
def s(t):
    return struct.pack("<i", len(t)) + t.encode("utf-16-le")
paths = [work + "/A.macro", work + "/missing.macro", work + "/A.macro"]
open(work + "/folder/macroList.dat", "wb").write(struct.pack("<i", 3) + b"".join(s(p) for p in paths))
PY
check "list" 0 "$ctl" macro list "$work/folder"
[ "$(json 'len(d), d[0]["path"] == d[1]["path"] == "'"$work"'/A.macro", d[1]["events"][0]["row"]')" = "2 True [4, 5, 202, 23]" ] || fail "list entries"
grep -q "missing.macro" "$work/err" || fail "list does not mention the skipped file"
mkdir "$work/empty"
check "list without index" 0 "$ctl" macro list "$work/empty"
[ "$(cat "$work/out")" = "[]" ] || fail "empty folder is not []"

head -c 40 "$work/A.macro" >"$work/short.macro"
check "show short file" 1 "$ctl" macro show "$work/short.macro"
[ -s "$work/out" ] && fail "short file printed output"
[ "$(wc -l <"$work/err")" = 1 ] || fail "short file: not one line on stderr"
check "copy short file" 1 "$ctl" macro copy "$work/short.macro"
check "show missing" 1 "$ctl" macro show "$work/nothing.macro"
check "list a file" 1 "$ctl" macro list "$work/A.macro"
check "no command" 2 "$ctl" macro
check "unknown command" 2 "$ctl" macro frobnicate x
check "too many" 2 "$ctl" macro show a b
check "help" 0 "$ctl" macro --help
check "command help" 0 "$ctl" macro show --help

if [ $failures -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "macro CLI: all checks passed"
