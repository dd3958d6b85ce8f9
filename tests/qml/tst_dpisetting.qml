// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/panels"

Item {
    id: scene
    width: 300
    height: 300

    DpiLightHost { id: mainIten }
    AccessibleTree { id: tree }

    Component {
        id: panelComponent
        DpiSetting {}
    }

    TestCase {
        name: "DpiSetting"
        when: windowShown

        // The stores as the panel reads them: the current and the default
        // profile and the application configuration.
        property var profile: ({})
        property var defaults: ({})
        property var config: ({})

        function answer(store, key) {
            return key in store ? store[key] : undefined
        }
        function makePanel(profileValues, configValues, defaultValues) {
            profile = Object.assign({ "mouse/dpiCount": 8, "mouse/currentDpiCount": 4,
                "mouse/dpiValueArray": [400, 800, 1600, 3200, 4000, 4800, 5600, 6000] }, profileValues || {})
            config = Object.assign({ "mouse/minDPI": 200, "mouse/maxDPI": 6000, "mouse/sensorType": "3389",
                "mouse/dpiBase": 50 }, configValues || {})
            defaults = Object.assign({ "mouse/dpiValueArray": [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000] },
                defaultValues || {})
            ui_View.reset()
            ui_View.answers = {
                getData: function (key, rec) { return answer(rec ? defaults : profile, key) },
                getDataList: function (key, rec) { var v = answer(rec ? defaults : profile, key); return v === undefined ? [] : v },
                getGlobalData: function (key) { return answer(config, key) },
            }
            var panel = createTemporaryObject(panelComponent, scene)
            mainIten.panels = [panel]
            panel.init(false, false)
            waitForRendering(panel)
            return panel
        }
        function stage(panel, i) {
            return tree.named(panel, Accessible.Slider, "Stage " + (i + 1))
        }
        function knob(panel, i) {
            return findChild(stage(panel, i), "knob")
        }
        function shownStages(panel) {
            var shown = []
            for (var i = 0; i < 8; ++i)
                if (stage(panel, i).visible)
                    shown.push(i)
            return shown
        }
        // Drags stage i's knob, taken at its centre, to knob position p.
        function dragKnob(panel, i, p) {
            var k = knob(panel, i)
            var s = stage(panel, i)
            mousePress(s, s.width / 2, k.y + 6)
            mouseMove(s, s.width / 2, 170 - p)
            verify(!panel.isSave, "nothing counts as changed before the release")
            mouseRelease(s, s.width / 2, 170 - p)
        }

        function test_dragMapsPositionToDpi_data() {
            return [
                { tag: "lowest position", p: 3, dpi: 200 },
                { tag: "highest position", p: 161, dpi: 6000 },
                { tag: "middle", p: 82, dpi: 3100 },
                { tag: "one above the lowest", p: 4, dpi: 200 },
                { tag: "cut down to the step", p: 100, dpi: 3750 },
                { tag: "beyond the top", p: 190, dpi: 6000 },
                { tag: "below the bottom", p: -20, dpi: 200 },
                { tag: "other range", p: 82, dpi: 8000, min: 100, max: 16000, base: 100 },
                { tag: "range not a multiple of the step", p: 161, dpi: 6350, min: 200, max: 6390, base: 50 },
            ]
        }
        function test_dragMapsPositionToDpi(row) {
            var panel = makePanel({}, row.min ? { "mouse/minDPI": row.min, "mouse/maxDPI": row.max,
                                                  "mouse/dpiBase": row.base } : {})
            dragKnob(panel, 1, row.p)
            compare(panel.dpiValueArray[1], row.dpi)
            compare(stage(panel, 1).value, row.dpi, "the bus reads the DPI shown")
            verify(panel.isSave)
            compare(panel.dpiValueArray[0], 400, "the other stages stay")
            compare(ui_View.callsOf("mouseSetDpi").length, 0, "a drag sends nothing")
        }

        function test_pressOnTrackMovesTheKnobThere() {
            var panel = makePanel()
            mouseClick(stage(panel, 2), 10, 170 - 161)
            compare(panel.dpiValueArray[2], 6000)
            verify(panel.isSave)
        }

        function test_initPlacesStoredValues() {
            var panel = makePanel({ "mouse/dpiValueArray": [200, 3100, 6000, 7000, 100, "x", 1234] })
            compare(knob(panel, 0).y, 161, "the lowest value sits at position 3")
            compare(knob(panel, 1).y, 82, "3100 at position 82")
            compare(knob(panel, 2).y, 3, "the highest at position 161")
            compare(panel.dpiValueArray, [200, 3100, 6000, 6000, 200, 4000, 1234, 6000],
                    "out of range held at the ends; unreadable or missing entries keep their values")
            compare(panel.sensorType, "3389")
            verify(!panel.isSave)
            compare(ui_View.callsOf("mouseSetDpi").length + ui_View.callsOf("setDataList").length, 0)
        }

        function test_stageCountList() {
            var panel = makePanel({ "mouse/dpiCount": 6, "mouse/currentDpiCount": 3 })
            var list = tree.named(panel, Accessible.ComboBox, "DPI stages")
            verify(list === panel.dpiSegment)
            compare(list.count, 6, "the list offers as many stages as the mouse has")
            compare(list.currentText, "3")
            compare(shownStages(panel), [0, 1, 2])

            tree.named(list, Accessible.ListItem, "5").Accessible.pressAction()
            compare(panel.currentDpiCount, 5)
            compare(shownStages(panel), [0, 1, 2, 3, 4])
            verify(panel.isSave)

            panel.saveData(true)
            compare(ui_View.callsOf("setData"), [["mouse/currentDpiCount", 5]])
            compare(ui_View.callsOf("mouseSetDpi"), [[5, "3389", [400, 800, 1600, 3200, 4000, 4800, 5600, 6000]]])
            verify(!panel.isSave)
        }

        function test_openListClosesOthers() {
            var panel = makePanel()
            var count = mainIten.mainFocusCount
            mouseClick(panel.dpiSegment)
            compare(mainIten.mainFocusCount, count + 1)
            verify(panel.dpiSegment.isDrop, "the main screen's focus call does not close the list being opened")
            mouseClick(panel.dpiSegment)
            verify(!panel.dpiSegment.isDrop)
        }

        function test_countsOutOfRange_data() {
            return [
                { tag: "more stages than sliders", dpiCount: 12, current: 9, entries: 8, shown: 8 },
                { tag: "no stage in use", dpiCount: 8, current: 0, entries: 8, shown: 1 },
                { tag: "more in use than the mouse has", dpiCount: 4, current: 7, entries: 4, shown: 4 },
                { tag: "nothing stored", dpiCount: undefined, current: undefined, entries: 4, shown: 4 },
            ]
        }
        function test_countsOutOfRange(row) {
            var panel = makePanel({ "mouse/dpiCount": row.dpiCount, "mouse/currentDpiCount": row.current })
            compare(panel.dpiSegment.count, row.entries)
            compare(shownStages(panel).length, row.shown)
            compare(panel.dpiSegment.currentSelect, row.shown - 1)
        }

        function test_currentStageIsOrange() {
            var panel = makePanel()
            panel.currentDPI = 2
            for (var i = 0; i < 4; ++i) {
                compare(knob(panel, i).source, i === 2 ? mainIten.sourcedpiSetting1 : mainIten.sourcedpiSetting0)
                compare(stage(panel, i).Accessible.description, i === 2 ? "current stage" : "")
            }
            // The mouse's own DPI button, through the main screen.
            panel.currentDPI = 0
            compare(knob(panel, 0).source, mainIten.sourcedpiSetting1)
            compare(knob(panel, 2).source, mainIten.sourcedpiSetting0)
            panel.currentDPI = -1
            compare(knob(panel, 0).source, mainIten.sourcedpiSetting0)
        }

        function test_accessibleSlider() {
            var panel = makePanel()
            var s = stage(panel, 3)
            compare(s.value, 3200)
            compare([s.minimumValue, s.maximumValue, s.stepSize], [200, 6000, 50])

            s.Accessible.increaseAction()
            compare(panel.dpiValueArray[3], 3250)
            verify(panel.isSave)
            s.Accessible.decreaseAction()
            s.Accessible.decreaseAction()
            compare(s.value, 3150)

            // Set from outside: placed as a drag would, then released.
            panel.isSave = false
            s.value = 4321
            compare(panel.dpiValueArray[3], 4300)
            compare(s.value, 4300, "the value settles on what the slider shows")
            verify(panel.isSave)
            s.value = 9000
            compare(s.value, 6000)
            // Disabled (the mouse busy), the bus moves no stage.
            panel.isSave = false
            panel.enabled = false
            s.Accessible.increaseAction()
            s.value = 1000
            compare([s.value, panel.isSave], [6000, false])
            panel.enabled = true

            s.forceActiveFocus()
            keyClick(Qt.Key_Home)
            compare(s.value, 200)
            keyClick(Qt.Key_Down)
            compare(s.value, 200, "held at the lowest")
            keyClick(Qt.Key_Up)
            compare(s.value, 250)
        }

        function test_saveAndSend() {
            var panel = makePanel()
            dragKnob(panel, 0, 82)
            panel.saveData(false)
            var values = [3100, 800, 1600, 3200, 4000, 4800, 5600, 6000]
            compare(ui_View.callsOf("setDataList"), [["mouse/dpiValueArray", values]])
            compare(ui_View.callsOf("setData"), [["mouse/currentDpiCount", 4]])
            compare(ui_View.callsOf("mouseSetDpi").length, 0)
            verify(panel.isSave, "stored but not sent")

            ui_View.calls = []
            panel.init(true, false)
            compare(ui_View.callsOf("mouseSetDpi"), [[4, "3389", [400, 800, 1600, 3200, 4000, 4800, 5600, 6000]]],
                    "a load with sending sends what the profile holds")
            compare(ui_View.callsOf("setDataList").length, 1)
        }

        function test_restoreDefaults() {
            var panel = makePanel({ "mouse/currentDpiCount": 2 })
            ui_View.calls = []
            var button = tree.named(panel, Accessible.Button, "Restore defaults")
            mouseClick(button)
            compare(panel.dpiValueArray, [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000])
            compare(panel.currentDpiCount, 2, "the stage count is not a default to restore")
            compare(panel.dpiSegment.count, 8)
            verify(panel.isSave)
            compare(ui_View.callsOf("getDataList"), [["mouse/dpiValueArray", true]])
            compare(ui_View.callsOf("getData").length, 0, "the current profile is not read")
            compare(ui_View.callsOf("mouseSetDpi").length + ui_View.callsOf("setDataList").length, 0,
                    "nothing is stored or sent before Save")
        }

        function test_emptyRangeKeepsTheSliders() {
            var panel = makePanel({}, { "mouse/minDPI": 800, "mouse/maxDPI": 800, "mouse/dpiBase": 0 })
            compare([panel.minDPI, panel.maxDPI, panel.dpiBase], [200, 6000, 50])
            dragKnob(panel, 0, 82)
            compare(panel.dpiValueArray[0], 3100)
        }

        function test_languageList() {
            var panel = makePanel()
            compare(panel.Accessible.name, "DPI")
            panel.langList = ["点数", ""]
            compare(panel.Accessible.name, "点数")
            compare(panel.text(1), "Stages", "a position the language file leaves empty keeps its English text")
        }
    }
}
