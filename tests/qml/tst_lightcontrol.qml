// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/panels"

Item {
    id: scene
    width: 300
    height: 340

    DpiLightHost { id: mainIten }
    AccessibleTree { id: tree }

    Component {
        id: panelComponent
        LightControl {}
    }

    TestCase {
        name: "LightControl"
        when: windowShown

        readonly property var shippedColours: [255, 0, 0, 255, 128, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255,
            0, 0, 255, 128, 0, 255, 255, 0, 255, 255, 255, 255, 255, 64, 64, 64, 255, 64, 64, 64, 255]
        property var profile: ({})
        property var defaults: ({})

        function answer(store, key) {
            return key in store ? store[key] : undefined
        }
        function makePanel(flags, profileValues, defaultValues) {
            flags = flags || {}
            mainIten.isColorful = flags.isColorful === true
            mainIten.is55328 = flags.is55328 === true
            mainIten.is571 = flags.is571 === true
            profile = Object.assign({ "mouse/dpiCount": 8, "mouse/lightValue": [0, 1, 3],
                "mouse/colorValue": shippedColours, "mouse/fixColor": [255, 122, 26] }, profileValues || {})
            defaults = Object.assign({ "mouse/lightValue": [1, 2, 4], "mouse/colorValue": shippedColours,
                "mouse/fixColor": [0, 0, 255] }, defaultValues || {})
            ui_View.reset()
            ui_View.answers = {
                getData: function (key, rec) { return answer(rec ? defaults : profile, key) },
                getDataList: function (key, rec) { var v = answer(rec ? defaults : profile, key); return v === undefined ? [] : v },
            }
            var panel = createTemporaryObject(panelComponent, scene)
            mainIten.panels = [panel]
            panel.init(false, false)
            waitForRendering(panel)
            return panel
        }
        function effectList(panel) {
            return tree.named(panel, Accessible.ComboBox, "Light effect")
        }
        function chooseEffect(panel, e) {
            var list = effectList(panel)
            tree.all(list, Accessible.ListItem)[e].Accessible.pressAction()
            compare(panel.effect, e)
        }
        function block(panel, i) {
            var buttons = tree.all(panel, Accessible.Button)
            for (var k = 0; k < buttons.length; ++k)
                if (buttons[k].Accessible.description === "Color " + (i + 1))
                    return buttons[k]
            return null
        }
        function shownBlocks(panel) {
            var shown = []
            for (var i = 0; i < 12; ++i) {
                var b = block(panel, i)
                if (b.visible && b.parent.visible)
                    shown.push(i)
            }
            return shown
        }
        function mask(panel) {
            return findChild(panel, "colorMask")
        }
        function hueBar(panel) {
            return findChild(panel, "hueBar")
        }
        function field(panel, name) {
            return tree.named(panel, Accessible.EditableText, name).parent
        }
        function typeInto(panel, name, digits) {
            var f = field(panel, name)
            f.edit()
            keySequence("ctrl+a")
            keyClick(Qt.Key_Backspace)
            for (var i = 0; i < digits.length; ++i)
                keyClick(digits[i])
            keyClick(Qt.Key_Return)
        }
        function slider(panel, name) {
            return tree.named(panel, Accessible.Slider, name)
        }

        function test_effectList_data() {
            var base = ["Static", "Breath", "Neon", "OFF"]
            var colourful = base.concat(["Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping",
                                         "YO-YO", "Spotlight"])
            var relabelled = ["Off", "Static", "Static Multicolor", "Breathing", "Multicolor Breathing",
                              "Color Cycle", "Rainbow Wave", "Reactive", "Color Flow", "Glow", "Meteor"]
            return [
                { tag: "single colour", flags: {}, names: base },
                { tag: "multi-colour", flags: { isColorful: true }, names: colourful },
                { tag: "single colour, extra entry", flags: { is55328: true }, names: base.concat(["Color Breath"]) },
                { tag: "multi-colour, extra entry", flags: { isColorful: true, is55328: true },
                  names: colourful.concat(["Color Breath"]) },
                { tag: "fifty-effect set", flags: { isColorful: true, is571: true }, names: relabelled },
                { tag: "fifty-effect set, extra entry", flags: { isColorful: true, is571: true, is55328: true },
                  names: relabelled.concat(["Color Breath"]) },
            ]
        }
        function test_effectList(row) {
            var panel = makePanel(row.flags)
            var entries = tree.all(effectList(panel), Accessible.ListItem)
            compare(entries.map(function (e) { return e.Accessible.name }), row.names)
            compare(effectList(panel), panel.lightModel)
            // The mouse picture's light button goes by these two.
            compare(row.names[panel.offEffect].toLowerCase(), "off")
            compare(row.names[panel.firstLitEffect], "Static")
        }

        function test_effectListTakesTheLanguage() {
            var panel = makePanel({ isColorful: true, is571: true })
            var texts = panel.langList.slice()
            texts[16] = "关闭"
            panel.langList = texts
            compare(effectList(panel).currentText, "关闭")
        }

        // [speed shown, speed after the change, brightness shown, brightness
        // after, colours masked]; sliders stood at 2 and 2 before.
        function test_visibilityOnChange_data() {
            function r(e, speed, speedAfter, bright, brightAfter, masked, is55328) {
                return { tag: "effect " + e + (is55328 ? " (extra entry)" : ""), e: e, speed: speed,
                         speedAfter: speedAfter, bright: bright, brightAfter: brightAfter, masked: masked,
                         is55328: is55328 === true }
            }
            return [
                r(0, false, 2, true, 4, false),
                r(1, true, 0, false, 2, false),
                r(2, true, 0, false, 2, true),
                r(3, false, 2, false, 0, true),
                r(4, false, 2, true, 4, false),
                r(4, true, 0, false, 2, false, true),
                r(5, true, 0, true, 4, true),
                r(6, false, 0, false, 4, true),
                r(7, false, 2, true, 4, true),
                r(8, true, 0, true, 4, true),
                r(9, true, 0, true, 4, true),
                r(10, true, 0, true, 4, true),
                r(11, false, 2, false, 2, true, true),
            ]
        }
        function test_visibilityOnChange(row) {
            var panel = makePanel({ isColorful: true, is55328: row.is55328 },
                                  { "mouse/lightValue": [row.e === 7 ? 6 : 7, 2, 2] })
            chooseEffect(panel, row.e)
            compare(slider(panel, "Speed").parent.visible, row.speed, "speed shown")
            compare(slider(panel, "Brightness").parent.visible, row.bright, "brightness shown")
            compare(panel.speedSlider.segmentValue, row.speedAfter, "speed step")
            compare(panel.brightnessSlider.segmentValue, row.brightAfter, "brightness step")
            compare(mask(panel).visible, row.masked, "colours masked")
            verify(panel.isSave)
        }

        function test_visibilityOnLoadKeepsStoredSteps_data() {
            return [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10].map(function (e) { return { tag: "effect " + e, e: e } })
        }
        function test_visibilityOnLoadKeepsStoredSteps(row) {
            var panel = makePanel({ isColorful: true }, { "mouse/lightValue": [row.e, 1, 3] })
            compare(panel.effect, row.e)
            compare(effectList(panel).currentSelect, row.e)
            compare([panel.speedSlider.segmentValue, panel.brightnessSlider.segmentValue], [1, 3])
            compare(slider(panel, "Speed").parent.visible, [1, 2, 5, 8, 9, 10].indexOf(row.e) >= 0)
            compare(slider(panel, "Brightness").parent.visible, [0, 4, 5, 7, 8, 9, 10].indexOf(row.e) >= 0)
            compare(mask(panel).visible, [0, 1, 4].indexOf(row.e) < 0)
            verify(!panel.isSave)
        }

        function test_fiftyEffectRules_data() {
            var rows = []
            for (var e = 0; e <= 10; ++e)
                rows.push({ tag: "effect " + e, e: e })
            return rows
        }
        function test_fiftyEffectRules(row) {
            var panel = makePanel({ isColorful: true, is571: true }, { "mouse/lightValue": [row.e === 0 ? 1 : 0, 1, 1] })
            chooseEffect(panel, row.e)
            var e = row.e
            compare(slider(panel, "Brightness").parent.visible, [1, 2, 9, 10].indexOf(e) >= 0, "brightness shown")
            compare(slider(panel, "Speed").parent.visible, [3, 4, 5, 6, 8, 10].indexOf(e) >= 0, "speed shown")
            compare([panel.speedSlider.segmentValue, panel.brightnessSlider.segmentValue], [4, 4])
            var rowShown = [2, 4, 7, 8, 10].indexOf(e) >= 0
            compare(shownBlocks(panel), rowShown ? [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11] : [], "colour row")
            compare(mask(panel).visible, [1, 2, 3, 4, 7, 8, 10].indexOf(e) < 0, "colour area masked")
            compare(panel.isFixSelected, [1, 3, 9].indexOf(e) >= 0, "the fixed colour is edited")
        }

        function test_fixedColourEditing() {
            var panel = makePanel({ isColorful: true, is571: true }, { "mouse/lightValue": [1, 0, 4] })
            verify(panel.isFixSelected)
            compare(hueBar(panel).Accessible.description, "#ff7a1a", "the controls show the fixed colour")
            typeInto(panel, "B", "255")
            compare(panel.fixColor, [255, 122, 255])
            compare(panel.blockColor(0), [255, 0, 0], "no block changes")
            chooseEffect(panel, 2)
            compare(hueBar(panel).Accessible.description, "#ff0000", "the selected block again")
        }

        function test_colourBlocksByFlags_data() {
            return [
                { tag: "single colour, 4 stages", flags: {}, dpiCount: 4, e: 0, shown: [0, 1, 2, 3] },
                { tag: "single colour, 8 stages", flags: {}, dpiCount: 8, e: 0, shown: [0, 1, 2, 3, 4, 5, 6, 7] },
                { tag: "single colour, no stage", flags: {}, dpiCount: 0, e: 0, shown: [] },
                { tag: "multi-colour, 1 stage", flags: { isColorful: true }, dpiCount: 1, e: 0,
                  shown: [0, 1, 2, 3, 4, 5, 6, 7] },
                { tag: "extra entry, other effect", flags: { is55328: true }, dpiCount: 8, e: 0, shown: [0] },
                { tag: "extra entry chosen", flags: { is55328: true }, dpiCount: 8, e: 4, shown: [0, 1, 2, 3, 4, 5, 6] },
                { tag: "multi-colour extra entry, effect 4", flags: { isColorful: true, is55328: true },
                  dpiCount: 2, e: 4, shown: [0, 1, 2, 3, 4, 5, 6] },
                { tag: "fifty-effect set, row shown", flags: { isColorful: true, is571: true }, dpiCount: 8, e: 10,
                  shown: [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11] },
            ]
        }
        function test_colourBlocksByFlags(row) {
            var panel = makePanel(row.flags, { "mouse/dpiCount": row.dpiCount, "mouse/lightValue": [row.e, 0, 0] })
            compare(shownBlocks(panel), row.shown)
            var b = block(panel, 0)
            compare(b.Accessible.name, "#ff0000")
            compare(b.color, "#ff0000")
        }

        // A colour typed and not confirmed is the colour of the block it was
        // typed for, also when another block is clicked; the effect list's
        // mark stays bound to the effect after picks.
        function test_typedColourStaysWithItsBlock() {
            var panel = makePanel()
            var f = field(panel, "B")
            f.edit()
            keySequence("ctrl+a")
            keyClick(Qt.Key_9)
            mouseClick(block(panel, 2))
            compare(panel.blockColor(0), [255, 0, 9])
            compare(f.textValue, "0")
            verify(panel.isSave)

            chooseEffect(panel, 2)
            panel.init(false, false)
            compare(effectList(panel).currentText, "Static")
        }

        function test_blockSelectionFollowsTheShownBlocks() {
            var panel = makePanel({ is55328: true }, { "mouse/lightValue": [4, 0, 0] })
            mouseClick(block(panel, 4))
            compare(panel.currentBlock, 4)
            verify(block(panel, 4).Accessible.checked)
            compare(hueBar(panel).knobX, 102, "the knob goes to the block's colour (cyan)")
            verify(!panel.isSave, "choosing a block to edit changes nothing")
            chooseEffect(panel, 0)
            compare(panel.currentBlock, 0, "a hidden block is not edited")
        }

        function test_maskSwallowsClicks() {
            var panel = makePanel({}, { "mouse/lightValue": [2, 0, 0] })
            var m = mask(panel)
            verify(m.visible)
            verify(Qt.colorEqual(m.color, "#b0000000"))
            mouseClick(block(panel, 3))
            block(panel, 3).Accessible.pressAction()
            compare(panel.currentBlock, 0)
            mouseClick(hueBar(panel), 100, 8)
            compare(panel.colorValue, shippedColours)
            verify(!panel.isSave)
        }

        function test_hueBar_data() {
            return [
                { tag: "left end", x: 0, colour: "#ff0000" },
                { tag: "first boundary", x: 34, colour: "#ffff00" },
                { tag: "second boundary", x: 68, colour: "#00ff00" },
                { tag: "past the second boundary", x: 69, colour: "#00ff07" },
                { tag: "end of the green section", x: 101, colour: "#00fff7" },
                { tag: "cyan", x: 102, colour: "#00ffff" },
                { tag: "blue", x: 136, colour: "#0000ff" },
                { tag: "magenta", x: 170, colour: "#ff00ff" },
                { tag: "last of the sections", x: 203, colour: "#ff0008" },
                { tag: "white begins", x: 204, colour: "#ffffff" },
                { tag: "right end", x: 205, colour: "#ffffff" },
            ]
        }
        function test_hueBar(row) {
            var panel = makePanel({}, { "mouse/colorValue": [1, 2, 3] })
            mouseClick(hueBar(panel), row.x, 8)
            compare(panel.colorText(panel.blockColor(0)), row.colour)
            compare(block(panel, 0).Accessible.name, row.colour)
            compare(hueBar(panel).knobX, row.x)
            compare(field(panel, "R").textValue, String(parseInt(row.colour.substr(1, 2), 16)))
            verify(panel.isSave)
        }

        function test_hueBarBlueRisesAfterGreen() {
            var panel = makePanel()
            var bar = hueBar(panel)
            var previous = -1
            for (var x = 68; x < 102; ++x) {
                mousePress(bar, x, 8)
                mouseRelease(bar, x, 8)
                var c = panel.blockColor(0)
                compare([c[0], c[1]], [0, 255])
                verify(c[2] > previous, "blue rises at " + x)
                previous = c[2]
            }
        }

        function test_hueInverse_data() {
            return [
                { tag: "red", rgb: ["255", "0", "0"], x: 0 },
                { tag: "yellow", rgb: ["255", "255", "0"], x: 34 },
                { tag: "green", rgb: ["0", "255", "0"], x: 68 },
                { tag: "cyan", rgb: ["0", "255", "255"], x: 102 },
                { tag: "blue", rgb: ["0", "0", "255"], x: 136 },
                { tag: "magenta", rgb: ["255", "0", "255"], x: 170 },
                { tag: "white", rgb: ["255", "255", "255"], x: 205 },
                { tag: "grey has no hue", rgb: ["80", "80", "80"], x: 205 },
                { tag: "pale red", rgb: ["255", "64", "64"], x: 0 },
            ]
        }
        function test_hueInverse(row) {
            var panel = makePanel({}, { "mouse/colorValue": [1, 2, 3] })
            typeInto(panel, "R", row.rgb[0])
            typeInto(panel, "G", row.rgb[1])
            typeInto(panel, "B", row.rgb[2])
            compare(panel.blockColor(0), row.rgb.map(Number), "the fields set the block's colour")
            compare(hueBar(panel).knobX, row.x)
            compare(block(panel, 0).Accessible.name, panel.colorText(row.rgb.map(Number)))
            verify(panel.isSave)
        }

        function test_hueRoundTrip() {
            var panel = makePanel()
            for (var x = 0; x < 204; ++x)
                compare(panel.hueOf(panel.hueColor(x)), x, "the knob stays where it picked its colour")
        }

        function test_colourFieldsClamp() {
            var panel = makePanel()
            typeInto(panel, "G", "999")
            compare(field(panel, "G").textValue, "255")
            compare(panel.blockColor(0), [255, 255, 0])
            typeInto(panel, "G", "")
            compare(panel.blockColor(0), [255, 0, 0])
        }

        function test_unchangedFieldIsNoChange() {
            var panel = makePanel()
            typeInto(panel, "R", "255")
            verify(!panel.isSave)
        }

        function test_saveData_data() {
            var light = [0, 1, 3]
            var fix = [255, 122, 26]
            var zeroed = shippedColours.slice()
            zeroed[21] = zeroed[22] = zeroed[23] = 0
            function stored(step, colours) {
                var s = []
                if (step !== 2)
                    s.push(["mouse/lightValue", light])
                if (step !== 1)
                    s.push(["mouse/colorValue", colours], ["mouse/fixColor", fix])
                return s
            }
            return [
                { tag: "step 0, sent", flags: {}, step: 0, send: true, stored: stored(0, shippedColours),
                  effect: [light], colour: [[1, shippedColours]], fix: [] },
                { tag: "step 1, sent", flags: {}, step: 1, send: true, stored: stored(1), effect: [light],
                  colour: [], fix: [] },
                { tag: "step 2, sent", flags: {}, step: 2, send: true, stored: stored(2, shippedColours), effect: [],
                  colour: [[1, shippedColours]], fix: [] },
                { tag: "step 0, stored only", flags: {}, step: 0, send: false, stored: stored(0, shippedColours),
                  effect: [], colour: [], fix: [] },
                { tag: "step 1, stored only", flags: {}, step: 1, send: false, stored: stored(1), effect: [],
                  colour: [], fix: [] },
                { tag: "step 2, stored only", flags: {}, step: 2, send: false, stored: stored(2, shippedColours),
                  effect: [], colour: [], fix: [] },
                { tag: "multi-colour", flags: { isColorful: true }, step: 0, send: true,
                  stored: stored(0, shippedColours), effect: [light], colour: [[0, shippedColours]], fix: [] },
                { tag: "fifty-effect set", flags: { isColorful: true, is571: true }, step: 2, send: true,
                  stored: stored(2, shippedColours), effect: [], colour: [[0, shippedColours]], fix: [[fix]] },
                { tag: "extra-entry mouse, other effect", flags: { is55328: true }, step: 2, send: true,
                  stored: stored(2, zeroed), effect: [], colour: [[1, zeroed]], fix: [] },
            ]
        }
        function test_saveData(row) {
            var panel = makePanel(row.flags)
            panel.isSave = true
            panel.saveData(row.send, row.step)
            compare(ui_View.callsOf("setDataList"), row.stored)
            compare(ui_View.callsOf("mouseSetRGBEffect"), row.effect)
            compare(ui_View.callsOf("mouseSetRGBColor"), row.colour)
            compare(ui_View.callsOf("mouseSetFixColor"), row.fix)
            compare(panel.isSave, !(row.send && row.step === 0), "only a whole send leaves nothing pending")
        }

        function test_extraEntryKeepsColourEight() {
            var zeroed = shippedColours.slice()
            zeroed[21] = zeroed[22] = zeroed[23] = 0
            var panel = makePanel({ is55328: true }, { "mouse/colorValue": zeroed, "mouse/lightValue": [0, 0, 0] })
            chooseEffect(panel, 4)
            panel.saveData(true, 0)
            compare(ui_View.callsOf("mouseSetRGBColor"), [[1, shippedColours]],
                    "colour 8, stored black by an earlier save, comes back from the default profile")
            compare(ui_View.callsOf("mouseSetRGBEffect"), [[4, 0, 0]])
        }

        function test_initWithSending() {
            var panel = makePanel({ isColorful: true, is571: true })
            ui_View.calls = []
            panel.init(true, false)
            compare(ui_View.callsOf("mouseSetRGBEffect"), [[0, 1, 3]])
            compare(ui_View.callsOf("mouseSetRGBColor"), [[0, shippedColours]])
            compare(ui_View.callsOf("mouseSetFixColor"), [[[255, 122, 26]]])
        }

        function test_storedValuesOutOfRange() {
            var panel = makePanel({}, { "mouse/lightValue": [9, 7, -2], "mouse/colorValue": [300, "x", 12],
                                        "mouse/fixColor": [] })
            compare(panel.effect, 0, "an effect this list does not hold")
            compare([panel.speedSlider.segmentValue, panel.brightnessSlider.segmentValue], [4, 0])
            compare(panel.blockColor(0), [255, 0, 12])
            compare(panel.blockColor(1), [0, 0, 0])
            compare(panel.colorValue.length, 36)
        }

        function test_restoreDefaults() {
            var panel = makePanel({ isColorful: true })
            var names = panel.effectNames
            mouseClick(tree.named(panel, Accessible.Button, "Restore defaults"))
            compare(panel.effect, 1)
            compare([panel.speedSlider.segmentValue, panel.brightnessSlider.segmentValue], [2, 4])
            compare(panel.fixColor, [0, 0, 255])
            verify(panel.isSave)
            verify(panel.effectNames === names, "the effect list is not built again")
            compare(ui_View.callsOf("mouseSetRGBEffect").length + ui_View.callsOf("setDataList").length, 0)
        }

        function test_levelSliders() {
            var panel = makePanel({ isColorful: true }, { "mouse/lightValue": [5, 1, 2] })
            var speed = slider(panel, "Speed")
            compare(speed.Accessible.description, "25%")
            speed.Accessible.increaseAction()
            compare(speed.Accessible.description, "50%")
            verify(panel.isSave)
            var bright = slider(panel, "Brightness")
            bright.value = 4
            compare(bright.valueText, "100%")
            panel.saveData(true, 1)
            compare(ui_View.callsOf("mouseSetRGBEffect"), [[5, 2, 4]])
        }

        function test_focusFromTheMask() {
            var panel = makePanel()
            mouseClick(panel.lightModel)
            verify(panel.lightModel.isDrop)
            var f = field(panel, "R")
            f.edit()
            keySequence("ctrl+a")
            keyClick(Qt.Key_0)
            panel.lightControlFocus()
            verify(!panel.lightModel.isDrop)
            verify(!f.editing)
            compare(panel.blockColor(0), [0, 0, 0], "the entry is taken")
        }
    }
}
