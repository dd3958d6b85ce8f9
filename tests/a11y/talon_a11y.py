# SPDX-License-Identifier: GPL-2.0-or-later
"""Drives the real kestrel-talon through the accessibility bus.

A flow starts the program against the preloaded virtual mouse in a private
copy of the data tree, finds its controls by role and name as a screen reader
does, presses them, and checks what the mouse received (the virtual mouse's
journal) and what the data files hold. See README.md.

Runs under tests/a11y/run.sh (X server, session bus, accessibility bus), with
the system's /usr/bin/python3 and python3-pyatspi.
"""

import configparser
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import pyatspi

warnings.filterwarnings("ignore", category=DeprecationWarning)

BUILD = os.environ.get("TALON_BUILD", os.path.join(os.path.dirname(__file__), "../../build"))
EXECUTABLE = os.path.join(BUILD, "bin", "kestrel-talon")
SIM_LIBRARY = os.path.join(BUILD, "lib", "libtalonsim.so")
MODULES = os.path.join(BUILD, "bin", "modules")
# The data as shipped. A run from the build tree keeps its data in MODULES,
# so a flow takes the sources' tree and only what the build itself adds there.
SOURCE_MODULES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "modules")
BUILT_DATA = ("img", "VERSION")
SHOTS = os.environ.get("TALON_SHOTS", os.path.join(BUILD, "a11y-shots"))

# Waits are for a condition, up to this long: generous, because the tests
# share two cores with builds and other tests.
TIMEOUT = float(os.environ.get("TALON_A11Y_TIMEOUT", "30"))
POLL = 0.05

APP_NAME = "kestrel-talon"
BUSY = "LOADING ......"  # the busy indicator's text

# Settings that make the data tree one of the 560 family (as the shipped
# tree is of the 553 family), as the virtual mouse presents it.
FAMILY_560 = {"mouse/icType": "560", "0/pid": "a1ef", "0/reportLength": "64"}


class FlowError(AssertionError):
    pass


