#!/usr/bin/env python3
"""Independent check of the reports the host sends to the mouse.

Written from the mouse's protocol description alone, without looking at the C++ protocol
code: a model of the 2048-byte profile image, of every configurator command (select, active,
info, image write, lift, surface) with its acknowledge polls, and of the firmware image's
block checksums. orva7100ctl is run against orva-virtual-mouse and every line of the server's
transcript is compared with the model.

usage: independent_protocol_check.py ORVA7100CTL ORVA_VIRTUAL_MOUSE
"""
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from independent_image import USAGE, encode_image  # noqa: E402

SEED = 7100
CMD_TIMEOUT = 60

def build_image(profile, firmware):
    """The 2048-byte image of a profile (the 'show' JSON form) and its length."""
    image = encode_image(profile, firmware)
    assert image is not None, "model: generated profile does not fit"
    return image, image[0] | image[1] << 8


def firmware_checksums(data):
    """Block count a transfer sends and the 16-bit checksum of each of those blocks."""
    count = (len(data) + 1023) // 1024
    sums = []
    for i in range(count):
        block = data[i * 1024:(i + 1) * 1024].ljust(1024, b"\0")
        sums.append(sum(block) & 0xFFFF)
    return count, sums


def firmware_sets(data):
    """The SET reports of a complete firmware transfer (no resend), in order."""
    length = len(data)
    out = [bytes([0x20, 6, 9, 0, 0, 0, 0, 0]), bytes.fromhex("215aa5321003cb0001"),
           bytes([0x20, 6, 9, 0, 0, 1, 0, 0]),
           bytes([0x21]) + length.to_bytes(4, "little") + bytes([0x5A, 0xA5, 0x22, 0x88]),
           bytes([0x20, 6, 9, 0, 0, 2, 0, 0]), bytes([0x21, 0xEC] + [0] * 7)]
    count, sums = firmware_checksums(data)
    for i in range(count):
        block = data[i * 1024:(i + 1) * 1024].ljust(1024, b"\0")
        out += [bytes([0x20, 6, 9, 0, 0, 3, 0, 0]),
                bytes([0x21]) + i.to_bytes(2, "little") + sums[i].to_bytes(2, "little")
                + bytes([0x5A, 0xA5, 0x22, 0x88]),
                bytes([0x20, 6, 1, 4, 0, 4, 0, 0]), bytes([0x22]) + block]
    return out


# ---------------------------------------------------------------------------------------------
# Transcript walker: the host's side of each command, reacting to what the mouse answered.
# ---------------------------------------------------------------------------------------------


class Mismatch(Exception):
    pass


def short(*b):
    return bytes(list(b) + [0] * (8 - len(b)))


class Walker:
    def __init__(self, lines, what):
        self.lines = lines
        self.pos = 0
        self.what = what

    def _next(self):
        if self.pos >= len(self.lines):
            raise Mismatch(f"{self.what}: transcript ends at line {self.pos + 1}, more expected")
        line = self.lines[self.pos]
        self.pos += 1
        kind, _, payload = line.partition(" ")
        return kind, bytes.fromhex(payload)

    def where(self):
        return f"{self.what}, transcript line {self.pos}"

    def expect_set(self, report, label):
        kind, got = self._next()
        if kind != "SET" or got != report:
            raise Mismatch(f"{self.where()} ({label}): got {kind} {describe(got, report)}, "
                           f"wanted SET {report.hex()[:80]}")

    def get(self, report_id, length, label):
        kind, got = self._next()
        if kind != "GET" or len(got) != length or got[0] != report_id:
            raise Mismatch(f"{self.where()} ({label}): got {kind} {got.hex()[:40]} "
                           f"({len(got)} bytes), wanted GET of report {report_id:#04x} "
                           f"with {length} bytes")
        return got

    def ack(self, report_id, label):
        """Acknowledge polling: up to eleven 8-byte gets; success on byte 1 == 1."""
        for _ in range(11):
            reply = self.get(report_id, 8, f"ack {label}")
            if reply[1] == 1:
                return True
        return False

    def done(self):
        if self.pos != len(self.lines):
            raise Mismatch(f"{self.what}: {len(self.lines) - self.pos} unexpected line(s) "
                           f"from line {self.pos + 1}: {self.lines[self.pos][:60]}")


