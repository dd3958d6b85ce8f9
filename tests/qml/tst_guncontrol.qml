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
    // The button list: saving it sends the key matrix with the fire periods.
    Item {
        id: keyMatrixMain
        property QtObject modKeys: QtObject {
            property int saves: 0
            function saveData() { saves++ }
        }
    }

    GunControl { id: panel }

    TestCase {
        name: "GunControl"
        when: windowShown

        property var table: []
        property var english: []

        function initTestCase() {
            english = panel.langList.slice()
        }

        function entryOf(i) { return table[i] }
        function load(selectGun) {
            table = [["M416", "L-Click", "10", "0", "10", "0"], ["AKM", "L-Click", "12", "0", "14", "0"],
                     ["M16A4", "L-Click", "9", "0", "9", "0"], ["SCAR-L", "L-Click", "10", "0", "11", "0"],
                     ["Thomson", "L-Click", "8", "2", "7", "3"], ["UNP9", "L-Click", "9", "0", "8", "0"]]
            ui_View.reset()
            ui_View.answers = {
                getGunData: function (i) { return table[i] || [] },
                getGlobalData: function (key) { return key === "mouse/selectGun" ? selectGun : undefined }
            }
            panel.init()
            ui_View.reset()
            keyMatrixMain.modKeys.saves = 0
            panel.show()
        }
        function row(name) { return tree.named(panel, Accessible.ListItem, name) }
        function slotEntry(name) {
            var combo = tree.named(panel, Accessible.ComboBox, "Select gun")
            return tree.named(combo, Accessible.ListItem, name)
        }
        function dot() { return tree.named(panel, Accessible.Slider, "Y axis") }
        function lastSaved() {
            var saves = ui_View.callsOf("mouseSaveGundata")
            return saves.length ? saves[saves.length - 1] : null
        }

        function typeText(text) {
            for (var i = 0; i < text.length; ++i)
                keyClick(text[i])
        }

        function init() {
            panel.langList = english
            load(["0", "1", "2"])
        }

        function test_loadsTheTableAndTheSlots() {
            load("4, 1, 2")
            compare(panel.currentEntry, 4)
            compare(findChild(panel, "yInput").textValue, "7")
            compare(findChild(panel, "timesInput").textValue, "3")
            compare(findChild(panel, "rateSlider").textValue, "8MS")
            compare(findChild(panel, "xValue").text, "2")
            verify(!findChild(panel, "endless").isSelect)
            verify(row("Thomson").Accessible.selected)
            verify(!row("M416").Accessible.selected)
            compare(panel.gunPeriods(), [8, 12, 9])

            slotEntry("Gun2").Accessible.pressAction()
            compare(panel.currentEntry, 1)
            compare(findChild(panel, "yInput").textValue, "14")
            verify(findChild(panel, "endless").isSelect, "times 0 is endless")
            compare(ui_View.calls.length, 0, "looking at the slots changes nothing")
        }

        function test_closingWithoutChangesSendsNothing() {
            slotEntry("Gun3").Accessible.pressAction()
            tree.named(panel, Accessible.Button, "Close").Accessible.pressAction()
            verify(!panel.visible)
            verify(!mainMask.visible)
            compare(ui_View.callsOf("mouseSendGundata").length, 0)
            compare(ui_View.callsOf("mouseSaveGundata").length, 0)
            compare(keyMatrixMain.modKeys.saves, 0)
        }

        function test_yPullDotAndEntryAgree() {
            compare(panel.yOfPosition(89), 0)
            compare(panel.yOfPosition(183), 64)
            compare(panel.yOfPosition(136), 32)
            compare(panel.yOfPosition(60), 0, "above the track is the top")
            for (var y = 0; y <= 64; ++y)
                compare(panel.yOfPosition(panel.positionOfY(y)), y, "the dot placed for Y gives Y back")
        }

        function test_draggingTheDotStoresY() {
            var d = findChild(panel, "pullDot")
            compare(d.position, panel.positionOfY(10))
            // Drag far below the track: the dot stops at its end.
            mouseDrag(d, d.width / 2, d.height / 2, 0, 200)
            compare(d.position, 183)
            compare(findChild(panel, "yInput").textValue, "64")
            compare(lastSaved(), [0, ["M416", "L-Click", "10", "0", "64", "0"]])
            verify(panel.isSave)
            mouseDrag(d, d.width / 2, d.height / 2, 0, -47)
            compare(d.position, 136)
            compare(dot().Accessible.description, "32")
        }

        function test_yThroughTheScreenReaderAndTheEntry() {
            dot().value = 30
            compare(lastSaved()[1][4], "30")
            compare(findChild(panel, "pullDot").position, panel.positionOfY(30))
            dot().Accessible.increaseAction()
            compare(lastSaved()[1][4], "31")
            var entry = findChild(panel, "yInput")
            entry.edit()
            typeText("99")
            keyClick(Qt.Key_Return)
            compare(entry.textValue, "64", "Y is held to 0 .. 64")
            compare(lastSaved()[1][4], "64")
        }

        function test_rateTimesAndEndless() {
            var rate = tree.named(panel, Accessible.Slider, "Rate")
            // A step of the knob is a millisecond.
            rate.Accessible.increaseAction()
            compare(findChild(panel, "rateSlider").textValue, "11MS")
            compare(lastSaved()[1][2], "11")
            rate.value = 0
            compare(findChild(panel, "rateSlider").textValue, "5MS")
            compare(lastSaved()[1][2], "5")
            rate.value = rate.maximumValue
            compare(findChild(panel, "rateSlider").textValue, "91MS")
            compare(lastSaved()[1][2], "91")
            compare(panel.gunPeriods()[0], 91)

            var times = findChild(panel, "timesInput")
            times.edit()
            typeText("300")
            keyClick(Qt.Key_Return)
            compare(lastSaved()[1][5], "255")
            var endless = tree.named(panel, Accessible.CheckBox, "Endless")
            verify(!endless.Accessible.checked)
            endless.Accessible.pressAction()
            compare(lastSaved()[1][5], "0")
            compare(times.textValue, "0")
            endless.Accessible.pressAction()
            compare(lastSaved()[1][5], "1", "unticked is one shot, not endless")
        }

        // Y, Times and a name typed and not confirmed are stored for the entry
        // they were typed for when another slot or entry is shown.
        function test_typedEditsStayWithTheirEntry() {
            var y = findChild(panel, "yInput")
            y.edit()
            typeText("33")
            slotEntry("Gun2").Accessible.pressAction()
            compare(lastSaved(), [0, ["M416", "L-Click", "10", "0", "33", "0"]])
            compare(y.textValue, "14")

            var times = findChild(panel, "timesInput")
            times.edit()
            typeText("4")
            row("Thomson").Accessible.pressAction()
            compare(lastSaved(), [1, ["AKM", "L-Click", "12", "0", "14", "4"]])
            compare(times.textValue, "3")

            mouseDoubleClickSequence(row("UNP9"), 100, 20)
            typeText("UNP9 S")
            slotEntry("Gun1").Accessible.pressAction()
            verify(row("UNP9 S"))
            compare(ui_View.callsOf("modifyGundata").length, 1)
        }

        // An entry picked in the list goes into the chosen slot; closing then
        // sends all three slots and the key matrix.
        function test_pickingAnEntryThenClosingSendsTheSlots() {
            slotEntry("Gun2").Accessible.pressAction()
            row("Thomson").Accessible.pressAction()
            compare(ui_View.callsOf("setGlobalData"), [["mouse/selectGun", [0, 4, 2]]])
            verify(row("Thomson").Accessible.selected)
            verify(panel.isSave)
            compare(panel.gunPeriods(), [10, 8, 9])
            tree.named(panel, Accessible.Button, "Close").Accessible.pressAction()
            compare(ui_View.callsOf("mouseSendGundata"), [[1, [0, 0, 10]], [2, [3, 2, 7]], [3, [0, 0, 9]]])
            compare(keyMatrixMain.modKeys.saves, 1)
            verify(!panel.isSave)
        }

        // Disabled (the mouse busy), neither the list nor the Y dot takes
        // a screen reader's action.
        function test_disabledTakesNoAccessibleAction() {
            panel.enabled = false
            row("Thomson").Accessible.pressAction()
            dot().Accessible.increaseAction()
            panel.enabled = true
            compare(ui_View.callsOf("setGlobalData").concat(ui_View.callsOf("mouseSaveGundata")), [])
            verify(!panel.isSave)
        }

        function test_resetDataStoresAndSendsTheFactorySlots() {
            load(["5", "4", "3"])
            panel.resetData()
            compare(ui_View.callsOf("setGlobalData"), [["mouse/selectGun", [0, 1, 2]]])
            compare(ui_View.callsOf("mouseSaveGundata"), [[0, ["M416", "L-Click", "9", "0", "5", "0"]],
                                                         [1, ["AKM", "L-Click", "9", "0", "7", "0"]],
                                                         [2, ["M16A4", "L-Click", "9", "0", "8", "0"]]])
            compare(ui_View.callsOf("mouseSendGundata"), [[1, [0, 0, 5]], [2, [0, 0, 7]], [3, [0, 0, 8]]])
            verify(!panel.isSave)
            compare(panel.gunPeriods(), [9, 9, 9])
        }

        // Names key the gun table next to the positions "0", "1", ...
        function test_refusedNames_data() {
            return [
                { tag: "empty", name: "" },
                { tag: "blank", name: "   " },
                { tag: "position 0", name: "0" },
                { tag: "position 5", name: "5" },
                { tag: "another number", name: "17" },
                { tag: "slash", name: "AK/47" },
                { tag: "another entry's name", name: "AKM" }
            ]
        }
        function test_refusedNames(row) {
            verify(!panel.rename(0, row.name))
            compare(panel.gunModel.get(0).gunName, "M416")
            compare(ui_View.callsOf("modifyGundata").length, 0)
            compare(ui_View.callsOf("mouseSaveGundata").length, 0)
            compare(ui_View.callsOf("updataNameList").length, 0)
            verify(findChild(panel, "notice").visible)
        }

        function test_storeRefusalKeepsTheName() {
            ui_View.answers = { modifyGundata: false }
            verify(!panel.rename(0, "Custom"))
            compare(panel.gunModel.get(0).gunName, "M416")
            compare(ui_View.callsOf("mouseSaveGundata").length, 0)
        }

        function test_renameByDoubleClickAndKeys() {
            var target = row("AKM")
            mouseDoubleClickSequence(target, 100, 20)
            typeText("0")
            keyClick(Qt.Key_Return)
            compare(panel.gunModel.get(1).gunName, "AKM", "a position key is refused on screen")
            compare(ui_View.callsOf("modifyGundata").length, 0)

            mouseDoubleClickSequence(row("AKM"), 100, 20)
            typeText("AK Custom")
            keyClick(Qt.Key_Return)
            compare(ui_View.callsOf("modifyGundata"), [[1, ["AK Custom", "L-Click", "12", "0", "14", "0", "AKM"]]])
            compare(ui_View.callsOf("mouseSaveGundata"), [[1, ["AK Custom", "L-Click", "12", "0", "14", "0"]]])
            compare(ui_View.callsOf("updataNameList"),
                    [[1, ["M416", "AK Custom", "M16A4", "SCAR-L", "Thomson", "UNP9"]]])
            verify(row("AK Custom"))
            verify(!findChild(panel, "notice").visible)

            // Moving to another control ends the edit with the new name.
            mouseDoubleClickSequence(row("UNP9"), 100, 20)
            typeText("UNP9 S")
            findChild(panel, "yInput").edit()
            verify(row("UNP9 S"))
            compare(ui_View.callsOf("modifyGundata").length, 2)
        }

        function test_accessibleControls() {
            compare(panel.Accessible.role, Accessible.Dialog)
            compare(panel.Accessible.name, "Gun editor")
            var combo = tree.named(panel, Accessible.ComboBox, "Select gun")
            verify(combo)
            compare(tree.all(combo, Accessible.ListItem).map(function (e) { return e.Accessible.name }),
                    ["Gun1", "Gun2", "Gun3"])
            compare(dot().maximumValue, 64)
            verify(tree.named(panel, Accessible.EditableText, "Y axis"))
            verify(tree.named(panel, Accessible.EditableText, "Times"))
            compare(tree.all(panel, Accessible.ListItem).length, 6 + 3)
            var texts = english.slice()
            texts[0] = "枪械编辑"
            texts[2] = "选择枪械"
            texts[14] = "%1号枪"
            panel.langList = texts
            compare(panel.Accessible.name, "枪械编辑")
            var combo = tree.named(panel, Accessible.ComboBox, "选择枪械")
            verify(combo, "the combo box is named by its label")
            verify(tree.named(combo, Accessible.ListItem, "1号枪"))
        }
    }
}
