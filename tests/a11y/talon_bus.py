# SPDX-License-Identifier: GPL-2.0-or-later
"""The running program's session-bus interface as a script meets it: through
gdbus. The name, path and interface come from the introspection file the
build makes for installation (packaging/dbus/ID.xml)."""

import glob
import os
import re
import subprocess
import xml.etree.ElementTree as ET

from talon_a11y import BUILD, wait_until

_XML = glob.glob(os.path.join(BUILD, "packaging", "dbus", "*.xml"))
assert len(_XML) == 1, "one interface file in %s/packaging/dbus" % BUILD
XML_FILE = _XML[0]
ID = os.path.basename(XML_FILE)[:-len(".xml")]
PATH = "/" + ID.replace(".", "/").replace("-", "_")


def gdbus(method, *args, interface=ID, timeout=60):
    """Calls a method; returns (ok, text): the answer, or the error's name and
    message ("example...Error.Busy: the profile cannot ...")."""
    r = subprocess.run(["gdbus", "call", "--session", "--dest", ID, "--object-path", PATH,
                        "--timeout", str(timeout), "--method", interface + "." + method]
                       + [str(a) for a in args], capture_output=True, text=True)
    if r.returncode == 0:
        return True, r.stdout.strip()
    match = re.search(r"GDBus\.Error:(\S+?): (.*)", r.stderr, re.S)
    return False, (match.group(1) + ": " + match.group(2).strip()) if match else r.stderr.strip()


def properties():
    """GetAll as {name: python value} (booleans, numbers, texts)."""
    ok, text = gdbus("GetAll", ID, interface="org.freedesktop.DBus.Properties")
    assert ok, text
    values = {}
    for name, value in re.findall(r"'(\w+)': <([^>]*)>", text):
        if value.startswith("'"):
            values[name] = value.strip("'")
        elif re.fullmatch(r"-?\d+", value):
            values[name] = int(value)
        else:
            values[name] = {"true": True, "false": False}.get(value, value)
    return values


def wait_published():
    """Waits until the program owns its name and says it is connected."""
    return wait_until(lambda: gdbus("Get", ID, "Connected", interface="org.freedesktop.DBus.Properties")
                      == (True, "(<true>,)"), "the program on the session bus, connected")


def members(xml_text, interface=ID):
    """The interface's methods, properties and signals with their types, as
    a set of comparable tuples."""
    root = ET.fromstring(xml_text)
    found = set()
    for node in root.iter("interface"):
        if node.get("name") != interface:
            continue
        for m in node:
            args = tuple((a.get("type"), a.get("direction", "out" if m.tag == "signal" else "in"))
                         for a in m.findall("arg"))
            found.add((m.tag, m.get("name"), m.get("type"), m.get("access"), args))
    return found


def introspected():
    """What the running program says of itself."""
    r = subprocess.run(["gdbus", "introspect", "--session", "--dest", ID, "--object-path", PATH,
                        "--xml"], capture_output=True, text=True, check=True)
    return r.stdout


class Monitor:
    """The interface's signals as gdbus monitor prints them."""

    def __init__(self):
        self.process = subprocess.Popen(["gdbus", "monitor", "--session", "--dest", ID,
                                         "--object-path", PATH], stdout=subprocess.PIPE, text=True)
        self.lines = []
        os.set_blocking(self.process.stdout.fileno(), False)

    def signals(self, name):
        """The arguments of each `name` signal so far, as texts ("(2,)")."""
        while True:
            line = self.process.stdout.readline()
            if not line:
                break
            self.lines.append(line)
        return [m.group(1) for l in self.lines
                for m in [re.search(r"\.%s \((.*)\)$" % name, l.strip())] if m]

    def wait(self, name, args):
        wait_until(lambda: "%s," % args in self.signals(name) or args in self.signals(name),
                   "signal %s(%s); seen: %s" % (name, args, "".join(self.lines[-5:])))

    def close(self):
        self.process.terminate()
        self.process.wait(10)
