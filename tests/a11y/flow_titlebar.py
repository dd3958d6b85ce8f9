# SPDX-License-Identifier: GPL-2.0-or-later
"""The title bar: the help menu with its two entries, the profile list, and
Close, which hides the window while the program stays in the tray."""

import subprocess

from talon_a11y import EXECUTABLE, FlowCase, main, wait_until

URL = "https://kestrel-talon.example/help"  # "common/url" of the shipped configuration


class TitleBar(FlowCase):

    def open_help(self, run):
        run.press("push button", "Help")
        return run.wait_showing("popup menu", "Help")

    def test_help_menu(self):
        run = self.connected("553")
        menu = self.open_help(run)
        x, y, width, _ = run.extents(menu)
        # At 724, 30; 200 wide, or wider up to the window's edge where the
        # address would not fit.
        self.assertEqual((x, y), (724, 30))
        self.assertTrue(200 <= width <= 300, width)
        entries = run.all("menu item", inside=None, showing=True)
        # The version the program itself gives ("kestrel-talon 0.1.0").
        version = subprocess.run([EXECUTABLE, "--version"], capture_output=True, text=True,
                                 check=True).stdout.split()[-1]
        self.assertEqual([e.name for e in entries], [URL, "Version " + version])
        run.screenshot("help-menu")

        # The version entry does nothing but close the menu.
        run.press(entries[1])
        run.wait_hidden("popup menu", "Help")
        self.assertEqual(run.opened_urls(), [])
        # The address opens the maker's site.
        self.open_help(run)
        run.press("menu item", URL)
        run.wait_hidden("popup menu", "Help")
        wait_until(lambda: run.opened_urls() == [URL], "the site to be opened")

    def test_profile_list(self):
        run = self.connected("553", files={"setting/name.bin": {
            "profile/profileName": "Standard0, Shooter1, Strategy2"}})
        profiles = run.find("combo box", "Profile")
        self.assertEqual(run.entries(profiles), ["Standard", "Shooter", "Strategy"])
        self.assertEqual(run.selected_child(profiles), "Standard")
        run.press(profiles)
        run.screenshot("profile-list")
        # Opening another list closes this one, and a press on the window
        # closes every list and the help menu.
        self.open_help(run)
        run.screenshot("help-menu-after-profile-list")

    def test_close_hides_to_the_tray(self):
        run = self.connected("553")
        before = run.screenshot("before-close")
        run.press("push button", "Close")
        wait_until(lambda: not run.window_showing(), "the window to hide")
        icon = wait_until(run.tray_icon, "the icon in the tray")
        # Hidden, the program lets go of what only the drawn scene needs.
        run.wait_log("hidden scene released")
        self.assertTrue(run.alive())

        # A click on the icon brings the window back, drawn again and working.
        run.click(icon[0] + icon[2] // 2, icon[1] + icon[3] // 2)
        wait_until(run.window_showing, "the window to come back")
        run.wait_showing("push button", "Save")
        after = run.screenshot("after-restore")
        self.assertLess(_difference(before, after), 0.01)
        self.open_help(run)


def _difference(first, second):
    """The share of pixels that differ between two screenshots."""
    import subprocess
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", "4%", first, second, "null:"],
                            capture_output=True, text=True)
    different = float(result.stderr.split()[0])
    size = subprocess.run(["identify", "-format", "%w %h", first], capture_output=True, text=True).stdout
    w, h = map(int, size.split())
    return different / (w * h)


if __name__ == "__main__":
    main()
