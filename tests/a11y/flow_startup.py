# SPDX-License-Identifier: GPL-2.0-or-later
"""Start-up: the logo for the first protection period, during which presses
do nothing, then the whole interface; a reconnection shows no logo."""

import filecmp
import os
import shutil
import tempfile

import talon_a11y
from talon_a11y import FlowCase, copy_shipped_data, main, wait_until, write_ini_values


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

    def test_flows_start_from_the_shipped_data(self):
        # A run from the build tree writes into the build's data (a macro
        # recorded, a profile chosen): a flow's copy holds none of it.
        work = tempfile.mkdtemp(prefix="talon-left-")
        self.addCleanup(shutil.rmtree, work, True)
        left = os.path.join(work, "modules")
        shutil.copytree(talon_a11y.MODULES, left)
        write_ini_values(os.path.join(left, "setting", "name.bin"), {"macro/macroName": "Macro_0"})
        write_ini_values(os.path.join(left, "setting", "apConfig.bin"), {"mouse/profileNo": "3"})
        with open(os.path.join(left, "macro", "Macro_0.bin"), "w") as f:
            f.write("[macro]\n")
        built, talon_a11y.MODULES = talon_a11y.MODULES, left
        try:
            copy_shipped_data(os.path.join(work, "copy"))
        finally:
            talon_a11y.MODULES = built
        copy = os.path.join(work, "copy")
        self.assertEqual(filecmp.dircmp(os.path.join(talon_a11y.SOURCE_MODULES, "setting"),
                                        os.path.join(copy, "setting")).diff_files, [])
        self.assertFalse(os.path.exists(os.path.join(copy, "macro", "Macro_0.bin")))
        self.assertTrue(os.path.exists(os.path.join(copy, "img", "logo.ico")))


if __name__ == "__main__":
    main()
