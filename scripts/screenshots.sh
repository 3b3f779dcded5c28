#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Screenshots of every screen of the assistant in every language, on a
# virtual X display under a window manager (openbox), with emulated printers
# plugged in, into docs/screens/<language>/ (English also into docs/), and
# again with text one and a half times its size (as a desktop's text scaling
# sets it) into docs/screens/<language>/text-150/. The
# add-printer window's second road, where Add Printer opens the printer
# settings' new-printer dialog at the printer, is taken with a print
# scheduler of its own that lists the printer, on a session bus of its own
# where the dialog's service can be started.
#   scripts/screenshots.sh [BUNDLE_DIR [LANGUAGE...]]
# Without languages named, every language the bundle has catalogues for.
set -euo pipefail
cd "$(dirname "$0")/.."
bundle="${1:-build/bundle}"
if [ -z "${RUNNETLUME_SCREENSHOTS_BUS:-}" ]; then
  export RUNNETLUME_SCREENSHOTS_BUS=1
  exec dbus-run-session -- "$0" "$@"
fi

. scripts/desktop.sh
start_virtual_display 1024x640
export DISPLAY="$display"
openbox >/dev/null 2>&1 &
on_exit "kill $! 2>/dev/null"

umockdev-wrapper /usr/bin/python3 - "$bundle" "${@:2}" <<'PY'
import os, select, shutil, subprocess, sys, tempfile
import gi
gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev
sys.path.insert(0, "scripts")
import desktop

