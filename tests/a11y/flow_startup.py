"""Start-up: the logo for the first protection period, during which presses
do nothing, then the whole interface; a reconnection shows no logo."""

from talon_a11y import FlowCase, main, wait_until


class Startup(FlowCase):

    def first_start_then_reconnection(self, family):
        run = self.talon(family)
        logo = run.find("image", "Logo")
        # While the logo shows, the interface takes no input: a press on the
        # help button (in the tree, not on screen yet) opens nothing.
        self.assertFalse(run.exists("push button", "Save"))
        help_button = run.find("push button", "Help", showing=None)
        run.press(help_button)
        self.assertTrue(run.showing(logo), "the press came after the logo had gone: too slow a machine")
        self.assertFalse(run.exists("popup menu", "Help"))
        if family == "553":
            run.screenshot("startup-logo")

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
