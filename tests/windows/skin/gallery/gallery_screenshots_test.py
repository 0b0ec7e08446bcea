#!/usr/bin/env python3
"""Drives the control gallery under Wine and Xvfb with xdotool, takes screenshots of the
normal, hover, pressed, latched, checked, disabled and open-menu states, and checks the pixels
of each control against the rectangle of the skin sheet it was cut from.

usage: gallery_screenshots_test.py <orva-skin-gallery.exe> <Skins folder>
Screenshots are kept in $ORVA_ARTIFACTS/skin-gallery (or a temporary folder)."""

import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

ACCENT = (179, 211, 53)


def read_bmp(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bpp, = struct.unpack_from("<H", data, 28)
    assert bpp == 24, path
    row = (width * 3 + 3) & ~3
    pixels = []
    for y in range(height):
        base = offset + (height - 1 - y) * row
        line = data[base:base + width * 3]
        pixels.append([(line[3 * x + 2], line[3 * x + 1], line[3 * x]) for x in range(width)])
    return pixels


def read_screenshot(png):
    ppm = png[:-4] + ".ppm"
    subprocess.run(["convert", png, ppm], check=True)
    data = open(ppm, "rb").read()
    os.remove(ppm)
    # P6 <w> <h> <max>\n<bytes>
    parts = data.split(maxsplit=4)
    width, height = int(parts[1]), int(parts[2])
    body = parts[4]
    return [[tuple(body[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


class Gallery:
    def __init__(self, exe, skins, scene, failures):
        self.skins = skins
        self.sheets = {}
        self.failures = failures
        self.scene = scene
        self.work = tempfile.mkdtemp(prefix="orva-gallery-")
        artifacts = os.environ.get("ORVA_ARTIFACTS")
        self.shots = os.path.join(artifacts, "skin-gallery") if artifacts else self.work
        os.makedirs(self.shots, exist_ok=True)
        win_work = subprocess.run(["winepath", "-w", self.work], capture_output=True,
                                  text=True).stdout.strip() or self.work
        self.log = open(os.path.join(self.work, "gallery.log"), "w")
        win_skins = subprocess.run(["winepath", "-w", skins], capture_output=True,
                                   text=True).stdout.strip() or skins
        self.proc = subprocess.Popen(["wine", exe, win_work, win_skins, scene], stdout=self.log,
                                     stderr=subprocess.STDOUT, start_new_session=True)
        listing = os.path.join(self.work, "gallery-controls.txt")
        deadline = time.time() + 60
        while not os.path.exists(listing):
            if time.time() > deadline or self.proc.poll() is not None:
                raise SystemExit("the gallery did not come up")
            time.sleep(0.1)
        self.controls = {}
        for line in open(listing):
            name, x, y, w, h, sheet, sx, sy = line.split()
            self.controls[name] = (int(x), int(y), int(w), int(h), sheet, int(sx), int(sy))
        self.park()

    def close(self):
        open(os.path.join(self.work, "quit"), "w").close()
        try:
            self.proc.wait(timeout=15)
        except subprocess.TimeoutExpired:
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait()
        self.log.close()
        if self.shots != self.work:
            shutil.rmtree(self.work, ignore_errors=True)

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True)
        time.sleep(0.35)

    def park(self):
        self.xdotool("mousemove", 1275, 1020)

    def centre(self, name):
        x, y, w, h = self.controls[name][:4]
        return x + w // 2, y + h // 2

    def shot(self, label):
        time.sleep(0.3)
        path = os.path.join(self.shots, self.scene + "-" + label + ".png")
        subprocess.run(["import", "-window", "root", path], check=True)
        return read_screenshot(path)

    def shot_until(self, label, ready):
        """A screenshot once `ready(screen)` holds, trying three times."""
        for attempt in range(3):
            screen = self.shot(label)
            if ready(screen):
                break
            time.sleep(0.7)
        return screen

    def sheet(self, name):
        if name not in self.sheets:
            self.sheets[name] = read_bmp(os.path.join(self.skins, name + ".bmp"))
        return self.sheets[name]

    def fail(self, message):
        print("FAIL:", message)
        self.failures.append(message)

    def check(self, label, expectations):
        """Screenshot, then each (name, state[, edges only]) against the sheets. A busy machine
        may draw late, so a failing screenshot is taken again twice before it counts."""
        for attempt in range(3):
            screen = self.shot(label)
            problems = []
            for entry in expectations:
                problem = self.compare(screen, label, *entry)
                if problem:
                    problems.append(problem)
            if not problems:
                break
            time.sleep(0.7)
        for problem in problems:
            self.fail(problem)
        return screen

    def compare(self, screen, label, name, state, edges_only=False):
        x, y, w, h, family, sx, sy = self.controls[name]
        sheet = self.sheet(family + "_" + state)
        normal = self.sheet(family + "_normal")
        points = [(i, j) for j in range(h) for i in range(w)
                  if not edges_only or i < 2 or j < 2 or i >= w - 2 or j >= h - 2]
        if state != "normal" and all(sheet[sy + j][sx + i] == normal[sy + j][sx + i]
                                     for i, j in points):
            return f"{label}: {name} looks the same in the normal and {state} sheets"
        same = sum(1 for i, j in points
                   if all(abs(a - b) <= 2 for a, b in zip(screen[y + j][x + i], sheet[sy + j][sx + i])))
        share = same / len(points)
        if share < 0.97:
            return f"{label}: {name} matches the {state} sheet in {share:.0%} of its pixels"
        print(f"ok   {label}: {name} shows {family}_{state} ({share:.1%})")
        return None

    def expect(self, screen, label, name, state, edges_only=False):
        """The control shows the rectangle of its family's sheet for `state`."""
        problem = self.compare(screen, label, name, state, edges_only)
        if problem:
            self.fail(problem)


def check_pages(g):
    s = g.shot("01-normal-latched-disabled")
    for name in ("marker1", "rate125", "page", "analyze", "test", "renameok", "keyok",
                 "palette11", "off", "zone1"):
        g.expect(s, "normal", name, "normal")
    for name in ("slot1", "dpistep"):
        g.expect(s, "normal", name, "normal", edges_only=True)
    g.expect(s, "latched", "marker3", "down")
    g.expect(s, "latched", "on", "down")
    g.expect(s, "checked", "rate1000", "down")
    g.expect(s, "checked", "speed", "down")
    g.expect(s, "disabled", "marker5", "disable")
    g.expect(s, "disabled", "enable", "disable")
    g.expect(s, "disabled", "zonewheel", "disable")
    g.expect(s, "disabled", "keycancel", "disable")
    x, y = g.centre("swatch")
    if s[y][x] != (0, 90, 0):
        g.fail(f"swatch shows {s[y][x]} instead of (0, 90, 0)")

    g.xdotool("mousemove", *g.centre("marker1"))
    g.check("02-hover", [("marker1", "over"), ("marker2", "normal")])
    g.xdotool("mousemove", *g.centre("renameok"))
    g.check("03-hover-dialog", [("renameok", "over"), ("marker1", "normal")])
    g.xdotool("mousemove", *g.centre("slot4"))
    g.check("03b-hover-dropdown", [("slot4", "over", True)])

    g.xdotool("mousemove", *g.centre("analyze"))
    g.xdotool("mousedown", 1)
    g.check("04-pressed", [("analyze", "down")])
    g.xdotool("mouseup", 1)
    g.park()

    g.xdotool("mousemove", *g.centre("rate125"))
    g.xdotool("click", 1)
    g.park()
    g.check("05-checked-by-click", [("rate125", "down"), ("rate250", "normal")])

    # The drop-down of slot 2 opens right below it: a black box in a green frame.
    sx, sy, sw, sh = g.controls["slot2"][:4]
    g.xdotool("mousemove", *g.centre("slot2"))
    g.xdotool("click", 1)
    top = sy + sh
    s = g.shot_until("06-menu-open", lambda s: s[top + 5][sx] == ACCENT)
    if s[top + 5][sx] != ACCENT or s[top][sx + 20] != ACCENT:
        g.fail(f"no menu frame below slot2: {s[top + 5][sx]}, {s[top][sx + 20]}")
    else:
        bottom = top
        while bottom + 1 < len(s) and s[bottom + 1][sx] == ACCENT:
            bottom += 1
        items = 8
        line = (bottom + 1 - top - 8) // items
        print(f"ok   menu open: {bottom + 1 - top} pixels high, {line} per line")
        lit = sum(1 for j in range(top + 4, top + 4 + line) for i in range(sx + 10, sx + 80)
                  if s[j][i] != (0, 0, 0))
        if lit == 0:
            g.fail("the first menu line shows no text")
        # Resting on the item with a sub-menu opens the next level beside it.
        g.xdotool("mousemove", sx + 40, top + 4 + 7 * line + line // 2)
        right = sx + (sw - 2) - 5
        beside = range(top + 7 * line - 4, top + 8 * line + 4)
        s = g.shot_until("07-submenu-open",
                         lambda s: any(s[j][right + 2] == ACCENT for j in beside))
        found = any(s[j][right + 2] == ACCENT for j in beside)
        if not found:
            g.fail("the sub-menu did not open beside the menu")
        # A press on another window of the program closes the whole tree.
        g.xdotool("mousemove", 100, 600)
        g.xdotool("click", 1)
        s = g.shot_until("08-menu-closed", lambda s: s[top + 5][sx] != ACCENT)
        if s[top + 5][sx] == ACCENT:
            g.fail("the menu stayed open after a press outside")
        g.expect(s, "closed", "slot3", "normal", edges_only=True)
    g.park()


def check_windows(g):
    s = g.shot("01-main-and-popups")
    g.expect(s, "latched", "tab1", "down")
    g.expect(s, "latched", "profile1", "down", edges_only=True)
    for name in ("tab2", "tab5", "profilemenu1", "profilemenu5", "reset", "ok", "apply",
                 "cancel", "minimise", "close", "online", "updates", "warnok", "warnclose",
                 "deleteok", "deletecancel", "resetok", "startok", "startcancel", "movecancel"):
        g.expect(s, "normal", name, "normal")
    g.expect(s, "normal", "profile2", "normal", edges_only=True)

    # The analysis pop-up cycles its four frames.
    x, y, w, h = g.controls["moveimage"][:4]
    frames = [read_bmp(os.path.join(g.skins, f"TQA2-{k}.bmp")) for k in range(4)]

    def frame_shown(screen):
        for k, frame in enumerate(frames):
            if all(screen[y + j][x + i] == frame[j][i] for j in range(0, h, 3) for i in range(0, w, 3)):
                return k
        return None

    # Looked at until a second frame shows, for at most ten looks (over seven frame periods): on
    # a busy machine the few looks of a fixed count can all fall within one frame.
    seen = [frame_shown(s)]
    for k in range(10):
        if None in seen or len(set(seen)) >= 2:
            break
        time.sleep(0.15)
        seen.append(frame_shown(g.shot(f"02-animation-{k}")))
    if None in seen or len(set(seen)) < 2:
        g.fail(f"the analysis frames do not cycle: {seen}")
    else:
        print(f"ok   animation: frames {seen}")

    g.xdotool("mousemove", *g.centre("profile2"))
    s = g.check("03-hover-profile", [("profile2", "over", True)])
    px, py, pw, ph = g.controls["profile2"][:4]
    hot = sum(1 for j in range(py + 3, py + ph - 3) for i in range(px + 5, px + pw // 2)
              if all(abs(a - b) <= 40 for a, b in zip(s[j][i], ACCENT)))
    if hot == 0:
        g.fail("the hovered profile button's caption is not in the accent colour")
    g.xdotool("mousemove", *g.centre("tab3"))
    g.xdotool("mousedown", 1)
    g.check("04-pressed-tab", [("tab3", "down")])
    g.xdotool("mouseup", 1)

    # A profile's menu is 158 pixels wide, below its arrow button.
    mx, my, mw, mh = g.controls["profilemenu2"][:4]
    g.xdotool("mousemove", *g.centre("profilemenu2"))
    g.xdotool("click", 1)
    top = my + mh
    s = g.shot_until("05-profile-menu-open", lambda s: s[top + 5][mx] == ACCENT)
    if s[top + 5][mx] != ACCENT or s[top + 5][mx + 157] != ACCENT or s[top + 5][mx + 158] == ACCENT:
        g.fail("the profile menu is not 158 pixels wide below its button")
    g.xdotool("mousemove", 400, 400)
    g.xdotool("click", 1)
    s = g.shot_until("06-profile-menu-closed", lambda s: s[top + 5][mx] != ACCENT)
    if s[top + 5][mx] == ACCENT:
        g.fail("the profile menu stayed open after a press outside")
    g.park()


def main():
    exe, skins = sys.argv[1], sys.argv[2]
    failures = []
    for scene, check in (("pages", check_pages), ("windows", check_windows)):
        g = Gallery(exe, skins, scene, failures)
        try:
            check(g)
        finally:
            g.close()
        print(f"{scene}: screenshots in {g.shots}")
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
