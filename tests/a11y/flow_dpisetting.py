# SPDX-License-Identifier: GPL-2.0-or-later
"""DPI panel: a stage's value and the stage count are changed through the
screen reader's slider and list; Save sends them (553: the stage table
command; 560: the stage bytes of the profile blocks) and stores them. The
mouse's own DPI button moves the current-stage mark."""

import os
import signal

from datablocks import wait_blocks
from talon_a11y import FlowCase, main, wait_until

# The shipped profile's stages with stage 2 moved to 3200, as the 3360
# sensor takes them: DPI / 100 - 1.
STAGE_BYTES = [4, 31, 14, 19, 29, 39, 49, 59]


class DpiSetting(FlowCase):

    def change_stages(self, run):
        stage = run.find("slider", "Stage 2", inside="DPI")
        self.assertEqual(run.value(stage), 1000)
        # Set from outside: the slider moves there and shows the step below.
        run.set_value(stage, 3210)
        wait_until(lambda: run.value(stage) == 3200, "stage 2 at 3200")
        self.assertFalse(run.showing(run.find("slider", "Stage 6", inside="DPI", showing=None)))
        run.press(run.find("list item", "6", inside="DPI", showing=None))
        run.wait_showing("slider", "Stage 6", inside="DPI")
        self.assertEqual(run.selected_child(run.find("combo box", "DPI stages")), "6")

    def save(self, run):
        start = run.mark()
        run.press("push button", "Save")
        return start

    def check_stored(self, run):
        wait_until(lambda: run.profile(0).get("mouse/currentDpiCount") == "6", "the stage count stored")
        self.assertEqual(run.profile(0)["mouse/dpiValueArray"], "500, 3200, 1500, 2000, 3000, 4000, 5000, 6000")

    def test_save_553(self):
        run = self.connected("553")
        start = run.mark()
        self.change_stages(run)
        self.assertEqual([f for f in run.quiet_frames(start) if f[0] == 0x11], [],
                         "nothing goes to the mouse before Save")
        run.screenshot("dpi-553-changed")
        start = self.save(run)
        run.wait_frames([[0x11, 0x06, 0x08]], since=start)
        frame, data = wait_blocks(run, 0x11, 1, 8, start)[0]
        # Stages past the count are marked unused.
        self.assertEqual(data[:8], STAGE_BYTES[:6] + [0x80, 0x80])
        self.check_stored(run)

    def test_save_560_with_gun_feature(self):
        run = self.connected("560", config={"mouse/isGun": "true", "mouse/isColorful": "true"})
        self.change_stages(run)
        start = self.save(run)
        blocks = wait_blocks(run, 0x0C, 4, 128, start)
        self.assertEqual([b[0][1] for b in blocks], [1, 2, 3, 4], "profile blocks 1 to 4, in order")
        for frame, data in blocks:
            self.assertEqual(data[84:101], STAGE_BYTES + STAGE_BYTES + [0x3F], "block %d" % frame[1])
        self.check_stored(run)
        run.screenshot("dpi-560-saved")

    def test_dpi_button_moves_the_current_stage(self):
        run = self.connected("553")
        first = run.find("slider", "Stage 1", inside="DPI")
        wait_until(lambda: first.description == "current stage", "stage 1 marked current")
        # The virtual mouse's DPI button: the mouse reports stage 2.
        os.kill(run.pid, signal.SIGUSR1)
        second = run.find("slider", "Stage 2", inside="DPI")
        wait_until(lambda: second.description == "current stage", "stage 2 marked current")
        self.assertEqual(first.description, "")


if __name__ == "__main__":
    main()
