# SPDX-License-Identifier: MIT
"""The built bundle run as a user meets it.

Each test copies the bundle to a temporary folder with catalogues of its own,
runs the real binary under umockdev's preload (emulated USB devices and
uevents) on a virtual display, drives its windows through the accessibility
bus as a screen reader would, and reads its log lines, the stand-in programs'
records and its exit status.
"""

import os
import plistlib
import pwd
import json
import re
import queue
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import xml.etree.ElementTree

import gi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from desktop import (WAIT, await_, bundle_languages, end_x_server, free_port,  # noqa: E402
                     start_virtual_display, visible_windows)

gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402
import pyatspi  # noqa: E402

BUNDLE = os.environ["RUNNETLUME_BUNDLE"]
# Set when BUNDLE is an installed prefix (/usr, or a DESTDIR's): only the
# InstalledRoad story runs, on the program in place.
INSTALLED = os.environ.get("RUNNETLUME_INSTALLED") == "1"
STANDINS = os.path.abspath(os.environ["RUNNETLUME_STANDINS"])
SCHEDULER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools",
                         "print-scheduler.sh")
PPD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data", "acme-laser.ppd")


WIFI = (0x8001, 0x0001)
USB_ONLY = (0x8001, 0x0101)
KEYBOARD = (0x046D, 0xC31C)
PRINTER_IN_SAMPLES = (0x04B8, 0x0E28)  # the model the hostile samples list


def resources_of(bundle):
    """The resources folder of a bundle laid out as installed."""
    return os.path.join(bundle, "share", "runNetlume")


class Assistant:
    """One run of the bundle's binary; its standard error read line by line."""

    def __init__(self, bundle, testbed_dir, extra_env, session=False, prefix=()):
        env = dict(os.environ)
        env.update(
            {
                "UMOCKDEV_DIR": testbed_dir,
                "LD_PRELOAD": "libumockdev-preload.so.0",
                "PATH": STANDINS + ":" + env["PATH"],
            }
        )
        env.update(extra_env)
        # The sanitizer build must accept the preload coming first.
        env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + ":verify_asan_link_order=0"
        for name in [name for name, value in env.items() if value is None]:
            del env[name]
        self.process = subprocess.Popen(
            list(prefix) + [os.path.join(bundle, "bin", "runNetlume")],
            env=env,
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE,
            text=True,
            # A session of its own, when a test sends a signal to the whole
            # process group as a terminal's Ctrl+C does; with SIGINT as a
            # terminal's foreground job has it, even when this suite was
            # started in the background (which ignores it).
            start_new_session=session,
            preexec_fn=(lambda: signal.signal(signal.SIGINT, signal.SIG_DFL)) if session else None,
        )
        self.lines = []
        self.log_lines = []
        self._queue = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        with self.process.stderr:
            for raw in self.process.stderr:
                self._queue.put(raw.rstrip("\n"))
        self._queue.put(None)

    def _take(self, deadline):
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            return False
        try:
            line = self._queue.get(timeout=remaining)
        except queue.Empty:
            return False
        if line is None:
            self._queue.put(None)
            return False
        # Log lines carry "date time runNetlume[pid:tid] "; keep the text.
        marker = line.find("] ")
        if "runNetlume[" in line[:60] and marker >= 0:
            line = line[marker + 2:]
            self.log_lines.append(line)
        elif line.startswith("runNetlume:"):
            self.log_lines.append(line)
        self.lines.append(line)
        return True

    def wait_for(self, text):
        deadline = time.monotonic() + WAIT
        while text not in self.lines:
            if not self._take(deadline):
                raise AssertionError("no line %r; lines: %r" % (text, self.lines))

    def wait_count(self, text, count):
        deadline = time.monotonic() + WAIT
        while self.lines.count(text) < count:
            if not self._take(deadline):
                raise AssertionError("fewer than %d lines %r; lines: %r" % (count, text, self.lines))

    def log(self):
        """The assistant's own lines, without what other programs or Qt print."""
        return list(self.log_lines)

    def wait_exit(self, timeout=WAIT, what=""):
        try:
            status = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            while self._take(time.monotonic() + 0.5):
                pass
            raise AssertionError("%s: still running after %g s; lines: %r"
                                 % (what, timeout, self.lines)) from None
        while self._take(time.monotonic() + 1.0):
            pass
        return status

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        return self.wait_exit()


def find(node, role, name, top=True):
    """A showing element of that role and name under node, or None. Hidden
    parts are not walked: a dialog's hidden pages can hold thousands of
    elements, each a round trip."""
    try:
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        if showing and node.getRoleName() == role and node.name == name:
            return node
        if not (showing or top):
            return None
        for index in range(node.childCount):
            found = find(node.getChildAtIndex(index), role, name, False)
            if found is not None:
                return found
    except Exception:  # an element that went away while walking
        return None
    return None


class AssistantTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="runnetlume-e2e-")
        self.record = os.path.join(self.folder, "record")
        self.testbed = UMockdev.Testbed.new()
        self.devices = 0
        self.cups = os.path.join(self.folder, "no-cups.sock")
        self.schedulers = []
        self.assistant = None
        self.bundle = self.place_bundle()

    def place_bundle(self):
        """A copy of the built bundle with this test's catalogues and tool."""
        self.bundle = os.path.join(self.folder, "Printer Setup.bundle")
        shutil.copytree(BUNDLE, self.bundle, symlinks=True)
        self.tool = os.path.join(self.folder, "Wi-Fi Setup", "setup tool")
        os.makedirs(os.path.dirname(self.tool))
        shutil.copy(os.path.join(STANDINS, "companion-tool"), self.tool)
        self.catalogues()
        return self.bundle

    def tearDown(self):
        if self.assistant is not None and self.assistant.process.poll() is None:
            self.assistant.process.kill()
            self.assistant.process.wait()
        for line in self.recorded():
            if line.startswith("pid="):
                try:
                    os.kill(int(line[4:]), signal.SIGKILL)
                except ProcessLookupError:
                    pass
        del self.testbed
        # Before the folder that holds their pid files goes.
        for folder in self.schedulers:
            subprocess.run([SCHEDULER, "stop", folder], check=False)
            shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(self.folder, ignore_errors=True)

    # The world around the assistant.

    def catalogues(self, binary=False):
        resources = resources_of(self.bundle)
        wifi = {
            "devices": [{"vid": "0x%04X" % WIFI[0], "pid": "0x%04X" % WIFI[1]}],
            "application": self.tool,
        }
        wifi.update(self.agents())
        other = {"devices": [{"vid": "%x" % USB_ONLY[0], "pid": "%04x" % USB_ONLY[1]}]}
        fmt = plistlib.FMT_BINARY if binary else plistlib.FMT_XML
        for name, content in (("wifiDevices", wifi), ("otherDevices", other)):
            with open(os.path.join(resources, name + ".plist"), "wb") as out:
                plistlib.dump(content, out, fmt=fmt)

    def agents(self):
        """The agent keys of the Wi-Fi catalogue: none but where a story is about them."""
        return {}

    def plug(self, ids, serial=None, strings=("Acme", "Laser 1"), device_id=None, interface=0,
             ipp_usb=False):
        """A USB device; a printer with a serial number (or a device id) has
        its maker's and model's strings too, one with a device id a printer
        interface that shows it, as the class driver does, and one with
        ipp_usb an IPP-over-USB interface (class 7/1/4) beside it."""
        self.devices += 1
        attributes = ["idVendor", "%04x" % ids[0], "idProduct", "%04x" % ids[1]]
        if serial is not None:
            attributes += ["serial", serial]
        if serial is not None or device_id is not None:
            attributes += ["manufacturer", strings[0], "product", strings[1]]
        syspath = self.testbed.add_device("usb", "9-%d" % self.devices, None, attributes,
                                          ["DEVTYPE", "usb_device"])
        if device_id is not None:
            self.testbed.add_device("usb", "9-%d:1.%d" % (self.devices, interface), syspath,
                                    ["bInterfaceNumber", "%02x" % interface, "ieee1284_id", device_id],
                                    ["DEVTYPE", "usb_interface"])
        if ipp_usb:
            self.testbed.add_device("usb", "9-%d:1.%d" % (self.devices, interface + 1), syspath,
                                    ["bInterfaceNumber", "%02x" % (interface + 1), "bInterfaceClass",
                                     "07", "bInterfaceSubClass", "01", "bInterfaceProtocol", "04"],
                                    ["DEVTYPE", "usb_interface"])
        return syspath

    def scheduler(self, *queues, port=None):
        """A print scheduler of this test's own holding these (name, URI[,
        PPD]) queues, also on localhost:port when given; the assistants it
        starts from now on ask the first one."""
        # Beside this test's folder, which is its runtime directory and so
        # private: the scheduler's helpers run as the print system's user.
        folder = tempfile.mkdtemp(prefix="runnetlume-e2e-cups-")
        os.chmod(folder, 0o711)
        self.schedulers.append(folder)
        started = subprocess.run([SCHEDULER, "start", folder] + ([str(port)] if port else []),
                                 capture_output=True, text=True)
        if started.returncode != 0:
            self.fail(started.stderr.strip())
        server = started.stdout.split("=", 1)[1].strip()
        for name, uri, *ppd in queues:
            # A scheduler that has just answered once refused a queue (under
            # the sanitizers, both cores busy): asked again until it takes it,
            # and what it said last is the failure's message.
            said = []

            def added(name=name, uri=uri, ppd=ppd):
                run = subprocess.run(["lpadmin", "-p", name, "-E", "-v", uri] + (["-P"] + ppd if ppd else []),
                                     capture_output=True, text=True, env=dict(os.environ, CUPS_SERVER=server))
                said.append(run.stderr.strip())
                return run.returncode == 0
            await_(lambda: "the scheduler to add %s (lpadmin: %s)" % (name, said[-1:]), added)
        if port is None:
            self.cups = server

    def misbehaving(self, mode, port=None, **env):
        """A scheduler of this test's own that answers as tests/tools/misbehaving-ipp.py
        says (on the loopback port when given); where it listens."""
        folder = tempfile.mkdtemp(prefix="runnetlume-e2e-%s-" % mode)
        self.schedulers.append(folder)
        subprocess.run([SCHEDULER, "misbehave", mode, folder] + ([str(port)] if port else []),
                       check=True, capture_output=True, env=dict(os.environ, **env))
        return os.path.join(folder, "cups.sock")

    def cups_env(self):
        return dict(os.environ, CUPS_SERVER=self.cups)

    def check_devices(self, *options):
        """What runNetlume-check --devices prints in this test's world."""
        return subprocess.run(
            [os.path.join(self.bundle, "bin", "runNetlume-check"), "--devices"] + list(options),
            capture_output=True, text=True,
            env=dict(self.cups_env(), UMOCKDEV_DIR=self.testbed.get_root_dir())).stdout

    def usb_device(self, uri, model="Acme Laser 1", device_id="MFG:Acme;MDL:Laser 1;SN:SN1;"):
        """The emulated printer as the scheduler's USB backend reports it."""
        with open(os.path.join(os.path.dirname(self.cups), "usb-devices"), "w") as out:
            out.write('direct %s "%s" "%s" "%s" ""\n' % (uri, model, model, device_id))

    def launch(self, session=False, prefix=(), **env):
        """One more run of the assistant in this test's world; a variable
        given as None is left out."""
        # The one-assistant lock (without a bus) is this test's own.
        # No print system but this test's own, if any.
        settings = {"RUNNETLUME_RECORD": self.record, "RUNNETLUME_OPEN_SECONDS": "2",
                    "XDG_RUNTIME_DIR": self.folder, "CUPS_SERVER": self.cups}
        settings.update(env)
        return Assistant(self.bundle, self.testbed.get_root_dir(), settings, session, prefix)

    def start(self, session=False, **env):
        """The assistant this test is about, ended at its tear-down."""
        self.assistant = self.launch(session, **env)
        return self.assistant

    def recorded(self):
        try:
            with open(self.record) as stream:
                return stream.read().splitlines()
        except FileNotFoundError:
            return []

    def await_record(self, predicate):
        await_(lambda: "record: %r" % self.recorded(), lambda: predicate(self.recorded()))

    # The assistant's windows, as the accessibility bus shows them.

    def app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            child = desktop.getChildAtIndex(index)
            # Named by its title in the user's language; its description is
            # the program's path.
            if child is not None and child.description.endswith("/bin/runNetlume"):
                return child
        return None

    def await_element(self, role, name):
        def found():
            application = self.app()
            return find(application, role, name) if application is not None else None

        return await_("%s %r on screen" % (role, name), found)

    def showing(self, role, name):
        application = self.app()
        return application is not None and find(application, role, name) is not None

    def press(self, name, role="push button"):
        element = self.await_element(role, name)
        action = element.queryAction()
        for index in range(action.nActions):
            if action.getName(index) in ("Press", "press", "click", "Toggle", "toggle"):
                action.doAction(index)
                return
        action.doAction(0)

    def enabled(self, name):
        return self.await_element("push button", name).getState().contains(pyatspi.STATE_ENABLED)


class StartUp(AssistantTest):
    def test_wifi_printer_opens_the_launch_tool_screen(self):
        self.plug(KEYBOARD)
        self.plug(WIFI)
        assistant = self.start()
        self.await_element("push button", "OK")
        assistant.wait_for("found 8001 1")
        self.assertEqual(assistant.log()[:2], ["appPath:" + self.tool, "found 8001 1"])
        self.assertEqual(assistant.stop(), 0)
        self.assertEqual(assistant.log()[-1], "-[runNetlumeAppDelegate _stopListeningUSBDevices]")

    def test_usb_only_printer_opens_the_add_printer_window(self):
        self.catalogues(binary=True)
        self.plug(USB_ONLY)
        assistant = self.start()
        self.await_element("push button", "Add Printer")
        assistant.wait_for("found 8001 101")
        self.assertEqual(assistant.log()[:3], ["appPath:" + self.tool, "appPath:(null)", "found 8001 101"])
        self.assertFalse(self.showing("frame", "Printer Setup Assistant"))
        self.assertFalse(self.enabled("Done"))
        self.assertEqual(assistant.stop(), 0)

    def test_no_printer_shows_the_connect_screen_and_listens(self):
        self.plug(KEYBOARD)
        assistant = self.start()
        assistant.wait_for("DeviceAttach")
        self.assertEqual(
            assistant.log()[:4],
            ["appPath:" + self.tool, "appPath:(null)", "-[runNetlumeAppDelegate _startListeningUSBDevices]", "DeviceAttach"],
        )
        self.await_element("check box", "Skip the USB connection")
        self.assertFalse(self.enabled("Done"))
        self.assertEqual(assistant.stop(), 0)

    def test_missing_interface_description_is_one_line_and_a_failure(self):
        os.remove(os.path.join(resources_of(self.bundle), "ui", "MainWindow.ui"))
        assistant = self.start()
        self.assertNotEqual(assistant.wait_exit(), 0)
        errors = [line for line in assistant.log() if line.startswith("runNetlume:")]
        self.assertEqual(len(errors), 1)
        self.assertIn("MainWindow.ui", errors[0])


class WindowManagerDisplay(AssistantTest):
    """A display of its own with a window manager (openbox unless told):
    frames, focus and keys as a person meets them, driven by xdotool."""

    WINDOW_MANAGER = ["openbox"]

    def setUp(self):
        super().setUp()
        self.display, server = start_virtual_display("1024x700")
        # Cleanups run even when setUp fails half-way.
        self.addCleanup(end_x_server, server)
        wm_log = open(os.path.join(self.folder, "wm.log"), "w")
        self.addCleanup(wm_log.close)
        self.wm = subprocess.Popen(self.WINDOW_MANAGER, env=dict(os.environ, DISPLAY=self.display),
                                   stdout=wm_log, stderr=wm_log)
        self.addCleanup(lambda: (self.wm.kill(), self.wm.wait()))

        def manager_state():
            with open(wm_log.name) as log:
                return "the window manager: status %r, said %r" % (self.wm.poll(), log.read())

        # Three times the usual bound: under the sanitizers, with the other
        # suites on both cores, a window manager's first start was seen to
        # take longer than 20 s.
        await_(manager_state, lambda: "window id" in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
               timeout=3 * WAIT)

    def x(self, *command):
        return subprocess.run(list(command), env=dict(os.environ, DISPLAY=self.display),
                              capture_output=True, text=True).stdout

    def window(self, title):
        return await_("window %r" % title,
                      lambda: self.x("xdotool", "search", "--onlyvisible", "--name", "^%s$" % title).split())[0]

    def frame(self, window):
        """The decorated frame: the client's geometry grown by the frame extents."""
        extents = self.x("xprop", "-id", window, "_NET_FRAME_EXTENTS").split("=")[-1]
        left, right, top, bottom = (int(value) for value in extents.split(","))
        info = dict(line.strip().split(":", 1) for line in self.x("xwininfo", "-id", window).splitlines()
                    if ":" in line)
        x, y = int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"])
        width, height = int(info["Width"]), int(info["Height"])
        return x - left, y - top, width + left + right, height + top + bottom

    def start_here(self, **env):
        return self.start(DISPLAY=self.display, **env)

    def shown(self, assistant):
        return visible_windows(assistant.process.pid, dict(os.environ, DISPLAY=self.display))

    def visible_window(self, assistant, but=None):
        def state():
            while assistant._take(time.monotonic() + 0.2):
                pass
            return "a window on screen; status %r lines %r" % (assistant.process.poll(), assistant.lines)
        return await_(state,
                      lambda: [w for w in self.shown(assistant) if w != but])[0]

    def focused(self, role, name=None, but=None):
        """The focused element's name, once one of that role (and name, if
        given) has the focus: a swap's focus event may trail the new window."""
        def found():
            application = self.app()
            return application is not None and pyatspi.findDescendant(
                application, lambda node: node.getRole() is not None
                and node.getRoleName() == role and node.getState().contains(pyatspi.STATE_FOCUSED)
                and name in (None, node.name) and node.name != but)

        return await_("a focused %s %s" % (role, name or ""), found).name

    def assert_placed(self, window, message=None):
        """The placement rule on the decorated frame; y grows upward in the
        rule, so the frame's lower edge sits 50 above the screen's centre."""
        x, y, width, height = self.frame(window)
        self.assertLessEqual(abs(x - (1024 - width) / 2), 1, message)
        self.assertLessEqual(abs((700 - y - height) - ((700 - height) / 2 + 50)), 1, message)


