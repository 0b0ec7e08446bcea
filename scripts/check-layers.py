#!/usr/bin/env python3
"""Fails when an include crosses a layer upward or names no layer.

The configurator is built in layers; each may include its own headers and those of the layers
it names below, never one above:

    base          files, text, the program's folder; knows nothing of mice or windows
    profiles      profiles, device images, profile files
    device        the link to the mouse and its commands (platform transports side by side)
    macros        macros, macro files, the recorder's choice of events
    skin/logic    the skinned controls' arithmetic; generic, no domain types
    skin          window framework and skinned controls (Win32); generic, no domain types
    pages/logic   what the pages decide, portable
    pages         the pages and pop-ups (Win32)
    app/logic     what the main window decides, portable
    app           the main window, tray, files dialogs (Win32)

The updater has two: logic (portable) under app (Win32). Includes of project headers name their
folder from the program's root ("device/DeviceLink.h"); the updater and the configurator share
nothing.
"""
import os
import re
import sys

CONFIGURATOR = {
    "base": {"base"},
    "profiles": {"base", "profiles"},
    "device": {"base", "profiles", "device"},
    "macros": {"base", "profiles", "macros"},
    "skin/logic": {"skin/logic"},
    "skin": {"base", "skin/logic", "skin"},
    "pages/logic": {"base", "profiles", "device", "macros", "skin/logic", "pages/logic"},
    "pages": {"base", "profiles", "device", "macros", "skin/logic", "skin", "pages/logic",
              "pages"},
    "app/logic": {"base", "profiles", "device", "macros", "skin/logic", "pages/logic",
                  "app/logic"},
}
CONFIGURATOR["app"] = set(CONFIGURATOR) | {"app"}
UPDATER = {"logic": {"logic"}, "app": {"logic", "app"}}
# Headers of modules outside the programs, by the layer that may use them: the device layer's
# loopback transport talks to the virtual mouse through its client.
OUTSIDE = {"device": {"VirtualMouseClient.h"}}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(path, layers):
    """The deepest layer whose folder holds `path` (relative to the program's root)."""
    best = None
    for layer in layers:
        if path.startswith(layer + "/") and (best is None or len(layer) > len(best)):
            best = layer
    return best


def check_program(root, layers, problems):
    for folder, _, files in os.walk(root):
        for name in files:
            if not name.endswith((".cpp", ".h", ".rc")):
                continue
            path = os.path.join(folder, name)
            own = layer_of(os.path.relpath(path, root), layers)
            if own is None:
                continue
            text = open(path, encoding="utf-8", errors="replace").read()
            for included in INCLUDE.findall(text):
                target = os.path.join(root, included)
                if included in OUTSIDE.get(own, ()):
                    continue
                if not os.path.exists(target):
                    # Generated files (art) come from the build; everything else names its layer.
                    if not included.endswith((".ico", ".bmp", ".manifest")):
                        problems.append(f"{path}: \"{included}\" names no project file")
                    continue
                theirs = layer_of(included, layers)
                if theirs not in layers[own]:
                    problems.append(f"{path}: {own} includes {included} ({theirs})")


def main():
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    problems = []
    check_program(os.path.join(top, "configurator"), CONFIGURATOR, problems)
    check_program(os.path.join(top, "updater"), UPDATER, problems)
    for problem in problems:
        print("layers:", problem)
    if problems:
        return 1
    print("layers: every include stays in its layer or goes down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
