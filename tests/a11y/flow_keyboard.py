# SPDX-License-Identifier: GPL-2.0-or-later
"""The window driven with keys alone, no pointer: Tab reaches each dialog's
opener, Enter opens the dialog with the focus inside it, Tab stays inside,
one value is changed with keys and kept, Escape closes the dialog and the
focus is back on its opener. Tab goes once round the main screen meeting each
button once. A DPI stage moved with the arrows is sent and
stored by Enter on Save."""

import re

import keys
from datablocks import wait_blocks
from talon_a11y import FlowCase, main, wait_until

FILES = {"setting/name.bin": {"profile/profileName": "Standard0, Shooter1"}}


def dialog_of(node):
    """The name of the dialog the node lies in, or None."""
    while node is not None:
        try:
            if node.getRoleName() == "dialog":
                return node.name
            node = node.parent
        except Exception:
            return None
    return None


class Keyboard(FlowCase):

    def focused(self, run):
        """The control with the keyboard focus: the deepest focused node
        (the window's filler and a list around its focused entry say
        focused too; the tree is walked parents first)."""
        nodes = [n for n in run.all(None, None, showing=True)
                 if "focused" in run.states(n) and n.getRoleName() != "filler"]
        return nodes[-1] if nodes else None

    @staticmethod
    def ident(node):
        """Role, name, dialog and place: two panels have a "Restore defaults"."""
        try:
            e = node.queryComponent().getExtents(0)
            return (node.getRoleName(), node.name, dialog_of(node), (e.x, e.y))
        except Exception:
            return None

    def press(self, run, *names):
        """Keys, then the focused node once the focus has settled."""
        keys.press_keys(run, *names)
        run.wait_idle()
        return wait_until(lambda: self.focused(run), "a focused control after %s" % " ".join(names))

    def tab_to(self, run, role, name, limit=80):
        """Tab until that control has the focus; each control is met once."""
        seen = []
        for _ in range(limit):
            node = self.press(run, "Tab")
            here = self.ident(node)
            if here[:2] == (role, name):
                return node
            self.assertNotIn(here, seen, "the Tab order comes back to %r before %r" % (here, name))
            seen.append(here)
        self.fail("Tab does not reach %s %r" % (role, name))

    def open_with_enter(self, run, opener, dialog):
        """Enter on the focused opener: the dialog shows, the focus inside."""
        keys.press_keys(run, "Return")
        run.wait_showing("dialog", dialog)
        wait_until(lambda: dialog_of(self.focused(run)) == dialog, "the focus inside %r" % dialog)
        return None

    def stays_inside(self, run, dialog, presses):
        for key in ["Tab"] * presses + ["shift+Tab"] * presses:
            node = self.press(run, key)
            self.assertEqual(dialog_of(node), dialog, "%s left %r for %r" % (key, dialog, self.ident(node)))

    def escape_back_to(self, run, dialog, opener):
        keys.press_keys(run, "Escape")
        run.wait_hidden("dialog", dialog)
        wait_until(lambda: self.ident(self.focused(run)) == opener, "the focus back on %r" % (opener,))

    def test_each_dialog_by_keys(self):
        run = self.connected("553", config={"mouse/isGun": "true"}, files=FILES)
        keys.focus_window(run)

        # Reset: the window behind takes neither Tab nor Enter.
        reset = self.ident(self.tab_to(run, "push button", "Reset"))
        self.open_with_enter(run, reset, "Reset")
        self.stays_inside(run, "Reset", 4)
        self.assertEqual(len(run.all("dialog", None, showing=True)), 1)
        self.escape_back_to(run, "Reset", reset)
        run.screenshot("keys-reset-closed-focus-on-opener")

        # Macro editor: New offers a name to type over.
        opener = self.ident(self.tab_to(run, "push button", "Macro Editor"))
        self.open_with_enter(run, opener, "Macro Editor")
        self.tab_to(run, "push button", "New")
        keys.press_keys(run, "Return")
        run.wait_state(run.find("text", "Name", inside="Macro Editor"), "focused")
        keys.press_keys(run, "ctrl+a")
        keys.type_text(run, "Keyed")
        keys.press_keys(run, "Return")
        run.find("list item", "Keyed", inside="Macro Editor", showing=None)
        wait_until(lambda: "Keyed" in run.ini("setting/name.bin").get("macro/macroName", ""),
                   "the typed name stored")
        self.stays_inside(run, "Macro Editor", 3)
        run.screenshot("keys-macro-editor-named")
        self.escape_back_to(run, "Macro Editor", opener)

        # Gun editor: an entry of the list chosen for the slot.
        before = run.ini("setting/apConfig.bin").get("mouse/selectGun")
        opener = self.ident(self.tab_to(run, "push button", "Gun Editor"))
        self.open_with_enter(run, opener, "Gun editor")
        node = self.press(run, "Down")
        self.assertEqual(node.getRoleName(), "list item")
        self.press(run, "Return")
        wait_until(lambda: run.ini("setting/apConfig.bin").get("mouse/selectGun") != before,
                   "the chosen entry stored")
        run.screenshot("keys-gun-editor-chosen")
        self.escape_back_to(run, "Gun editor", opener)

        # Profiles: the second row renamed with F2.
        opener = self.ident(self.tab_to(run, "push button", "Config"))
        self.open_with_enter(run, opener, "config")
        node = self.press(run, "Down")
        self.assertEqual(node.name, "Shooter")
        self.press(run, "F2")
        keys.press_keys(run, "ctrl+a")
        keys.type_text(run, "Keyboard")
        keys.press_keys(run, "Return")
        wait_until(lambda: run.ini("setting/name.bin").get("profile/profileName", "").replace(" ", "")
                   == "Standard0,Keyboard1", "the new name stored")

        # A row's applications page holds the keys over the rows; Escape
        # closes the page alone.
        badge = self.ident(self.tab_to(run, "push button", "Applications"))
        keys.press_keys(run, "Return")
        page = wait_until(lambda: next((p.name for p in run.all("panel", None, showing=True)
                                        if p.name.startswith("Applications of ")), None), "the page shown")

        def on_page():
            node = self.focused(run)
            while node is not None and not (node.getRoleName() == "panel" and node.name == page):
                node = node.parent
            return node is not None
        wait_until(on_page, "the focus on %r" % page)
        for key in ["Tab"] * 4 + ["shift+Tab"] * 4:
            self.press(run, key)
            self.assertTrue(on_page(), "%s left %r for %r" % (key, page, self.ident(self.focused(run))))
        keys.press_keys(run, "Escape")
        run.wait_hidden("panel", page)
        wait_until(lambda: self.ident(self.focused(run)) == badge, "the focus back on the badge")
        run.wait_showing("dialog", "config")
        self.escape_back_to(run, "config", opener)

        # System settings: the double-click slider moved with an arrow.
        opener = self.ident(self.tab_to(run, "push button", "System setting"))
        self.open_with_enter(run, opener, "System Setting")
        before = run.profile(0).get("mouse/doubleRate")
        self.tab_to(run, "slider", "Double Click Speed")
        self.press(run, "Home")
        wait_until(lambda: run.profile(0).get("mouse/doubleRate") not in (None, before),
                   "the double-click position stored")
        self.escape_back_to(run, "System Setting", opener)

        # The button dialog: Escape gives up the choice made in it.
        opener = self.ident(self.tab_to(run, "push button", "Key 3"))
        self.assertIsNone(opener[2])
        stored = run.profile(0).get("mouseKeyMatrix/2")
        self.press(run, "Return")
        dialog = run.find("dialog", re.compile(r"Key 3 : ")).name
        wait_until(lambda: (dialog_of(self.focused(run)) or "").startswith("Key 3 : "), "the focus inside")
        self.tab_to(run, "radio button", "Right Key")
        self.press(run, "space")
        run.find("dialog", "Key 3 : Right Key")
        keys.press_keys(run, "Escape")
        run.wait_hidden("dialog", re.compile(r"Key 3 : "))
        wait_until(lambda: self.ident(self.focused(run)) == opener, "the focus back on button 3")
        self.assertEqual(run.find("push button", "Key 3", inside="Key Setting").description, re.sub(r"^Key 3 : ", "", dialog))
        self.assertEqual(run.profile(0).get("mouseKeyMatrix/2"), stored)

    def test_dpi_stage_by_arrows_saved_by_enter(self):
        run = self.connected("553")
        keys.focus_window(run)
        # Once round the window: each button is one stop (the list's, not
        # the mouse picture's as well).
        first = self.ident(self.press(run, "Tab"))
        stops = [first]
        for _ in range(100):
            here = self.ident(self.press(run, "Tab"))
            if here == first:
                break
            stops.append(here)
        buttons = [stop[1] for stop in stops if re.match(r"Key \d+$", stop[1])]
        self.assertEqual(buttons, ["Key %d" % n for n in range(1, 9)])
        stage = self.tab_to(run, "slider", "Stage 2")
        before = run.value(stage)
        self.press(run, "Right")
        self.press(run, "Right")
        wait_until(lambda: run.value(stage) > before, "stage 2 raised")
        raised = int(run.value(stage))
        self.tab_to(run, "push button", "Save")
        start = run.mark()
        keys.press_keys(run, "Return")
        # The stage table, stage 2 as the 3360 sensor takes it: DPI / 100 - 1.
        frame, data = wait_blocks(run, 0x11, 1, 8, start)[0]
        self.assertEqual(data[1], raised // 100 - 1)
        wait_until(lambda: run.profile(0).get("mouse/dpiValueArray", "").replace(" ", "").split(",")[1:2]
                   == [str(raised)], "stage 2 stored as %d" % raised)


if __name__ == "__main__":
    main()