class UnderAWindowManager(WindowManagerDisplay):
    def test_frames_follow_the_placement_rule_and_keys_alone_end_the_connect_screen(self):
        assistant = self.start_here()
        window = self.window("Printer Setup Assistant")
        assistant.wait_for("DeviceAttach")
        self.assert_placed(window)
        x, y = self.frame(window)[:2]

        # Locked: Alt+F4 and Escape leave it where it is.
        self.x("xdotool", "windowactivate", "--sync", window, "key", "alt+F4", "Escape")
        self.assertIsNone(assistant.process.poll())
        # Space ticks the focused skip box, without the window moving; Return is Done.
        self.x("xdotool", "key", "--window", window, "space")
        await_("Done unlocked", lambda: self.enabled("Done"))
        self.assertEqual(self.frame(window)[:2], (x, y))
        self.x("xdotool", "key", "--window", window, "Return")
        self.assertEqual(assistant.wait_exit(), 0)

    def test_keys_alone_take_a_usb_printer_from_the_wifi_question_to_the_settings(self):
        self.plug(WIFI)
        self.plug(USB_ONLY)
        assistant = self.start_here()
        window = self.window("Printer Setup Assistant")
        self.x("xdotool", "windowactivate", "--sync", window, "key", "Escape")
        added = self.window("Add Printer")
        self.assert_placed(added)
        self.x("xdotool", "windowactivate", "--sync", added, "key", "Return")
        self.await_record(lambda lines: any(line.startswith("opened") for line in lines))
        self.assertEqual(assistant.wait_exit(), 0)

    def test_next_opens_the_warm_prompt_placed_and_its_ok_returns_to_the_connect_screen(self):
        assistant = self.start_here()
        window = self.window("Printer Setup Assistant")
        assistant.wait_for("DeviceAttach")
        # Done is locked, so Tab goes from the skip box to Next.
        self.x("xdotool", "windowactivate", "--sync", window, "key", "Tab")
        self.focused("push button", "Next")
        self.x("xdotool", "key", "--window", window, "Return")
        prompt = self.visible_window(assistant, but=window)
        self.assert_placed(prompt)
        self.focused("push button", "OK")
        # Pressed as a screen reader does: Return typed into the modal prompt
        # under a window manager is lost now and then, and the widget test
        # types it already.
        self.press("OK")
        await_("the warm prompt to go", lambda: prompt not in self.shown(assistant))
        # Back on the connect screen, still waiting for a printer and still locked.
        self.assertIsNone(assistant.process.poll())
        self.assertTrue(self.showing("frame", "Printer Setup Assistant"))
        self.assertFalse(self.enabled("Done"))
        self.plug(WIFI)
        self.await_element("push button", "OK")
        self.assertIsNone(assistant.process.poll())


class KeyboardInEveryLanguage(WindowManagerDisplay):
    """Every road by keys alone under openbox, in each language: frames where
    the rule puts them, focus on each screen's primary control as a screen
    reader reports it, and nothing but keys to get through."""

    LANGUAGES = bundle_languages(BUNDLE)

    def test_every_road_by_keys_in_every_language(self):
        for language in self.LANGUAGES:
            env = {"LANG": language + ".UTF-8", "LANGUAGE": language}

            # No printer: the skip box has the focus; Space ticks it, Return is Done.
            assistant = self.start_here(**env)
            window = self.visible_window(assistant)
            assistant.wait_for("DeviceAttach")
            self.assert_placed(window, language)
            skip = self.focused("check box")
            self.assertTrue(skip and skip != "skipString", (language, skip))
            self.x("xdotool", "windowactivate", "--sync", window, "key", "Escape", "space", "Return")
            self.assertEqual(assistant.wait_exit(), 0, language)

        self.plug(WIFI)
        for language in self.LANGUAGES:
            env = {"LANG": language + ".UTF-8", "LANGUAGE": language}
            # A Wi-Fi printer: OK has the focus and Return starts the tool.
            assistant = self.start_here(**env)
            window = self.visible_window(assistant)
            self.assertTrue(self.focused("push button"), language)
            if os.path.exists(self.record):
                os.remove(self.record)
            self.x("xdotool", "windowactivate", "--sync", window, "key", "Return")
            self.assertEqual(assistant.wait_exit(), 0, language)
            self.await_record(lambda lines: any(line.startswith("pid=") for line in lines))
            # The tool outlives the assistant; this road is done with it.
            tool = [int(line[4:]) for line in self.recorded() if line.startswith("pid=")][0]
            os.kill(tool, signal.SIGKILL)

            # Escape declines: the add-printer window, placed, Add Printer focused;
            # Return opens the settings; Done, unlocked by that, is the next
            # stop and ends the assistant at once (the settings' own end is
            # the Roads' story).
            assistant = self.start_here(**env)
            window = self.visible_window(assistant)
            self.focused("push button")
            self.x("xdotool", "windowactivate", "--sync", window, "key", "Escape")
            added = self.visible_window(assistant, but=window)
            self.assert_placed(added, language)
            add = self.focused("push button")
            self.assertNotEqual(add, "addPrinter", language)
            opened = sum(line.startswith("opened") for line in self.recorded())
            self.x("xdotool", "windowactivate", "--sync", added, "key", "Return")
            self.await_record(lambda lines: sum(line.startswith("opened") for line in lines) > opened)
            self.x("xdotool", "windowactivate", "--sync", added, "key", "Tab")
            self.focused("push button", but=add)
            self.x("xdotool", "windowactivate", "--sync", added, "key", "Return")
            self.assertEqual(assistant.wait_exit(), 0, language)


class UnderMetacity(UnderAWindowManager):
    WINDOW_MANAGER = ["metacity", "--replace"]

    def test_a_manager_that_honours_the_hints_offers_no_close_while_locked(self):
        assistant = self.start_here()
        window = self.window("Printer Setup Assistant")
        assistant.wait_for("DeviceAttach")

        def closable():
            return "_NET_WM_ACTION_CLOSE" in self.x("xprop", "-id", window, "_NET_WM_ALLOWED_ACTIONS")

        self.assertFalse(closable())
        self.x("xdotool", "windowactivate", "--sync", window, "key", "space")
        await_("the close button to come back", closable)
        self.x("xdotool", "key", "--window", window, "alt+F4")
        self.assertEqual(assistant.wait_exit(), 0)


class UnderXfwm4(UnderAWindowManager):
    WINDOW_MANAGER = ["xfwm4", "--replace", "--compositor=off", "--sm-client-disable"]


class UnderMutter(UnderAWindowManager):
    WINDOW_MANAGER = ["mutter", "--x11", "--replace", "--sm-disable"]


class UnderWayland(AssistantTest):
    """The three roads under a Wayland compositor (weston, headless), driven
    through the accessibility bus. The compositor places windows itself, so
    the placement rule does not apply; the close lock must hold."""

    def setUp(self):
        super().setUp()
        self.socket = "wayland-runnetlume-%d" % os.getpid()
        env = dict(os.environ, XDG_RUNTIME_DIR=self.folder)
        self.compositor = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=" + self.socket, "--idle-time=0"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (self.compositor.kill(), self.compositor.wait()))
        await_("weston's socket", lambda: os.path.exists(os.path.join(self.folder, self.socket)))

    def start_here(self):
        # The assistant's runtime folder is the test folder, where weston's socket is.
        # A whole allocation stack, so that the sanitizer build can tell Mesa's
        # own allocations (see tests/lsan.supp) from ours.
        asan = os.environ.get("ASAN_OPTIONS", "") + ":fast_unwind_on_malloc=0"
        return self.start(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=self.socket, ASAN_OPTIONS=asan)

    def test_wifi_printer_ok_starts_the_tool(self):
        self.plug(WIFI)
        assistant = self.start_here()
        self.press("OK")
        self.assertEqual(assistant.wait_exit(), 0)
        self.await_record(lambda lines: any(line.startswith("pid=") for line in lines))

    def test_usb_only_printer_ends_once_the_settings_close(self):
        self.plug(USB_ONLY)
        assistant = self.start_here()
        self.press("Add Printer")
        self.await_record(lambda lines: any(line.startswith("opened") for line in lines))
        self.assertEqual(assistant.wait_exit(), 0)

    def test_connect_screen_stays_locked_until_skipped(self):
        assistant = self.start_here()
        assistant.wait_for("DeviceAttach")
        self.assertFalse(self.enabled("Done"))
        self.assertTrue(self.showing("frame", "Printer Setup Assistant"))
        self.press("Skip the USB connection", role="check box")
        await_("Done unlocked", lambda: self.enabled("Done"))
        self.press("Done")
        self.assertEqual(assistant.wait_exit(), 0)


