// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/panels"

Item {
    id: scene
    width: 1024
    height: 640

    AccessibleTree { id: tree }
    MainStandIn { id: mainIten }
    Rectangle { id: mainMask; anchors.fill: parent; visible: false }

    SystemSetting { id: panel }

    TestCase {
        name: "SystemSetting"
        when: windowShown

        property var current: ({})
        property var english: []

        function initTestCase() {
            english = panel.langList.slice()
        }
        property var defaults: ({})

        function loadWith(profile, factory) {
            current = profile
            defaults = factory || { "mouse/mouseRate": 170, "mouse/doubleRate": 170, "mouse/scrollRate": 3 }
            ui_View.reset()
            ui_View.answers = {
                getData: function (key, isRecovery) { return (isRecovery ? defaults : current)[key] }
            }
            panel.init(false, false)
            ui_View.calls = []
        }
        function slider(name) { return tree.named(panel, Accessible.Slider, name) }
        function sent(slot) { return ui_View.callsOf(slot).map(function (args) { return args[0] }) }
        function stored(key) {
            var values = ui_View.callsOf("setData").filter(function (a) { return a[0] === key })
            return values.length ? values[values.length - 1][1] : undefined
        }

        function typeText(text) {
            for (var i = 0; i < text.length; ++i)
                keyClick(text[i])
        }

        function init() {
            panel.langList = english
            loadWith({ "mouse/mouseRate": "170", "mouse/doubleRate": "170", "mouse/scrollRate": "3" })
            panel.show()
        }

        function test_thresholdsGiveTheSteps_data() {
            return [
                { tag: "left end", position: 3, step: 0 },
                { tag: "first pixel past it", position: 4, step: 1 },
                { tag: "below 37", position: 36, step: 1 },
                { tag: "37", position: 37, step: 2 },
                { tag: "middle", position: 171, step: 5 },
                { tag: "172", position: 172, step: 6 },
                { tag: "below 305", position: 304, step: 9 },
                { tag: "305", position: 305, step: 10 },
                { tag: "right end", position: 337, step: 10 }
            ]
        }
        function test_thresholdsGiveTheSteps(row) {
            compare(panel.stepOf(row.position), row.step)
        }

        // Dragging to the ends of the track, as the screen reader's value does.
        function test_slidersEndsStoreTheirPositionsAndSendTheirSteps() {
            var speed = slider("Mouse Speed")
            verify(speed, "the speed slider is named by its label")
            speed.value = 0
            compare(stored("mouse/mouseRate"), 3)
            compare(sent("mouseSetCursorSpeed"), [0])
            speed.value = speed.maximumValue
            compare(stored("mouse/mouseRate"), 337)
            compare(sent("mouseSetCursorSpeed"), [0, 10])
            compare(speed.Accessible.description, "10")
            compare(ui_View.callsOf("mouseSetDoubleClickSpeed").length, 0, "a speed change sends only the speed")

            var doubleClick = slider("Double Click Speed")
            doubleClick.value = 0
            compare(stored("mouse/doubleRate"), 3)
            compare(sent("mouseSetDoubleClickSpeed"), [0])
            compare(ui_View.callsOf("mouseSetVerticalScrollLines").length, 0)
            // Every step stores all three values.
            compare(stored("mouse/mouseRate"), 337)
            compare(stored("mouse/scrollRate"), 3)
        }

        // Ten presses of the increase action walk through every step once.
        function test_increaseVisitsEveryStep() {
            var speed = slider("Mouse Speed")
            speed.value = 0
            ui_View.reset()
            for (var i = 0; i < 10; ++i)
                speed.Accessible.increaseAction()
            compare(sent("mouseSetCursorSpeed"), [1, 2, 3, 4, 5, 6, 7, 8, 9, 10])
        }

        function test_loadedPositionsPlaceTheKnobs() {
            loadWith({ "mouse/mouseRate": "3", "mouse/doubleRate": "337", "mouse/scrollRate": "3" })
            compare(slider("Mouse Speed").knobX, 0)
            compare(slider("Double Click Speed").knobX, 334)
            compare(slider("Double Click Speed").Accessible.description, "10")
            compare(ui_View.calls.length, 0, "loading alone sends nothing")
        }

        function test_storedScrollRateSelectsTheChoice_data() {
            return [
                { tag: "one screen", stored: "1000", oneScreen: true, rows: "3" },
                { tag: "above 100", stored: "101", oneScreen: true, rows: "3" },
                { tag: "rows", stored: "3", oneScreen: false, rows: "3" },
                { tag: "100 rows", stored: 100, oneScreen: false, rows: "100" },
                { tag: "below 1", stored: "0", oneScreen: false, rows: "1" }
            ]
        }
        function test_storedScrollRateSelectsTheChoice(row) {
            loadWith({ "mouse/mouseRate": 170, "mouse/doubleRate": 170, "mouse/scrollRate": row.stored })
            var rows = tree.named(panel, Accessible.RadioButton, "Number of Rows")
            var screen = tree.named(panel, Accessible.RadioButton, "Scroll one Screen")
            compare(screen.Accessible.checked, row.oneScreen)
            compare(rows.Accessible.checked, !row.oneScreen)
            compare(tree.named(panel, Accessible.EditableText, "Number of Rows").text, row.rows)
        }

        function test_scrollChoicesStoreAndSendLines() {
            tree.named(panel, Accessible.RadioButton, "Scroll one Screen").Accessible.pressAction()
            compare(stored("mouse/scrollRate"), 1000)
            compare(sent("mouseSetVerticalScrollLines"), [1000])
            compare(ui_View.callsOf("mouseSetCursorSpeed").length, 0)

            // Typing rows chooses rows; out-of-range entries are held to 1 .. 100.
            var entry = findChild(panel, "rowsInput")
            entry.edit()
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_Return)
            compare(stored("mouse/scrollRate"), 1)
            compare(tree.named(panel, Accessible.RadioButton, "Number of Rows").Accessible.checked, true)
            entry.edit()
            typeText("250")
            panel.systemSettingFocus()
            compare(entry.textValue, "100")
            compare(sent("mouseSetVerticalScrollLines"), [1000, 1, 100])

            // Leaving the entry unchanged sends nothing again.
            entry.edit()
            panel.systemSettingFocus()
            compare(sent("mouseSetVerticalScrollLines"), [1000, 1, 100])
        }

        function test_restoreDefaultsLoadsTheDefaultProfileStoresAndSends() {
            loadWith({ "mouse/mouseRate": "170", "mouse/doubleRate": "170", "mouse/scrollRate": "3" },
                     { "mouse/mouseRate": "37", "mouse/doubleRate": "305", "mouse/scrollRate": "1000" })
            tree.named(panel, Accessible.Button, "Restore defaults").Accessible.pressAction()
            var reads = ui_View.callsOf("getData")
            verify(reads.length >= 3)
            verify(reads.every(function (a) { return a[1] === true }), "restoring reads the default profile")
            compare(stored("mouse/mouseRate"), 37)
            compare(stored("mouse/doubleRate"), 305)
            compare(stored("mouse/scrollRate"), 1000)
            compare(sent("mouseSetCursorSpeed"), [2])
            compare(sent("mouseSetDoubleClickSpeed"), [10])
            compare(sent("mouseSetVerticalScrollLines"), [1000])
        }

        // Where the desktop does not take a setting, its heading says so.
        function test_settingsTheDesktopDoesNotTakeAreNamed() {
            function notes() {
                return tree.all(panel, Accessible.StaticText)
                           .filter(function (t) { return t.visible && t.objectName !== "languageNote" })
                           .map(function (t) { return t.Accessible.name })
            }
            compare(notes(), [])
            ui_View.answers = { getPointerSettingsApplied: [true, true, false] }
            panel.hide()
            panel.show()
            compare(notes(), ["Scroll Speed: Not applied on this desktop"])
            ui_View.answers = { getPointerSettingsApplied: [false, true, false] }
            slider("Mouse Speed").Accessible.increaseAction()
            compare(notes(), ["Mouse Speed: Not applied on this desktop", "Scroll Speed: Not applied on this desktop"])
        }

        function test_dialogIsNamedAndClosesWithTheMask() {
            compare(panel.Accessible.role, Accessible.Dialog)
            compare(panel.Accessible.name, "System Setting")
            verify(mainMask.visible)
            compare(panel.width, 480)
            compare(panel.height, 400)
            compare(panel.x, 272)
            compare(panel.y, 120)
            tree.named(panel, Accessible.Button, "Close").Accessible.pressAction()
            verify(!panel.visible)
            verify(!mainMask.visible)
        }

        function test_textsFollowTheLanguageList() {
            var texts = english.slice()
            texts[0] = "系统设置"
            texts[2] = "双击速度"
            panel.langList = texts
            compare(panel.Accessible.name, "系统设置")
            verify(slider("Mouse Speed"))
            verify(slider("双击速度"))
            verify(tree.named(panel, Accessible.RadioButton, "Scroll one Screen"))
        }
    }
}
