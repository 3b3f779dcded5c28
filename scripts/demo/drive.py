#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs a prepared bundle with an emulated printer; meant to run under
umockdev-wrapper (see scripts/demo.sh).
   drive.py MODE BUNDLE [SCREENSHOT_STEM]
MODE: wifi or usb (a listed printer present at start), plug (the Wi-Fi
printer plugged in 3 s after start), none (no printer). With
SCREENSHOT_STEM the assistant is shown on the current (virtual) display,
photographed as STEM-1.png (and STEM-2.png once plugged) and ended; without,
it runs until the user ends it, and its exit status is returned."""
import os
import shutil
import subprocess
import sys
import tempfile

import gi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import desktop  # noqa: E402

gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

PRINTERS = {"wifi": ("f055", "0001"), "usb": ("f055", "0101")}


def plug(testbed, ids):
    testbed.add_device("usb", "1-1", None, ["idVendor", ids[0], "idProduct", ids[1],
                                            "manufacturer", "Example", "product", "Demo printer"],
                       ["DEVTYPE", "usb_device"])


def main():
    mode, bundle = sys.argv[1], sys.argv[2]
    stem = sys.argv[3] if len(sys.argv) > 3 else None
    if mode not in ("wifi", "usb", "plug", "none"):
        sys.exit("demo: mode is wifi, usb, plug or none")
    testbed = UMockdev.Testbed.new()
    if mode in PRINTERS:
        plug(testbed, PRINTERS[mode])
    env = dict(os.environ, UMOCKDEV_DIR=testbed.get_root_dir())
    if stem:
        # A session of its own: a demo on a virtual display must not hand
        # over to an assistant the user already runs.
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env["XDG_RUNTIME_DIR"] = tempfile.mkdtemp()
    app = subprocess.Popen([os.path.join(bundle, "bin", "runNetlume")], env=env)
    try:
        return run(app, mode, testbed, stem)
    finally:
        if stem:
            shutil.rmtree(env["XDG_RUNTIME_DIR"], ignore_errors=True)


def run(app, mode, testbed, stem):
    if stem is None:
        if mode == "plug":
            try:
                app.wait(timeout=3)
            except subprocess.TimeoutExpired:
                print("demo: plugging in the Wi-Fi printer", file=sys.stderr)
                plug(testbed, PRINTERS["wifi"])
        return app.wait()
    first = desktop.screenshot_once_shown(app.pid, stem + "-1.png")
    print("screenshot: " + stem + "-1.png")
    if mode == "plug":
        plug(testbed, PRINTERS["wifi"])
        desktop.screenshot_once_shown(app.pid, stem + "-2.png", changed_from=first)
        print("screenshot: " + stem + "-2.png")
    app.terminate()
    app.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
