# SPDX-License-Identifier: GPL-2.0-or-later
"""Profiles that follow the application in front: windows of two classes are
activated in turn on the private X server (the root window's
_NET_ACTIVE_WINDOW set as a window manager sets it), and the mouse gets the
bound profile and, after, the profile chosen by hand, exactly as a choice in
the title-bar list sends it; the rules are edited on the profile page and
with talonctl while the program runs."""

import os
import subprocess
import time

from talon_a11y import BUILD, SHOTS, FlowCase, Talon, main, read_ini, wait_until

TALONCTL = os.path.join(BUILD, "bin", "talonctl")
WINDOWS = os.path.join(BUILD, "bin", "talon-test-windows")

# Profile 2 (file p3.bin) differs from profile 0 in every part the mouse gets.
PROFILE_2 = {
    "mouse/reportRate": "1",                       # 250 Hz: frame 01 04
    "mouse/lightValue": "1, 2, 3",                  # breathing
    "mouse/dpiValueArray": "400, 800, 1200, 2400, 3200, 4000, 5000, 6000",
    "mouseKeyMatrix/2": "1, 0, 242, 0",             # button 3: middle click
}


class Desktop:
    """Windows of given classes, and the window in front."""

    def __init__(self):
        self.process = subprocess.Popen([WINDOWS], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True)

    def ask(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()
        return self.process.stdout.readline().strip()

    def window(self, instance, window_class):
        return int(self.ask("window %s %s" % (instance, window_class)))

    def activate(self, *windows):
        self.ask("activate " + " ".join(str(w) for w in windows))

    def close(self):
        self.process.stdin.close()
        self.process.wait(10)


def write_values(path, values):
    """Sets keys of an INI file ("group/key": raw text)."""
    groups, order = {}, []
    group = None
    with open(path) as f:
        for line in f.read().splitlines():
            if line.startswith("["):
                group = line[1:-1]
                order.append(group)
                groups[group] = []
            elif group is not None and "=" in line:
                groups[group].append(line.split("=", 1))
    for key, value in values.items():
        g, k = key.split("/", 1)
        if g not in groups:
            order.append(g)
            groups[g] = []
        entries = [e for e in groups[g] if e[0] != k]
        groups[g] = entries + [[k, value]]
    with open(path, "w") as f:
        for g in order:
            f.write("[%s]\n" % g)
            for k, v in groups[g]:
                f.write("%s=%s\n" % (k, v))
            f.write("\n")


class AppFollow(FlowCase):

    def setUp(self):
        super().setUp()
        self.desk = Desktop()
        self.game = self.desk.window("steam_app_730", "steam_app_730")
        self.browser = self.desk.window("Navigator", "Firefox")
        self.terminal = self.desk.window("xterm", "XTerm")
        self.desk.activate(self.terminal)

    def tearDown(self):
        super().tearDown()
        self.desk.close()

    def start(self, rules="[apps]\nsteam_app_730=2\n"):
        run = Talon("553", name=self._testMethodName)
        self._runs.append(run)
        write_values(run.path("setting/p3.bin"), PROFILE_2)
        # Rows for profiles 0, 1 and 2, so that the title-bar list offers them.
        write_values(run.path("setting/name.bin"), {"profile/profileName": "Standard0, profile_11, profile_22"})
        with open(run.path("setting/appProfile.bin"), "w") as f:
            f.write(rules)
        run.start()
        run.wait_log("profileNo")
        run.wait_showing("push button", "Save")
        run.wait_idle()
        return run

    def profile_no(self, run):
        return run.ini("setting/apConfig.bin").get("mouse/profileNo")

    def switched_to(self, run, number, since):
        """Waits for the switch: the report rate of the profile, then the
        stored number; returns the frames once the traffic settled."""
        rate = {"0": 0x08, "1": 0x04, "2": 0x02, "3": 0x01}[run.profile(number)["mouse/reportRate"]]
        run.wait_frames([[0x01, rate]], since=since)
        wait_until(lambda: self.profile_no(run) == str(number), "mouse/profileNo=%d" % number)
        return run.quiet_frames(since)

    def own_window(self, run):
        # Any window of ours counts as our own.
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(run.pid)],
                             capture_output=True, text=True).stdout.split()
        return int(out[0])

    def tray_menu_shot(self, run, name):
        """The tray icon's menu, opened with a right click, as the screen shows it."""
        icon = wait_until(run.tray_icon, "the icon in the tray")
        subprocess.run(["xdotool", "mousemove", str(icon[0] + icon[2] // 2), str(icon[1] + icon[3] // 2),
                        "click", "3"], check=True)
        time.sleep(1.0)
        os.makedirs(SHOTS, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name + ".png")], check=True)
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        time.sleep(0.3)

    def test_the_bound_profile_and_back(self):
        run = self.start()
        start = run.mark()
        self.desk.activate(self.game)
        by_focus = self.switched_to(run, 2, start)
        # Everything the profile holds reaches the mouse: buttons, report
        # rate, DPI table, lighting.
        codes = [f[0] for f in by_focus]
        for code in (0x12, 0x01, 0x11, 0x0D):
            self.assertIn(code, codes, "command %02x after the switch" % code)
        self.assertIn([0x01, 0x04], [f[:2] for f in by_focus])

        start = run.mark()
        self.desk.activate(self.browser)
        back = self.switched_to(run, 0, start)
        self.assertIn([0x01, 0x01], [f[:2] for f in back])

        # The same profile chosen in the title-bar list sends the same.
        start = run.mark()
        # The title-bar list's entry, not the profile dialog's row.
        entries = [n for n in run.all("list item", "profile_2")
                   if n.parent.getRoleName() == "combo box" and n.parent.name == "Profile"]
        run.press(entries[0])
        by_hand = self.switched_to(run, 2, start)
        self.assertEqual(by_hand, by_focus)

    def test_ten_changes_within_half_a_second_give_one_switch(self):
        run = self.start()
        start = run.mark()
        # One write after the other, as fast as the server takes them.
        self.desk.activate(*([self.browser, self.game] * 5))
        frames = self.switched_to(run, 2, start)
        self.assertEqual([f[:2] for f in frames if f[0] == 0x01], [[0x01, 0x04]])
        self.tray_menu_shot(run, "tray-menu-chosen-by-application")

    def test_no_switch_while_the_macro_editor_records_or_is_open(self):
        run = self.start()
        run.press("push button", "Macro Editor")
        run.wait_showing("dialog", "Macro Editor")
        run.press("push button", "New", inside="Macro Editor")
        run.wait_state(run.find("list item", "Macro_0", inside="Macro Editor"), "selected")
        run.press("push button", "Record", inside="Macro Editor")
        start = run.mark()
        self.desk.activate(self.game)
        self.assertEqual(run.quiet_frames(start, settle=2.0), [])
        self.assertEqual(self.profile_no(run), "0")
        # Recording ends, the editor stays open: still no switch, or its
        # edits would land in the other profile. It closes: the switch follows.
        run.press("push button", "Record", inside="Macro Editor")
        self.assertEqual(run.quiet_frames(start, settle=2.0), [])
        run.press("push button", "Close", inside="Macro Editor")
        self.switched_to(run, 2, start)

    def test_a_rule_added_with_talonctl_applies_at_once(self):
        run = self.start(rules="")
        self.desk.activate(self.game)
        start = run.mark()
        self.assertEqual(run.quiet_frames(start, settle=1.5), [])
        done = subprocess.run([TALONCTL, "app-profile", "add", "Steam_App_730", "3",
                               "--config", run.path("setting/apConfig.bin")],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(read_ini(run.path("setting/appProfile.bin")), {"apps/steam_app_730": "2"})
        self.switched_to(run, 2, start)

    def test_the_profile_page(self):
        run = self.start(rules="[apps]\nsteam_app_730=2\nvlc=0\n")
        # The browser was in front just before our window.
        self.desk.activate(self.browser)
        run.wait_log(r'class "Firefox"')
        self.desk.activate(self.own_window(run))
        run.press("push button", "Config")
        run.wait_showing("dialog", "config")
        badges = run.all("push button", "Applications", inside="config", showing=True)
        self.assertEqual([b.description for b in badges], ["vlc", "none", "steam_app_730"])
        run.screenshot("profile-rows-with-applications")

        run.press(badges[0])
        page = "Applications of Standard"
        run.wait_showing("panel", page)
        run.screenshot("profile-applications-page")
        run.press("push button", "Add firefox", inside=page)
        wait_until(lambda: read_ini(run.path("setting/appProfile.bin")).get("apps/firefox") == "0",
                   "firefox bound to profile 0")
        run.find("list item", "firefox", inside=page)
        run.screenshot("profile-applications-added")
        remove = [n for n in run.all("push button", "Remove", inside=page, showing=True)
                  if n.description == "vlc"]
        run.press(remove[0])
        wait_until(lambda: "apps/vlc" not in read_ini(run.path("setting/appProfile.bin")), "vlc removed")
        run.press("push button", "Back", inside=page)
        run.wait_hidden("panel", page)


if __name__ == "__main__":
    main()
