# SPDX-License-Identifier: GPL-2.0-or-later
"""Buttons and macros: a key and a combination given to button 3 reach the
mouse on Save; a macro recorded by typing goes to button 3's macro slot and
runs from its key matrix entry; deleting it gives button 3 its default back
at once. For both command families."""

import os
import re
import subprocess

from talon_a11y import FlowCase, FlowError, _extents, main, wait_until

# Command frames by family: key matrix 1, macro slot n (1-based).
KEY_MATRIX = {"553": [0x12, 0x01, 0x40], "560": [0x0D, 0x01, 0x80]}
MACRO_SLOT = {"553": lambda n: [0x13, n, 0x80], "560": lambda n: [0x0F, n, 0x80]}


def type_keys(*keys):
    """Keys typed on the X server's keyboard, as a person types them."""
    subprocess.run(["xdotool", "key", "--delay", "80"] + list(keys), check=True)


def focus_window(run):
    """Gives the program's window the keyboard, as clicking into it on a
    desktop would (the private X server has no window manager)."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(run.pid)],
                           capture_output=True, text=True).stdout.split()
    if not found:
        raise FlowError("no window of the program on the X server")
    subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], check=True)


def block_after(run, since, frame):
    """The data the mouse took with the last command frame starting with
    `frame` since `since`: the output reports that follow it, joined."""
    lines = run.journal(since)
    block, collecting = None, False
    for line in lines:
        if line.startswith("frame "):
            bytes_ = [int(b, 16) for b in line.split()[1:]]
            collecting = bytes_[:len(frame)] == frame
            if collecting:
                block = []
        elif collecting and line.startswith("data "):
            block += [int(b, 16) for b in line.split()[1:]]
    if block is None:
        raise FlowError("no frame %s since %d" % (frame, since))
    return block


class Buttons(FlowCase):

    def key_matrix_after(self, run, since):
        run.wait_frames([KEY_MATRIX[run.family]], since=since)
        return wait_until(lambda: (lambda b: b if len(b) >= 64 else None)(
            block_after(run, since, KEY_MATRIX[run.family])), "the key matrix's data")

    def open_key(self, run, number):
        run.press(run.find("push button", "Key %d" % number, inside="Key Setting"))
        return run.find("dialog", re.compile(r"Key %d : " % number))

    def dialog_name(self, run, number):
        return run.find("dialog", re.compile(r"Key %d : " % number)).name

    def take_keys(self, run, number, *keys):
        """The Group Function of button `number`: the field, the keys, the tick."""
        dialog = self.dialog_name(run, number)
        run.press("page tab", "Group Function", inside=dialog)
        field = run.find("push button", "Key Value", inside="Group Function")
        run.press(field)
        type_keys(*keys)
        wait_until(lambda: run.exists("push button", "Confirm", inside="Group Function")
                   and run.sensitive(run.find("push button", "Confirm", inside="Group Function")),
                   "the keys to arrive")
        run.press("push button", "Confirm", inside="Group Function")

    def close_dialog(self, run, number):
        run.press("push button", "Close", inside=self.dialog_name(run, number))
        run.wait_hidden("dialog", re.compile(r"Key %d : " % number))

    def save(self, run):
        start = run.mark()
        run.press("push button", "Save")
        return self.key_matrix_after(run, start)

    def key_and_combination(self, family):
        run = self.connected(family)
        self.open_key(run, 3)
        self.take_keys(run, 3, "b")
        self.assertEqual(self.dialog_name(run, 3), "Key 3 : B")
        self.close_dialog(run, 3)
        matrix = self.save(run)
        # Button index 2: keyboard type 0, no modifier, B.
        self.assertEqual(matrix[8:12], [0x00, 0x00, 0x05, 0x00])
        self.assertEqual(matrix[0:4], [0x01, 0x00, 0xF0, 0x00])
        self.assertEqual(run.profile(0)["mouseKeyMatrix/2"], "2, 0, 5, 0")

        self.open_key(run, 3)
        self.take_keys(run, 3, "ctrl+shift+a")
        self.assertEqual(self.dialog_name(run, 3), "Key 3 : LCtrl + LShift + A")
        self.close_dialog(run, 3)
        self.assertEqual(run.find("push button", "Key 3", inside="Key Setting").description,
                         "LCtrl + LShift + A")
        matrix = self.save(run)
        self.assertEqual(matrix[8:12], [0x00, 0x03, 0x04, 0x00])
        self.assertEqual(run.profile(0)["mouseKeyMatrix/2"], "2, 3, 4, 0")

    def test_key_and_combination_553(self):
        self.key_and_combination("553")

    def test_key_and_combination_560(self):
        self.key_and_combination("560")

    def actions(self, run):
        return run.all("list item", re.compile(r"^(Press|Release|Delay) "), inside="Macro Editor")

    def record_macro(self, run, keys):
        run.press("push button", "Macro Editor")
        run.wait_showing("dialog", "Macro Editor")
        run.press("push button", "New", inside="Macro Editor")
        entry = run.find("list item", "Macro_0", inside="Macro Editor")
        run.wait_state(entry, "selected")
        run.press("push button", "Record", inside="Macro Editor")
        type_keys(*keys)
        wait_until(lambda: len(self.actions(run)) >= 2 * len(keys), "the keys in the action list")
        run.press("push button", "Record", inside="Macro Editor")
        return entry

    def macro_on_button_3(self, family):
        run = self.connected(family)
        self.record_macro(run, ["a", "b"])
        macro = run.ini("macro/Macro_0.bin")
        # Texts with a comma are quoted in the file.
        self.assertEqual([macro["macro/%d" % i] for i in range(4)], ['"1,A"', '"2,A"', '"1,B"', '"2,B"'])
        self.assertEqual(macro["config/total"], "4")
        self.assertEqual([n.name for n in self.actions(run)], ["Press A", "Release A", "Press B", "Release B"])
        run.screenshot("macro-editor-recorded-%s" % family)
        run.press("push button", "Close", inside="Macro Editor")
        run.wait_hidden("dialog", "Macro Editor")

        # Button 3 runs it until released (run mode 2); its slot is index 2.
        self.open_key(run, 3)
        dialog = self.dialog_name(run, 3)
        run.press("page tab", "Macro Function", inside=dialog)
        run.press("radio button", "Macro runs endless loop until button is released", inside="Macro Function")
        run.press(run.find("list item", "Macro_0", inside="Macro Function", showing=None))
        self.assertEqual(self.dialog_name(run, 3), "Key 3 : Macro_0")
        start = run.mark()
        self.close_dialog(run, 3)
        run.wait_frames([MACRO_SLOT[family](3)], since=start)
        block = block_after(run, start, MACRO_SLOT[family](3))
        self.assertEqual(block[:12], [0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0x01, 0x05, 0x81, 0x05, 0x00, 0x00])
        self.assertEqual(set(block[12:128]), {0})
        # The key matrix waits for Save.
        self.assertNotIn(KEY_MATRIX[family], [f[:3] for f in run.quiet_frames(start)])
        matrix = self.save(run)
        self.assertEqual(matrix[8:12], [0x09, 0x02, 0x03, 0x00])
        profile = run.profile(0)
        self.assertEqual(profile["mouseKeyMatrix/2"], "4, 2, 2, 0")
        self.assertEqual(profile["mouseMacroKey/2"], "Macro_0")

        # Deleting the macro gives button 3 its default back and sends the
        # key matrix at once.
        run.press("push button", "Macro Editor")
        run.wait_showing("dialog", "Macro Editor")
        run.press(run.find("list item", "Macro_0", inside="Macro Editor"))
        # The selected macro's menu from the keyboard.
        focus_window(run)
        type_keys("Menu")
        start = run.mark()
        run.press(run.find("menu item", "Delete"))
        matrix = self.key_matrix_after(run, start)
        self.assertEqual(matrix[8:12], [0x01, 0x00, 0xF2, 0x00])
        self.assertEqual(run.profile(0)["mouseKeyMatrix/2"], "0, 0, 242, 0")
        wait_until(lambda: not run.exists("list item", "Macro_0", inside="Macro Editor", showing=None),
                   "the macro to leave the list")
        self.assertFalse(os.path.exists(run.path("macro/Macro_0.bin")))
        run.press("push button", "Close", inside="Macro Editor")
        self.assertEqual(run.find("push button", "Key 3", inside="Key Setting").description, "Middle Key")

    def test_macro_553(self):
        self.macro_on_button_3("553")

    def test_macro_560(self):
        self.macro_on_button_3("560")

    def test_screens(self):
        """Screenshots: a button selected on the mouse picture, the dialog on
        each of its sections, the last left button refused."""
        run = self.connected("553", config={"mouse/isGun": "true"})
        wheel = run.find("push button", "Key 3", inside="Mouse")
        x, y, w, h = _extents(wheel)
        subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2)], check=True)
        run.screenshot("buttons-selected-on-mouse", settle=0.6)
        run.press(wheel)
        dialog = run.find("dialog", "Key 3 : Middle Key")
        sections = ["Mouse Function", "Fire Function", "Group Function", "Media Function",
                    "Windows Function", "Shortcut Function", "Macro Function", "DPI Function",
                    "Gun Function"]
        for number, section in enumerate(sections):
            run.press("page tab", section, inside=dialog.name)
            run.wait_showing("panel", section)
            run.screenshot("assignment-%d-%s" % (number, section.split()[0].lower()))
        self.close_dialog(run, 3)
        # The only left button keeps its function.
        run.press(run.find("push button", "Key 1", inside="Key Setting"))
        run.wait_showing("label", re.compile(".*only left button"))
        self.assertFalse(run.exists("dialog", re.compile("Key 1 : ")))
        run.screenshot("buttons-last-left-refused")

        # The editor: a macro recorded with its delays, the action menu and
        # the key insertion.
        run.press("push button", "Macro Editor")
        run.wait_showing("dialog", "Macro Editor")
        run.press("push button", "New", inside="Macro Editor")
        run.wait_state(run.find("list item", "Macro_0", inside="Macro Editor"), "selected")
        run.press("check box", "Delay", inside="Macro Editor")
        run.press("push button", "Record", inside="Macro Editor")
        type_keys("a", "b", "Return")
        wait_until(lambda: len(self.actions(run)) >= 11, "the keys and delays in the action list")
        run.press("push button", "Record", inside="Macro Editor")
        names = [n.name for n in self.actions(run)]
        self.assertEqual([n for n in names if not n.startswith("Delay ")],
                         ["Press A", "Release A", "Press B", "Release B", "Press Enter", "Release Enter"])
        self.assertTrue(all(re.match(r"Delay \d+ ms$", n) for n in names[1::2]), names)
        run.screenshot("macro-editor-recorded-with-delays")
        run.press(run.find("list item", "Press B", inside="Macro Editor"))
        focus_window(run)
        type_keys("Menu")
        run.wait_showing("menu item", "Insert Key")
        run.screenshot("macro-editor-action-menu")
        run.press("menu item", "Insert Key")
        run.wait_showing("dialog", "Insert Key")
        type_keys("c")
        run.wait_showing("label", "C", inside="Insert Key")
        run.screenshot("macro-editor-insert-key")
        run.press("push button", "OK", inside="Insert Key")
        run.wait_hidden("dialog", "Insert Key")
        names = [n.name for n in self.actions(run) if not n.name.startswith("Delay ")]
        self.assertEqual(names[:4], ["Press A", "Release A", "Press C", "Release C"])
        macro = run.ini("macro/Macro_0.bin")
        self.assertEqual(macro["config/total"], str(len(self.actions(run))))


if __name__ == "__main__":
    main()
