# SPDX-License-Identifier: GPL-2.0-or-later
"""The gun editor: the Y pull moved through the screen reader is stored in the
gun table, and closing the editor sends the three gun slots (553: one
SetGunData per slot; 560: the gun bytes of on-device profiles 2 .. 4).
Closing without a change sends nothing."""

import keys
from talon_a11y import FlowCase, main, wait_until

GUN = {"mouse/isGun": "true"}


def blocks_after(run, code, since):
    """The data blocks the mouse received after each frame with that command
    code: [(frame, bytes), ...]."""
    found = []
    current = None
    for line in run.journal(since):
        if line.startswith("frame "):
            frame = [int(b, 16) for b in line.split()[1:]]
            current = (frame, []) if frame[0] == code else None
            if current:
                found.append(current)
        elif line.startswith("data ") and current is not None:
            current[1].extend(int(b, 16) for b in line.split()[1:])
    return found


class GunEditor(FlowCase):

    def open_editor(self, run):
        run.press("push button", "Gun Editor")
        return run.wait_showing("dialog", "Gun editor")

    def move_y(self, run, value):
        dot = run.find("slider", "Y axis", inside="Gun editor")
        run.set_value(dot, value)
        wait_until(lambda: run.ini("gun/gunData.bin").get("gunData/0", "").replace(" ", "")
                   == "M416,L-Click,10,0,%d,0" % value, "the entry to be stored")
        self.assertEqual(run.value(dot), value)

    def close(self, run):
        start = run.mark()
        run.press("push button", "Close", inside="Gun editor")
        run.wait_hidden("dialog", "Gun editor")
        return start

    def key_matrix_shown(self, run):
        return run.exists("list item", "Key 1", showing=None) or run.exists("push button", "Key 1", showing=None)

    def test_553_slots(self):
        run = self.connected("553", config=GUN)
        self.open_editor(run)
        run.screenshot("gun-editor-553")
        self.move_y(run, 30)
        start = self.close(run)
        # Slot n: 04, 00, count, X, Y, n - 1; the shipped table puts M416,
        # AKM and M16A4 in the slots.
        slots = [[0x04, 0, 0, 0, 30, 0], [0x04, 0, 0, 0, 14, 1], [0x04, 0, 0, 0, 9, 2]]
        frames = run.wait_frames(slots, since=start)
        self.assertEqual([f[:6] for f in frames if f[0] == 0x04], slots)
        if self.key_matrix_shown(run):
            run.wait_frames([[0x12]], since=start)

    def test_560_gun_blocks(self):
        run = self.connected("560", config=dict(GUN, **{"mouse/isColorful": "true"}))
        self.open_editor(run)
        run.press(run.find("list item", "Gun2", inside="Gun editor", showing=None))
        run.screenshot("gun-editor-560")
        # Slot 2 shows AKM; moving its dot changes AKM (entry 1).
        dot = run.find("slider", "Y axis", inside="Gun editor")
        run.set_value(dot, 40)
        wait_until(lambda: run.ini("gun/gunData.bin").get("gunData/1", "").replace(" ", "")
                   == "AKM,L-Click,12,0,40,0", "the entry to be stored")
        start = self.close(run)
        run.wait_frames([[0x0C, 2], [0x0C, 3], [0x0C, 4]], since=start)
        sent = blocks_after(run, 0x0C, start)
        gun = {frame[1]: data[78:82] for frame, data in sent if frame[1] in (2, 3, 4)}
        self.assertEqual(gun, {2: [0xF0, 0, 0, 10], 3: [0xF0, 0, 0, 40], 4: [0xF0, 0, 0, 9]})
        for frame, data in sent:
            if frame[1] in (2, 3, 4):
                self.assertEqual(data[65] & 0x04, 0)

    def test_names_that_key_the_table_are_refused(self):
        run = self.connected("553", config=GUN)
        self.open_editor(run)
        table = run.ini("gun/gunData.bin")
        keys.focus_window(run)
        for name in ("0", "AKM"):
            run.press("push button", "Rename", inside="Gun editor")
            field = run.find("text", "Rename", inside="Gun editor")
            keys.type_text(run, name)
            keys.press_keys(run, "Return")
            run.wait_state(field, "showing", present=False)
            run.find("label", "A name may not be empty or a number or hold a slash" if name == "0"
                     else "This name is already used by another entry", inside="Gun editor")
            run.find("list item", "M416", inside="Gun editor")
            if name == "0":
                run.screenshot("gun-editor-refused-name")
        self.assertEqual(run.ini("gun/gunData.bin"), table)

        run.press("push button", "Rename", inside="Gun editor")
        keys.type_text(run, "M4 custom")
        keys.press_keys(run, "Return")
        run.find("list item", "M4 custom", inside="Gun editor")
        wait_until(lambda: run.ini("gun/gunData.bin").get("gunData/0", "").startswith("M4 custom,"),
                   "the new name stored at the entry's place")
        self.assertEqual(run.ini("setting/name.bin")["gun/gunName"].replace(" ", ""),
                         "M4custom,AKM,M16A4,SCAR-L,Thomson,UNP9")

    def test_close_without_change_sends_nothing(self):
        run = self.connected("553", config=GUN)
        self.open_editor(run)
        run.press(run.find("list item", "Gun3", inside="Gun editor", showing=None))
        start = self.close(run)
        self.assertEqual(run.quiet_frames(start), [])


if __name__ == "__main__":
    main()