class OneAssistant(AssistantTest):
    def test_a_second_start_raises_the_first_and_ends_without_touching_anything(self):
        first = self.start()
        first.wait_for("DeviceAttach")
        second = self.launch()
        try:
            self.assertEqual(second.wait_exit(), 0)
            self.assertEqual(second.log(), [])
        finally:
            if second.process.poll() is None:
                second.process.kill()
        self.assertIsNone(first.process.poll())
        self.assertEqual(first.stop(), 0)

        # Once the first has ended, a start is the assistant again.
        third = self.start()
        third.wait_for("DeviceAttach")
        self.assertEqual(third.stop(), 0)

    def test_a_bus_that_refuses_the_name_is_one_line_and_the_assistant_goes_on(self):
        config = os.path.join(self.folder, "refusing-bus.conf")
        with open(config, "w") as out:
            out.write('<busconfig><type>session</type><listen>unix:dir=%s</listen>'
                      '<auth>EXTERNAL</auth><policy context="default"><allow send_destination="*"/>'
                      '<allow receive_sender="*"/><allow own="*"/><deny own="org.runnetlume.Assistant"/>'
                      '</policy></busconfig>'
                      % self.folder)
        bus = subprocess.Popen(["dbus-daemon", "--config-file", config, "--nofork", "--print-address"],
                               stdout=subprocess.PIPE, text=True)
        self.addCleanup(bus.wait)
        self.addCleanup(bus.kill)
        self.addCleanup(bus.stdout.close)
        assistant = self.start(DBUS_SESSION_BUS_ADDRESS=bus.stdout.readline().strip())
        assistant.wait_for("DeviceAttach")
        self.assertTrue(assistant.log()[0].startswith(
            "the session bus did not give the name org.runnetlume.Assistant: "
            "org.freedesktop.DBus.Error.AccessDenied: "), assistant.log())
        self.assertEqual(assistant.stop(), 0)

    def test_without_a_session_bus_a_lock_keeps_it_to_one(self):
        nobus = {"DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent"}
        first = self.start(**nobus)
        first.wait_for("DeviceAttach")
        second = self.launch(**nobus)
        self.assertEqual(second.wait_exit(), 0)
        self.assertEqual(second.log(), [])
        self.assertEqual(first.stop(), 0)


class NoDisplay(AssistantTest):
    def test_a_display_that_cannot_be_opened_is_one_line_and_status_one(self):
        for env, line in (
            ({"DISPLAY": ":5"}, "runNetlume: cannot open display :5"),
            ({"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": "wayland-nowhere"},
             "runNetlume: cannot connect to Wayland display wayland-nowhere"),
        ):
            assistant = self.start(**env)
            # A signal (SIGABRT, with a core) would show as a negative status.
            self.assertEqual(assistant.wait_exit(), 1)
            self.assertEqual(assistant.lines, [line])
            self.assertEqual(self.recorded(), [], "nothing ran before the display was there")

    def test_the_display_going_away_is_named_and_ends_with_status_one(self):
        display, server = start_virtual_display()
        try:
            assistant = self.start(DISPLAY=display)
            assistant.wait_for("DeviceAttach")
        finally:
            end_x_server(server)
        self.assertEqual(assistant.wait_exit(), 1)
        self.assertTrue(assistant.lines[-1].startswith("runNetlume: lost the display %s: " % display),
                        assistant.lines[-1])


class PluggingIn(AssistantTest):
    def test_unlisted_device_then_wifi_printer_switches_the_screen_in_place(self):
        assistant = self.start()
        assistant.wait_for("DeviceAttach")
        frame = self.await_element("frame", "Printer Setup Assistant")
        before = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

        self.plug(KEYBOARD)
        assistant.wait_count("DeviceAttach", 2)
        self.assertTrue(self.showing("check box", "Skip the USB connection"))

        # A screen reader hears the swap: the new screen's OK takes the focus.
        focused = queue.Queue()
        listener = lambda event: focused.put(event.source.name) if event.detail1 else None
        pyatspi.Registry.registerEventListener(listener, "object:state-changed:focused")
        try:
            self.plug(WIFI)
            ok = self.await_element("push button", "OK")
            await_("OK to take the focus", lambda: ok.getState().contains(pyatspi.STATE_FOCUSED))
        finally:
            pyatspi.Registry.deregisterEventListener(listener, "object:state-changed:focused")
        after = self.await_element("frame", "Printer Setup Assistant").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.assertEqual((before.x, before.y), (after.x, after.y))
        assistant.wait_count("DeviceAttach", 3)
        self.assertEqual(assistant.stop(), 0)

    def test_usb_only_printer_brings_up_the_add_printer_window(self):
        assistant = self.start()
        assistant.wait_for("DeviceAttach")
        self.plug(USB_ONLY)
        self.await_element("push button", "Add Printer")
        self.assertFalse(self.showing("frame", "Printer Setup Assistant"))
        self.assertEqual(assistant.stop(), 0)


class HostileCatalogues(AssistantTest):
    def test_no_catalogue_crashes_it_and_an_encoded_one_still_finds_the_printer(self):
        samples = os.path.join(self.folder, "samples")
        os.makedirs(samples)
        subprocess.run([os.environ["RUNNETLUME_WRITE_SAMPLES"], "--full", samples], check=True)
        resources = resources_of(self.bundle)

        def use(name):
            for catalogue in ("wifiDevices.plist", "otherDevices.plist"):
                shutil.copy(os.path.join(samples, name), os.path.join(resources, catalogue))

        names = sorted(os.listdir(samples))
        hostile = [name for name in names if not name.startswith("readable-")]
        use(hostile[0])
        assistant = self.start()
        assistant.wait_for("DeviceAttach")
        # Catalogues are read afresh at every plug: each class in turn, with
        # the printer they would name plugged in, leaves it waiting.
        for count, name in enumerate(hostile[1:], start=2):
            use(name)
            self.plug(PRINTER_IN_SAMPLES)
            assistant.wait_count("DeviceAttach", count)
        self.await_element("check box", "Skip the USB connection")
        self.assertIsNone(assistant.process.poll())
        # A UTF-16 catalogue with its byte-order mark finds it like UTF-8.
        use("readable-utf16le-bom")
        self.plug(PRINTER_IN_SAMPLES)
        self.await_element("push button", "OK")
        self.assertEqual(assistant.stop(), 0)
        # Each catalogue that cannot be read says why, with the kind of problem.
        unreadable = [line for line in assistant.log() if " cannot be read: " in line]
        self.assertTrue(unreadable)
        for line in unreadable:
            self.assertRegex(line, r'^the catalogue "%s/(wifi|other)Devices\.plist" cannot be read: '
                             r'.+ \((io|size|depth|encoding|nul|parse|root-not-dictionary)\)$'
                             % re.escape(resources))


