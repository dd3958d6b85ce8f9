# SPDX-License-Identifier: GPL-2.0-or-later
"""Reset: the confirmation; OK makes the current profile the default one and
sends it to the mouse, Cancel sends and changes nothing."""

from talon_a11y import FlowCase, main, wait_until


class Reset(FlowCase):

    def change_report_rate(self, run):
        # A setting that differs from the default profile, so that the reset
        # has something to undo.
        start = run.mark()
        run.press(run.find("list item", "250Hz", showing=None))
        run.wait_frames([[0x01, 0x04] if run.family == "553" else [0x03, 0x01, 0x04]], since=start)
        # The settings reach the file when the program is back in its event
        # loop, which may be after the mouse got the frame.
        wait_until(lambda: run.profile(0) != run.default_profile(), "the change in the profile file")

    def open_confirmation(self, run):
        run.press("push button", "Reset")
        return run.wait_showing("dialog", "Reset")

    def confirm(self, run, expected_frames):
        self.change_report_rate(run)
        self.open_confirmation(run)
        start = run.mark()
        run.press("push button", "OK", inside="Reset")
        run.wait_hidden("dialog", "Reset")
        run.wait_frames(expected_frames, since=start)
        run.wait_idle()
        wait_until(lambda: run.profile(0) == run.default_profile(), "the default profile in the file")
        self.assertEqual(run.selected_child(run.find("combo box", "Report Rate")), "1000Hz")

    def test_ok_553(self):
        run = self.connected("553")
        # Report rate 1000 Hz from the default profile, then DPI stage 3.
        self.confirm(run, [[0x01, 0x01, 0, 0, 0, 0, 0], [0x0B, 0x03, 0, 0, 0, 0, 0]])

    def test_ok_560_with_gun_feature(self):
        run = self.connected("560", config={"mouse/isGun": "true"})
        # Report rate, back to the first key matrix and the firmware's own
        # matrices, then DPI stage 3.
        self.confirm(run, [[0x03, 0x01, 0x01], [0x02, 0x01], [0x0D], [0x04, 0x01, 0x03]])

    def test_ok_553_gun_entries_before_the_key_matrix(self):
        # The key matrix carries the guns' fire periods: it goes out after the
        # guns got their factory entries, not before with the old ones.
        run = self.connected("553", config={"mouse/isGun": "true"})
        self.confirm(run, [[0x04], [0x04], [0x04], [0x12], [0x0B, 0x03]])

    def test_cancel_and_close_change_nothing(self):
        run = self.connected("553")
        self.change_report_rate(run)
        before = run.profile(0)
        dialog = self.open_confirmation(run)
        # Centred in the 1024 x 640 window, 427 x 102.
        self.assertEqual(run.extents(dialog), (299, 269, 427, 102))
        self.assertTrue(run.showing(run.find("push button", "Cancel", inside="Reset")))
        run.screenshot("reset-confirmation")
        start = run.mark()
        run.press("push button", "Cancel", inside="Reset")
        run.wait_hidden("dialog", "Reset")
        self.open_confirmation(run)
        run.press("push button", "Close", inside="Reset")
        run.wait_hidden("dialog", "Reset")
        self.assertEqual(run.quiet_frames(start), [])
        self.assertEqual(run.profile(0), before)


if __name__ == "__main__":
    main()
