# SPDX-License-Identifier: GPL-2.0-or-later
"""The macro editor keeps its word: a count typed without Enter is saved with
the macro it was typed for when another macro is pressed, which is neither
saved again nor sent; a rename onto a macro file that exists is refused with
a reason, and nothing changes."""

import os

import keys
from talon_a11y import FlowCase, macro_file, main, wait_until

MACRO_SLOT_553 = lambda n: [0x13, n, 0x80]

FILES = {
    "setting/name.bin": {"macro/macroName": "Jump, Run"},
    "macro/Jump.bin": macro_file("1,A", "2,A"),
    "macro/Run.bin": macro_file("1,B", "2,B", repeat=3),
    # A file the list does not show.
    "macro/Stray.bin": macro_file("1,C", "2,C"),
    # Button 3 runs "Run".
    "setting/p1.bin": {"mouseKeyMatrix/2": "4, 0, 2, 0", "mouseMacroKey/2": "Run"},
}


class MacroEditor(FlowCase):

    def entry(self, run, name):
        return run.find("list item", name, inside="Macro Editor", showing=None)

    def test_typed_count_and_refused_rename(self):
        run = self.connected("553", files=FILES)
        run.press("push button", "Macro Editor")
        run.wait_showing("dialog", "Macro Editor")
        run.press(self.entry(run, "Jump"))
        run.wait_state(self.entry(run, "Jump"), "selected")

        times = run.find("text", "Times", inside="Macro Editor")
        keys.focus(run, times)
        keys.press_keys(run, "ctrl+a", "5")
        run_file = run.path("macro/Run.bin")
        before = (os.stat(run_file).st_mtime_ns, run.ini("macro/Run.bin"))
        start = run.mark()
        run.press(self.entry(run, "Run"))
        wait_until(lambda: run.ini("macro/Jump.bin").get("config/repeat") == "5", "Jump saved with 5")
        wait_until(lambda: run.text(times) == "3", "Run's count in the field")
        self.assertEqual((os.stat(run_file).st_mtime_ns, run.ini("macro/Run.bin")), before)
        self.assertNotIn(MACRO_SLOT_553(3), [f[:3] for f in run.quiet_frames(start)])
        run.screenshot("macro-editor-count-then-other-macro")

        # "Stray" is taken by a file: the list, the files and button 3 stay.
        names = run.ini("setting/name.bin")["macro/macroName"]
        run.press(self.entry(run, "Jump"))
        keys.press_keys(run, "F2")
        run.find("text", "Name", inside="Macro Editor")
        keys.press_keys(run, "ctrl+a")
        keys.type_text(run, "Stray")
        keys.press_keys(run, "Return")
        run.wait_showing("label", "A macro of that name exists.", inside="Macro Editor")
        run.screenshot("macro-editor-rename-refused")
        keys.press_keys(run, "Escape")
        self.entry(run, "Jump")
        self.assertFalse(run.exists("list item", "Stray", inside="Macro Editor", showing=None))
        self.assertEqual(run.ini("setting/name.bin")["macro/macroName"], names)
        self.assertEqual(run.ini("macro/Stray.bin")["macro/0"], '"1,C"')
        self.assertTrue(os.path.exists(run.path("macro/Jump.bin")))
        self.assertEqual(run.profile(0)["mouseMacroKey/2"], "Run")


if __name__ == "__main__":
    main()
