#!/usr/bin/env python3
"""Independent byte-level check of the profile file and the 2048-byte device image that
orva7100ctl writes, and of the macro file / macroList.dat layouts that it reads.

The encoders here and in ../independent_image.py are written from the file layouts alone
(Python standard library).
Profile files and images are compared byte for byte with what the tool writes for many
random profiles; macro files and the index made here must read back unchanged.

usage: independent_format_check.py PATH_TO_orva7100ctl [--count N] [--seed S]
"""
import concurrent.futures
import json
import os
import random
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from independent_image import (  # noqa: E402
    FIXED_PART, IMAGE_SIZE, USAGE, encode_image, u8, u16)

# ---------------------------------------------------------------------------------------------
# Stream primitives (little-endian)


def i16(v):
    return struct.pack("<h", v)


def i32(v):
    return struct.pack("<i", v)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


def utf16_units(text):
    return text.encode("utf-16-le", "surrogatepass")


def wstring(text):
    data = utf16_units(text)
    return u32(len(data) // 2) + data


def wdecimal(value):
    # the value is formatted as a signed 32-bit decimal number
    value &= 0xFFFFFFFF
    if value >= 0x80000000:
        value -= 0x100000000
    return wstring("%d" % value)


# ---------------------------------------------------------------------------------------------
# Profile file

SIGNATURE = bytes([0x4C, 0x05, 0x33, 0x01])


def encode_profile_file(p):
    out = bytearray(SIGNATURE)
    out += wstring(p["name"])
    out += u8(p["index"])
    out += u16(p["imageLength"])
    out += i16(p["reportRate"])
    out += i16(p["doubleClickValue"])
    out += i16(p["scrollLines"])
    out += i32(p["scrollByLines"])
    out += i32(p["scrollByPage"])
    out += i32(p["accelerationOn"])
    out += i32(p["separateXY"])
    out += u8(p["dpiStage"])
    for x, y in p["dpi"]:
        out += i16(x) + i16(y)
    out += u8(p["pointerSpeed"])
    out += u8(p["liftDistance"])
    out += i16(p["surfaceQuality"])
    out += wdecimal(p["ledColour"])
    out += i32(p["ledMode"])
    for b in p["buttons"]:
        out += u8(b["buttonIndex"]) + u8(b["function"]) + i16(b["value"])
    for m in p["macros"]:
        out += i32(m["id"])
        out += wstring(m["name"])
        out += i32(len(m["events"]))
        for e in m["events"]:
            out += u8(e["kind"]) + i16(e["code"]) + u8(e["action"]) + i32(e["delay"])
    return bytes(out)


# ---------------------------------------------------------------------------------------------
# Device image

# ---------------------------------------------------------------------------------------------
# Macro file and the index of the macro folder


def encode_macro_file(m):
    out = bytearray()
    out += wstring(m["name"])
    out += i32(m["id"])
    for v in m["bounds"]:
        out += i32(v)
    out += i32(len(m["events"]))
    for e in m["events"]:
        out += u8(e["kind"]) + i16(e["code"]) + u8(e["action"]) + i32(e["delay"])
        for v in e["row"]:
            out += i32(v)
        out += i32(e["selected"]) + i32(e["id"])
    return bytes(out)


def encode_macro_list(paths):
    out = bytearray(i32(len(paths)))
    for path in paths:
        out += wstring(path)
    return bytes(out)


EXAMPLE_MACRO = bytes.fromhex(
    "01000000" "4100" "10000000" "00000000" "00000000" "cc000000" "dc000000" "01000000"
    "01" "4100" "01" "00000000" "04000000" "05000000" "ca000000" "17000000" "01000000"
    "01000000")

# ---------------------------------------------------------------------------------------------
# Random data

NAME_CHARS = ("abcXYZ019 _-()" "äöüßéñçøÅ" "ЖжΩλ" "中文字" "한국" "😀🎮" "\u00a0\u200b")
VIRTUAL_KEYS = (sorted(USAGE) + [0x10, 0x11, 0x12, 0x6C, 0x7C, 0x87, 0x01, 0x02, 0x04, 0xA6,
                                  0xA7, 0x97, 0x98, 0xFE, 0xFF, 0x00])
MOUSE_CODES = [1, 2, 4, 166, 167]
WHEEL_CODES = [151, 152]
FUNCTIONS = [0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15]


def rand_name(rng, low=0, high=12):
    return "".join(rng.choice(NAME_CHARS) for _ in range(rng.randint(low, high)))


def rand_delay(rng):
    return rng.choice([0, 1, 10, 255, 256, 65535, 0xFFFFFF, 0x1000000, 0x1234567,
                       rng.randint(0, 2**31 - 1), rng.randint(-2**31, -1), -1, 2**31 - 1,
                       -2**31, rng.randint(0, 5000)])


def rand_event(rng, signed_extremes=True):
    kind = rng.choice([1, 1, 16, 17])
    if kind == 1:
        code = rng.choice(VIRTUAL_KEYS)
        action = rng.choice([1, 2])
    elif kind == 16:
        code = rng.choice(MOUSE_CODES)
        action = rng.choice([1, 2])
    else:
        code = rng.choice(WHEEL_CODES)
        action = 1
    if signed_extremes and rng.random() < 0.1:
        code = rng.choice([-1, -32768, 32767, 0x1FF, 0xDC, 0xB3])
    if signed_extremes and rng.random() < 0.05:
        kind, action = rng.choice([(0, 0), (255, 255), (2, 3)])
    return {"kind": kind, "code": code, "action": action, "delay": rand_delay(rng)}


def rand_profile(rng, case):
    p = {
        "name": rand_name(rng),
        "index": rng.randint(0, 4) if rng.random() < 0.9 else rng.randint(0, 255),
        "imageLength": rng.choice([179, 261, 0, 65535, rng.randint(0, 65535)]),
        "reportRate": rng.choice([0, 1, 3, 5, -1, -32768, 32767, 0x1234]),
        "doubleClickValue": rng.choice([200, 400, 500, 1400, -200, 32767, -32768]),
        "scrollLines": rng.choice([1, 2, 6, -3, 32767, -32768]),
        "scrollByLines": rng.choice([0, 1, -1, 2**31 - 1, -2**31]),
        "scrollByPage": rng.choice([0, 1, -5, 7]),
        "accelerationOn": rng.choice([0, 1, -1, 123456]),
        "separateXY": rng.choice([0, 1, -2**31]),
        "dpiStage": rng.choice([1, 2, 3, 0, 255]),
        "dpi": [[rng.choice([1, 9, 60, rng.randint(-32768, 32767)]),
                 rng.choice([1, 23, 60, rng.randint(-32768, 32767)])] for _ in range(3)],
        "pointerSpeed": rng.choice([1, 6, 10, 0, 255]),
        "liftDistance": rng.choice([1, 12, 32, 0, 255]),
        "surfaceQuality": rng.choice([0, 5, 10, -1, -32768, 32767]),
        "ledColour": rng.choice([455174, 0, 0xFFFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                                 rng.randint(0, 0xFFFFFF), rng.randint(0, 0xFFFFFFFF)]),
        "ledMode": rng.choice([15, 0, 0x10, 0x11, 0x13, 0x1F, 0x17, 0x0F, 7, 0x20, 0x30, 0x110,
                               -1, -16, 2**31 - 1, -2**31]),
        "buttons": [],
        "macros": [],
    }
    for k in range(7):
        func = rng.choice(FUNCTIONS)
        if func == 13:
            value = rng.choice(VIRTUAL_KEYS + [-1, -32768, 32767, 0x141])
        elif func == 14:
            value = rng.choice([16, 17, 40, 32767, -1, -32768])
        else:
            value = rng.choice([0, 0, 0, 5, 0x41, -7])
        index = k if rng.random() < 0.95 else rng.randint(0, 255)
        p["buttons"].append({"buttonIndex": index, "function": func, "value": value})
    # macro copies; keep the image within 2048 bytes most of the time
    budget = IMAGE_SIZE - FIXED_PART
    for k in range(7):
        bound = p["buttons"][k]["function"] == 14
        if rng.random() < 0.2:
            events = []
        else:
            n = rng.randint(0, 12 if bound else 4)
            if bound and case % 3 == 0:
                n = rng.choice([0, 1, 2, 3])   # small blocks give key-table offsets (0xDB, 0xDC)
            events = [rand_event(rng) for _ in range(n)]
            if rng.random() < 0.7:
                events.append({"kind": 0, "code": 0, "action": 0, "delay": 0})
        if bound:
            while 20 + 7 * len(events) > budget:
                events.pop()
            budget -= 20 + 7 * len(events)
        p["macros"].append({
            "id": rng.choice([0, 16, 17, 99, 2**31 - 1, -1, -2**31, rng.randint(0, 1000)]),
            "name": rand_name(rng),
            "events": events,
        })
    return p


def fixed_profiles():
    """Hand-made profiles: defaults, known examples, macro offsets that are also key codes."""
    base = {
        "name": "Profile1", "index": 0, "imageLength": 179, "reportRate": 0,
        "doubleClickValue": 500, "scrollLines": 2, "scrollByLines": 1, "scrollByPage": 0,
        "accelerationOn": 0, "separateXY": 0, "dpiStage": 2,
        "dpi": [[9, 9], [23, 23], [45, 45]], "pointerSpeed": 6, "liftDistance": 12,
        "surfaceQuality": 0, "ledColour": 455174, "ledMode": 15,
        "buttons": [{"buttonIndex": k, "function": k, "value": 0} for k in range(7)],
        "macros": [{"id": 0, "name": "", "events": []} for _ in range(7)],
    }
    out = [json.loads(json.dumps(base))]
    term = {"kind": 0, "code": 0, "action": 0, "delay": 0}
    ev = {"kind": 1, "code": 0x41, "action": 1, "delay": 5}
    # buttons 1 and 4 with copies of 4 and 2 events
    p = json.loads(json.dumps(base))
    p["reportRate"] = 5
    p["buttons"][1] = {"buttonIndex": 1, "function": 14, "value": 16}
    p["buttons"][4] = {"buttonIndex": 4, "function": 14, "value": 17}
    p["buttons"][2] = {"buttonIndex": 2, "function": 13, "value": 0x41}
    p["macros"][1] = {"id": 16, "name": "M", "events": [ev, ev, ev, term]}
    p["macros"][4] = {"id": 17, "name": "N", "events": [ev, term]}
    out.append(p)
    # blocks that put a later block at 0xDC and 0xDB (both are key codes)
    p = json.loads(json.dumps(base))
    for k in (0, 1, 2):
        p["buttons"][k] = {"buttonIndex": k, "function": 14, "value": 16 + k}
    p["macros"][0] = {"id": 16, "name": "a", "events": [ev, ev, term]}
    p["macros"][1] = {"id": 17, "name": "b", "events": []}
    p["macros"][2] = {"id": 18, "name": "c", "events": []}
    out.append(p)
    p = json.loads(json.dumps(base))
    for k in (0, 1, 2):
        p["buttons"][k] = {"buttonIndex": k, "function": 14, "value": 16 + k}
    p["macros"][0] = {"id": 16, "name": "a", "events": []}
    p["macros"][1] = {"id": 17, "name": "b", "events": []}
    p["macros"][2] = {"id": 18, "name": "c", "events": [term]}
    out.append(p)
    # one event more than the image holds (2055 bytes): must be refused
    p = json.loads(json.dumps(base))
    for k in range(7):
        p["buttons"][k] = {"buttonIndex": k, "function": 14, "value": 16 + k}
        p["macros"][k] = {"id": 16 + k, "name": "g", "events": [ev] * (32 if k == 0 else 36)}
    out.append(p)
    # macro blocks filling the image exactly: 179 + 20*7 + 7*247 = 2048
    p = json.loads(json.dumps(base))
    for k in range(7):
        p["buttons"][k] = {"buttonIndex": k, "function": 14, "value": 16 + k}
        p["macros"][k] = {"id": 16 + k, "name": "f%d" % k,
                          "events": [ev] * (247 // 7 + (1 if k < 247 % 7 else 0))}
    out.append(p)
    return out


# ---------------------------------------------------------------------------------------------
# Comparison


def run(cmd):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def first_difference(a, b):
    for i in range(min(len(a), len(b))):
        if a[i] != b[i]:
            return i
    return min(len(a), len(b)) if len(a) != len(b) else -1


def describe(label, want, got):
    i = first_difference(want, got)
    return ("%s: first difference at byte %d (0x%X); expected %s, got %s; lengths %d/%d"
            % (label, i, i, want[i:i + 16].hex(" "), got[i:i + 16].hex(" "), len(want), len(got)))


def self_check():
    """The encoders above against byte examples of the formats."""
    problems = []
    if wstring("ab") != bytes.fromhex("0200000061006200"):
        problems.append("string encoding")
    if wdecimal(455174) != wstring("455174") or wdecimal(0xFFFFFFFF) != wstring("-1"):
        problems.append("decimal text encoding")
    default, macros = fixed_profiles()[0], fixed_profiles()[1]
    f = encode_profile_file(default)
    if len(f) != 198 or not f.startswith(bytes.fromhex("4c05330108000000")) \
            or f[8:24] != "Profile1".encode("utf-16-le") or f[24:27] != bytes.fromhex("00b300"):
        problems.append("default profile file")
    img = encode_image(default, 0)
    if (img[:13] != bytes.fromhex("b300000000020900090006f206")
            or img[17:20] != bytes.fromhex("06f206") or img[24:27] != bytes.fromhex("06f206")
            or img[62:83] != bytes.fromhex("06f206") * 7 or img[83:87] != bytes([0, 15, 12, 0])
            or img[88:116] != b"".join(bytes([k, k, 0xFF, 0xFF]) for k in range(7))
            or img[152:173] != bytes.fromhex("010000") * 7 or any(img[179:])):
        problems.append("default image")
    img108, img109 = encode_image(macros, 108), encode_image(macros, 109)
    if img108[86:88] != bytes([5, 0]) or img109[86:88] != bytes([0, 5]):
        problems.append("report rate placement")
    if (img109[96:100] != bytes.fromhex("020d8a00") or img109[158:161] != bytes.fromhex("010400")
            or img109[92:96] != bytes.fromhex("010eb300") or img109[104:108] != bytes.fromhex("040ee300")
            or img109[155:158] != bytes.fromhex("01b300") or img109[164:167] != bytes.fromhex("01e300")
            or img109[0:2] != u16(261)):
        problems.append("macro blocks and addresses")
    mode13 = dict(default, ledMode=0x13)
    if encode_image(mode13, 0)[83:85] != bytes([3, 0x13]):
        problems.append("LED kind")
    example = {"name": "A", "id": 16, "bounds": [0, 0, 204, 220],
               "events": [{"kind": 1, "code": 65, "action": 1, "delay": 0,
                           "row": [4, 5, 202, 23], "selected": 1, "id": 1}]}
    if encode_macro_file(example) != EXAMPLE_MACRO or len(EXAMPLE_MACRO) != 62:
        problems.append("62-byte macro file")
    return ["own encoder disagrees with a known example: " + p for p in problems]


def check_profile(ctl, work, n, p, firmwares, with_show):
    failures = []
    jpath = os.path.join(work, "p%d.json" % n)
    fpath = os.path.join(work, "p%d.profile" % n)
    with open(jpath, "w", encoding="utf-8") as f:
        json.dump(p, f, ensure_ascii=(n % 2 == 0))
    r = run([ctl, "profile", "build", jpath, "-o", fpath])
    if r.returncode != 0:
        return ["profile %d: build failed: %s" % (n, r.stderr.decode(errors="replace").strip())]
    with open(fpath, "rb") as f:
        got = f.read()
    want = encode_profile_file(p)
    if got != want:
        return [describe("profile %d file" % n, want, got)]
    if with_show:
        r = run([ctl, "profile", "show", fpath])
        if r.returncode != 0 or json.loads(r.stdout.decode("utf-8")) != p:
            failures.append("profile %d: show does not give back the built JSON" % n)
    for fw in firmwares:
        r = run([ctl, "profile", "image", fpath, "--firmware", str(fw), "--raw"])
        want = encode_image(p, fw)
        if want is None:
            if r.returncode == 0:
                failures.append("profile %d fw %d: overflowing macros gave an image" % (n, fw))
            continue
        if r.returncode != 0:
            failures.append("profile %d fw %d: image failed: %s"
                            % (n, fw, r.stderr.decode(errors="replace").strip()))
        elif r.stdout != want:
            failures.append(describe("profile %d fw %d image" % (n, fw), want, r.stdout))
    with open(fpath, "rb") as f:
        if f.read() != got:
            failures.append("profile %d: the image command changed the file" % n)
    return failures


def check_new(ctl, work):
    p = fixed_profiles()[0]
    p.update(name="Ünïcode 🎮", index=3, doubleClickValue=400)
    fpath = os.path.join(work, "new.profile")
    r = run([ctl, "profile", "new", "--name", p["name"], "--index", "3", "--double-click", "400",
             "-o", fpath])
    if r.returncode != 0:
        return ["profile new failed"]
    with open(fpath, "rb") as f:
        got = f.read()
    want = encode_profile_file(p)
    return [] if got == want else [describe("profile new", want, got)]


def check_macros(ctl, work, rng, count):
    failures = []
    folder = os.path.join(work, "macros")
    os.mkdir(folder)
    macros = []
    for n in range(count):
        events = []
        for i in range(rng.randint(0, 10)):
            e = rand_event(rng)
            e["row"] = [4, 5 + 18 * i, rng.choice([202, 0, -3]), 23 + 18 * i]
            e["selected"] = rng.choice([0, 1])
            e["id"] = rng.choice([i + 1, 0, -1, 2**31 - 1])
            events.append(e)
        m = {"name": "m%d_%s" % (n, rand_name(rng, 0, 6)),
             "id": rng.choice([16 + n, 0, -1, 2**31 - 1, -2**31]),
             "bounds": [rng.randint(-5, 5), rng.randint(-5, 5), 204, rng.choice([220, -1, 0])],
             "events": events}
        path = os.path.join(folder, m["name"] + ".macro")
        with open(path, "wb") as f:
            f.write(encode_macro_file(m))
        macros.append((path, m))
        r = run([ctl, "macro", "show", path])
        if r.returncode != 0 or json.loads(r.stdout.decode("utf-8")) != m:
            failures.append("macro %d: show differs from what was encoded" % n)
            continue
        r = run([ctl, "macro", "copy", path])
        want = {"id": m["id"], "name": m["name"],
                "events": [{k: e[k] for k in ("kind", "code", "action", "delay")}
                           for e in events] + [{"kind": 0, "code": 0, "action": 0, "delay": 0}]}
        if r.returncode != 0 or json.loads(r.stdout.decode("utf-8")) != want:
            failures.append("macro %d: copy differs" % n)
    with open(os.path.join(folder, "macroList.dat"), "wb") as f:
        f.write(encode_macro_list([p for p, _ in macros]))
    r = run([ctl, "macro", "list", folder])
    listed = json.loads(r.stdout.decode("utf-8")) if r.returncode == 0 else None
    if not listed or len(listed) != len(macros):
        failures.append("macro list: wrong number of entries")
    else:
        for (path, m), entry in zip(macros, listed):
            entry = dict(entry)
            if entry.pop("path", None) != path or entry != m:
                failures.append("macro list: entry for %s differs" % path)
    return failures


def main():
    args = sys.argv[1:]
    if not args:
        print(__doc__)
        return 2
    ctl = args[0]
    count, seed = 16, 7100
    if "--count" in args:
        count = int(args[args.index("--count") + 1])
    if "--seed" in args:
        seed = int(args[args.index("--seed") + 1])
    rng = random.Random(seed)
    failures = self_check()
    firmwares = (0, 108, 109, 150)
    with tempfile.TemporaryDirectory() as work:
        fixed = fixed_profiles()
        jobs = [(p, (108, 109) if n < 2 else (firmwares[n % 4],), True) for n, p in enumerate(fixed)]
        for c in range(count):
            jobs.append((rand_profile(rng, c), (firmwares[c % 4],), c % 4 == 0))
        with concurrent.futures.ThreadPoolExecutor(max_workers=max(2, os.cpu_count() or 1)) as pool:
            futures = [pool.submit(check_profile, ctl, work, n, p, fw, show)
                       for n, (p, fw, show) in enumerate(jobs)]
            futures.append(pool.submit(check_new, ctl, work))
            futures.append(pool.submit(check_macros, ctl, work, random.Random(seed + 1),
                                       max(4, count // 4)))
            for f in futures:
                failures += f.result()
    for f in failures:
        print("FAIL:", f)
    print("%d profiles, %d failures" % (len(jobs), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
