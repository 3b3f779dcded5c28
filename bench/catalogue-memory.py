#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The assistant's memory over many catalogue reads, measured from outside.

For each kind of catalogue, both catalogues are replaced by it, the assistant
is started on the connect screen (offscreen, umockdev's USB), and an unlisted
device is plugged in PLUGS times: every plug reads both catalogues again. The
figures are the kernel's own: the resting size (VmRSS once the assistant waits
with ordinary catalogues) and the peak (VmHWM) after start-up and after the
plugs, both as MiB above that resting size.

    bench/catalogue-memory.py [BUNDLE_DIR] [PLUGS]

The catalogues are the hostile samples' large classes, written by
build/tests/fuzz/write_seeds --full (RUNNETLUME_WRITE_SAMPLES names another).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "scripts"))
from desktop import await_  # noqa: E402

if "libumockdev-preload" not in os.environ.get("LD_PRELOAD", ""):
    # umockdev sends a uevent only from a process that sees the emulated /sys.
    wrapper = os.path.join(HERE, "..", "tests", "umockdev-wrapper.sh")
    os.execv(wrapper, [wrapper, "/usr/bin/python3"] + sys.argv)

import gi  # noqa: E402

gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

BUNDLE = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bundle")
PLUGS = int(sys.argv[2]) if len(sys.argv) > 2 else 50
WRITE_SAMPLES = os.environ.get("RUNNETLUME_WRITE_SAMPLES", "build/tests/fuzz/write_seeds")
ORDINARY = (
    '<?xml version="1.0"?><plist version="1.0"><dict><key>devices</key><array>'
    "<dict><key>vid</key><string>0x04B8</string><key>pid</key><string>0x0E28</string></dict>"
    "</array></dict></plist>\n"
)


def status_kib(pid, key):
    with open("/proc/%d/status" % pid) as stream:
        for line in stream:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    raise KeyError(key)


def measure(folder, catalogue):
    """(resting VmRSS, peak after start-up, peak after the plugs) in KiB."""
    bundle = os.path.join(folder, "bundle")
    shutil.rmtree(bundle, ignore_errors=True)
    shutil.copytree(BUNDLE, bundle, symlinks=True)
    for name in ("wifiDevices.plist", "otherDevices.plist"):
        with open(os.path.join(bundle, "share", "runNetlume", name), "wb") as out:
            out.write(catalogue)
    testbed = UMockdev.Testbed.new()
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", UMOCKDEV_DIR=testbed.get_root_dir(),
               XDG_RUNTIME_DIR=folder, PATH=os.path.join(HERE, "..", "tests", "standins") + ":" +
               os.environ["PATH"])
    log = os.path.join(folder, "log")
    with open(log, "w") as stream:
        process = subprocess.Popen([os.path.join(bundle, "bin", "runNetlume")], env=env,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=stream)
    try:
        def attaches():
            with open(log) as stream:
                return stream.read().count("DeviceAttach")

        await_(lambda: "the connect screen", lambda: attaches() >= 1)
        rest = status_kib(process.pid, "VmRSS")
        after_start = status_kib(process.pid, "VmHWM")
        for plug in range(PLUGS):
            testbed.add_device("usb", "9-%d" % plug, None,
                               ["idVendor", "046d", "idProduct", "c31c"], ["DEVTYPE", "usb_device"])
            await_(lambda: "plug %d" % (plug + 1), lambda: attaches() >= plug + 2)
        return rest, after_start, status_kib(process.pid, "VmHWM")
    finally:
        process.terminate()
        process.wait()


def main():
    folder = tempfile.mkdtemp(prefix="runnetlume-memory-")
    try:
        samples = os.path.join(folder, "samples")
        os.makedirs(samples)
        subprocess.run([WRITE_SAMPLES, "--full", samples], check=True)
        rest, _, _ = measure(folder, ORDINARY.encode())
        print("resting size with ordinary catalogues: %.1f MiB" % (rest / 1024))
        print("%-40s %10s %14s %14s" % ("both catalogues", "file KiB", "start-up MiB",
                                         "%d plugs MiB" % PLUGS))
        for name in sorted(os.listdir(samples)):
            with open(os.path.join(samples, name), "rb") as stream:
                catalogue = stream.read()
            if len(catalogue) < 100_000:
                continue  # the small classes cost nothing worth measuring
            _, start, plugs = measure(folder, catalogue)
            print("%-40s %10d %14.1f %14.1f" % (name, len(catalogue) // 1024,
                                                 (start - rest) / 1024, (plugs - rest) / 1024))
            sys.stdout.flush()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    start = time.monotonic()
    main()
    print("measured in %.0f s" % (time.monotonic() - start))