class Roads(AssistantTest):
    def test_ok_starts_the_companion_tool_which_outlives_the_assistant(self):
        self.plug(WIFI)
        assistant = self.start()
        self.press("OK")
        self.assertEqual(assistant.wait_exit(), 0)
        self.await_record(lambda lines: any(line.startswith("pid=") for line in lines))
        lines = self.recorded()
        self.assertEqual(lines[:3], ["argv0=" + self.tool, "argc=1", "arg=launchNetlume"])
        tool = int(lines[3][4:])
        os.kill(tool, 0)  # still running after the assistant has gone
        self.assertNotIn("error:", " ".join(assistant.log()))

    def test_ok_with_a_missing_tool_logs_one_error_and_ends(self):
        os.remove(self.tool)
        self.plug(WIFI)
        assistant = self.start()
        self.press("OK")
        self.assertEqual(assistant.wait_exit(), 0)
        errors = [line for line in assistant.log() if line.startswith("error:")]
        self.assertEqual(errors, ["error:could not start \"%s\": No such file or directory "
                                  "(posix_spawn: ENOENT)" % self.tool])

    def test_cancel_then_add_printer_waits_for_the_settings_to_close(self):
        self.plug(WIFI)
        assistant = self.start(RUNNETLUME_OPEN_SECONDS="4")
        self.press("Cancel")
        self.await_element("push button", "Add Printer")
        self.assertFalse(self.showing("frame", "Printer Setup Assistant"))
        self.press("Add Printer")
        self.await_record(lambda lines: any(line.startswith("opened") for line in lines))
        opened = time.monotonic()
        self.assertTrue(self.enabled("Done"))
        # Alive while the settings program runs (4 s), gone within a poll after.
        status = assistant.wait_exit()
        ended = time.monotonic()
        self.assertEqual(status, 0)
        self.assertGreater(ended - opened, 3.0)
        self.assertLess(ended - opened, 4.0 + 3.0 + 2.0)

    def test_two_presses_two_watchers_one_end(self):
        self.plug(USB_ONLY)
        assistant = self.start(RUNNETLUME_OPEN_SECONDS="3")
        # A press through the accessibility bus is an animated click; let the
        # first one land before the second.
        self.press("Add Printer")
        self.await_record(lambda lines: sum(line.startswith("opened") for line in lines) == 1)
        self.press("Add Printer")
        self.await_record(lambda lines: sum(line.startswith("opened") for line in lines) == 2)
        self.assertEqual(assistant.wait_exit(), 0)

    def test_skip_box_unlocks_done_which_ends_the_assistant(self):
        assistant = self.start()
        assistant.wait_for("DeviceAttach")
        self.assertFalse(self.enabled("Done"))
        self.press("Skip the USB connection", role="check box")
        await_("Done unlocked", lambda: self.enabled("Done"))
        self.press("Done")
        self.assertEqual(assistant.wait_exit(), 0)

    def test_done_in_the_add_printer_window_ends_at_once(self):
        self.plug(USB_ONLY)
        assistant = self.start(RUNNETLUME_OPEN_SECONDS="60")
        self.press("Add Printer")
        self.await_record(lambda lines: any(line.startswith("opened") for line in lines))
        self.press("Done")
        self.assertEqual(assistant.wait_exit(timeout=5), 0)
        settings = int(next(line for line in self.recorded() if line.startswith("opened")).split()[1])
        os.kill(settings, 0)  # the settings program stays open
        os.kill(settings, signal.SIGKILL)


class InstalledRoad(AssistantTest):
    """The installed program where it lies, with the catalogues it was built
    with (the maker's): their first USB-only model is attached, the agents
    are not reloaded here (no service manager runs in this test's runtime
    folder) and the one line says so, Add Printer opens the stand-in
    settings, and their end ends the assistant."""

    def place_bundle(self):
        self.assertTrue(INSTALLED, "RUNNETLUME_INSTALLED=1 and an installed prefix are needed")
        return BUNDLE

    def test_a_usb_only_printer_of_the_makers_catalogue_through_the_settings(self):
        with open(os.path.join(resources_of(self.bundle), "otherDevices.plist"), "rb") as stream:
            model = plistlib.load(stream)["devices"][0]
        self.plug((int(model["vid"], 16), int(model["pid"], 16)))
        assistant = self.start(RUNNETLUME_OPEN_SECONDS="1")
        self.press(self.await_element("push button", "Add Printer").name)
        self.assertEqual(assistant.wait_exit(), 0)
        self.assertTrue(any(line.startswith("opened") for line in self.recorded()), self.recorded())
        self.assertEqual([line for line in assistant.log() if "agent" in line],
                         ["agents not reloaded: no service manager answers at %s/systemd/private: "
                          "No such file or directory (sd_bus_start: ENOENT)" % self.folder])


USER_MANAGER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "user-manager.sh")
class PrintQueuesOfThePrinter(AssistantTest):
    """A real scheduler holding a queue for the plugged-in printer: the
    checker and the add-printer window name it, and the hand-off's end names
    the queue added meanwhile."""

    QUEUE = ("Laser", "usb://Acme/Laser%201?serial=SN1")
    LANGUAGES = KeyboardInEveryLanguage.LANGUAGES

    def test_the_queue_is_named_by_the_checker_and_the_window_and_one_added_by_the_end(self):
        # The same printer behind a port of the loopback interface from
        # 60000 on, as ipp-usb serves it, which reports its device id.
        port = next(port for port in range(60000, 60100) if free_port(port))
        self.scheduler(("Acme", "usb://Acme/Laser%201?serial=SN1", PPD), port=port)
        self.scheduler(self.QUEUE, ("Elsewhere", "ipp://printer.example/ipp/print"),
                       ("Laser-IPP", "ipp://localhost:%d/printers/Acme" % port))
        self.plug(USB_ONLY, serial="SN1", ipp_usb=True)
        checker = self.check_devices()
        self.assertIn("8001:0101  USB-only model", checker)
        self.assertIn("print queues: Laser (serial; idle, accepting jobs), Laser-IPP (IPP-over-USB; "
                      "idle, accepting jobs)\n           IPP-over-USB: it also prints without a "
                      "driver\n", checker)
        for language in self.LANGUAGES:
            assistant = self.start(LANG=language + ".UTF-8", LANGUAGE=language)
            note = translations(language)["ui_queueNote"].replace("%1", '"Laser", "Laser-IPP"')
            self.await_element("label", note)
            self.assertEqual(assistant.stop(), 0, language)
            self.assertIn('the attached printer already has print queues: "Laser" (serial), '
                          '"Laser-IPP" (IPP-over-USB)', assistant.log(), language)
            # No port of ipp-usb's range serves the printer: nothing of ipp-usb.
            self.assertNotIn("ipp-usb", assistant.log(), language)
        # ipp-usb serves it on the first free port of its range, and then
        # the window, the log and the checker name the queue it blocks; a
        # stopped queue and one that rejects jobs are named as such.
        served = next(port for port in range(60000, 60008) if free_port(port))
        self.misbehaving("ipp-usb", port=served, PRINTER_DEVICE_ID="MFG:Acme;MDL:Laser 1;SN:SN1;")
        for command, label, line in (
                (None, "ui_ippUsbNote", 'ipp-usb serves the attached printer on port %d, so its '
                 'queues through the USB backend cannot print while it does: "Laser"; print with '
                 'the driverless queue through ipp-usb' % served),
                ("cupsdisable", "ui_queueStateNote", 'print queues of the attached printer that '
                 'cannot print now: "Laser" (stopped: paused; accepting jobs)'),
                ("cupsreject", "ui_queueStateNote", 'print queues of the attached printer that '
                 'cannot print now: "Laser" (idle, rejects jobs)')):
            if command:
                subprocess.run(["cupsenable", "Laser"], check=True, env=self.cups_env())
                subprocess.run([command, "Laser"], check=True, env=self.cups_env())
            assistant = self.start()
            self.await_element("label", translations("en")[label].replace("%1", '"Laser"'))
            self.assertEqual(assistant.stop(), 0, line)
            self.assertTrue(any(said.startswith(line) for said in assistant.log()), assistant.log())
        checker = self.check_devices()
        self.assertIn("warning: ipp-usb serves it on port %d, so its queues through the USB "
                      "backend cannot print while it does: Laser [ipp-usb-conflict]\n           "
                      "remedy: print with the driverless queue" % served, checker)
        self.assertIn('the quirk "[8001:0101] blacklist = true"', checker)
        found = json.loads(self.check_devices("--json"))["devices"][0]
        self.assertEqual((found["ippUsbPort"], found["findings"][0]["id"], found["queues"][0]["state"]),
                         (served, "ipp-usb-conflict", "idle, rejects jobs"))
        # Silent IPP-over-USB ports, asked side by side: the window's line and
        # the end's still come, each within one port's time.
        silent = next(port for port in range(port + 1, 60200) if free_port(port))
        self.misbehaving("silent", port=silent)
        for number in range(40):
            subprocess.run(["lpadmin", "-p", "Silent-%d" % number, "-E", "-v",
                            "ipp://localhost:%d/ipp/print/%d" % (silent, number)],
                           check=True, capture_output=True, env=dict(os.environ, CUPS_SERVER=self.cups))
        assistant = self.start(RUNNETLUME_OPEN_SECONDS="1",
                               RUNNETLUME_ADD_QUEUE="Laser-2 usb://Acme/Laser%201?serial=SN1")
        self.await_element("label", translations("en")["ui_queueNote"].replace(
            "%1", '"Laser", "Laser-IPP"'))
        self.press("Add Printer")
        self.assertEqual(assistant.wait_exit(), 0)
        self.assertIn('print queues added for the attached printer since Add Printer was pressed: '
                      '"Laser-2" (idle, accepting jobs)', assistant.log())

    # USB strings, the printer interface's device id and number, and the
    # queue CUPS's usb backend made for each of four real printers.
    REAL = [
        ("Hewlett-Packard", "HP LaserJet Professional P1102",
         "MFG:Hewlett-Packard;MDL:HP LaserJet Professional P1102;", 0,
         "P1102", "usb://HP/LaserJet%20Professional%20P1102"),
        ("EPSON", "USB2.0 MFP(Hi-Speed)", "MFG:EPSON;CMD:ESCPL2,BDC;MDL:XP-2100 Series;", 1,
         "XP-2100", "usb://EPSON/XP-2100%20Series?interface=1"),
        ("Canon", "Canon CAPT USB Device", "MFG:Canon;MDL:LBP2900;CMD:CAPT;DES:Canon LBP2900", 0,
         "LBP2900", "usb://Canon/LBP2900"),
        ("Brother", "HL-L2350DW series", "MFG:Brother;MDL:HL-L2350DW series;CLS:PRINTER;", 0,
         "HL-L2350DW", "usb://Brother/HL-L2350DW%20series"),
    ]

    def test_real_printers_are_named_with_the_queues_that_cups_made_for_them(self):
        self.scheduler(*[(queue, uri) for *_, queue, uri in self.REAL])
        for maker, product, device_id, interface, queue, uri in self.REAL:
            plugged = self.plug(USB_ONLY, strings=(maker, product), device_id=device_id,
                                interface=interface)
            self.usb_device(uri, maker + " " + product, device_id)
            self.assertIn("print queues: %s (maker and model; idle, accepting jobs)\n" % queue,
                          self.check_devices())
            assistant = self.start()
            self.await_element("label", translations("en")["ui_queueNote"].replace("%1", '"%s"' % queue))
            assistant.wait_for('the printer is the print system\'s device "%s"' % uri)
            self.assertEqual(assistant.stop(), 0, queue)
            self.assertIn('the attached printer already has print queues: "%s" (maker and model)'
                          % queue, assistant.log())
            self.testbed.remove_device(plugged)

    def test_without_a_scheduler_or_with_a_misbehaving_one_one_line_says_so(self):
        self.plug(USB_ONLY, serial="SN1")
        for server, why in (
                (self.cups, "cannot be asked: No such file or directory (httpConnect2: ENOENT)"),
                (self.misbehaving("silent"),
                 "did not list its queues: no answer within 5 s (CUPS-Get-Printers)"),
                (self.misbehaving("trickle"),
                 "did not list its queues: no answer within 5 s (CUPS-Get-Printers)"),
                (self.misbehaving("endless"),
                 "did not list its queues: its answer is too large: over 1 MiB (CUPS-Get-Printers)"),
                (self.misbehaving("busy"), "did not list its queues: the scheduler is busy "
                 "(CUPS-Get-Printers: server-error-busy)")):
            line = "print queues not known: the print system (CUPS) at %s %s" % (server, why)
            assistant = self.start(CUPS_SERVER=server)
            self.await_element("push button", "Add Printer")
            assistant.wait_for(line)
            self.assertEqual(assistant.stop(), 0)
            self.assertEqual(len([line for line in assistant.log() if "print queue" in line]), 1)
            checker = subprocess.run(
                [os.path.join(self.bundle, "bin", "runNetlume-check"), "--devices", "--json"],
                capture_output=True, text=True, env=dict(os.environ, CUPS_SERVER=server))
            self.assertIn(json.dumps(line[len("print queues not known: "):]), checker.stdout)


