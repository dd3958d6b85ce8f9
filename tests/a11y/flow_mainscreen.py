# SPDX-License-Identifier: GPL-2.0-or-later
"""The main screen while the mouse is busy and while a dialog is open: a
screen reader's press that arrives during a Save starts nothing, and a
profile chosen in the tray waits for the open dialog and follows when it
closes."""

import re
import subprocess

from talon_a11y import FlowCase, main, wait_until

NAMES = {"setting/name.bin": {"profile/profileName": "Standard0, Work1"}}


class MainScreen(FlowCase):

    @staticmethod
    def windows(run):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(run.pid)],
                              capture_output=True, text=True).stdout.split()

    def test_a_press_during_a_save_starts_nothing(self):
        run = self.connected("553")
        # Changes on two panels make a Save of several transfers.
        run.set_value(run.find("slider", "Stage 2", inside="DPI"), 3200)
        run.press(run.find("list item", "Neon", showing=None))
        # The press is one call on the bus, ready before the Save starts: the
        # program answers calls only between the Save's transfers.
        actions = run.find("push button", "Key 3", inside="Key Setting").queryAction()
        press = next(i for i in range(actions.nActions) if actions.getName(i).lower() == "press")
        start = run.mark()
        run.click_node(run.find("push button", "Save"))
        actions.doAction(press)
        self.assertLess([f[0] for f in run.frames(start)].count(0x10), 2, "the press came after the Save")
        run.wait_frames([[0x11], [0x0D], [0x10], [0x10]], since=start)
        run.wait_idle()
        self.assertFalse(run.exists("dialog", re.compile(r"^Key 3 : ")), "a dialog opened during the Save")
        self.assertNotIn("cmd Failed", run.log())
        self.assertEqual([f[0] for f in run.quiet_frames(start)].count(0x11), 1)

    def test_a_tray_choice_waits_for_the_open_dialog(self):
        run = self.connected("553", files=NAMES)
        run.press("push button", "System setting")
        run.wait_showing("dialog", "System Setting")
        icon = wait_until(run.tray_icon, "the icon in the tray")
        shown = set(self.windows(run))
        run.click(icon[0] + icon[2] // 2, icon[1] + icon[3] // 2, button=3)
        start = run.mark()
        # The tray's menu is not on the bus: the keys choose its entry (Show,
        # Standard, Work).
        wait_until(lambda: set(self.windows(run)) - shown, "the tray's menu")
        subprocess.run(["xdotool", "key", "--delay", "100", "Down", "Down", "Down", "Return"], check=True)
        self.assertEqual(run.quiet_frames(start, settle=2.0), [])
        self.assertEqual(run.ini("setting/apConfig.bin").get("mouse/profileNo"), "0")

        run.press("push button", "Close", inside="System Setting")
        run.wait_frames([[0x12], [0x01]], since=start)
        wait_until(lambda: run.ini("setting/apConfig.bin").get("mouse/profileNo") == "1", "profile 1 in use")
        run.wait_idle()
        self.assertEqual(run.selected_child(run.find("combo box", "Profile")), "Work")
        run.screenshot("main-after-profile-switch")


if __name__ == "__main__":
    main()
