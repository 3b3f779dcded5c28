# SPDX-License-Identifier: MIT
"""The start-up as the benches time it: from starting the assistant to the
line that says it listens for a printer on the connect screen."""

import subprocess
import time

LISTENING = "DeviceAttach"


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