class NewPrinterDialogAtTheDevice(AssistantTest):
    """The printer settings' own service (system-config-printer's) opens its
    new-printer dialog at the plugged-in printer; the dialog's answer ends
    the assistant, and without a dialog the settings program opens as
    before."""

    SERVICE = "/usr/share/system-config-printer/scp-dbus-service.py"
    DEVICE = "usb://Acme/Laser%201?serial=SN1"

    def service(self, cups):
        """The service, for that scheduler; it ends itself after 30 s idle."""
        env = {name: value for name, value in os.environ.items()
               if name not in ("LD_PRELOAD", "UMOCKDEV_DIR")}
        process = subprocess.Popen([self.SERVICE], env=dict(env, CUPS_SERVER=cups),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(process.wait)
        self.addCleanup(process.kill)
        await_("the printer settings' service on the bus", lambda: "true" in subprocess.run(
            ["gdbus", "call", "--session", "-d", "org.freedesktop.DBus", "-o", "/org/freedesktop/DBus",
             "-m", "org.freedesktop.DBus.NameHasOwner", "org.fedoraproject.Config.Printing"],
            capture_output=True, text=True).stdout)
        return process

    def bare_bus(self):
        """A session bus of this test's own on which no service can start."""
        config = os.path.join(self.folder, "bare-bus.conf")
        with open(config, "w") as out:
            out.write('<busconfig><type>session</type><listen>unix:dir=%s</listen>'
                      '<auth>EXTERNAL</auth><policy context="default"><allow send_destination="*"/>'
                      '<allow receive_sender="*"/><allow own="*"/></policy></busconfig>' % self.folder)
        bus = subprocess.Popen(["dbus-daemon", "--config-file", config, "--nofork", "--print-address"],
                               stdout=subprocess.PIPE, text=True)
        self.addCleanup(bus.wait)
        self.addCleanup(bus.kill)
        self.addCleanup(bus.stdout.close)
        return bus.stdout.readline().strip()

    def dialog(self):
        """The service's new-printer window, once it is the service's only
        one (its driver search shows a window of its own, with a Cancel)."""
        def found():
            desktop = pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                child = desktop.getChildAtIndex(index)
                if child is None or child.name != "system-config-printer":
                    continue
                windows = [child.getChildAtIndex(i) for i in range(child.childCount)]
                windows = [w for w in windows if w is not None and w.getState().contains(pyatspi.STATE_SHOWING)]
                if len(windows) == 1 and windows[0].name == "New Printer":
                    return windows[0]
            return None
        return await_("the new-printer window alone", found)

    def click(self, window, name, done):
        """A button of the dialog, clicked with the mouse once it takes
        clicks (through the accessibility bus, a button whose handler runs
        the service's nested loop leaves its accessibility unanswered), and
        again until done() holds: a click that lands while the service is
        still busy with its last one is dropped now and then."""
        def ready():
            button = find(window, "push button", name)
            return button if button and button.getState().contains(pyatspi.STATE_SENSITIVE) else None
        for _ in range(3):
            try:
                x, y, width, height = await_("the dialog's %s" % name, ready).queryComponent().getExtents(
                    pyatspi.DESKTOP_COORDS)
            except Exception:  # gone with an earlier click, which then took
                if done():
                    return
                raise
            subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click",
                            "1"], check=True)
            try:
                await_("the dialog's %s to take" % name, done, timeout=WAIT / 2)
                return
            except AssertionError:
                pass
        self.fail("the dialog's %s never took" % name)

    def gone(self, window):
        try:
            return not window.getState().contains(pyatspi.STATE_SHOWING)
        except Exception:  # the window is no more
            return True

    def page(self, window):
        """Which of the dialog's pages shows."""
        pages = find(window, "page tab list", "")
        return next(index for index in range(pages.childCount)
                    if pages.getChildAtIndex(index).getState().contains(pyatspi.STATE_SHOWING))

    def add(self, window):
        """Forward with the driver the dialog chose, page by page, then Apply."""
        while find(window, "push button", "Apply") is None:
            shown = self.page(window)
            self.click(window, "Forward", lambda: self.page(window) != shown)
        self.click(window, "Apply", lambda: self.gone(window))

    def queues_at_device(self):
        listed = subprocess.run(["lpstat", "-v"], env=dict(os.environ, CUPS_SERVER=self.cups),
                                capture_output=True, text=True).stdout
        return re.findall(r"device for (\S+): " + re.escape(self.DEVICE), listed)

    def test_each_end_of_the_dialog_opened_at_the_printer_ends_the_assistant(self):
        self.scheduler()
        self.usb_device(self.DEVICE)
        self.plug(USB_ONLY, serial="SN1")
        note = translations("en")["ui_dialogNote"].replace("%1", "Acme Laser 1")
        fallback = "the new-printer dialog did not open: %s; the printer settings open instead"
        def beside_then_gone(window, service):
            # A queue added beside the dialog, then its service dies.
            subprocess.run(["lpadmin", "-p", "Beside", "-E", "-v", self.DEVICE], check=True,
                           capture_output=True, env=dict(os.environ, CUPS_SERVER=self.cups))
            service.kill()

        ends = [  # the service's print system (none: no service), how the dialog ends, the line
            (self.cups, lambda window, service: self.click(window, "Cancel", lambda: self.gone(window)),
             "the new-printer dialog was cancelled"),
            (self.cups, lambda window, service: self.add(window),
             'the new-printer dialog added the printer as "{queue}"'),
            (self.cups, beside_then_gone,
             "the printer settings' service left the session bus before the dialog ended"),
            # It tells of an unreachable print system in a window of its own
            # and answers the call only once that window is closed.
            (os.path.join(self.folder, "no-such-socket"), None,
             fallback % ("the printer settings' service did not answer within 10 s "
                         "(NewPrinterFromDevice: org.freedesktop.DBus.Error.NoReply)")),
            (None, None, ""),
        ]
        for cups, end, line in ends:
            service = self.service(cups) if cups else None
            opened = len([entry for entry in self.recorded() if entry.startswith("opened")])
            queues = self.queues_at_device()
            assistant = self.start(**({} if cups else {"DBUS_SESSION_BUS_ADDRESS": self.bare_bus()}))
            assistant.wait_for('the printer is the print system\'s device "%s"' % self.DEVICE)
            if cups:
                self.await_element("label", note)
                self.press("Add Printer")
            else:
                # Off the accessibility bus with the session's: by keyboard.
                window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                         "^Add Printer$"], capture_output=True, text=True).stdout.split()[0]
                subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "Return"], check=True)
            if end:
                window = self.dialog()
                # At the printer: past choosing a device.
                self.assertIsNotNone(find(window, "label", "Choose Driver"))
                end(window, service)
            # One row waits out the 10 s the service is given to show its dialog.
            self.assertEqual(assistant.wait_exit(WAIT + 10, line), 0, line)
            # The added end and the queue beside the dialog add one each, and
            # every end names what was added since the press.
            added = [queue for queue in self.queues_at_device() if queue not in queues]
            self.assertEqual(len(added), int(end in (ends[1][1], beside_then_gone)), line)
            self.assertEqual([entry for entry in assistant.log() if "dialog" in entry],
                             [line.format(queue=" ".join(added))] * bool(line))
            self.assertIn("print queues added for the attached printer since Add Printer was "
                          'pressed: "%s" (idle, accepting jobs)' % added[0] if added else
                          "no print queue was added for the attached printer since Add Printer "
                          "was pressed", assistant.log(), line)
            self.assertEqual(len([entry for entry in self.recorded() if entry.startswith("opened")]),
                             opened + (0 if end else 1), line)
            if service:
                service.kill()
                service.wait()


