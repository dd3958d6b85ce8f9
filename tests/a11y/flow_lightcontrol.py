# SPDX-License-Identifier: GPL-2.0-or-later
"""Lighting panel: an effect chosen in the list and a colour block changed on
the hue strip reach the mouse on Save, for each lighting variant of both
families: 553 as command 0x0D and the colour commands, 560 in bytes 71 to
73 of the profile blocks and the colours in profile block 0."""

from datablocks import data_blocks, wait_blocks
from talon_a11y import FlowCase, main, wait_until

# The shipped profile's twelve colours.
SHIPPED = [255, 0, 0, 255, 128, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 128, 0, 255,
           255, 0, 255, 255, 255, 255, 255, 64, 64, 64, 255, 64, 64, 64, 255]


def with_colour(block, rgb):
    colours = list(SHIPPED)
    colours[3 * block:3 * block + 3] = rgb
    return colours


def ini_list(values):
    return ", ".join(str(v) for v in values)


class LightControl(FlowCase):

    def choose_effect(self, run, name, combo="Light effect"):
        run.press(run.find("list item", name, showing=None))
        wait_until(lambda: run.selected_child(run.find("combo box", combo)) == name,
                   "%s chosen" % name)

    def recolour(self, run, block_name, hue_position, new_name):
        """Selects the block by its colour and moves the hue strip's knob."""
        run.press(run.find("push button", block_name, inside="Light"))
        hue = run.find("slider", "Color", inside="Light")
        wait_until(lambda: hue.description == block_name, "the strip showing %s" % block_name)
        run.set_value(hue, hue_position)
        run.find("push button", new_name, inside="Light")

    def save(self, run):
        start = run.mark()
        run.press("push button", "Save")
        return start

    def effect_frames(self, run, start):
        return [f[:4] for f in run.frames(start) if f[0] == 0x0D]

    def test_single_colour_553(self):
        run = self.connected("553")
        # The profile's effect is Breath, whose colours are usable.
        self.recolour(run, "#ff8000", 153, "#7f00ff")
        start = self.save(run)
        run.wait_frames([[0x0D, 0x02, 0x03, 0x02], [0x10, 0x01, 0x24], [0x10, 0x01, 0x24]], since=start)
        blocks = wait_blocks(run, 0x10, 2, 36, start)
        self.assertEqual([b[1][:36] for b in blocks], [with_colour(1, [127, 0, 255])] * 2)
        self.assertEqual(run.profile(0)["mouse/colorValue"], ini_list(with_colour(1, [127, 0, 255])))

        self.choose_effect(run, "Neon")
        # Neon's colours lie under the mask, which takes what the screen
        # reader does too.
        run.set_value(run.find("slider", "Color", inside="Light"), 0)
        run.screenshot("light-553-neon")
        start = self.save(run)
        run.wait_frames([[0x0D, 0x03, 30, 0x02]], since=start)
        blocks = wait_blocks(run, 0x10, 2, 36, start)
        self.assertEqual([b[1][:36] for b in blocks], [with_colour(1, [127, 0, 255])] * 2)
        wait_until(lambda: run.profile(0).get("mouse/lightValue") == "2, 0, 4", "the effect stored")

    def test_extra_entry_553(self):
        run = self.connected("553", config={"mouse/is55328": "true"})
        self.choose_effect(run, "Color Breath")
        start = self.save(run)
        run.wait_frames([[0x0D, 0x02, 0x01, 0x03], [0x10, 0x00, 0x24]], since=start)
        self.assertEqual(wait_blocks(run, 0x10, 1, 36, start)[0][1][:36], SHIPPED)

        # Any other effect stores colour 8 black: one colour, the first.
        self.choose_effect(run, "Static")
        start = self.save(run)
        run.wait_frames([[0x0D, 0x01, 10, 0x01], [0x0C, 255, 0, 0]], since=start)
        self.assertEqual([f for f in run.quiet_frames(start) if f[0] == 0x10], [])
        self.assertEqual(run.profile(0)["mouse/colorValue"], ini_list(with_colour(7, [0, 0, 0])))

    def test_fifty_effects_553(self):
        run = self.connected("553", config={"mouse/isColorful": "true", "mouse/is571": "true"})
        self.choose_effect(run, "Static Multicolor")
        self.recolour(run, "#ffffff", 17, "#ff7f00")
        run.screenshot("light-571-static-multicolor")
        start = self.save(run)
        # Brightness 4 gives 255; then the twelve colours and the fixed one.
        run.wait_frames([[0x0D, 0x01, 0xFF, 0x02], [0x10, 0x00, 0x24], [0x0C, 255, 122, 26]], since=start)
        self.assertEqual(wait_blocks(run, 0x10, 1, 36, start)[0][1][:36], with_colour(8, [255, 127, 0]))

    def test_multi_colour_560_with_gun_feature(self):
        run = self.connected("560", config={"mouse/isColorful": "true", "mouse/isGun": "true"})
        self.recolour(run, "#ffff00", 187, "#ff0080")
        self.choose_effect(run, "Wave")
        run.screenshot("light-560-wave")
        start = self.save(run)
        blocks = wait_blocks(run, 0x0C, 5, 128, start)
        effect = [b for b in blocks if b[0][1] in (1, 2, 3, 4)]
        self.assertEqual([b[0][1] for b in effect], [1, 2, 3, 4])
        for frame, data in effect:
            # Wave: speed 0 gives 10, brightness 4 gives 0xFF.
            self.assertEqual(data[71:74], [0x05, 0xFF, 10], "block %d" % frame[1])
        colours = [b for b in blocks if b[0][1] == 0]
        self.assertEqual(len(colours), 1)
        self.assertEqual(colours[0][1][24:48], with_colour(2, [255, 0, 128])[:24])
        self.assertEqual(data_blocks(run, 0x10, start), [], "no stage colour command on this family")

    def test_texts_from_the_language_file(self):
        run = self.talon("553", config={"mouse/isColorful": "true", "mouse/is571": "true",
                                        "common/language": "ChineseSimplified"})
        run.wait_showing("push button", "保存")
        run.wait_idle()
        entries = [n.name for n in run.all("list item", inside="灯光")
                   if n.parent.name == "灯效"]
        self.assertEqual(entries, ["关闭灯光", "单色常亮", "多彩常亮", "单色呼吸", "多彩呼吸", "色彩循环",
                                   "彩虹波浪", "按键反应", "色彩流动", "辉光", "流星"])
        self.choose_effect(run, "彩虹波浪", combo="灯效")
        run.find("slider", "速度", inside="灯光")
        # Names that show text speak the language too.
        run.find("slider", "第 1 档", inside="DPI")
        run.screenshot("light-571-chinese")


if __name__ == "__main__":
    main()
