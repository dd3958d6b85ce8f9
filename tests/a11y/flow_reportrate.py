# SPDX-License-Identifier: GPL-2.0-or-later
"""Report rate: choosing an entry stores its index in the current profile
and sends the rate to the mouse at once."""

from talon_a11y import FlowCase, main, wait_until


class ReportRate(FlowCase):

    def choose(self, run, entry):
        start = run.mark()
        run.press(run.find("list item", entry, inside=None, showing=None))
        return start

    def stored(self, run, index):
        # The settings reach the file when the program is back in its event
        # loop, which may be after the mouse got the frame.
        wait_until(lambda: run.profile(0).get("mouse/reportRate") == index, "reportRate=%s in p1.bin" % index)

    def test_553_one_command(self):
        run = self.connected("553")
        start = self.choose(run, "500Hz")
        run.wait_frames([[0x01, 0x02, 0, 0, 0, 0, 0]], since=start)
        self.stored(run, "2")
        self.assertEqual(run.selected_child(run.find("combo box", "Report Rate")), "500Hz")

        start = self.choose(run, "125Hz")
        run.wait_frames([[0x01, 0x08, 0, 0, 0, 0, 0]], since=start)
        self.stored(run, "0")

    def test_560_every_board_profile(self):
        run = self.connected("560")
        start = self.choose(run, "500Hz")
        frames = run.wait_frames([[0x03, p, 0x02] for p in range(1, 5)], since=start)
        self.assertEqual([f[:3] for f in frames if f[0] == 0x03], [[0x03, p, 0x02] for p in range(1, 5)])
        self.stored(run, "2")


if __name__ == "__main__":
    main()