AGENT_UNIT = """[Unit]
Description=runNetlume test agent
StartLimitIntervalSec=0
[Service]
Type=oneshot
RemainAfterExit=yes
ExecStart={start}
ExecStop={stop}
[Install]
WantedBy=default.target
"""


class AgentsOnTheUserManager(AssistantTest):
    """A real systemd user manager of a throwaway user (tests/tools/user-manager.sh),
    and the assistant run as that user, offscreen: what the manager holds after
    the refresh, and the lines the refresh leaves."""

    @classmethod
    def setUpClass(cls):
        started = subprocess.run([USER_MANAGER, "start"], capture_output=True, text=True)
        if started.returncode != 0:
            raise unittest.SkipTest("no systemd user manager here: " + started.stderr.strip())
        settings = dict(item.split("=", 1) for item in started.stdout.split()[1:])
        cls.user, cls.runtime = settings["RN_USER"], settings["XDG_RUNTIME_DIR"]

    @classmethod
    def tearDownClass(cls):
        subprocess.run([USER_MANAGER, "stop"], check=False)

    def setUp(self):
        super().setUp()
        os.chmod(self.folder, 0o755)
        subprocess.run(["chmod", "-R", "a+rX", self.testbed.get_root_dir()], check=True)
        self.as_user = ["setpriv", "--reuid=" + self.user, "--regid=" + self.user, "--init-groups",
                        "env", "HOME=" + pwd.getpwnam(self.user).pw_dir]
        self.units = {}
        for name, start, stop in (("status", "/bin/true", "/bin/true"), ("helper", "/bin/true", "/bin/true"),
                                  ("failing", "/bin/false", "/bin/true"),
                                  ("usb-monitor", "/bin/true", "/bin/sleep 2")):
            self.units[name] = os.path.join(self.folder, "My Units" if name == "helper" else "units",
                                            "rn-e2e-%s.service" % name)
            os.makedirs(os.path.dirname(self.units[name]), exist_ok=True)
            with open(self.units[name], "w") as out:
                out.write(AGENT_UNIT.format(start=start, stop=stop))
        self.missing = os.path.join(self.folder, "units", "rn-e2e-missing.service")
        self.catalogues()
        subprocess.run(["chmod", "-R", "a+rX", self.folder], check=True)

    def tearDown(self):
        for name in ("status", "helper", "failing", "usb-monitor"):
            self.systemctl("disable", "--now", "rn-e2e-%s.service" % name)
        super().tearDown()

    def agents(self):
        if not hasattr(self, "units"):
            return {}
        return {"smLaunchAgentPath": [self.units["status"], self.missing, self.units["helper"],
                                      self.units["failing"]],
                "usbMonitorLaunchAgentPath": self.units["usb-monitor"]}

    def systemctl(self, *arguments):
        """What the manager says, asked as its user: its words on standard output."""
        done = subprocess.run(self.as_user[:-2] + ["env", "-u", "LD_PRELOAD", self.as_user[-1],
                                                   "XDG_RUNTIME_DIR=" + self.runtime,
                                              "/bin/systemctl", "--user", *arguments],
                              capture_output=True, text=True)
        if not done.stdout and done.stderr:
            sys.stderr.write("systemctl %s: %s" % (" ".join(arguments), done.stderr))
        return done.stdout.split()

    def start_as_user(self, session=False, **env):
        settings = {"XDG_RUNTIME_DIR": self.runtime, "QT_QPA_PLATFORM": "offscreen",
                    "DBUS_SESSION_BUS_ADDRESS": "unix:path=%s/bus" % self.runtime}
        settings.update(env)
        return self.start(session, prefix=self.as_user, **settings)

    def test_each_listed_unit_ends_enabled_and_active_and_each_failure_is_one_line(self):
        for run in (1, 2):  # the second run meets them loaded
            assistant = self.start_as_user()
            assistant.wait_for("DeviceAttach")
            # The failed start is told once it ends, after the window.
            failed = ('agent "%s" not started: its start job ended "failed" (exit-code); systemctl '
                      '--user status rn-e2e-failing.service says more' % self.units["failing"])
            assistant.wait_for(failed)
            self.assertEqual(
                [line for line in assistant.log() if "agent" in line],
                ['agent "%s" not loaded: Unit file %s does not exist. (EnableUnitFiles: '
                 'org.freedesktop.systemd1.NoSuchUnit)' % (self.missing, self.missing),
                 failed], "run %d" % run)
            names = ["rn-e2e-%s.service" % name for name in ("status", "helper", "failing", "usb-monitor")]
            self.assertEqual(self.systemctl("is-enabled", *names), ["enabled"] * 4, "run %d" % run)
            self.assertEqual(self.systemctl("is-active", *names), ["active", "active", "failed", "active"],
                             "run %d" % run)
            self.assertEqual(assistant.stop(), 0)

    def test_a_signal_lets_the_running_step_end_and_skips_the_rest(self):
        for signalled in (signal.SIGTERM, signal.SIGINT):
            # The monitor agent runs and takes two seconds to stop; the list is empty.
            with open(os.path.join(resources_of(self.bundle), "wifiDevices.plist"), "wb") as out:
                plistlib.dump({"devices": [], "usbMonitorLaunchAgentPath": self.units["usb-monitor"],
                               "smLaunchAgentPath": []}, out)
            self.systemctl("enable", "--now", self.units["usb-monitor"])
            assistant = self.start_as_user(session=True)
            await_(lambda: "the monitor agent stopping: %r, lines %r" % (
                self.systemctl("is-active", "rn-e2e-usb-monitor.service"), assistant.lines),
                   lambda: self.systemctl("is-active", "rn-e2e-usb-monitor.service") == ["deactivating"])
            os.killpg(assistant.process.pid, signalled)
            self.assertEqual(assistant.wait_exit(), 0)
            # Its stop ended; its load was skipped; no scan, no window.
            self.assertEqual(self.systemctl("is-active", "rn-e2e-usb-monitor.service"), ["inactive"])
            self.assertNotEqual(self.systemctl("is-enabled", "rn-e2e-usb-monitor.service"), ["enabled"])
            self.assertFalse([line for line in assistant.log() if line.startswith("appPath:")], signalled)

    def test_an_unreachable_manager_is_one_line_and_the_connect_screen_follows(self):
        for env, prefix, why in (
                ({"XDG_RUNTIME_DIR": None}, self.as_user,
                 "XDG_RUNTIME_DIR is not set, so the user's service manager cannot be found"),
                ({"SUDO_USER": self.user}, (),
                 "the runtime folder %s belongs to uid %s, not to this user (uid 0); started through "
                 "sudo, the assistant is outside the user's session: start it as the user"
                 % (self.runtime, subprocess.run(["id", "-u", self.user], capture_output=True,
                                                 text=True).stdout.strip()))):
            settings = {"XDG_RUNTIME_DIR": self.runtime, "QT_QPA_PLATFORM": "offscreen"}
            settings.update(env)
            assistant = self.start(prefix=prefix, **settings)
            assistant.wait_for("DeviceAttach")
            self.assertEqual([line for line in assistant.log() if "agent" in line],
                             ["agents not reloaded: " + why])
            self.assertEqual(assistant.stop(), 0)
        self.assertNotEqual(self.systemctl("is-enabled", "rn-e2e-status.service"), ["enabled"])