def describe(got, want):
    if len(got) != len(want):
        return f"{got.hex()[:80]} ({len(got)} bytes, wanted {len(want)})"
    for i, (g, w) in enumerate(zip(got, want)):
        if g != w:
            return f"{got.hex()[:80]} (first difference at byte {i}: {g:#04x} vs {w:#04x})"
    return got.hex()[:80]


def set_active(w, index):
    w.expect_set(short(3, 2), "select")
    if not w.ack(3, "select"):
        return False
    w.expect_set(short(3, index), f"select operand {index}")
    return w.ack(3, "select operand")


def read_info(w):
    w.expect_set(short(3, 4), "info")
    if not w.ack(3, "info"):
        return None
    reply = w.get(4, 64, "info reply")
    return int.from_bytes(reply[1:3], "little", signed=True)


def write_image(w, image, length, index, n):
    for chunk in range(2 if length > 1024 else 1):
        header = short(3, 0, length & 0xFF, (length >> 8) & 0xFF, chunk, index)
        w.expect_set(header, f"profile {n} header chunk {chunk}")
        if not w.ack(3, f"profile {n} header {chunk}"):
            return False
        w.expect_set(bytes([5]) + image[chunk * 1024:(chunk + 1) * 1024],
                     f"profile {n} data chunk {chunk}")
        if not w.ack(3, f"profile {n} data {chunk}"):
            return False
    return True


def walk_apply(w, profiles, current, firmware, reads_info):
    """ApplyAll from the mouse's point of view; returns the list of failure messages."""
    messages = []
    if reads_info:
        fw = read_info(w)
        firmware = fw if fw is not None else 0
    index = profiles[current - 1]["index"] & 0xFF
    if not set_active(w, index):
        messages.append("set current profile id failed.")
    for n, p in enumerate(profiles, 1):
        image, length = build_image(p, firmware)
        if not write_image(w, image, length, p["index"] & 0xFF, n):
            messages.append("set profile to mcu failed.")
            break
    if not set_active(w, index):
        messages.append("set current profile id failed.")
    return messages


# ---------------------------------------------------------------------------------------------
# Running the programs.
# ---------------------------------------------------------------------------------------------


