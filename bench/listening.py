# SPDX-License-Identifier: MIT
"""The start-up as the benches time it: from starting the assistant to the
line that says it listens for a printer on the connect screen."""

import os
import subprocess
import time

LISTENING = "DeviceAttach"


def empty_usb(folder, **settings):
    """The environment of a start offscreen, in folder, with umockdev's USB
    holding no device; settings are added to it."""
    testbed = os.path.join(folder, "testbed")
    os.makedirs(os.path.join(testbed, "sys", "bus", "usb", "devices"), exist_ok=True)
    os.makedirs(os.path.join(testbed, "sys", "devices"), exist_ok=True)
    return dict(os.environ, QT_QPA_PLATFORM="offscreen", UMOCKDEV_DIR=testbed,
                XDG_RUNTIME_DIR=folder, LD_PRELOAD="libumockdev-preload.so.0", **settings)


def time_to_listening(binary, env):
    """Milliseconds from starting binary to its listening line; it is ended then."""
    started = time.monotonic()
    process = subprocess.Popen([binary], env=env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        for line in process.stderr:
            if LISTENING in line:
                return (time.monotonic() - started) * 1000
        raise RuntimeError("the assistant ended before it listened")
    finally:
        process.terminate()
        process.wait()