def translations(language):
    """Every text of the strings table and the interface, by id, as the
    bundle's translation sources give them in that language."""
    texts = {}
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources",
                          "translations")
    for catalogue in ("runNetlume", "interface"):
        root = xml.etree.ElementTree.parse(os.path.join(folder, "%s_%s.ts" % (catalogue, language)))
        for message in root.iter("message"):
            translation = message.findtext("translation") or message.findtext("source")
            texts[message.get("id")] = translation
    return texts


class Orca:
    """Debian's screen reader on the session's accessibility bus, speaking
    through speech-dispatcher's dummy module; what it says is read from its
    debug log."""

    # A line: SPEECH OUTPUT: 'text' and the voice, {...} or [{...}]; the
    # text of a label of several lines goes on over as many.
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?:\[?\{[^\n]*\}\]?)?$", re.MULTILINE | re.DOTALL)
    # Orca's own --debug-file is written in blocks and would hold the last
    # lines back while it waits; this one is written line by line.
    LAUNCH = "\n".join([
        "import runpy, sys",
        "from orca import debug",
        "debug.debugLevel = debug.LEVEL_ALL",
        "debug.eventDebugLevel = debug.LEVEL_OFF",
        "debug.debugFile = open(sys.argv[1], 'w', buffering=1)",
        "sys.argv = ['orca', '-u', sys.argv[2]]",
        "runpy.run_path('/usr/bin/orca', run_name='__main__')",
    ])

    def __init__(self, folder):
        os.makedirs(folder, exist_ok=True)
        home = os.path.join(folder, "orca-home")
        config = os.path.join(home, ".config", "speech-dispatcher")
        os.makedirs(config)
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            # No sound card: libao falls back to its null device.
            conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n'
                       'AudioOutputMethod "libao"\n')
        runtime = os.path.join(folder, "orca-run")
        os.makedirs(runtime, mode=0o700)
        self.log = os.path.join(folder, "orca.log")
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                        XDG_RUNTIME_DIR=runtime)
        # The suite's own USB emulation is not the screen reader's business.
        for name in ("LD_PRELOAD", "UMOCKDEV_DIR"):
            self.env.pop(name, None)
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-c", self.LAUNCH, self.log, os.path.join(folder, "orca-prefs")],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.heard = 0
        self.await_spoken("")  # its greeting

    def spoken(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as stream:
                return [match.group(1) for match in self.SPOKEN.finditer(stream.read())]
        except FileNotFoundError:
            return []

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        # The speech server Orca started for itself ends with its clients
        # after its timeout; end it now.
        try:
            with open(os.path.join(self.env["XDG_RUNTIME_DIR"], "speech-dispatcher", "pid",
                                   "speech-dispatcher.pid")) as stream:
                os.kill(int(stream.read().strip()), signal.SIGTERM)
        except (FileNotFoundError, ValueError, ProcessLookupError):
            pass

    def await_spoken(self, *texts):
        """What was said since the last call up to the last of texts, once
        each has been said."""
        def found():
            said = self.spoken()[self.heard:]
            ends = [next((i for i, line in enumerate(said) if text in line), None) for text in texts]
            return None if None in ends else said[:max(ends) + 1]
        heard = await_(lambda: "Orca to say %r; it said %r" % (texts, self.spoken()[self.heard:]), found)
        self.heard += len(heard)
        return heard

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "150"] + list(keys), check=True)


class ScreenReader(AssistantTest):
    """The three first screens and both swaps, as Orca speaks them: a fresh
    Orca for each language, as a user starting the assistant would have."""

    orca = None

    def tearDown(self):
        if self.orca is not None:
            self.orca.stop()  # before its folder goes
        super().tearDown()

    def hears(self, *texts):
        return self.orca.await_spoken(*texts)

    def review(self, *texts):
        """Flat review, from the focused line up to the window's top, line by
        line (the numeric keypad's 8, then 7), reads every text."""
        self.orca.key("KP_Up", *["KP_Home"] * 8)
        return self.hears(*texts)

    def test_each_screen_is_spoken_on_appearance_and_after_each_swap(self):
        self.scheduler(PrintQueuesOfThePrinter.QUEUE)
        self.usb_device(NewPrinterDialogAtTheDevice.DEVICE)
        # ipp-usb serves the USB printer, whose queue then cannot print.
        self.misbehaving("ipp-usb", port=next(port for port in range(60000, 60008) if free_port(port)),
                         PRINTER_DEVICE_ID="MFG:Acme;MDL:Laser 1;SN:SN1;")
        for language in ("en", "de", "ar"):
            text = translations(language)
            self.orca = Orca(os.path.join(self.folder, language))
            assistant = self.start(LANG=language + ".UTF-8", LANGUAGE=language)
            assistant.wait_for("DeviceAttach")
            # All that is said of the connect screen: the skip box once, by
            # its own title, and nothing of the drawing or the turning dots.
            said = self.hears(text["usbNeedString"]) + self.hears(text["skipString"] + " check box")
            self.assertEqual(said, [text["ui_assistantTitle"] + " frame.",
                                    text["ui_closeLockedDescription"], text["usbNeedString"] + " panel.",
                                    text["ui_waitingForPrinter"],
                                    text["skipString"] + " check box not checked."])
            self.assertEqual(self.app().name, text["ui_assistantTitle"])  # not the file's name
            self.plug(WIFI)
            said = self.hears(text["QuestionString"])
            self.assertFalse([line for line in said if text["ui_closeLockedDescription"] in line], said)
            self.review(text["QuestionString"], text["launchNetlumeNote"], text["OK"], text["Cancel"])
            self.orca.key("Escape")
            self.hears(text["stepsPromptString"], text["ui_addPrinterDescription"])
            self.review(*(text["step%d" % step] for step in range(1, 5)))
            self.assertEqual(assistant.stop(), 0, assistant.lines[-40:])
            # The other two first screens, the printer plugged before start.
            # A fresh Orca each time: one whose last key was its own command
            # takes the next window's activation for that key's side effect.
            # The USB printer already has a print queue, which the window
            # names, and the dialog service (activatable) can open at it:
            # the dialog's steps, line by line, take the four steps' place.
            queue = '"%s"' % PrintQueuesOfThePrinter.QUEUE[0]
            notes = {"ui_queueNote": queue, "ui_ippUsbNote": queue, "ui_dialogNote": "Acme Laser 1"}
            for printer, first in ((WIFI, ("QuestionString",)),
                                   (USB_ONLY, ("ui_queueNote", "ui_ippUsbNote", "ui_dialogNote"))):
                self.orca.stop()
                self.unplug_all()
                self.plug(printer, serial="SN1" if printer == USB_ONLY else None,
                          ipp_usb=printer == USB_ONLY)
                self.orca = Orca(os.path.join(self.folder, language, first[0]))
                assistant = self.start(LANG=language + ".UTF-8", LANGUAGE=language)
                self.hears(*(line for key in first
                             for line in text[key].replace("%1", notes.get(key, "")).split("\n")))
                self.assertEqual(assistant.stop(), 0, assistant.lines[-40:])
            self.orca.stop()
            self.orca = None
            self.unplug_all()

    def unplug_all(self):
        # The old testbed goes first, as its end clears the emulation's environment.
        del self.testbed
        self.testbed = UMockdev.Testbed.new()


def load_tests(loader, tests, pattern):
    """An installed prefix runs InstalledRoad alone; a bundle runs the rest."""
    suite = unittest.TestSuite()
    for group in tests:
        for test in group:
            if isinstance(test, InstalledRoad) == INSTALLED:
                suite.addTest(test)
    return suite


if __name__ == "__main__":
    run = unittest.main(exit=False).result
    # A log read from its end still names what went wrong.
    for test, _ in run.errors + run.failures:
        print("e2e: not passed:", test.id(), file=sys.stderr)
    sys.exit(not run.wasSuccessful())
