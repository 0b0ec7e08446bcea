#!/usr/bin/env bash
# What a virtual ORVA 7100 holds, read from its state folder: the profile in each of the five
# slots (through orva7100ctl's image reader), "empty" for a slot that never received one, and the
# active slot. A slot that holds something else is named as such; the summary never fails on what
# the mouse holds.
# usage: scripts/mouse-summary.sh STATE_FOLDER ORVA7100CTL
set -u
if [ $# -ne 2 ]; then
    echo "usage: $0 STATE_FOLDER ORVA7100CTL" >&2
    exit 2
fi
exec python3 - "$1" "$2" <<'PY'
import json
import os
import subprocess
import sys

state, ctl = sys.argv[1], sys.argv[2]
names = {0: "left", 1: "right", 2: "wheel click", 3: "forward", 4: "back", 5: "DPI up",
         6: "DPI down", 9: "profile up", 10: "profile down", 11: "wheel up", 12: "wheel down",
         13: "key", 14: "macro", 15: "off"}

for slot in range(5):
    path = os.path.join(state, "slot%d.bin" % slot)
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        data = b""
    # A slot the mouse never received a profile for is blank: no bytes, or all of one erased value.
    if not data or data.count(0) == len(data) or data.count(0xFF) == len(data):
        print("  slot %d: empty" % slot)
        continue
    shown = subprocess.run([ctl, "image", "show", path], capture_output=True, text=True)
    try:
        d = json.loads(shown.stdout) if shown.returncode == 0 else None
    except ValueError:
        d = None
    if d is None:
        print("  slot %d: %d bytes that are no profile image" % (slot, len(data)))
        continue
    dpi = ", ".join("%dx%d" % (d["dpi"][i] * 90, d["dpi"][i + 1] * 90) for i in (0, 2, 4))
    buttons = ", ".join(names.get(b["function"], str(b["function"])) for b in d["buttons"])
    rgb = d["ledColour"]
    print("  slot %d: profile %d, %d bytes, DPI %s, lift %d, LED mode %d colour %d.%d.%d" % (
        slot, d["index"] + 1, d["imageLength"], dpi, d["liftDistance"], d["ledMode"],
        rgb & 255, (rgb >> 8) & 255, (rgb >> 16) & 255))
    print("          buttons: %s" % buttons)

active = "?"
try:
    with open(os.path.join(state, "state.json")) as f:
        active = json.load(f).get("activeSlot", "?")
except (OSError, ValueError, AttributeError):
    pass
print("  active slot: %s" % active)
PY