class Server:
    def __init__(self, binary, work, name, args=()):
        self.transcript = os.path.join(work, name + ".transcript")
        self.out = os.path.join(work, name + ".out")
        with open(self.out, "w") as out:
            self.proc = subprocess.Popen(
                [binary, "--listen", "127.0.0.1:0", "--transcript", self.transcript,
                 "--state-dir", os.path.join(work, name + ".state"), "--quiet", *args],
                stdout=out, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        self.address = None
        while time.time() < deadline and self.address is None:
            with open(self.out) as f:
                for line in f:
                    if line.startswith("listening on "):
                        self.address = line.split()[2]
            if self.proc.poll() is not None:
                break
            time.sleep(0.02)
        if self.address is None:
            self.stop()
            raise RuntimeError("virtual mouse did not start")

    def lines(self):
        if not os.path.exists(self.transcript):
            return []
        with open(self.transcript) as f:
            return [l.strip() for l in f if l.strip()]

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


class Checker:
    def __init__(self, ctl, server_bin, work):
        self.ctl = ctl
        self.server_bin = server_bin
        self.work = work
        self.failures = []
        self.checked = 0
        self.servers = []
        self.base = None

    def fail(self, text):
        self.failures.append(text)
        print("MISMATCH: " + text)

    def run(self, *args, ok=True):
        r = subprocess.run([self.ctl, *args], capture_output=True, text=True,
                           timeout=CMD_TIMEOUT)
        if ok and r.returncode != 0:
            raise RuntimeError(f"orva7100ctl {' '.join(args)} failed: {r.stderr.strip()}")
        return r

    def server(self, name, args=()):
        s = Server(self.server_bin, self.work, name, args)
        self.servers.append(s)
        return s

    def finish_server(self, s):
        s.stop()
        self.servers.remove(s)
        return s.lines()

    # ----- profiles -----------------------------------------------------------------------

    def make_profile(self, path, data):
        if self.base is None:
            base = os.path.join(self.work, "base.profile")
            self.run("profile", "new", "-o", base)
            self.base = self.run("profile", "show", base).stdout
        shown = json.loads(self.base)
        shown.update({k: v for k, v in data.items() if k in shown})
        src = path + ".json"
        with open(src, "w") as f:
            json.dump(shown, f)
        self.run("profile", "build", src, "-o", path)
        # Read back what the file holds: the model works from the stored profile.
        return json.loads(self.run("profile", "show", path).stdout)

    # ----- scenarios ----------------------------------------------------------------------

    def check_apply(self, name, profiles, current, firmware, server_args=(), device_fw=109):
        paths = []
        for n, p in enumerate(profiles, 1):
            path = os.path.join(self.work, f"{name}-p{n}.profile")
            paths.append(path)
            profiles[n - 1] = self.make_profile(path, p)
        s = self.server(name, ["--firmware-version", str(device_fw), *server_args])
        args = ["--device", "virtual:" + s.address, "device", "apply", *paths,
                "--current", str(current)]
        if firmware is not None:
            args += ["--firmware", str(firmware)]
        r = self.run(*args, ok=False)
        lines = self.finish_server(s)
        w = Walker(lines, f"{name} (apply --current {current}"
                          f"{'' if firmware is None else ' --firmware %d' % firmware})")
        try:
            messages = walk_apply(w, profiles, current, firmware if firmware is not None else 0,
                                  reads_info=firmware is None)
            w.done()
        except Mismatch as e:
            self.fail(str(e))
            return
        want_rc = 1 if messages else 0
        if r.returncode != want_rc:
            self.fail(f"{name}: apply exit status {r.returncode}, wanted {want_rc} "
                      f"(failures {messages}; stderr {r.stderr.strip()!r})")
        for m in messages:
            if m not in r.stderr + r.stdout:
                self.fail(f"{name}: message {m!r} not shown (stderr {r.stderr.strip()!r})")
        self.checked += len(lines)

    def check_simple(self, name, server_args, cli, walk, want_stdout=None, want_rc=0):
        s = self.server(name, server_args)
        r = self.run("--device", "virtual:" + s.address, *cli, ok=False)
        lines = self.finish_server(s)
        w = Walker(lines, f"{name} ({' '.join(cli)})")
        try:
            result = walk(w)
            w.done()
        except Mismatch as e:
            self.fail(str(e))
            return
        if r.returncode != want_rc:
            self.fail(f"{name}: exit status {r.returncode}, wanted {want_rc} ({r.stderr.strip()})")
        if want_stdout is not None:
            want = want_stdout(result) if callable(want_stdout) else want_stdout
            if want is not None:
                try:
                    got = json.loads(r.stdout)
                except ValueError:
                    got = r.stdout
                if got != want:
                    self.fail(f"{name}: printed {r.stdout.strip()!r}, wanted {want!r}")
        self.checked += len(lines)


# ---------------------------------------------------------------------------------------------
# Generated profiles.
# ---------------------------------------------------------------------------------------------

KEYS = sorted(USAGE) + [0x10, 0x11, 0x12, 0x6C, 0x7C, 0x87, 0x00]


def random_events(rng, count):
    """count recorded events and the all-zero terminator; -1: a copy without any event."""
    if count < 0:
        return []
    events = []
    for _ in range(count):
        kind = rng.choice([1, 1, 1, 16, 17])
        if kind == 1:
            code = rng.choice(KEYS)
        elif kind == 16:
            code = rng.choice([1, 2, 4, 166, 167])
        else:
            code = rng.choice([151, 152])
        delay = rng.choice([0, 1, rng.randrange(1, 5000), rng.randrange(1 << 24, 1 << 30)])
        events.append({"kind": kind, "code": code, "action": rng.choice([1, 2]), "delay": delay})
    events.append({"kind": 0, "code": 0, "action": 0, "delay": 0})
    return events


def random_profile(rng, index, macro_events=()):
    """macro_events: event counts (terminator excluded) of macros on the first buttons."""
    functions = [0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 15]
    buttons = []
    macros = []
    macro_buttons = rng.sample(range(7), len(macro_events))
    counts = dict(zip(sorted(macro_buttons), macro_events))
    for k in range(7):
        if k in counts:
            buttons.append({"buttonIndex": k, "function": 14, "value": 100 + k})
            macros.append({"id": 100 + k, "name": f"m{k}",
                           "events": random_events(rng, counts[k])})
            continue
        f = rng.choice(functions)
        value = rng.choice(KEYS) if f == 13 else 0
        buttons.append({"buttonIndex": k, "function": f, "value": value})
        macros.append({"id": 0, "name": "", "events": []})
    mode = rng.choice([15, 0, 0x10 | rng.randrange(16), 0x13, 5])
    return {
        "name": f"Gen{index}", "index": index,
        "reportRate": rng.choice([0, 1, 3, 5]),
        "dpi": [[rng.randrange(1, 61), rng.randrange(1, 61)] for _ in range(3)],
        "liftDistance": rng.randrange(1, 33),
        "ledColour": rng.randrange(1 << 24), "ledMode": mode,
        "buttons": buttons, "macros": macros,
    }


def self_test():
    """The model against the worked examples of the image format and the checksums."""
    base = {"index": 0, "dpi": [[9, 9], [23, 23], [45, 45]], "ledColour": 455174,
            "ledMode": 15, "liftDistance": 12, "reportRate": 0,
            "buttons": [{"buttonIndex": k, "function": k, "value": 0} for k in range(7)],
            "macros": [{"events": []} for _ in range(7)]}
    img, n = build_image(base, 0)
    assert n == 179 and img[:13] == bytes.fromhex("b300000000020900090006f206")
    assert img[83:87] == bytes([0, 15, 12, 0])
    assert img[152:155] == bytes([1, 0, 0]) and img[88:92] == bytes.fromhex("0000ffff")
    p = json.loads(json.dumps(base))
    p["reportRate"] = 5
    assert build_image(p, 109)[0][86:88] == bytes([0, 5])
    assert build_image(p, 108)[0][86:88] == bytes([5, 0])
    p["buttons"][2] = {"buttonIndex": 2, "function": 13, "value": 0x41}
    img, _ = build_image(p, 0)
    assert img[96:100] == bytes.fromhex("020d8a00") and img[158:161] == bytes.fromhex("010400")
    p = json.loads(json.dumps(base))
    zero = {"kind": 0, "code": 0, "action": 0, "delay": 0}
    ev = {"kind": 1, "code": 0x41, "action": 1, "delay": 5}
    p["buttons"][1]["function"] = 14
    p["macros"][1]["events"] = [ev] * 3 + [zero]
    p["buttons"][4]["function"] = 14
    p["macros"][4]["events"] = [ev, zero]
    img, n = build_image(p, 0)
    assert n == 261 and img[155:158] == bytes.fromhex("01b300") and img[164:167] == bytes([1, 227, 0])
    assert firmware_checksums(b"\xff" * 1024)[1] == [0xFC00]
    count, sums = firmware_checksums(bytes(range(256)) * 5 + b"\x07" * 220)
    assert count == 2


# ---------------------------------------------------------------------------------------------


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    ctl, server_bin = sys.argv[1], sys.argv[2]
    self_test()
    rng = random.Random(SEED)
    work = tempfile.mkdtemp(prefix="orva-protocol-check-")
    c = Checker(ctl, server_bin, work)
    started = time.time()
    try:
        # (1) Apply: five generated profiles, several with macros beyond one chunk.
        layouts = [
            [(), (150,), (3, 40), (), (117,)],          # 1025 bytes: two chunks
            [(116,), (56, 57), (), (200, 30), ()],      # 1024 bytes exactly: one chunk
            [(-1, -1, 4), (2, 2), (250,), (), (1, 1, 1)],  # key entries of 219/220 translate
            [(), (), (), (), ()],
            [(90, 30, 20, 30, 40, 2, 0), (), (90,), (10, 10), (240,)],
        ]
        for current in range(1, 6):
            for firmware in (None, 108, 109):
                layout = layouts[(current + (firmware or 0)) % len(layouts)]
                profiles = [random_profile(rng, i, layout[i]) for i in range(5)]
                c.check_apply(f"apply-c{current}-f{firmware}", profiles, current, firmware,
                              device_fw=rng.choice([108, 109, 120]))
        # Profile files whose stored index differs from their position.
        profiles = [random_profile(rng, i, ((i * 40,) if i else ())) for i in (3, 0, 4, 1, 2)]
        c.check_apply("apply-indexes", profiles, 2, None, device_fw=100)
        # Slow and missing acknowledges.
        profiles = [random_profile(rng, i, (150,) if i == 1 else ()) for i in range(5)]
        c.check_apply("apply-ack-late", profiles, 4, 109, ["--ack-after", "5"])
        profiles = [random_profile(rng, i, (150,) if i == 1 else ()) for i in range(5)]
        c.check_apply("apply-ack-slot1", profiles, 1, 109, ["--ack-fault-slot", "1",
                                                            "--ack-after", "never"])
        profiles = [random_profile(rng, i) for i in range(5)]
        c.check_apply("apply-ack-never", profiles, 3, 109, ["--ack-after", "never"])

        # (2) The other commands.
        for i in range(5):
            c.check_simple(f"select-{i}", [], ["device", "select", str(i)],
                           lambda w, i=i: set_active(w, i))
        for fw in (109, 108, 0, 32767, -5):
            c.check_simple(f"info-{fw}", ["--firmware-version", str(fw)], ["device", "info"],
                           read_info, lambda v: {"firmwareVersion": v})

        def active(w):
            w.expect_set(short(3, 3), "active")
            assert w.ack(3, "active")
            reply = w.get(3, 8, "active reply")
            return reply[1]
        c.check_simple("active", [], ["device", "active"], active,
                       lambda v: {"activeSlot": v})

        for v in (6, 12, 31):
            for sub, word in ((0, "test"), (1, "save")):
                def lift(w, sub=sub, v=v):
                    w.expect_set(short(0x0A, sub, v), f"lift {sub}")
                    return w.ack(0x0A, "lift")
                c.check_simple(f"lift-{word}-{v}", [], ["device", "lift", word, str(v)], lift)

        for count in (300, 0, 70000, 2147483647):
            def surface(w):
                w.expect_set(short(0x0B, 0), "surface start")
                assert w.ack(0x0B, "surface start")
                w.expect_set(short(0x0B, 1), "surface read")
                reply = w.get(0x0B, 8, "surface reply")
                assert reply[1] == 1
                return int.from_bytes(reply[2:6], "little")
            c.check_simple(f"surface-{count}", ["--surface-count", str(count)],
                           ["device", "surface"], surface,
                           lambda v, count=count: {"count": count} if v == count else
                           {"count": v, "server-count": count})
        c.check_simple("select-ack-late", ["--ack-after", "10"], ["device", "select", "2"],
                       lambda w: set_active(w, 2))
        c.check_simple("select-ack-11", ["--ack-after", "11"], ["device", "select", "1"],
                       lambda w: set_active(w, 1), want_rc=1)
        c.check_simple("select-ack-never", ["--ack-after", "never"], ["device", "select", "2"],
                       lambda w: set_active(w, 2), want_rc=1)

        # (3) Firmware images: block count and checksums.
        for size in (0, 1, 476, 1023, 1024, 1025, 1500, 4096, 5000, 20000, 204799, 204800):
            data = bytes(rng.randrange(256) for _ in range(size))
            if size == 1500:
                data = b"\xff" * size
            path = os.path.join(work, f"fw{size}.bin")
            with open(path, "wb") as f:
                f.write(data)
            info = json.loads(c.run("firmware", "info", path).stdout)
            count, sums = firmware_checksums(data)
            got = info.get("checksums", [])
            if info.get("length") != size or info.get("blocks") != count:
                c.fail(f"firmware info {size}: length/blocks {info.get('length')}/"
                       f"{info.get('blocks')}, wanted {size}/{count}")
            elif got[:count] != sums or any(got[count:]):
                c.fail(f"firmware info {size}: checksums {got[:4]}..., wanted {sums[:4]}...")
            # The reports of the transfer, as the model derives them.
            reports = firmware_sets(data)
            if len(reports) != 6 + 4 * count:
                c.fail(f"firmware transfer model {size}: {len(reports)} reports")
        path = os.path.join(work, "fw-too-long.bin")
        with open(path, "wb") as f:
            f.write(bytes(204801))
        if c.run("firmware", "info", path, ok=False).returncode == 0:
            c.fail("firmware info accepted a 204801-byte image")
    finally:
        for s in list(c.servers):
            s.stop()
        shutil.rmtree(work, ignore_errors=True)
    print(f"{c.checked} transcript lines compared in {time.time() - started:.1f} s; "
          f"{len(c.failures)} mismatch(es)")
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main())
