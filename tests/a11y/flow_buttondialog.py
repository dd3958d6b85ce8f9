# SPDX-License-Identifier: GPL-2.0-or-later
"""The button dialog keeps its word: one tick after two choices, each button
opened shows its own choice and macro, Escape stores and sends nothing, and
Close takes a count typed without Enter."""

import re

import keys
from talon_a11y import FlowCase, macro_file, main, wait_until

MACRO_SLOT_553 = lambda n: [0x13, n, 0x80]
KEY_MATRIX_553 = [0x12, 0x01, 0x40]

MACROS = {
    "setting/name.bin": {"macro/macroName": "Jump, Run"},
    "macro/Jump.bin": macro_file("1,A", "2,A"),
    "macro/Run.bin": macro_file("1,B", "2,B", repeat=3),
}


class ButtonDialog(FlowCase):

    def open_key(self, run, number):
        run.press(run.find("push button", "Key %d" % number, inside="Key Setting"))
        return run.find("dialog", re.compile(r"Key %d : " % number)).name

    def ticked(self, run, dialog):
        return [n.name for n in run.all("radio button", None, inside=dialog, showing=True)
                if "checked" in run.states(n)]

    def macro_list(self, run):
        return run.find("combo box", "Macro", inside="Macro Function")

    def test_choices_escape_and_typed_count(self):
        run = self.connected("553", files=MACROS)

        self.open_key(run, 3)
        run.press("radio button", "Left Key", inside="Mouse Function")
        run.press("radio button", "Right Key", inside="Mouse Function")
        wait_until(lambda: self.ticked(run, "Mouse Function") == ["Right Key"], "one tick")
        run.screenshot("button-dialog-two-choices")

        run.press("page tab", "Macro Function", inside="Key 3 : Right Key")
        run.press("radio button", "Macro runs endless loop until button is released", inside="Macro Function")
        run.press(run.find("list item", "Run", inside="Macro Function", showing=None))
        start = run.mark()
        run.press("push button", "Close", inside="Key 3 : Run")
        run.wait_frames([MACRO_SLOT_553(3)], since=start)

        # Button 4 shows its own function, no macro and the first run mode.
        own = run.find("push button", "Key 4", inside="Key Setting").description
        dialog = self.open_key(run, 4)
        self.assertEqual(self.ticked(run, "Mouse Function"), [own])
        run.press("page tab", "Macro Function", inside=dialog)
        self.assertIsNone(run.selected_child(self.macro_list(run)))
        self.assertEqual(self.ticked(run, "Macro Function"), ["Macro runs one-time after pressing the button"])

        # Escape gives up a macro chosen for button 4.
        run.press(run.find("list item", "Jump", inside="Macro Function", showing=None))
        run.find("dialog", "Key 4 : Jump")
        start = run.mark()
        keys.press_keys(run, "Escape")
        run.wait_hidden("dialog", "Key 4 : Jump")
        self.assertEqual(run.quiet_frames(start), [])
        self.assertNotIn("mouseMacroKey/3", run.profile(0))
        self.assertEqual(run.find("push button", "Key 4", inside="Key Setting").description, own)

        # Button 3 still shows its macro and run mode.
        self.open_key(run, 3)
        self.assertEqual(run.selected_child(self.macro_list(run)), "Run")
        self.assertEqual(self.ticked(run, "Macro Function"), ["Macro runs endless loop until button is released"])
        run.press("push button", "Close", inside="Key 3 : Run")
        run.wait_hidden("dialog", "Key 3 : Run")

        # A fire key on button 4 with a count typed and not confirmed.
        dialog = self.open_key(run, 4)
        run.press("page tab", "Fire Function", inside=dialog)
        run.press(run.find("push button", "Key Value", inside="Fire Function"))
        keys.press_keys(run, "b")
        run.find("dialog", "Key 4 : B")
        keys.focus(run, run.find("text", "Times", inside="Fire Function"))
        keys.press_keys(run, "ctrl+a", "7")
        run.press("push button", "Close", inside="Key 4 : B")
        run.wait_hidden("dialog", "Key 4 : B")
        start = run.mark()
        run.press("push button", "Save")
        run.wait_frames([KEY_MATRIX_553], since=start)
        wait_until(lambda: run.profile(0).get("mouseKeyMatrix/3") == "1, 5, 10, 7", "the fire key with 7 shots")


if __name__ == "__main__":
    main()
