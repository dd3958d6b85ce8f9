# SPDX-License-Identifier: GPL-2.0-or-later
"""System settings: the sliders' steps reach the desktop's pointer settings
(GNOME's, on GIO's memory back end: the program reads each value back and
logs it), the positions and the scroll choice are stored in the current
profile, and the panel says where the desktop takes no such setting."""

from talon_a11y import FlowCase, main, wait_until

DIALOG = "System Setting"


class SystemSetting(FlowCase):

    def settings(self, family, config=None):
        run = self.connected(family, config=config)
        run.press("push button", "System setting")
        run.wait_showing("dialog", DIALOG)
        return run

    def check(self, run, shot):
        # GNOME has no lines-per-notch setting: said before anything is sent.
        run.find("label", "Scroll Speed: Not applied on this desktop", inside=DIALOG)
        self.assertFalse(run.exists("label", "Mouse Speed: Not applied on this desktop"))
        run.screenshot(shot)

        speed = run.find("slider", "Mouse Speed", inside=DIALOG)
        run.set_value(speed, 0)
        # Step 0 is speed 1 of 20: GNOME's -0.9.
        run.wait_log(r"speed -0\.9$")
        run.set_value(speed, run.value(speed) + 1000)  # held at the right end
        run.wait_log(r"speed 1$")
        self.assertEqual(speed.description, "10")

        double = run.find("slider", "Double Click Speed", inside=DIALOG)
        run.set_value(double, 0)
        run.wait_log(r"double-click 900$")
        wait_until(lambda: run.profile(0).get("mouse/doubleRate") == "3", "the double-click position stored")
        self.assertEqual(run.profile(0)["mouse/mouseRate"], "337")

        run.press("radio button", "Scroll one Screen", inside=DIALOG)
        wait_until(lambda: run.profile(0).get("mouse/scrollRate") == "1000", "one screen stored")
        run.wait_log("setVerticalScrollLines Failed")
        self.assertIn("checked", run.states(run.find("radio button", "Scroll one Screen", inside=DIALOG)))
        self.assertNotIn("checked", run.states(run.find("radio button", "Number of Rows", inside=DIALOG)))
        # Nothing of this goes to the mouse.
        self.assertFalse([f for f in run.frames() if f[0] in (0x71, 0x20, 0x69)])

        run.press("push button", "Close", inside=DIALOG)
        run.wait_hidden("dialog", DIALOG)

    def test_553(self):
        self.check(self.settings("553"), "system-setting-553")

    def test_560_colourful_gun(self):
        self.check(self.settings("560", {"mouse/isColorful": "true", "mouse/isGun": "true"}),
                   "system-setting-560")

    def test_restore_defaults_sends_everything(self):
        run = self.settings("553")
        speed = run.find("slider", "Mouse Speed", inside=DIALOG)
        run.set_value(speed, 0)
        run.wait_log(r"speed -0\.9$")
        run.press("push button", "Restore defaults", inside=DIALOG)
        # The shipped default profile: both sliders at 170, step 5.
        run.wait_log(r"speed 0$")
        run.wait_log(r"double-click 550$", count=1)
        wait_until(lambda: run.profile(0).get("mouse/mouseRate") == "170", "the default position stored")
        self.assertEqual(run.profile(0)["mouse/scrollRate"], "3")


if __name__ == "__main__":
    main()