def wait_until(condition, what, timeout=TIMEOUT):
    """Polls condition() until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise FlowError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(POLL)


def read_ini(path):
    """An INI file as QSettings writes it: {"group/key": "text"}."""
    parser = configparser.RawConfigParser(strict=False, interpolation=None)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    values = {}
    for section in parser.sections():
        for key, value in parser.items(section):
            values[("" if section == "General" else section + "/") + key] = value
    return values


def write_ini_values(path, values):
    """Sets "group/key" texts in an INI file, keeping the rest."""
    parser = configparser.RawConfigParser(strict=False, interpolation=None)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    for name, value in values.items():
        section, key = name.split("/", 1)
        if not parser.has_section(section):
            parser.add_section(section)
        parser.set(section, key, str(value))
    with open(path, "w", encoding="utf-8") as f:
        parser.write(f, space_around_delimiters=False)


def macro_file(*actions, repeat=1):
    """The values of a macro file ("macro/Name.bin") holding these actions
    ("1,A": press A) and repeat count, for `files=`."""
    values = {"config/index": 0, "config/total": len(actions), "config/repeat": repeat, "config/did": -1}
    # Texts with a comma are quoted, as the program writes them.
    values.update({"macro/%d" % i: '"%s"' % a for i, a in enumerate(actions)})
    return values


def copy_shipped_data(target):
    """The data tree as a new install has it, whatever a run left behind."""
    shutil.copytree(SOURCE_MODULES, target)
    for name in BUILT_DATA:
        built = os.path.join(MODULES, name)
        if os.path.isdir(built):
            shutil.copytree(built, os.path.join(target, name), dirs_exist_ok=True)
        elif os.path.exists(built):
            shutil.copy2(built, os.path.join(target, name))


def _wait_for_tray():
    """The program decides at its start whether there is a tray to live in
    (without one, closing its window ends it): where trayer runs, wait until
    its panel is up; a loaded machine may take longer than tests/x11/with-x.sh
    waits."""
    if os.environ.get("TALON_TRAY") != "trayer":  # set by run.sh, whose X server has trayer
        return
    wait_until(lambda: '("panel" "trayer")' in subprocess.run(
        ["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout, "the system tray")


# --- the program ------------------------------------------------------------

class Talon:
    """One run of kestrel-talon against the virtual mouse.

    family: "553" or "560"; config: {"group/key": value} set in the private
    apConfig.bin before the start; files: {"setting/name.bin": {"group/key":
    value}} the same for other files of the data tree; sim: extra TALON_SIM
    options ("code=..."), env: extra environment.
    """

    def __init__(self, family="553", config=None, sim="", env=None, name=None, files=None):
        self.family = family
        self.name = name or "talon-%s" % family
        self.work = tempfile.mkdtemp(prefix="talon-a11y-")
        self.dir = os.path.join(self.work, "app")
        os.makedirs(self.dir)
        copy_shipped_data(os.path.join(self.dir, "modules"))
        os.makedirs(os.path.join(self.dir, "modules", "macro"), exist_ok=True)
        # The program takes its data from beside its executable: a link of
        # its own keeps the build's data untouched and makes a single
        # instance of its own.
        exe = os.path.join(self.dir, "kestrel-talon")
        try:
            os.link(EXECUTABLE, exe)
        except OSError:
            shutil.copy2(EXECUTABLE, exe)
        settings = dict(FAMILY_560) if family == "560" else {}
        settings.update(config or {})
        if settings:
            write_ini_values(self.path("setting/apConfig.bin"), settings)
        for relative, values in (files or {}).items():
            write_ini_values(self.path(relative), values)
        self.exe = exe
        self.sim = family + ("," + sim if sim else "")
        self.extra_env = env or {}
        self.process = None
        self.logfile = os.path.join(self.work, "app.log")
        self.journalfile = os.path.join(self.work, "journal.txt")
        self.urlfile = os.path.join(self.work, "opened-urls")
        self._app = None

    # lifecycle

    def start(self):
        _wait_for_tray()
        runtime = os.path.join(self.work, "run")
        os.makedirs(runtime, mode=0o700)
        # Web addresses go to a stand-in browser that notes them.
        browser = os.path.join(self.work, "browser")
        with open(browser, "w") as f:
            f.write("#!/bin/sh\necho \"$@\" >> '%s'\n" % self.urlfile)
        os.chmod(browser, 0o755)
        env = dict(os.environ)
        env.update({
            "LD_PRELOAD": SIM_LIBRARY,
            "TALON_SIM": self.sim,
            "TALON_SIM_JOURNAL": self.journalfile,
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_QPA_PLATFORM": "xcb",
            "QT_LOGGING_RULES": "talon.*=true;qml=true",
            "QT_MESSAGE_PATTERN": "%{time process} %{message}",
            "XDG_RUNTIME_DIR": runtime,
            "XDG_DATA_HOME": os.path.join(self.work, "data"),
            "XDG_CONFIG_HOME": os.path.join(self.work, "config"),
            "GSETTINGS_BACKEND": "memory",
            "DEFAULT_BROWSER": browser,
        })
        env.update(self.extra_env)
        self.started = time.monotonic()
        with open(self.logfile, "w") as log:
            self.process = subprocess.Popen([self.exe], cwd=self.work, env=env, stdout=log,
                                            stderr=subprocess.STDOUT)
        return self

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def close(self):
        self.stop()
        shutil.rmtree(self.work, ignore_errors=True)

    def __enter__(self):
        return self.start()

    def __exit__(self, kind, value, tb):
        if kind is not None:
            self.report_failure()
        self.close()
        return False

    def alive(self):
        return self.process is not None and self.process.poll() is None

    @property
    def pid(self):
        return self.process.pid

    # files

    def path(self, relative):
        """A file of the private data tree ("setting/p1.bin")."""
        return os.path.join(self.dir, "modules", relative)

    def ini(self, relative):
        return read_ini(self.path(relative))

    def profile(self, number):
        """Profile file number (0-based) as {"group/key": text}."""
        return self.ini("setting/p%d.bin" % (number + 1))

    def default_profile(self):
        return self.ini("setting/pD.bin")

    def log(self):
        # A run closed by the test (a retried start) has taken its files along.
        try:
            with open(self.logfile, errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def wait_log(self, pattern, count=1, timeout=TIMEOUT):
        """Waits until the program's log holds `count` lines matching the
        regular expression; returns the matches."""
        regex = re.compile(pattern)

        def found():
            self.check_alive()
            hits = [l for l in self.log().splitlines() if regex.search(l)]
            return hits if len(hits) >= count else None
        return wait_until(found, "%d log line(s) matching %r" % (count, pattern), timeout)

    def check_alive(self):
        if not self.alive():
            raise FlowError("the program ended (status %s); log:\n%s"
                            % (self.process.returncode, self.log()))

    # the virtual mouse

    def journal(self, since=0):
        """The traffic the mouse saw so far (trace lines; "frame 01 02 00 00
        00 00 00 fd" are the deciphered command frames it took)."""
        if not os.path.exists(self.journalfile):
            return []
        with open(self.journalfile) as f:
            return f.read().splitlines()[since:]

    def mark(self):
        """A position in the journal; frames(since=mark) gives what came after."""
        return len(self.journal())

    def frames(self, since=0):
        """Command frames the mouse took, as lists of 8 byte values."""
        return [[int(b, 16) for b in line.split()[1:]]
                for line in self.journal(since) if line.startswith("frame ")]

    def wait_frames(self, wanted, since=0, timeout=TIMEOUT):
        """Waits until the frames since `since` contain, in order, frames
        starting with each byte list of `wanted`; returns all frames since."""
        def found():
            self.check_alive()
            got = self.frames(since)
            position = 0
            for frame in got:
                if position < len(wanted) and frame[:len(wanted[position])] == wanted[position]:
                    position += 1
            return got if position == len(wanted) else None
        try:
            return wait_until(found, "frames %s" % _hex_frames(wanted), timeout)
        except FlowError as e:
            raise FlowError("%s; the mouse got %s" % (e, _hex_frames(self.frames(since))))

    def quiet_frames(self, since, settle=1.5):
        """The frames since `since`, once the journal has not grown for
        `settle` seconds (the journal is written at each call into the mouse,
        at least twice a second while one is connected)."""
        last, size = time.monotonic(), self.mark()
        while time.monotonic() - last < settle:
            time.sleep(POLL)
            now = self.mark()
            if now != size:
                last, size = time.monotonic(), now
        return self.frames(since)

    def unplug(self):
        """Pulls the mouse out; returns once the program has noticed."""
        seen = len(re.findall("Device removed", self.log()))
        os.kill(self.pid, signal.SIGUSR2)
        self.wait_log("Device removed", seen + 1)

    def replug(self):
        """Plugs the mouse back in; the virtual mouse tells the program's
        device monitor, which checks for devices 2048 ms later."""
        os.kill(self.pid, signal.SIGUSR2)

    # the accessibility tree

    def app(self):
        """The program on the accessibility bus."""
        def find():
            self.check_alive()
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                child = desktop.getChildAtIndex(i)
                try:
                    if child is not None and child.name == APP_NAME and _pid(child) == self.pid:
                        return child
                except Exception:
                    continue
            return None
        if self._app is None:
            self._app = wait_until(find, "%s on the accessibility bus" % APP_NAME)
        return self._app

    def all(self, role=None, name=None, inside=None, showing=None):
        """Every node with that role ("push button", "dialog", "combo box",
        "list item", "menu item", ...) and name, optionally only inside the
        dialog or pane named `inside`, and only those showing (True), not
        showing (False) or either (None)."""
        app = self.app()
        app.clearCache()
        roots = [app]
        if inside is not None:
            roots = [n for n in _walk(app) if _role(n) in ("dialog", "panel") and _name(n) == inside]
        found = []
        for root in roots:
            for node in _walk(root):
                if node is root:
                    continue
                try:
                    if role is not None and _role(node) != role:
                        continue
                    if name is not None and not _name_matches(node, name):
                        continue
                    if showing is not None and self.showing(node) != showing:
                        continue
                except Exception:  # gone meanwhile, or the bus was slow: the next look decides
                    continue
                found.append(node)
        return found

    def find(self, role, name, inside=None, showing=True, timeout=TIMEOUT):
        """Waits for the one node with that role and name (see all())."""
        where = " in %r" % inside if inside else ""
        nodes = wait_until(lambda: self.all(role, name, inside, showing),
                           "%s %r%s%s" % (role, name, where, " showing" if showing else ""), timeout)
        if len(nodes) > 1:
            raise FlowError("%d nodes are %s %r%s" % (len(nodes), role, name, where))
        return nodes[0]

    def exists(self, role, name, inside=None, showing=True):
        return bool(self.all(role, name, inside, showing))

    @staticmethod
    def states(node):
        return {pyatspi.stateToString(s) for s in node.getState().getStates()}

    def showing(self, node):
        return "showing" in self.states(node)

    def sensitive(self, node):
        return "sensitive" in self.states(node)

    def press(self, node_or_role, name=None, inside=None):
        """Runs a control's "Press" action, as a screen reader does. Takes the
        node, or role and name to find it."""
        node = node_or_role if name is None else self.find(node_or_role, name, inside)
        _do_action(node, "press")
        return node

    def wait_showing(self, role, name, inside=None, timeout=TIMEOUT):
        return self.find(role, name, inside, showing=True, timeout=timeout)

    def wait_hidden(self, role, name, inside=None, timeout=TIMEOUT):
        wait_until(lambda: not self.exists(role, name, inside, showing=True),
                   "%s %r to be hidden" % (role, name), timeout)

    def busy(self):
        """True while the busy indicator shows: the program takes no input
        (the start-up, a reconnection, a transfer)."""
        return self.exists("label", BUSY)

    def wait_idle(self, timeout=TIMEOUT):
        wait_until(lambda: not self.busy(), "the busy indicator to go", timeout)

    def wait_state(self, node, state, present=True, timeout=TIMEOUT):
        wait_until(lambda: (state in self.states(node)) == present,
                   "%r %s state %s" % (node.name, "to have" if present else "to lose", state), timeout)

    @staticmethod
    def value(node):
        return node.queryValue().currentValue

    @staticmethod
    def set_value(node, value):
        node.queryValue().currentValue = value

    @staticmethod
    def text(node):
        t = node.queryText()
        return t.getText(0, -1)

    @staticmethod
    def entries(node):
        """The names of a combo box's entries (its children), in order."""
        return [node.getChildAtIndex(i).name for i in range(node.childCount)]

    @staticmethod
    def selected_child(node):
        """The name of a combo box's chosen entry."""
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if "selected" in {pyatspi.stateToString(s) for s in child.getState().getStates()}:
                return child.name
        return None

    def extents(self, node):
        """(x, y, width, height) of a node in the window's coordinates."""
        wx, wy, _, _ = _extents(self.window())
        x, y, w, h = _extents(node)
        return x - wx, y - wy, w, h

    def window(self):
        """The program's top-level window node (named by the window title)."""
        app = self.app()
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if _role(child) in ("filler", "frame", "window") and child.name and child.name != "Offscreen":
                return child
        raise FlowError("no window of the program on the bus")

    def notices(self):
        """The tray's notice balloons showing ("Detect Device", ...): other
        top-level windows of the program, by the texts they show."""
        app = self.app()
        app.clearCache()
        main = self.window()
        found = []
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            try:
                if child is None or child == main or _role(child) == "frame" or not self.showing(child):
                    continue
                found.append((child, [n.name for n in _walk(child) if _role(n) == "label" and n.name]))
            except Exception:  # closed meanwhile
                continue
        return found

    def dismiss_notices(self):
        """Closes the notice balloons (they would cover the window in
        screenshots), pressing their close buttons."""
        for balloon, _ in self.notices():
            for node in _walk(balloon):
                if _role(node) == "push button":
                    try:
                        _do_action(node, "press")
                    except Exception:  # closed meanwhile
                        pass
        wait_until(lambda: not self.notices(), "the notices to close")

    def window_showing(self):
        try:
            return self.showing(self.window())
        except FlowError:
            return False

    def dump(self):
        """The whole tree as text, for failure reports."""
        lines = []
        app = self.app()
        app.clearCache()

        def visit(node, depth):
            lines.append("%s%s %r %s" % ("  " * depth, _role(node), node.name,
                                          sorted(self.states(node) & {"showing", "sensitive", "selected", "checked"})))
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is not None:
                    visit(child, depth + 1)
        visit(app, 0)
        return "\n".join(lines)

    # the desktop

    def tray_icon(self):
        """(x, y, width, height) of the program's icon in the system tray
        (trayer), when it is there and mapped; else None."""
        self.check_alive()
        tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
        panel = re.search(r"^\s*(0x[0-9a-f]+) .*\(\"panel\" \"trayer\"\)", tree, re.M)
        if not panel:
            return None
        inside = subprocess.run(["xwininfo", "-tree", "-id", panel.group(1)], capture_output=True,
                                text=True).stdout
        icon = re.search(r"^\s*(0x[0-9a-f]+) .*\(\"%s\" " % APP_NAME, inside, re.M)
        if not icon:
            return None
        info = subprocess.run(["xwininfo", "-id", icon.group(1)], capture_output=True, text=True).stdout
        if "IsViewable" not in info:
            return None
        field = lambda label: int(re.search(label + r":\s*(-?\d+)", info).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))

    def click(self, x, y, button=1, repeat=1):
        """A click of the pointer at screen position x, y (xdotool)."""
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", str(repeat),
                        "--delay", "80", str(button)], check=True)

    def click_node(self, node, button=1):
        """A click of the pointer in the middle of a control, as a person
        makes it; returns at once, while the program may still be at work."""
        x, y, w, h = _extents(node)
        self.click(x + w // 2, y + h // 2, button)

    def opened_urls(self):
        """What the program asked the desktop to open (a stand-in browser
        records it)."""
        if not os.path.exists(self.urlfile):
            return []
        with open(self.urlfile) as f:
            return f.read().split()

    # pictures

    def screenshot(self, name, settle=0.3):
        """Writes SHOTS/name.png: the program's window as the screen shows it.
        Returns the path."""
        self.dismiss_notices()
        time.sleep(settle)  # let the last frame reach the screen
        shot = self.start_screenshot(name)
        if shot.wait() != 0:
            raise subprocess.CalledProcessError(shot.returncode, shot.args)
        return os.path.join(SHOTS, name + ".png")

    def start_screenshot(self, name):
        """Starts taking SHOTS/name.png at once and returns the running
        process: for a moment that passes while the test goes on."""
        os.makedirs(SHOTS, exist_ok=True)
        path = os.path.join(SHOTS, name + ".png")
        crop = []
        try:
            x, y, w, h = _extents(self.window())
            if w > 0 and h > 0:
                crop = ["-crop", "%dx%d+%d+%d" % (w, h, max(0, x), max(0, y)), "+repage"]
        except Exception:
            pass
        return subprocess.Popen(["import", "-window", "root"] + crop + [path])

    def report_failure(self):
        sys.stderr.write("---- program log ----\n%s\n" % self.log())
        sys.stderr.write("---- mouse journal (last 40) ----\n%s\n" % "\n".join(self.journal()[-40:]))
        try:
            sys.stderr.write("---- accessibility tree ----\n%s\n" % self.dump())
            os.makedirs(SHOTS, exist_ok=True)
            path = os.path.join(SHOTS, "failure-%s.png" % self.name)
            subprocess.run(["import", "-window", "root", path], check=False)
            sys.stderr.write("screenshot: %s\n" % path)
        except Exception as e:  # the program may be gone
            sys.stderr.write("(no tree: %s)\n" % e)


def _walk(node):
    """The node and its descendants; nodes that vanish meanwhile are left out."""
    stack = [node]
    while stack:
        current = stack.pop()
        yield current
        try:
            children = [current.getChildAtIndex(i) for i in range(current.childCount)]
        except Exception:
            continue
        stack.extend(c for c in reversed(children) if c is not None)


def _role(node):
    try:
        return node.getRoleName()
    except Exception:  # gone from the bus
        return None


def _name(node):
    try:
        return node.name
    except Exception:  # gone from the bus
        return None


def _name_matches(node, name):
    return name.match(node.name) if hasattr(name, "match") else node.name == name


def _pid(app):
    try:
        return app.get_process_id()
    except Exception:
        return None


def _extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def _do_action(node, action_name):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() == action_name:
            try:
                done = actions.doAction(i)
            except Exception as e:
                # The bus gives up on a reply after 800 ms; an action that
                # talks to the mouse (a profile switch) takes longer, and is
                # done all the same once the program answers again, as a
                # screen reader finds it.
                if "Did not receive a reply" not in str(e):
                    raise
                wait_until(lambda: _answers(node), "the program to answer after %s" % action_name)
                return
            if not done:
                raise FlowError("%r refused %s" % (node.name, action_name))
            return
    raise FlowError("%r has no %s action" % (node.name, action_name))


def _answers(node):
    try:
        node.getState()
        return True
    except Exception:
        return False


def _hex_frames(frames):
    return "[" + ", ".join(" ".join("%02x" % b for b in f) for f in frames) + "]"


class FlowCase(unittest.TestCase):
    """A flow test: self.talon(...) starts the program (stopped after the
    test; on failure its log, the mouse's journal, the tree and a screenshot
    go to stderr)."""

    def setUp(self):
        self._runs = []

    def _failed(self):
        result = getattr(self._outcome, "result", None)
        return result is not None and any(test is self for test, _ in result.errors + result.failures)

    def tearDown(self):
        failed = self._failed()
        for run in self._runs:
            if failed:
                run.report_failure()
            run.close()

    def talon(self, family="553", **options):
        run = Talon(family, name="%s-%s" % (self._testMethodName, family), **options)
        self._runs.append(run)
        return run.start()

    def connected(self, family="553", **options):
        """A started program whose first start-up has ended: the whole
        interface shows and takes input."""
        run = self.talon(family, **options)
        run.wait_log("profileNo")
        run.wait_showing("push button", "Save")
        run.wait_idle()
        return run


def main():
    # warnings=False: keep the filters set above (pyatspi warns of its own deprecations)
    unittest.main(verbosity=2, warnings=False)
