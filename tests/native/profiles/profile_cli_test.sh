#!/usr/bin/env bash
# orva7100ctl profile: files round-trip through JSON, bad input exits 1 and writes nothing.
set -u
ctl=$1
source "$(dirname "$0")/../../support/temp_work.sh"
failures=0
check() {  # check DESCRIPTION EXPECTED-STATUS COMMAND...
    local what=$1 want=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    if [ "$got" != "$want" ]; then
        echo "FAIL: $what: exit $got, wanted $want"; cat "$work/err"; failures=$((failures + 1))
    fi
}

check "new" 0 "$ctl" profile new --name Profile3 --index 2 -o "$work/a.profile"
check "show" 0 "$ctl" profile show "$work/a.profile"
cp "$work/out" "$work/a.json"
grep -q '"name": "Profile3"' "$work/a.json" || { echo "FAIL: name not shown"; failures=$((failures + 1)); }
grep -q '"doubleClickValue": 500' "$work/a.json" || { echo "FAIL: double-click default"; failures=$((failures + 1)); }
check "build" 0 "$ctl" profile build "$work/a.json" -o "$work/b.profile"
cmp -s "$work/a.profile" "$work/b.profile" || { echo "FAIL: build differs from new"; failures=$((failures + 1)); }
check "image raw" 0 "$ctl" profile image "$work/a.profile" --raw --firmware 109
[ "$(stat -c %s "$work/out")" = 2048 ] || { echo "FAIL: raw image is not 2048 bytes"; failures=$((failures + 1)); }
[ "$(head -c 6 "$work/out" | od -An -tx1 | tr -d ' ')" = "b30000000202" ] || { echo "FAIL: image head"; failures=$((failures + 1)); }
check "image hex" 0 "$ctl" profile image "$work/a.profile"
[ "$(wc -l < "$work/out")" = 128 ] || { echo "FAIL: hex dump lines"; failures=$((failures + 1)); }

# Macros that overflow the image are refused.
python3 - "$work/a.json" "$work/big.json" <<'PY'
import json, sys
d = json.load(open(sys.argv[1]))
for k in range(7):
    d["buttons"][k]["function"] = 14
    d["macros"][k]["events"] = [{"kind": 1, "code": 65, "action": 1, "delay": 1}] * 40
json.dump(d, open(sys.argv[2], "w"))
PY
check "build big" 0 "$ctl" profile build "$work/big.json" -o "$work/big.profile"
check "image of overflowing macros" 1 "$ctl" profile image "$work/big.profile"

printf 'not a profile' > "$work/bad.profile"
check "show bad file" 1 "$ctl" profile show "$work/bad.profile"
check "show missing" 1 "$ctl" profile show "$work/missing.profile"
echo '{"index": 300}' > "$work/range.json"
check "out of range" 1 "$ctl" profile build "$work/range.json" -o "$work/c.profile"
echo '{"nmae": "x"}' > "$work/typo.json"
check "unknown key" 1 "$ctl" profile build "$work/typo.json" -o "$work/c.profile"
echo '{' > "$work/broken.json"
check "broken json" 1 "$ctl" profile build "$work/broken.json" -o "$work/c.profile"
[ -e "$work/c.profile" ] && { echo "FAIL: bad input wrote a file"; failures=$((failures + 1)); }
check "usage" 2 "$ctl" profile frobnicate
check "help" 0 "$ctl" profile --help
check "new without output" 2 "$ctl" profile new

if [ $failures -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "profile CLI: all checks passed"
