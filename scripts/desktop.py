# SPDX-License-Identifier: MIT
"""A desktop for the assistant where there is none: a virtual X display,
waiting on conditions, and a screenshot once a window is shown. Used by the
end-to-end suite, the demo, the screenshots and, through its command line,
the shell scripts:
   desktop.py display WIDTHxHEIGHT   start Xvfb; print "DISPLAY PID"
   desktop.py screenshot PID PATH    once PID shows a window, photograph it
"""

import os
import socket
import subprocess
import sys
import tempfile
import time

WAIT = 20.0  # bound for anything awaited; a pass never comes near it


def bundle_languages(bundle):
    """The languages a bundle (or an installed prefix) has a strings table for."""
    folder = os.path.join(bundle, "share", "runNetlume", "translations")
    return sorted(name[len("runNetlume_"):-len(".qm")] for name in os.listdir(folder)
                  if name.startswith("runNetlume_") and name.endswith(".qm"))


def free_port(port):
    """Whether nothing listens on this port of the loopback interface."""
    with socket.socket() as probe:
        try:
            probe.bind(("127.0.0.1", port))
            return True
        except OSError:
            return False


def await_(what, condition, timeout=WAIT):
    """The first true value of condition(), asked every 50 ms; after the
    bound an AssertionError names what was awaited (a text, or a function
    giving one, for a state read at the time of failure)."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError("waited %.0f s for %s" % (timeout, what() if callable(what) else what))
        time.sleep(0.05)


def start_virtual_display(size="1024x700"):
    """Xvfb on a display number it chooses itself; returns the display and
    the server once it takes clients (-displayfd says so), or fails with the
    server's own words. -noreset: a server resets when its last client
    leaves and refuses anyone connecting meanwhile."""
    ready, told = os.pipe()
    errors = tempfile.TemporaryFile()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(told), "-screen", "0", size + "x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=(told,), stdout=subprocess.DEVNULL, stderr=errors, start_new_session=True)
    os.close(told)
    with os.fdopen(ready) as stream, errors:
        number = stream.readline().strip()
        if not number:
            server.wait()
            errors.seek(0)
            raise RuntimeError("Xvfb did not start (status %s): %s"
                               % (server.returncode, errors.read().decode(errors="replace").strip()))
    return ":" + number, server


def end_x_server(server):
    """SIGTERM, so that the server removes its lock and socket."""
    server.terminate()
    try:
        server.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        server.kill()
        server.wait()


def visible_windows(pid, env=None):
    """The ids of the windows that process shows, on $DISPLAY of env."""
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                          capture_output=True, text=True, env=env).stdout.split()


def screenshot_once_shown(pid, path, env=None, changed_from=None):
    """Once the process shows a window and the screen has stopped changing
    (two pictures alike: mapped, decorated and painted), and differs from
    the picture changed_from when given, saves it at path as PNG. Returns
    the picture, for a later changed_from."""
    await_("a window of process %d" % pid, lambda: visible_windows(pid, env))
    shots = []

    def settled():
        # PPM: pixels only; a PNG carries the time it was made.
        shots.append(subprocess.run(["import", "-window", "root", "ppm:-"], check=True,
                                    capture_output=True, env=env).stdout)
        return len(shots) > 1 and shots[-1] == shots[-2] and shots[-1] != changed_from

    await_("the screen to settle" + (" on a change" if changed_from else ""), settled)
    subprocess.run(["convert", "ppm:-", "-define", "png:exclude-chunks=date,time", path],
                   input=shots[-1], check=True)
    return shots[-1]


def main(argv):
    if len(argv) == 3 and argv[1] == "display":
        display, server = start_virtual_display(argv[2])
        print(display, server.pid)
    elif len(argv) == 4 and argv[1] == "screenshot":
        screenshot_once_shown(int(argv[2]), argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
