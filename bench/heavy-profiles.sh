# Sourced by the benchmarks.
#
# heavy_profiles CTL FOLDER [NAME_PATTERN]: writes five profiles, each
# with a macro of 57 events on buttons 2, 3, 5 and 6 (ids 102, 103, 105, 106): about 1800 bytes
# of image, two chunks each. The files are named by the pattern, %d the slot 1..5 (p%d.profile).
heavy_profiles() {
    local ctl=$1 folder=$2 pattern=${3:-p%d.profile} i file
    for i in 1 2 3 4 5; do
        # shellcheck disable=SC2059
        file=$folder/$(printf "$pattern" "$i")
        "$ctl" profile new --index $((i - 1)) --name "Bench$i" -o "$file" || return 1
        "$ctl" profile show "$file" | python3 -c '
import json, sys
p = json.load(sys.stdin)
for b in (2, 3, 5, 6):
    events = [{"kind": 1, "code": 65 + k % 26, "action": 1 + k % 2, "delay": 15} for k in range(57)]
    events.append({"kind": 0, "code": 0, "action": 0, "delay": 0})
    p["buttons"][b]["function"] = 14
    p["buttons"][b]["value"] = 100 + b
    p["macros"][b] = {"id": 100 + b, "name": "bench", "events": events}
json.dump(p, sys.stdout)' >"$file.json" || return 1
        "$ctl" profile build "$file.json" -o "$file" || return 1
        rm -f "$file.json"
    done
}

# heavy_macros FOLDER: the four macros the profiles bind, in the configurator's macro folder
# (FOLDER, under the current WINEPREFIX) with its index, so that the mouse page keeps the
# bindings when Apply collects it.
heavy_macros() {
    local folder=$1 folder_win
    folder_win=$(winepath -w "$folder" 2>/dev/null)
    mkdir -p "$folder"
    python3 - "$folder" "$folder_win" <<'PY'
import struct, sys
folder, folder_win = sys.argv[1], sys.argv[2]
def string(text):
    units = text.encode("utf-16-le")
    return struct.pack("<I", len(units) // 2) + units
paths = []
for b in (2, 3, 5, 6):
    name = "bench%d" % b
    data = string(name) + struct.pack("<I4iI", 100 + b, 0, 0, 0, 0, 57)
    for k in range(57):
        data += struct.pack("<BHBI4iII", 1, 65 + k % 26, 1 + k % 2, 15, 0, 0, 0, 0, 0, k)
    open("%s/%s.macro" % (folder, name), "wb").write(data)
    paths.append("%s\\%s.macro" % (folder_win, name))
index = struct.pack("<I", len(paths)) + b"".join(string(p) for p in paths)
open("%s/macroList.dat" % folder, "wb").write(index)
PY
}
