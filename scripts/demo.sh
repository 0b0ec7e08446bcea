#!/usr/bin/env bash
# The system's main job as far as it is built: the profile tooling at work on the five default
# profiles and, once the virtual mouse is built, writing them into a virtual ORVA 7100.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" >/dev/null
ctl=build/native/tools/orva7100ctl/orva7100ctl
server=build/native/virtual-mouse/orva-virtual-mouse
work=$(mktemp -d)
trap 'kill ${server_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT

echo "== The five default profiles (as the configurator creates them)"
for i in 1 2 3 4 5; do
    "$ctl" profile new --name "Profile$i" --index $((i - 1)) -o "$work/Default$i.profile"
    echo "  $work/Default$i.profile: $(stat -c %s "$work/Default$i.profile") bytes"
done
echo
echo "== Profile 1 as JSON"
"$ctl" profile show "$work/Default1.profile"
echo
echo "== Its 2048-byte device image (first 192 bytes; the rest is zero)"
"$ctl" profile image "$work/Default1.profile" --firmware 109 > "$work/image.txt"
head -n 12 "$work/image.txt"

if [ -x "$server" ] && "$ctl" device --help >/dev/null 2>&1; then
    echo
    echo "== Writing the five profiles into a virtual ORVA 7100"
    "$server" --listen 127.0.0.1:0 --transcript "$work/transcript.txt" --state-dir "$work/mouse" \
        > "$work/server.log" 2>&1 &
    server_pid=$!
    for _ in $(seq 1 50); do grep -q "listening on" "$work/server.log" && break; sleep 0.1; done
    address=$(sed -n 's/.*listening on \([^ ]*\).*/\1/p' "$work/server.log" | head -n 1)
    "$ctl" --device "virtual:$address" device info
    "$ctl" --device "virtual:$address" device apply "$work"/Default{1,2,3,4,5}.profile --current 1
    echo "  the mouse received $(grep -c '^SET ' "$work/transcript.txt") reports; its slots:"
    ls -l "$work/mouse"
fi
