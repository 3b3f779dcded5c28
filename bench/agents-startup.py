#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What reloading background agents adds to the start-up, against a real
systemd user manager.

As root: starts a user manager for a throwaway user (tests/tools/user-manager.sh),
then, as that user, starts the assistant (offscreen, umockdev's USB with
nothing attached) with a catalogue listing no agent, then two agents (oneshot
units), the runs interleaved, each timed from its start to the line that says
it listens for a printer on the connect screen. Medians of RUNS runs each,
their ratio, and the two agents' state on the manager afterwards.

    sudo bench/agents-startup.py [BUNDLE_DIR] [RUNS]
"""

import os
import plistlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from listening import time_to_listening

HERE = os.path.dirname(os.path.abspath(__file__))
HELPER = os.path.join(HERE, "..", "tests", "tools", "user-manager.sh")
# Started again at every run: without a limit, the sixth start within ten
# seconds would fail ("start-limit-hit").
UNIT = """[Unit]
Description=runNetlume bench agent {name}
StartLimitIntervalSec=0
[Service]
Type=oneshot
RemainAfterExit=yes
ExecStart=/bin/true
[Install]
WantedBy=default.target
"""


def prepare(folder, bundle):
    """Two bundles, with no agent and with two, and the units they list."""
    units = os.path.join(folder, "units")
    os.makedirs(units)
    paths = []
    for name in ("rn-bench-status", "rn-bench-helper"):
        paths.append(os.path.join(units, name + ".service"))
        with open(paths[-1], "w") as out:
            out.write(UNIT.format(name=name))
    for agents in (0, 2):
        copy = os.path.join(folder, "bundle-%d" % agents)
        shutil.copytree(bundle, copy, symlinks=True)
        resources = os.path.join(copy, "share", "runNetlume")
        with open(os.path.join(resources, "wifiDevices.plist"), "wb") as out:
            plistlib.dump({"devices": [], "smLaunchAgentPath": paths[:agents]}, out)
        with open(os.path.join(resources, "otherDevices.plist"), "wb") as out:
            plistlib.dump({"devices": []}, out)
    for sub in (("sys", "bus", "usb", "devices"), ("sys", "devices")):
        os.makedirs(os.path.join(folder, "testbed", *sub))
    subprocess.run(["chmod", "-R", "a+rX", folder], check=True)


def measure(folder, runs):
    """As the manager's user: the runs, and the agents' state after them."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LD_PRELOAD="libumockdev-preload.so.0",
               UMOCKDEV_DIR=os.path.join(folder, "testbed"))
    times = {0: [], 2: []}
    for agents in times:  # the first run of each fills the page cache
        time_to_listening(os.path.join(folder, "bundle-%d" % agents, "bin", "runNetlume"), env)
    for _ in range(runs):
        for agents in times:
            binary = os.path.join(folder, "bundle-%d" % agents, "bin", "runNetlume")
            times[agents].append(time_to_listening(binary, env))
    medians = {agents: statistics.median(values) for agents, values in times.items()}
    for agents, values in times.items():
        print("%d agents: median %.1f ms (%s)" % (
            agents, medians[agents], " ".join("%.0f" % value for value in sorted(values))))
    print("two agents take %.2f times the start-up without agents" % (medians[2] / medians[0]))
    # The last run ended at its listening line, before its agents' starts
    # may have: their state once the manager has no job left for them.
    deadline = time.monotonic() + 25
    while True:
        states = {verb: subprocess.run(["systemctl", "--user", verb, "rn-bench-status.service",
                                        "rn-bench-helper.service"],
                                       capture_output=True, text=True).stdout.split()
                  for verb in ("is-enabled", "is-active")}
        if "activating" not in states["is-active"] or time.monotonic() > deadline:
            break
    for verb, state in states.items():
        print("%s: %s" % (verb, " ".join(state)))


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--measure":
        measure(sys.argv[2], int(sys.argv[3]))
        return
    bundle = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bundle")
    runs = sys.argv[2] if len(sys.argv) > 2 else "9"
    started = subprocess.run([HELPER, "start"], capture_output=True, text=True)
    if started.returncode != 0:
        sys.exit("agents-startup.py: no user manager: " + started.stderr.strip())
    manager = dict(item.split("=", 1) for item in started.stdout.split()[1:])
    folder = tempfile.mkdtemp(prefix="runnetlume-agents-")
    os.chmod(folder, 0o755)
    try:
        prepare(folder, bundle)
        subprocess.run(["runuser", "-u", manager["RN_USER"], "--", "env",
                        "XDG_RUNTIME_DIR=" + manager["XDG_RUNTIME_DIR"], "PATH=" + os.environ["PATH"],
                        "/usr/bin/python3", os.path.abspath(__file__), "--measure", folder, runs],
                       check=True)
    finally:
        subprocess.run([HELPER, "stop"], check=False)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
