#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What asking the print system costs the start-up, measured from outside.

The assistant is started (offscreen, umockdev's USB with nothing attached)
and timed from its start to the line that says it listens for a printer on
the connect screen, the runs interleaved: a reference bundle built from a
revision that did not ask the print system, then this bundle with no
scheduler (CUPS_SERVER names a socket that is not there), then, as root,
this bundle with a real scheduler of its own holding one queue
(tests/tools/print-scheduler.sh). Medians of RUNS runs each.

    bench/startup-print-system.py REFERENCE_BUNDLE [BUNDLE_DIR] [RUNS]
"""

import os
import statistics
import subprocess
import sys
import tempfile
import shutil

from listening import empty_usb, time_to_listening

HERE = os.path.dirname(os.path.abspath(__file__))
SCHEDULER = os.path.join(HERE, "..", "tests", "tools", "print-scheduler.sh")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    reference = os.path.abspath(sys.argv[1])
    bundle = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "build/bundle")
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 11
    folder = tempfile.mkdtemp(prefix="runnetlume-print-system-")
    # The scheduler's helpers run as the print system's user, who must reach it.
    os.chmod(folder, 0o711)
    try:
        env = empty_usb(folder, CUPS_SERVER=os.path.join(folder, "no-cups.sock"))
        cases = {"reference, no scheduler": (os.path.join(reference, "bin", "runNetlume"), env),
                 "this build, no scheduler": (os.path.join(bundle, "bin", "runNetlume"), env)}
        started = subprocess.run([SCHEDULER, "start", os.path.join(folder, "cups")],
                                 capture_output=True, text=True)
        if started.returncode == 0:
            server = started.stdout.split("=", 1)[1].strip()
            subprocess.run(["lpadmin", "-p", "Laser", "-E", "-v", "usb://Acme/Laser?serial=1"],
                           check=True, env=dict(os.environ, CUPS_SERVER=server))
            cases["this build, a scheduler"] = (cases["this build, no scheduler"][0],
                                                dict(env, CUPS_SERVER=server))
        else:
            print("no scheduler case: " + started.stderr.strip())
        times = {name: [] for name in cases}
        for binary, settings in cases.values():  # the first runs fill the page cache
            time_to_listening(binary, settings)
        for _ in range(runs):
            for name, (binary, settings) in cases.items():
                times[name].append(time_to_listening(binary, settings))
        for name, values in times.items():
            print("%-26s median %.1f ms (%s)" % (name + ":", statistics.median(values),
                                               " ".join("%.0f" % v for v in sorted(values))))
    finally:
        subprocess.run([SCHEDULER, "stop", os.path.join(folder, "cups")], check=False,
                       capture_output=True)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
