#!/usr/bin/env bash
# orva7100ctl.exe macro under Wine: non-ASCII file names, and a folder whose index holds
# Windows paths.
set -u
exe=$1
source "$(dirname "$0")/../../support/temp_work.sh"
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
mkdir "Makros ä"
# The macro "Schütze", id 17, one key press (A, 65) with a delay of 300 ms.
python3 - <<'PY'
import struct
name = "Schütze".encode("utf-16-le")
event = struct.pack("<BhBi4iii", 1, 65, 1, 300, 4, 5, 202, 23, 1, 1)
data = struct.pack("<i", 7) + name + struct.pack("<i4ii", 17, 0, 0, 204, 220, 1) + event
open("Makros ä/Schütze.macro", "wb").write(data)
PY
folder=$(winepath -w "$work/Makros ä")
python3 - "$folder" <<'PY'
import struct, sys
path = sys.argv[1] + "\\Schütze.macro"
s = struct.pack("<i", len(path.encode("utf-16-le")) // 2) + path.encode("utf-16-le")
open("Makros ä/macroList.dat", "wb").write(struct.pack("<i", 1) + s)
PY
wine "$exe" macro show "Makros ä/Schütze.macro" > show.json || fail "show"
grep -q '"name": "Schütze"' show.json || { cat show.json; fail "name"; }
wine "$exe" macro copy "Makros ä/Schütze.macro" > copy.json || fail "copy"
grep -q '"delay": 300' copy.json || fail "copy delay"
wine "$exe" macro list "Makros ä" > list.json || fail "list"
python3 -c "import json,sys; d=json.load(open('list.json')); sys.exit(0 if len(d)==1 and d[0]['id']==17 and d[0]['path'].endswith('\\\\Schütze.macro') else 1)" \
    || { cat list.json; fail "list"; }
wine "$exe" macro show missing.macro 2>/dev/null && fail "missing file accepted"
echo "orva7100ctl macro under Wine: all checks passed"
