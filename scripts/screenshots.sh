#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Screenshots of every screen of the assistant in every language, on a
# virtual X display under a window manager (openbox), with emulated printers
# plugged in, into docs/screens/<language>/ (English also into docs/).
#   scripts/screenshots.sh [BUNDLE_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
bundle="${1:-build/bundle}"

. scripts/desktop.sh
start_virtual_display 1024x640
export DISPLAY="$display"
openbox >/dev/null 2>&1 &
on_exit "kill $! 2>/dev/null"

umockdev-wrapper /usr/bin/python3 - "$bundle" <<'PY'
import os, shutil, subprocess, sys, tempfile
import gi
gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev
sys.path.insert(0, "scripts")
import desktop

desktop.await_("the window manager", lambda: "window id" in subprocess.run(
    ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout)
bundle = sys.argv[1]
languages = ["en", "de", "fr", "es", "it", "pt_BR", "ja", "zh_CN"]
# name, emulated printer, keys pressed once the first window shows
shots = [("connect-screen", None, []), ("launch-tool-screen", ("f055", "0001"), []),
         ("add-printer-window", ("f055", "0101"), []),
         # Done is locked, so Tab goes from the skip box to Next.
         ("warm-prompt", None, ["Tab", "Return"])]
for language in languages:
    os.makedirs(os.path.join("docs", "screens", language), exist_ok=True)
    for name, device, keys in shots:
        testbed = UMockdev.Testbed.new()
        if device:
            testbed.add_device("usb", "1-1", None, ["idVendor", device[0], "idProduct", device[1]],
                               ["DEVTYPE", "usb_device"])
        folder = tempfile.mkdtemp()
        copy = os.path.join(folder, "bundle")
        shutil.copytree(bundle, copy)
        env = dict(os.environ, UMOCKDEV_DIR=testbed.get_root_dir(), PATH="/nonexistent:/usr/bin:/bin",
                   LANG=language + ".UTF-8", LANGUAGE=language, XDG_RUNTIME_DIR=folder)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        app = subprocess.Popen([os.path.join(copy, "bin", "runNetlume")], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        target = os.path.join("docs", "screens", language, name + ".png")
        shown = None
        if keys:
            shown = desktop.screenshot_once_shown(app.pid, target)
            window = desktop.visible_windows(app.pid)[0]
            subprocess.run(["xdotool", "windowactivate", "--sync", window, "key"] + keys, check=True)
        desktop.screenshot_once_shown(app.pid, target, changed_from=shown)
        if language == "en":
            shutil.copy(target, os.path.join("docs", name + ".png"))
        app.terminate()
        app.wait()
        shutil.rmtree(folder)
        print(target)
PY
