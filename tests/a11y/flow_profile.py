# SPDX-License-Identifier: GPL-2.0-or-later
"""Profiles: a new profile in the configuration dialog, then chosen in the
title-bar list: the program stores its number and sends the mouse the new
profile's settings. Rows address their profile files by number, also after a
row in the middle has gone."""

import os
import re

import keys
from talon_a11y import FlowCase, main, wait_until

DIALOG = "config"


class Profiles(FlowCase):

    def open_dialog(self, run):
        run.press("push button", "Config")
        return run.wait_showing("dialog", DIALOG)

    def title_entry(self, run, name):
        """An entry of the title-bar profile list (the dialog's rows have the
        same names)."""
        combo = run.find("combo box", "Profile")
        return wait_until(lambda: next((n for n in run.all("list item", name, showing=None)
                                        if n.parent == combo), None), "title-bar entry %r" % name)

    def names(self, run):
        return run.ini("setting/name.bin").get("profile/profileName", "").replace(" ", "")

    def new_then_switch(self, run, shot, report_rate_frame):
        self.open_dialog(run)
        run.press("push button", "New", inside=DIALOG)
        run.find("list item", "profile_0", inside=DIALOG)
        wait_until(lambda: self.names(run) == "Standard0,profile_01", "the name list stored")
        run.screenshot(shot)
        run.press("push button", "Close", inside=DIALOG)
        run.wait_hidden("dialog", DIALOG)

        title_list = run.find("combo box", "Profile")
        run.press(title_list)
        run.wait_showing("list item", "profile_0")
        run.screenshot(shot + "-title-list")
        start = run.mark()
        run.press(self.title_entry(run, "profile_0"))
        run.wait_frames([report_rate_frame], since=start)
        run.wait_idle()
        wait_until(lambda: run.ini("setting/apConfig.bin").get("mouse/profileNo") == "1", "profileNo stored")
        self.assertEqual(run.selected_child(title_list), "profile_0")
        return start

    def test_553_new_and_switch(self):
        run = self.connected("553")
        start = self.new_then_switch(run, "profile-dialog-553", [0x01, 0x01, 0, 0, 0, 0, 0])
        # Report rate, DPI stages, lighting effect, in the panels' order.
        run.wait_frames([[0x01, 0x01], [0x11], [0x0D]], since=start)
        # The button list sends its key matrix first, where it is built.
        if run.exists("list item", "Key 1", showing=None) or run.exists("push button", "Key 1", showing=None):
            run.wait_frames([[0x12], [0x01, 0x01]], since=start)

    def test_560_new_and_switch(self):
        run = self.connected("560", config={"mouse/isColorful": "true", "mouse/isGun": "true"})
        start = self.new_then_switch(run, "profile-dialog-560", [0x03, 0x01, 0x01])
        # Report rate, then DPI and lighting in the on-device profile blocks;
        # with the gun feature the first key matrix and the firmware's own
        # matrices go out after the panels.
        run.wait_frames([[0x03, 0x01, 0x01], [0x0C, 0x01], [0x02, 0x01], [0x0D]], since=start)

    def test_middle_row_deleted(self):
        run = self.connected("553")
        self.open_dialog(run)
        for _ in range(3):
            run.press("push button", "New", inside=DIALOG)
        wait_until(lambda: self.names(run) == "Standard0,profile_01,profile_12,profile_23", "three new rows")

        # Delete profile_0 (row 1, file 1) from its menu, opened with the Menu key.
        uses = run.all("push button", "Use", inside=DIALOG)
        run.press(uses[1])  # switch to it, then back: the row in use cannot go
        wait_until(lambda: run.ini("setting/apConfig.bin").get("mouse/profileNo") == "1", "switched to 1")
        run.wait_idle()
        run.press(uses[0])
        wait_until(lambda: run.ini("setting/apConfig.bin").get("mouse/profileNo") == "0", "switched to 0")
        run.wait_idle()
        run.press(run.all("push button", "Delete", inside=DIALOG)[1])
        wait_until(lambda: self.names(run) == "Standard0,profile_12,profile_23", "the middle row deleted")
        run.screenshot("profile-after-middle-delete")

        # profile_1 is row 1 now but file 2. The title bar lies behind the
        # dialog and takes no press until the dialog is closed.
        run.press("push button", "Close", inside=DIALOG)
        run.wait_hidden("dialog", DIALOG)
        run.press(self.title_entry(run, "profile_1"))
        wait_until(lambda: run.ini("setting/apConfig.bin").get("mouse/profileNo") == "2", "switched to file 2")
        run.wait_idle()
        self.open_dialog(run)
        self.assertEqual(run.selected_child(run.find("combo box", "Profile")), "profile_1")
        self.assertIn("selected", run.states(run.find("list item", "profile_1", inside=DIALOG)))
        # The row in use (row 1) cannot go; the row after it (row 2, file 3)
        # can, though its place is the number in use.
        delete_buttons = run.all("push button", "Delete", inside=DIALOG)
        run.press(delete_buttons[1])
        run.find("label", "The first profile and the one in use cannot be deleted", inside=DIALOG)
        self.assertEqual(self.names(run), "Standard0,profile_12,profile_23")
        # Row 2 goes from its menu, opened with the Menu key on the row.
        row = run.find("list item", "profile_2", inside=DIALOG)
        keys.focus(run, row)
        keys.press_keys(run, "Menu")
        menu = run.wait_showing("popup menu", "profile_2")
        self.assertEqual([n.name for n in run.all("menu item", inside=None, showing=True)], ["Delete", "Export"])
        run.screenshot("profile-row-menu")
        run.press("menu item", "Delete")
        wait_until(lambda: self.names(run) == "Standard0,profile_12", "row 2 deleted")
        self.assertFalse(run.showing(menu))


    def setting_files(self, run):
        folder = run.path("setting")
        return {name: open(os.path.join(folder, name), "rb").read() for name in sorted(os.listdir(folder))}

    def test_six_rows_set_aside_rows_and_an_import_that_asks(self):
        run = self.connected("553", files={"setting/name.bin": {
            "profile/profileName": "Standard0, a1, b2, c3, d4, e5, far7, dup0"}})
        shipped_file_of_far = open(run.path("setting/p8.bin"), "rb").read()
        self.open_dialog(run)
        # What could not be shown is said, and its profile file stays.
        run.find("label", re.compile(r".*: far \(7\), dup \(0\)$"), inside=DIALOG)
        self.assertEqual(open(run.path("setting/p8.bin"), "rb").read(), shipped_file_of_far)

        # A screen reader's press on a row picks it, as a click does; it does
        # not switch to it.
        start = run.mark()
        run.press(run.find("list item", "b", inside=DIALOG))
        before = self.setting_files(run)
        run.press("push button", "Import", inside=DIALOG)
        asked = run.wait_showing("dialog", "Import")
        run.find("label", re.compile(r'.* replaces “b”'), inside="Import")
        run.screenshot("profile-import-over-a-row")
        run.press("push button", "Cancel", inside="Import")
        run.wait_hidden("dialog", "Import")
        self.assertFalse(run.showing(asked))
        self.assertEqual(run.quiet_frames(start), [])
        self.assertEqual(self.setting_files(run), before)
        self.assertEqual(run.ini("setting/apConfig.bin").get("mouse/profileNo"), "0")


if __name__ == "__main__":
    main()
