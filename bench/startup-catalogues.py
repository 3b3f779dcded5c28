#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What large catalogues add to the start-up, measured from outside.

The assistant is started (offscreen, umockdev's USB with nothing attached)
with both catalogues listing 10 models, then 10,000, the runs interleaved,
and timed from its start to the line that says it listens for a printer on
the connect screen. Medians of RUNS runs each, and their difference.

    bench/startup-catalogues.py [BUNDLE_DIR] [RUNS]
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

from listening import empty_usb, time_to_listening

HERE = os.path.dirname(os.path.abspath(__file__))
BUNDLE = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bundle")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 9


def models_xml(models):
    """The same catalogue as the catalogue bench's: vid 0x04B8, one pid each."""
    entries = "".join(
        "\t\t<dict>\n\t\t\t<key>vid</key>\n\t\t\t<string>0x04B8</string>\n"
        "\t\t\t<key>pid</key>\n\t\t\t<string>0x%04X</string>\n\t\t</dict>\n" % (0x1000 + i)
        for i in range(models))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n<dict>\n'
            "\t<key>devices</key>\n\t<array>\n%s\t</array>\n</dict>\n</plist>\n" % entries)


def place(folder, models):
    bundle = os.path.join(folder, "bundle-%d" % models)
    shutil.copytree(BUNDLE, bundle, symlinks=True)
    for name in ("wifiDevices.plist", "otherDevices.plist"):
        with open(os.path.join(bundle, "share", "runNetlume", name), "w") as out:
            out.write(models_xml(models))
    return bundle


def main():
    folder = tempfile.mkdtemp(prefix="runnetlume-startup-")
    try:
        env = empty_usb(folder, PATH=os.path.join(HERE, "..", "tests", "standins") + ":" +
                        os.environ["PATH"])
        binaries = {models: os.path.join(place(folder, models), "bin", "runNetlume")
                    for models in (10, 10_000)}
        times = {models: [] for models in binaries}
        time_to_listening(binaries[10], env)  # the first run fills the page cache
        for _ in range(RUNS):
            for models, binary in binaries.items():
                times[models].append(time_to_listening(binary, env))
        medians = {models: statistics.median(values) for models, values in times.items()}
        for models, values in times.items():
            print("%6d models in both catalogues: median %.1f ms (%s)" % (
                models, medians[models], " ".join("%.0f" % value for value in sorted(values))))
        print("10,000 models add %.1f ms" % (medians[10_000] - medians[10]))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
