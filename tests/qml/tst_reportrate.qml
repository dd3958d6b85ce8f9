// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/panels"

// The report-rate selector: the list index is what the profile stores, the
// report interval in ms is what the mouse gets.
Item {
    id: scene
    width: 400
    height: 300

    // What the selector takes from the main screen.
    Item {
        id: mainIten
        property var mainLang: ["", "", "", "Report Rate"]
        property string uiFontFamily: "sans-serif"
        property int fontNormalSize: 12
        property color colorGray2: "#969696"
        property color colorOrange: "#cf3e00"
        property url sourceDropBtn
        property url sourceDropBtnU
        property int focusCalls: 0
        function mainFocus() { focusCalls++ }
    }

    ReportRate {
        id: reportRateRect
        x: 20
        y: 20
    }

    AccessibleTree { id: tree }

    TestCase {
        name: "ReportRate"
        when: windowShown

        property var stored: undefined

        function init() {
            ui_View.reset()
            stored = undefined
            ui_View.answers = { getData: function(key, isRecovery) { return key === "mouse/reportRate" ? stored : "wrong key" } }
            reportRateRect.rateIndex = 0
        }
        function list() {
            return tree.named(reportRateRect, Accessible.ComboBox, "Report Rate")
        }

        function test_choosingStoresTheIndexAndSendsTheInterval_data() {
            return [
                { tag: "125Hz", index: 0, rate: 8 },
                { tag: "250Hz", index: 1, rate: 4 },
                { tag: "500Hz", index: 2, rate: 2 },
                { tag: "1000Hz", index: 3, rate: 1 },
            ]
        }
        function test_choosingStoresTheIndexAndSendsTheInterval(row) {
            tree.named(list(), Accessible.ListItem, row.tag).Accessible.pressAction()
            compare(ui_View.callsOf("setData"), [["mouse/reportRate", row.index]])
            compare(ui_View.callsOf("mouseSetReportRate"), [[row.rate]])
            compare(list().currentText, row.tag)
        }

        function test_choosingWithTheMouse() {
            var field = list()
            mouseClick(field)
            compare(mainIten.focusCalls > 0, true)   // other lists close first
            tryCompare(findChild(field, "listBox"), "height", 4 * 24 + 2)
            mouseClick(field, 60, 24 + 1 + 2 * 24 + 12)   // the third entry
            compare(ui_View.callsOf("setData"), [["mouse/reportRate", 2]])
            compare(ui_View.callsOf("mouseSetReportRate"), [[2]])
            verify(!field.isDrop)
        }

        // The stored index is selected; only init(true) sends it. What is no
        // index of the list shows as 1000 Hz, which is what it sends.
        function test_init_data() {
            return [
                { tag: "stored 0", stored: "0", shown: "125Hz", rate: 8 },
                { tag: "stored 2", stored: "2", shown: "500Hz", rate: 2 },
                { tag: "stored 3", stored: 3, shown: "1000Hz", rate: 1 },
                { tag: "beyond the list", stored: "7", shown: "1000Hz", rate: 1 },
                { tag: "negative", stored: "-1", shown: "1000Hz", rate: 1 },
                { tag: "not a number", stored: "fast", shown: "1000Hz", rate: 1 },
                { tag: "missing", stored: undefined, shown: "1000Hz", rate: 1 },
            ]
        }
        function test_init(row) {
            stored = row.stored
            reportRateRect.init(false)
            compare(list().currentText, row.shown)
            compare(ui_View.callsOf("getData"), [["mouse/reportRate", false]])
            compare(ui_View.callsOf("mouseSetReportRate"), [])
            compare(ui_View.callsOf("setData"), [])

            reportRateRect.init(true)
            compare(list().currentText, row.shown)
            compare(ui_View.callsOf("mouseSetReportRate"), [[row.rate]])
            compare(ui_View.callsOf("setData"), [])
        }

        // A disabled selector (input blocked) ignores presses from the
        // accessibility bus too.
        function test_disabledIgnoresPresses() {
            reportRateRect.enabled = false
            tree.named(list(), Accessible.ListItem, "500Hz").Accessible.pressAction()
            list().Accessible.pressAction()
            reportRateRect.enabled = true
            compare(ui_View.calls, [])
            compare(list().currentSelect, 0)
            verify(!list().isDrop)
        }
    }
}
