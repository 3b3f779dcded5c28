#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Copies a bundle for trying without the driver: the Wi-Fi catalogue's
setup tool is replaced by the demo stand-in, and its agents are named and
left out, since the assistant would ask the user's own systemd to reload
them; the models stay as the catalogues give them.
   prepare.py BUNDLE OUT"""
import os
import plistlib
import shutil
import sys

bundle, out = sys.argv[1:3]
here = os.path.dirname(os.path.abspath(__file__))
shutil.rmtree(out, ignore_errors=True)
shutil.copytree(bundle, out, symlinks=True)
catalogue = os.path.join(out, "share", "runNetlume", "wifiDevices.plist")
with open(catalogue, "rb") as source:
    wifi = plistlib.load(source)
wifi["application"] = os.path.join(here, "example-wifi-setup")
for key in ("smLaunchAgentPath", "usbMonitorLaunchAgentPath"):
    listed = wifi.pop(key, [])
    for agent in [listed] if isinstance(listed, str) else listed:
        print("demo: not reloaded: " + agent, file=sys.stderr)
with open(catalogue, "wb") as target:
    plistlib.dump(wifi, target)