desktop.await_("the window manager", lambda: "window id" in subprocess.run(
    ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout)
bundle = sys.argv[1]
languages = sys.argv[2:] or desktop.bundle_languages(bundle)
# Text at its size, and at one and a half times it (the font resolution a
# desktop's text scaling of 1.5 gives).
text_sizes = [("", None), ("text-150", "144")]
# The printer of the dialog's road, as its printer interface reports itself,
# and the scheduler whose USB device list names it.
DEVICE_ID = "MFG:Example;MDL:Example Laser 1;CLS:PRINTER;SN:EX0001;"
scheduler = tempfile.mkdtemp(prefix="runnetlume-screens-cups-")
os.chmod(scheduler, 0o711)
started = subprocess.run(["tests/tools/print-scheduler.sh", "start", scheduler], check=True,
                         capture_output=True, text=True).stdout
cups = started.split("=", 1)[1].strip()
with open(os.path.join(scheduler, "usb-devices"), "w") as out:
    out.write('direct usb://Example/Example%%20Laser%%201?serial=EX0001 "Example Laser 1" '
              '"Example Laser 1" "%s" ""\n' % DEVICE_ID)
# Where the printer already has a driver's queue, stopped, that prints
# through the USB backend while ipp-usb (a stand-in on the first free port
# of its range) serves the printer: the window's lines about both.
held = tempfile.mkdtemp(prefix="runnetlume-screens-ipp-usb-")
os.chmod(held, 0o711)
held_cups = subprocess.run(["tests/tools/print-scheduler.sh", "start", held], check=True,
                           capture_output=True, text=True).stdout.split("=", 1)[1].strip()
queue_env = dict(os.environ, CUPS_SERVER=held_cups)
subprocess.run(["lpadmin", "-p", "Example-Laser-1", "-E", "-v",
                "usb://Example/Example%20Laser%201?serial=EX0001"], check=True, env=queue_env)
subprocess.run(["cupsdisable", "Example-Laser-1"], check=True, env=queue_env)
port = next(port for port in range(60000, 60008) if desktop.free_port(port))
ipp_usb = tempfile.mkdtemp(prefix="runnetlume-screens-port-")
subprocess.run(["tests/tools/print-scheduler.sh", "misbehave", "ipp-usb", ipp_usb, str(port)],
               check=True, capture_output=True, env=dict(os.environ, PRINTER_DEVICE_ID=DEVICE_ID))

def await_line(stream, text):
    """Once the assistant has logged a line holding text. Read from the
    descriptor itself: a buffered reader would keep lines that select()
    then no longer reports."""
    seen = b""
    def found():
        nonlocal seen
        while select.select([stream], [], [], 0)[0]:
            chunk = os.read(stream.fileno(), 65536)
            if not chunk:
                break
            seen += chunk
        return text.encode() in seen
    desktop.await_(lambda: "the line %r among %r" % (text, seen.decode(errors="replace")), found)

# name, emulated printer, keys pressed once the first window shows, and
# whether the dialog's service and the print system take part
shots = [("connect-screen", None, [], False), ("launch-tool-screen", ("f055", "0001"), [], False),
         ("add-printer-window", ("f055", "0101"), [], False),
         # Done is locked, so Tab goes from the skip box to Next.
         ("warm-prompt", None, ["Tab", "Return"], False),
         # The dialog's steps replace the settings program's once the print
         # system has named the printer's device.
         ("add-printer-dialog", ("f055", "0101", DEVICE_ID), [], True),
         ("add-printer-ipp-usb", ("f055", "0101", DEVICE_ID, "ipp-usb"), [], "ipp-usb")]
# One testbed: the preload keeps to the first one made in this process.
testbed = UMockdev.Testbed.new()
plugged = 0
try:
    for language, (size_folder, font_dpi) in ((l, t) for l in languages for t in text_sizes):
        shots_folder = os.path.join("docs", "screens", language, size_folder)
        os.makedirs(shots_folder, exist_ok=True)
        for name, device, keys, dialog in shots:
            syspath = None
            if device:
                attributes = ["idVendor", device[0], "idProduct", device[1]]
                if len(device) > 2:
                    attributes += ["serial", "EX0001", "manufacturer", "Example",
                                   "product", "Example Laser 1"]
                # A name of its own each time: a removed device leaves its bus link.
                plugged += 1
                syspath = testbed.add_device("usb", "1-%d" % plugged, None, attributes,
                                             ["DEVTYPE", "usb_device"])
                if len(device) > 2:
                    testbed.add_device("usb", "1-%d:1.0" % plugged, syspath,
                                       ["bInterfaceNumber", "00", "ieee1284_id", device[2]],
                                       ["DEVTYPE", "usb_interface"])
                if len(device) > 3:
                    testbed.add_device("usb", "1-%d:1.1" % plugged, syspath,
                                       ["bInterfaceNumber", "01", "bInterfaceClass", "07",
                                        "bInterfaceSubClass", "01", "bInterfaceProtocol", "04"],
                                       ["DEVTYPE", "usb_interface"])
            folder = tempfile.mkdtemp()
            copy = os.path.join(folder, "bundle")
            shutil.copytree(bundle, copy)
            env = dict(os.environ, UMOCKDEV_DIR=testbed.get_root_dir(), PATH="/nonexistent:/usr/bin:/bin",
                       LANG=language + ".UTF-8", LANGUAGE=language, XDG_RUNTIME_DIR=folder,
                       CUPS_SERVER={True: cups, "ipp-usb": held_cups}.get(
                           dialog, os.path.join(folder, "no-cups.sock")))
            if not dialog:
                env.pop("DBUS_SESSION_BUS_ADDRESS", None)
            if font_dpi:
                env["QT_FONT_DPI"] = font_dpi
            app = subprocess.Popen([os.path.join(copy, "bin", "runNetlume")], env=env, text=True,
                                   stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE if dialog else subprocess.DEVNULL)
            target = os.path.join(shots_folder, name + ".png")
            if dialog:
                await_line(app.stderr, "ipp-usb serves the attached printer" if dialog == "ipp-usb"
                           else "the printer is the print system's device")
            shown = None
            if keys:
                shown = desktop.screenshot_once_shown(app.pid, target)
            if keys:
                window = desktop.visible_windows(app.pid)[0]
                subprocess.run(["xdotool", "windowactivate", "--sync", window, "key"] + keys, check=True)
            desktop.screenshot_once_shown(app.pid, target, changed_from=shown)
            if language == "en" and not font_dpi:
                shutil.copy(target, os.path.join("docs", name + ".png"))
            app.terminate()
            app.wait()
            if app.stderr:
                app.stderr.close()
            if syspath:
                testbed.remove_device(syspath)
            shutil.rmtree(folder)
            print(target)
finally:
    for folder in (scheduler, held, ipp_usb):
        subprocess.run(["tests/tools/print-scheduler.sh", "stop", folder], check=False)
        shutil.rmtree(folder, ignore_errors=True)
PY
