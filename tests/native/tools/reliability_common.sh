# Sourced by the reliability scripts with their arguments (ORVA7100CTL SERVER ...): a work
# folder, a virtual mouse server and five profiles.
ctl=$1
server=$2
work=$(mktemp -d)
server_pids=()
cleanup() {
    for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# start_server NAME [options]: a server keeping its state in $work/NAME; address in $address.
start_server() {
    local name=$1
    shift
    "$server" --state-dir "$work/$name" --transcript "$work/$name.transcript" "$@" \
        >"$work/$name.out" 2>"$work/$name.log" &
    server_pids+=($!)
    address=
    for _ in $(seq 200); do grep -q '^listening on ' "$work/$name.out" && break; sleep 0.05; done
    address=$(sed -n 's/^listening on //p' "$work/$name.out")
    [ -n "$address" ] || fail "server did not start"
}

# start_mouse: the mouse of these tests (firmware 108), reached through ORVA7100_VIRTUAL_MOUSE.
start_mouse() {
    start_server mouse --firmware-version 108 --quiet
    export ORVA7100_VIRTUAL_MOUSE=$address
}

# make_profiles SET: five profiles $work/SET-p{1..5}.profile, each with a macro long enough for
# two chunks; SET tells the sets apart (names, events, DPI).
make_profiles() {
    local set=$1 i
    for i in 1 2 3 4 5; do
        "$ctl" profile new --index $((i - 1)) --name "$set$i" -o "$work/$set-p$i.profile" ||
            fail "profile new"
        "$ctl" profile show "$work/$set-p$i.profile" | python3 -c '
import json, sys
p = json.load(sys.stdin)
shift = int(sys.argv[1])
events = [{"kind": 1, "code": 65 + (k + shift) % 26, "action": 1 + k % 2, "delay": 10 * k + shift}
          for k in range(150)]
events.append({"kind": 0, "code": 0, "action": 0, "delay": 0})
p["buttons"][3]["function"] = 14
p["buttons"][3]["value"] = 7
p["macros"][3] = {"id": 7, "name": "long", "events": events}
p["dpi"][0] = [400 + 100 * shift, 400 + 100 * shift]
json.dump(p, sys.stdout)' "$(( ${#set} + i ))" >"$work/$set-p$i.json" || fail "profile json"
        "$ctl" profile build "$work/$set-p$i.json" -o "$work/$set-p$i.profile" || fail "build"
        "$ctl" profile image "$work/$set-p$i.profile" --firmware 108 --raw >"$work/$set-p$i.image"
    done
}

# mouse_holds STATE SET: the mouse's five slots hold the images of SET.
mouse_holds() {
    local i
    for i in 1 2 3 4 5; do
        cmp -s "$work/$2-p$i.image" "$work/$1/slot$((i - 1)).bin" || return 1
    done
}
