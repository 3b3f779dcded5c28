#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Copies a bundle for trying without the driver: the Wi-Fi catalogue's
setup tool is replaced by the demo stand-in; the models and the agents stay
as the catalogues give them (the demo systemctl only names the agents).
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
with open(catalogue, "wb") as target:
    plistlib.dump(wifi, target)
