// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/panels"

// The assignment dialog on top of the real button list: every section sets
// the key code the mouse will get, keys are taken while the dialog waits for
// them, and Close and Back hand the result to the list.
Item {
    id: scene
    width: 1024
    height: 640

    ScreenStub { id: mainIten }
    Rectangle { id: mainMask; anchors.fill: parent; visible: false }
    KeyCodeString { id: _KeyCodeString }
    AccessibleTree { id: tree }

    Item {
        id: mouseMain
        property int selectKey: -1
        property int keyCount: 14
    }
    // The editor, as far as the dialog and the list reach it.
    Item {
        id: macroEditorMain
        visible: false
        property var sent: []
        property var macroNames: ["Jump", "Run"]
        function sendMacro(index, name) {
            sent = sent.concat([[index, name]])
        }
        function openEditor() {
            visible = true
        }
    }

    KeyMatrix {
        id: keyMatrixMain
        x: 24
        y: 88
    }
    KeyAssigment {
        id: keyAssigmentMain
    }

    property var profileData: ({})

    function dialogFrame() {
        return keyAssigmentMain
    }
    function code() {
        return [keyAssigmentMain.keyCode0, keyAssigmentMain.keyCode1, keyAssigmentMain.keyCode2,
                keyAssigmentMain.keyCode3]
    }
    function listCode(i) {
        var e = keyMatrixMain.modKeys.get(i)
        return [e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3]
    }
    function captureCalls() {
        return ui_View.callsOf("requestKeyCapture")
    }

    TestCase {
        name: "KeyAssigment"
        when: windowShown

        function section(name) {
            tree.named(keyAssigmentMain, Accessible.PageTab, name).Accessible.pressAction()
            return tree.named(keyAssigmentMain, Accessible.Pane, name)
        }
        // Presses the control of that name that is on screen (each section
        // has its own "Key Value").
        function press(name, role) {
            var found = tree.all(keyAssigmentMain, role || Accessible.RadioButton).filter(function (c) {
                return c.Accessible.name === name && c.visible
            })
            compare(found.length, 1, name + " is shown once")
            found[0].Accessible.pressAction()
        }
        function ticked() {
            return tree.all(keyAssigmentMain, Accessible.RadioButton).filter(function (c) {
                return c.visible && c.Accessible.checked
            }).map(function (c) { return c.Accessible.name })
        }

        function init() {
            ui_View.reset()
            scene.profileData = {}
            ui_View.answers = {
                getData: function (key, isRecovery) { return scene.profileData[key] },
                getNameList: function (type) { return type === 0 ? ["Jump", "Run"] : [] },
                globalCaptureAvailable: true
            }
            keyMatrixMain.restore()
            keyMatrixMain.isSave = false
            keyAssigmentMain.visible = false
            keyAssigmentMain.init()
            macroEditorMain.sent = []
            macroEditorMain.visible = false
            mainIten.isGun = true
            keyAssigmentMain.show(2)
            ui_View.calls = []
        }

        function test_shippedTexts() {
            var english = shippedLanguages.strings("keyAssigment", "English")
            compare(english, keyAssigmentMain.functions.fallback)
            var chinese = shippedLanguages.strings("keyAssigment", "ChineseSimplified")
            compare(chinese.length, english.length)
            for (var i = 0; i < chinese.length; ++i)
                verify(chinese[i] !== "" && (chinese[i] !== english[i] || /^DPI[+-]$/.test(english[i])), "entry " + i)
            keyAssigmentMain.langList = chinese
            compare(keyAssigmentMain.title, "按键 3 : Middle Key")
            verify(tree.named(keyAssigmentMain, Accessible.PageTab, "宏功能") !== null)
            compare(keyMatrixMain.keyCodeToString(0, 0, 0xF1, 0), "右键")
            keyAssigmentMain.langList = keyAssigmentMain.functions.fallback
        }

        function test_showLoadsTheButton() {
            verify(keyAssigmentMain.visible)
            compare(keyAssigmentMain.title, "Key 3 : Middle Key")
            var frame = scene.dialogFrame()
            compare(frame.Accessible.name, "Key 3 : Middle Key")
            compare(frame.x, (1024 - 560) / 2)
            compare(frame.y, (640 - 440) / 2)
            compare(keyAssigmentMain.currentSection, 0)
            verify(tree.named(keyAssigmentMain, Accessible.RadioButton, "Middle Key").Accessible.checked)

            // Re-centred on every opening, in the section of the button's kind.
            frame.x = 10
            keyAssigmentMain.show(5)
            compare(frame.x, (1024 - 560) / 2)
            compare(keyAssigmentMain.title, "Key 6 : DPI+")
            compare(keyAssigmentMain.currentSection, 7)
            verify(tree.named(keyAssigmentMain, Accessible.Pane, "DPI Function").visible)
        }

        function test_sectionsAreReachable() {
            var names = ["Mouse Function", "Fire Function", "Group Function", "Media Function",
                         "Windows Function", "Shortcut Function", "Macro Function", "DPI Function",
                         "Gun Function"]
            for (var i = 0; i < names.length; ++i) {
                var pane = section(names[i])
                verify(pane.visible, names[i])
                verify(tree.named(keyAssigmentMain, Accessible.PageTab, names[i]).Accessible.selected)
                compare(keyAssigmentMain.currentSection, i)
            }
            // Without the gun feature the gun section is not offered.
            mainIten.isGun = false
            verify(!tree.named(keyAssigmentMain, Accessible.PageTab, "Gun Function").visible)
            keyAssigmentMain.showSection(0)
            keyAssigmentMain.showSection(8)
            compare(keyAssigmentMain.currentSection, 0)
        }

        function test_fixedChoices_data() {
            return [
                { tag: "right key", section: "Mouse Function", choice: "Right Key", code: [0, 0, 0xF1, 0] },
                { tag: "double fire", section: "Mouse Function", choice: "Double Fire", code: [0, 0xF0, 0x1E, 2] },
                { tag: "volume down", section: "Media Function", choice: "Volume Down", code: [3, 0, 0xEA, 0] },
                { tag: "player", section: "Media Function", choice: "Player", code: [3, 0, 0x83, 1] },
                { tag: "my computer", section: "Windows Function", choice: "My Computer", code: [6, 0, 0x94, 1] },
                { tag: "run", section: "Windows Function", choice: "Run", code: [6, 0, 0xE3, 0x15] },
                { tag: "paste", section: "Shortcut Function", choice: "Paste", code: [7, 0, 0xE0, 0x19] },
                { tag: "select all", section: "Shortcut Function", choice: "Select All", code: [7, 0, 0xE0, 0x04] },
                { tag: "DPI loop", section: "DPI Function", choice: "DPI LOOP", code: [5, 0, 3, 0] },
                { tag: "three guns", section: "Gun Function", choice: "Three Gun", code: [8, 0, 3, 0] },
            ]
        }
        function test_fixedChoices(row) {
            section(row.section)
            press(row.choice)
            compare(scene.code(), row.code)
            compare(keyAssigmentMain.keyString, row.choice)
            verify(tree.named(keyAssigmentMain, Accessible.RadioButton, row.choice).Accessible.checked)
            compare(keyAssigmentMain.title, "Key 3 : " + row.choice)
        }

        // The marks show the code the dialog holds, however often they were
        // clicked, and each button opened shows its own choice and macro.
        function test_marksFollowTheCode() {
            press("Left Key")
            press("Right Key")
            compare(ticked(), ["Right Key"])
            keyAssigmentMain.show(5)
            compare(ticked(), ["DPI+"])

            keyAssigmentMain.show(2)
            var list = tree.named(section("Macro Function"), Accessible.ComboBox, "Macro")
            tree.all(list, Accessible.ListItem)[1].Accessible.pressAction()
            press("Macro runs endless loop until button is released")
            press("Macro runs endless loop until any button is pressed")
            compare(ticked(), ["Macro runs endless loop until any button is pressed"])
            press("Close", Accessible.Button)
            keyAssigmentMain.show(3)
            section("Macro Function")
            compare(list.currentText, "")
            compare(ticked(), ["Macro runs one-time after pressing the button"])
            keyAssigmentMain.show(2)
            compare(list.currentText, "Run")
            verify(tree.named(list, Accessible.ListItem, "Run").Accessible.selected)
        }

        function test_fireKeyWithEndlessTimes() {
            section("Fire Function")
            var times = tree.named(keyAssigmentMain, Accessible.EditableText, "Times")
            times.forceActiveFocus()
            times.text = "0"
            scene.dialogFrame().forceActiveFocus()
            verify(tree.named(keyAssigmentMain, Accessible.CheckBox, "Endless").Accessible.checked)
            compare(tree.named(keyAssigmentMain, Accessible.Slider, "Rate").Accessible.description, "10MS")

            press("Key Value", Accessible.Button)
            verify(keyAssigmentMain.isFireInput)
            compare(scene.captureCalls(), [["fireKey", true]])
            // A combination's key is not a fire key.
            keyAssigmentMain.detectKeyboard(true, 0x05, 1)
            verify(keyAssigmentMain.isFireInput)
            keyAssigmentMain.detectKeyboard(true, 0x05, 0)
            compare(scene.code(), [0x01, 0x05, 10, 0])
            compare(keyAssigmentMain.keyString, "B")
            verify(!keyAssigmentMain.isFireInput)
            compare(scene.captureCalls(), [["fireKey", true], ["fireKey", false]])
            // Later keys change nothing.
            keyAssigmentMain.detectKeyboard(true, 0x06, 0)
            compare(scene.code(), [0x01, 0x05, 10, 0])
        }

        function test_fireRateAndTimesFollowTheKey() {
            section("Fire Function")
            press("Key Value", Accessible.Button)
            // A release is a key event too.
            keyAssigmentMain.detectKeyboard(false, 0x2C, 0)
            compare(scene.code(), [0x01, 0x2C, 10, 0])
            var rate = tree.named(keyAssigmentMain, Accessible.Slider, "Rate")
            rate.value = 49
            compare(scene.code(), [0x01, 0x2C, 50, 0])
            compare(rate.Accessible.description, "50MS")
            tree.named(keyAssigmentMain, Accessible.CheckBox, "Endless").Accessible.pressAction()
            compare(scene.code(), [0x01, 0x2C, 50, 1])
            var times = tree.named(keyAssigmentMain, Accessible.EditableText, "Times")
            times.forceActiveFocus()
            times.text = "300"
            scene.dialogFrame().forceActiveFocus()
            compare(scene.code(), [0x01, 0x2C, 50, 255])

            // Opening the button again shows its rate and times.
            keyAssigmentMain.closeDialog()
            keyAssigmentMain.show(2)
            compare(keyAssigmentMain.currentSection, 1)
            compare(rate.Accessible.description, "50MS")
            compare(rate.value, 49)
            compare(times.text, "255")
            keyAssigmentMain.show(3)
            compare(rate.value, 9)
            compare(times.text, "0")
        }

        // Escape pressed as the fire key must not close the dialog.
        function test_keysWhileWaitingStayInTheDialog() {
            section("Fire Function")
            press("Key Value", Accessible.Button)
            keyPress(Qt.Key_Escape)
            keyRelease(Qt.Key_Escape)
            verify(keyAssigmentMain.visible)
            keyAssigmentMain.detectKeyboard(true, 0x29, 0)
            compare(scene.code(), [0x01, 0x29, 10, 0])
            // Once the key is taken, Escape gives the edit up.
            keyPress(Qt.Key_Escape)
            verify(!keyAssigmentMain.visible)
            verify(!mainMask.visible)
            compare(scene.listCode(2), [0, 0, 0xF2, 0])
            verify(!keyMatrixMain.isSave)
        }

        function test_combinationTakesModifiersAndTwoKeys() {
            section("Group Function")
            press("Key Value", Accessible.Button)
            compare(scene.captureCalls(), [["comboKey", true]])
            var keys = [0xE0, 0xE1, 0x04, 0x05, 0x1D]
            for (var i = 0; i < keys.length; ++i) {
                keyAssigmentMain.detectKeyboard(true, keys[i], 1)
                keyAssigmentMain.detectKeyboard(false, keys[i], 1)
            }
            compare(keyAssigmentMain.comboText, "LCtrl + LShift + A + B")
            compare(keyAssigmentMain.comboMask, 0x03)
            // Nothing changes before the tick.
            compare(scene.code(), [0, 0, 0xF2, 0])
            press("Confirm", Accessible.Button)
            compare(scene.code(), [0x02, 0x03, 0x04, 0x05])
            compare(keyAssigmentMain.keyString, "LCtrl + LShift + A + B")
            verify(!keyAssigmentMain.isComboInput)
            compare(scene.captureCalls(), [["comboKey", true], ["comboKey", false]])
        }

        function test_combinationCancelled() {
            section("Group Function")
            press("Key Value", Accessible.Button)
            keyAssigmentMain.detectKeyboard(true, 0xE2, 1)
            keyAssigmentMain.detectKeyboard(true, 0x2B, 1)
            compare(keyAssigmentMain.comboText, "LAlt + Tab")
            press("Cancel", Accessible.Button)
            compare(scene.code(), [0, 0, 0xF2, 0])
            verify(!keyAssigmentMain.isComboInput)
            // An empty combination cannot be confirmed.
            press("Key Value", Accessible.Button)
            keyAssigmentMain.confirmCombo()
            compare(scene.code(), [0, 0, 0xF2, 0])
        }

        function test_macroOnAButtonWithASlot() {
            var pane = section("Macro Function")
            var list = tree.named(pane, Accessible.ComboBox, "Macro")
            verify(list.visible)
            var entries = tree.all(list, Accessible.ListItem)
            compare(entries.length, 2)
            compare(entries[1].Accessible.name, "Run")
            press("Macro runs endless loop until button is released")
            entries[1].Accessible.pressAction()
            compare(scene.code(), [0x04, 2, 2, 0])
            compare(keyAssigmentMain.keyString, "Run")
            press("Macro runs one-time after pressing the button")
            compare(scene.code(), [0x04, 0, 2, 0])

            // Close hands it to the list, which sends the macro to slot 2 at once.
            press("Close", Accessible.Button)
            verify(!keyAssigmentMain.visible)
            verify(!mainMask.visible)
            compare(scene.listCode(2), [0x04, 0, 2, 0])
            tryCompare(macroEditorMain, "sent", [[2, "Run"]])
            compare(ui_View.callsOf("setData"), [["mouseMacroKey/2", "Run"]])
            verify(keyMatrixMain.isSave)
            compare(ui_View.callsOf("mouseSetKeyMatrix").length, 0)
        }

        // The mouse has twelve macro slots and a button's macro goes to the
        // slot of its index: from button 13 on, no macro is offered.
        function test_noMacroWhereNoSlotCarriesIt() {
            keyAssigmentMain.show(12)
            var pane = section("Macro Function")
            verify(!tree.named(pane, Accessible.ComboBox, "Macro").visible)
            verify(!tree.named(pane, Accessible.RadioButton, "Macro runs one-time after pressing the button").visible)
            var why = tree.all(pane, Accessible.StaticText).filter(function (t) { return t.visible })
            compare(why.length, 1)
            verify(why[0].Accessible.name.indexOf("12") >= 0)
            keyAssigmentMain.chooseMacro(0)
            compare(scene.code(), [0, 0, 0, 0])

            keyAssigmentMain.show(11)
            verify(tree.named(section("Macro Function"), Accessible.ComboBox, "Macro").visible)
        }

        function test_closeWithoutChangeLeavesTheList() {
            press("Close", Accessible.Button)
            verify(!keyMatrixMain.isSave)
            compare(ui_View.callsOf("setData"), [])
        }

        function test_closeWhileWaitingReleasesTheKeys() {
            section("Group Function")
            press("Key Value", Accessible.Button)
            press("Close", Accessible.Button)
            compare(scene.captureCalls(), [["comboKey", true], ["comboKey", false]])
            verify(!keyAssigmentMain.isComboInput)
        }

        function test_backRestoresTheDefault() {
            section("Shortcut Function")
            press("Copy")
            press("Close", Accessible.Button)
            compare(scene.listCode(2), [7, 0, 0xE0, 0x06])
            keyMatrixMain.isSave = false

            keyAssigmentMain.show(2)
            compare(keyAssigmentMain.currentSection, 5)
            press("Back", Accessible.Button)
            compare(scene.code(), [0, 0, 0xF2, 0])
            compare(keyAssigmentMain.keyString, "Middle Key")
            compare(scene.listCode(2), [0, 0, 0xF2, 0])
            verify(keyMatrixMain.isSave)
            compare(keyAssigmentMain.currentSection, 0)
            verify(keyAssigmentMain.visible)
        }

        function test_captureNoteWhereOnlyThisWindowIsHeard() {
            var note = "Only keys typed into this window are taken."
            var pane = section("Fire Function")
            verify(!tree.named(pane, Accessible.StaticText, note).visible)
            ui_View.answers.globalCaptureAvailable = false
            press("Key Value", Accessible.Button)
            verify(tree.named(pane, Accessible.StaticText, note).visible)
        }

        function test_macroEditorFromTheDialog() {
            press("Macro Editor", Accessible.Button)
            verify(!keyAssigmentMain.visible)
            verify(macroEditorMain.visible)
            macroEditorMain.macroNames = ["Jump", "Run", "Macro_0"]
            macroEditorMain.visible = false
            verify(keyAssigmentMain.visible)
            verify(mainMask.visible)
            compare(keyAssigmentMain.macroNames, ["Jump", "Run", "Macro_0"])
            macroEditorMain.macroNames = ["Jump", "Run"]
        }

        function test_initDropsTheSentinel() {
            ui_View.answers.getNameList = function (type) { return ["Only", "loaderquokka"] }
            keyAssigmentMain.init()
            compare(keyAssigmentMain.macroNames, ["Only"])
        }
    }
}
