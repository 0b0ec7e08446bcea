#!/usr/bin/env bash
# orva7100ctl's device and virtual commands against orva-virtual-mouse: the transcript of an
# apply holds exactly the reports the mouse's protocol prescribes, computed here from the
# profiles' images; unplug and plug are seen.
set -euo pipefail
ctl=$1
server=$2
work=$(mktemp -d)
pid=
pid2=
cleanup() {
    for p in $pid $pid2; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$server" --transcript "$work/transcript" --state-dir "$work/state" --firmware-version 108 \
    >"$work/out" 2>"$work/log" &
pid=$!
for _ in $(seq 100); do grep -q '^listening on ' "$work/out" && break; sleep 0.05; done
address=$(sed -n 's/^listening on //p' "$work/out")
[ -n "$address" ] || fail "server did not start"
export ORVA7100_VIRTUAL_MOUSE=$address

# Five profiles; 2 and 4 carry macros long enough to need two chunks.
for i in 1 2 3 4 5; do "$ctl" profile new --index $((i - 1)) --name "P$i" -o "$work/p$i.profile"; done
for i in 2 4; do
    "$ctl" profile show "$work/p$i.profile" | python3 -c '
import json, sys
p = json.load(sys.stdin)
events = [{"kind": 1, "code": 65 + k % 26, "action": 1 + k % 2, "delay": 10 * k} for k in range(150)]
events.append({"kind": 0, "code": 0, "action": 0, "delay": 0})
p["buttons"][3]["function"] = 14
p["buttons"][3]["value"] = 7
p["macros"][3] = {"id": 7, "name": "long", "events": events}
json.dump(p, sys.stdout)' >"$work/p$i.json"
    "$ctl" profile build "$work/p$i.json" -o "$work/p$i.profile"
done

"$ctl" device apply "$work"/p{1,2,3,4,5}.profile --current 3 || fail "apply failed"

# The expected SET lines: device information, select, five images in chunks, select.
for i in 1 2 3 4 5; do
    "$ctl" profile image "$work/p$i.profile" --firmware 108 --raw >"$work/p$i.image"
done
python3 - "$work" >"$work/expected" <<'PY'
import sys
work = sys.argv[1]
def line(b): print("SET " + bytes(b).hex())
def short(*b): line(list(b) + [0] * (8 - len(b)))
short(3, 4)
short(3, 2); short(3, 2)
for i in range(1, 6):
    image = open(f"{work}/p{i}.image", "rb").read()
    assert len(image) == 2048
    length = image[0] | image[1] << 8
    for chunk in range(2 if length > 1024 else 1):
        short(3, 0, length & 0xFF, length >> 8, chunk, i - 1)
        line([5] + list(image[chunk * 1024:(chunk + 1) * 1024]))
short(3, 2); short(3, 2)
PY
grep '^SET ' "$work/transcript" >"$work/sets"
diff "$work/expected" "$work/sets" >/dev/null || fail "SET lines differ from the protocol"
[ "$(grep -c '^SET 05' "$work/sets")" = 7 ] || fail "expected seven image chunks"
# Every set of a command was acknowledged through a get of report 3 right after it.
python3 - "$work/transcript" <<'PY' || fail "acknowledge order"
import sys
lines = open(sys.argv[1]).read().split("\n")[:-1]
for k, l in enumerate(lines):
    if l.startswith("SET 03") or l.startswith("SET 05"):
        assert lines[k + 1] == "GET 0301000000000000", (k, l)
PY
cmp -s "$work/p4.image" "$work/state/slot3.bin" || fail "slot 3 does not hold profile 4"
grep -q '"activeSlot": 2' "$work/state/state.json" || fail "active slot not 2"

[ "$("$ctl" device info)" = '{"firmwareVersion":108}' ] || fail "device info"
[ "$("$ctl" device active)" = '{"activeSlot":2}' ] || fail "device active"
"$ctl" device select 4
"$ctl" virtual switch-profile 1
[ "$("$ctl" --device "virtual:$address" device active)" = '{"activeSlot":1}' ] || fail "button"
[ "$("$ctl" device surface)" = '{"count":300}' ] || fail "surface"
"$ctl" device lift save 25
grep -q '"liftDistance": 25' "$work/state/state.json" || fail "lift distance not stored"

# Unplugged: the system's message with its cause and status 1; back again after plug.
"$ctl" virtual unplug
set +e
"$ctl" device info 2>"$work/err"; status=$?
set -e
[ $status = 1 ] || fail "info without a mouse exits $status"
[ "$(cat "$work/err")" = '{"error":"no-mouse","message":"ORVA mouse no found.","cause":"the mouse is not connected","systemCode":0}' ] ||
    fail "message: $(cat "$work/err")"
"$ctl" virtual plug
"$ctl" device info >/dev/null || fail "info after plug"

# A missing acknowledge during profile 2 stops the apply there.
"$ctl" virtual fault ack-after never
"$ctl" virtual fault ack-fault-slot 1
set +e
"$ctl" device apply "$work"/p{1,2,3,4,5}.profile --firmware 108 2>"$work/err"; status=$?
set -e
[ $status = 1 ] || fail "faulty apply exits $status"
python3 - "$work/err" <<'PY' || fail "message: $(cat "$work/err")"
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert [(l["error"], l["message"]) for l in lines] == [("no-acknowledge", "set profile to mcu failed.")], lines
PY
"$ctl" virtual fault clear

# A report the mouse refuses.
"$ctl" virtual fault reject-report 4
set +e
"$ctl" device info 2>"$work/err"; status=$?
set -e
[ $status = 1 ] || fail "info with report 4 refused exits $status"
grep -q '^{"error":"send-failed","message":"reading the device information failed."' "$work/err" ||
    fail "message: $(cat "$work/err")"

# Wrong usage.
set +e
"$ctl" device select 5 2>/dev/null; [ $? = 2 ] || fail "select 5"
"$ctl" device apply "$work/p1.profile" 2>/dev/null; [ $? = 2 ] || fail "apply with one file"
"$ctl" --device virtual:nohost device info 2>/dev/null; [ $? = 2 ] || fail "bad address"
"$ctl" virtual switch-profile 9 2>/dev/null; [ $? = 2 ] || fail "switch-profile 9"
set -e
"$ctl" virtual fault clear

# The server's own options.
"$server" --help | grep -q -- '--state-dir' || fail "server --help"
set +e
"$server" --no-such-option 1 2>/dev/null; [ $? = 2 ] || fail "server takes an unknown option"
"$server" --busy lots 2>/dev/null; [ $? = 2 ] || fail "server takes a bad fault value"
set -e
"$server" --unplugged --quiet >"$work/out2" &
pid2=$!
for _ in $(seq 100); do grep -q '^listening on ' "$work/out2" && break; sleep 0.05; done
address2=$(sed -n 's/^listening on //p' "$work/out2")
set +e
"$ctl" --device "virtual:$address2" device info 2>/dev/null; status=$?
set -e
kill "$pid2"; wait "$pid2" || true
pid2=
[ $status = 1 ] || fail "a server started unplugged shows a mouse"
echo "device cli: ok"
