# SPDX-License-Identifier: GPL-2.0-or-later
"""The language: chosen in the system settings, stored in the configuration
and in force from the next start, where the screens, their accessible names
and the version entry speak it. Screenshots of the main screen in German,
Russian and Japanese."""

import os

from talon_a11y import SOURCE_MODULES, FlowCase, main, read_ini, wait_until


def texts(code, group):
    """A language file's list, in order."""
    values = read_ini(os.path.join(SOURCE_MODULES, "i18n", code + ".ini"))
    return [values["%s/%d" % (group, i)] for i in range(int(values[group + "/total"]))]


class Languages(FlowCase):

    def test_chosen_in_the_settings_and_in_force_from_the_next_start(self):
        run = self.connected("553")
        run.press("push button", "System setting")
        run.wait_showing("dialog", "System Setting")
        languages = run.find("combo box", "Language", inside="System Setting")
        names = run.entries(languages)
        # Each language under its own name, once.
        for code in ("English", "German", "Russian", "Japanese", "ChineseTraditional"):
            self.assertIn(texts(code, "language")[0], names)
        self.assertEqual(len(names), len(set(names)))
        run.press(run.find("list item", texts("German", "language")[0], inside="System Setting", showing=None))
        wait_until(lambda: run.ini("setting/apConfig.bin").get("common/language") == "German",
                   "the language stored")
        # Read once, at start: this run stays English.
        run.find("push button", "Save")
        stored = run.ini("setting/apConfig.bin")["common/language"]
        run.stop()

        for code in (stored, "Russian", "Japanese"):
            main_texts = texts(code, "main")
            run = self.talon("553", config={"common/language": code})
            run.wait_log("profileNo")
            run.wait_showing("push button", main_texts[10])
            run.wait_idle()
            # Names that show text follow the language.
            run.find("push button", main_texts[9])
            run.find("combo box", texts(code, "dpiSetting")[2])
            run.find("push button", "%s 3" % texts(code, "keyMatrix")[0], inside=texts(code, "keyMatrix")[1])
            run.screenshot("main-screen-%s" % code)
            self.assertFalse(run.exists("push button", "Save"), code)
            run.stop()


if __name__ == "__main__":
    main()
