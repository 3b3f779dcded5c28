#!/usr/bin/env bash
# Screenshots of the assistant's three first screens under a virtual X
# display, with emulated printers plugged in, into docs/.
#   scripts/screenshots.sh [BUNDLE_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
bundle="${1:-build/bundle}"

Xvfb :186 -screen 0 1024x640x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=:186
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

umockdev-wrapper /usr/bin/python3 - "$bundle" <<'PY'
import os, shutil, subprocess, sys, tempfile, time, plistlib
import gi
gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev

bundle = sys.argv[1]
shots = [("connect-screen", None, "Printer Setup Assistant"),
         ("launch-tool-screen", ("f055", "0001"), "Printer Setup Assistant"),
         ("add-printer-window", ("f055", "0101"), "Add Printer")]
for name, device, title in shots:
    testbed = UMockdev.Testbed.new()
    if device:
        testbed.add_device("usb", "1-1", None, ["idVendor", device[0], "idProduct", device[1]],
                           ["DEVTYPE", "usb_device"])
    folder = tempfile.mkdtemp()
    copy = os.path.join(folder, "bundle")
    shutil.copytree(bundle, copy)
    env = dict(os.environ, UMOCKDEV_DIR=testbed.get_root_dir(), PATH="/nonexistent:/usr/bin:/bin")
    app = subprocess.Popen([os.path.join(copy, "bin", "runNetlume")], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
        if '"%s"' % title in tree:
            break
        time.sleep(0.05)
    time.sleep(0.7)
    subprocess.run(["import", "-window", "root", os.path.join("docs", name + ".png")], check=True)
    app.terminate()
    app.wait()
    shutil.rmtree(folder)
    print("docs/%s.png" % name)
PY
