# SPDX-License-Identifier: GPL-2.0-or-later
"""Start-up: the logo for the first protection period, during which presses
do nothing, then the whole interface; a reconnection shows no logo."""

from talon_a11y import FlowCase, main, wait_until


class Startup(FlowCase):

    def press_during_logo(self, family):
        """A run whose press on the help button (in the tree, not on screen
        yet) came while the logo showed. On a busy machine the second may be
        over before the press: the run is then started again."""
        for _ in range(3):
            run = self.talon(family)
            logo = run.find("image", "Logo")
            # Taken while the test goes on: the logo lasts one second only.
            shot = run.start_screenshot("startup-logo") if family == "553" else None
            self.assertFalse(run.exists("push button", "Save"))
            run.press(run.find("push button", "Help", showing=None))
            if shot:
                shot.wait()
            # Still there after the press and the picture: both came in time.
            if run.showing(logo):
                return run, logo
            run.close()
        self.fail("the logo had always gone before the press came")

    def first_start_then_reconnection(self, family):
        run, logo = self.press_during_logo(family)
        # While the logo shows, the interface takes no input: the press
        # opened nothing.
        self.assertFalse(run.exists("popup menu", "Help"))

        save = run.wait_showing("push button", "Save")
        run.wait_idle()
        self.assertFalse(run.showing(logo))
        self.assertFalse(run.exists("popup menu", "Help"))
        for role, name in [("push button", "Config"), ("push button", "Reset"), ("combo box", "Report Rate"),
                           ("combo box", "Profile"), ("push button", "Minimize"), ("push button", "Close"),
                           ("push button", "System setting"), ("push button", "Macro Editor")]:
            run.find(role, name)
        if family == "553":
            run.screenshot("main-screen")

        # Unplugged and plugged in again: the interface is protected for a
        # while again, but the logo stays away.
        run.unplug()
        run.replug()

        def second_start_over():
            self.assertFalse(run.showing(logo))
            return "initUI" in run.log().split("Device Connect")[-1] and not run.busy()
        run.wait_log("Device Connect", 2)
        wait_until(second_start_over, "the second start-up to end")
        self.assertTrue(run.showing(save))
        self.assertEqual(len(run.wait_log("profileNo")), 1, "the start-up ran its first-time part again")

    def test_553(self):
        self.first_start_then_reconnection("553")

    def test_560(self):
        self.first_start_then_reconnection("560")


if __name__ == "__main__":
    main()
