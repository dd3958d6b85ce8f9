// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/panels"

// The button list: loading and saving the sixteen key codes, the display
// texts of every kind, the last left button, the restore button and the
// reactions to the macro editor's signals.
Item {
    id: scene
    width: 1024
    height: 640

    ScreenStub { id: mainIten }
    Rectangle { id: mainMask; anchors.fill: parent; visible: false }
    KeyCodeString { id: _KeyCodeString }
    AccessibleTree { id: tree }

    // The peers the list calls, recording what they were asked.
    Item {
        id: mouseMain
        property int selectKey: -1
        property int keyCount: 8
    }
    Item {
        id: keyAssigmentMain
        visible: false
        property var shown: []
        property var langList: []
        function show(index) {
            shown = shown.concat([index])
            visible = true
        }
    }
    Item {
        id: macroEditorMain
        property var sent: []
        function sendMacro(index, name) {
            sent = sent.concat([[index, name]])
            ui_View.mouseSendMacroData([], index)
        }
    }

    KeyMatrix {
        id: keyMatrixMain
        x: 24
        y: 88
    }

    // Profile contents the view double answers from.
    property var current: ({})
    property var defaults: ({})
    property var profileData: ({})

    function codes(list) {
        var out = []
        for (var i = 0; i < 16; ++i)
            out.push(list[i] || [0, 0, 0, 0])
        return out
    }
    function load(currentRows, defaultRows, data) {
        current = currentRows
        defaults = defaultRows
        profileData = data || {}
        ui_View.reset()
        ui_View.answers = {
            mouseGetKeydefine: function (i, isRecovery) {
                var row = (isRecovery ? scene.defaults : scene.current)[i]
                // The store hands numbers back as texts after a reload.
                return row === undefined ? [] : row.map(String)
            },
            getData: function (key, isRecovery) { return scene.profileData[key] },
            getGlobalData: function (key) { return key === "mouse/selectGun" ? ["4", "0", "2"] : undefined },
            getGunData: function (position) {
                return ["Gun" + position, "L-Click", String(10 + position), "0", "10", "0"]
            }
        }
        keyMatrixMain.init(false, false)
        ui_View.calls = []
    }
    readonly property var shipped: [
        [0, 0, 0xF0, 0], [0, 0, 0xF1, 0], [0, 0, 0xF2, 0], [0, 0, 0xF4, 0], [0, 0, 0xF3, 0],
        [5, 0, 1, 0], [5, 0, 2, 0], [0, 0xF0, 0x1E, 2], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0],
        [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0xFF, 0, 1, 0], [0xFF, 0, 2, 0]
    ]
    function withRow(rows, index, code) {
        var copy = rows.slice()
        copy[index] = code
        return copy
    }
    function entry(i) {
        var e = keyMatrixMain.modKeys.get(i)
        return [e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3]
    }

    TestCase {
        name: "KeyMatrix"
        when: windowShown

        function init() {
            scene.load(scene.shipped, scene.shipped)
            keyMatrixMain.isSave = false
            keyAssigmentMain.shown = []
            keyAssigmentMain.visible = false
            macroEditorMain.sent = []
            mouseMain.selectKey = -1
            mouseMain.keyCount = 8
            mainMask.visible = false
            keyAssigmentMain.langList = []
            keyMatrixMain.enabled = true
            hid.busy = false
        }

        function test_keyCodeToString_data() {
            return [
                { tag: "left", code: [0, 0, 0xF0, 0], text: "Left Key" },
                { tag: "middle", code: [0, 0, 0xF2, 0], text: "Middle Key" },
                { tag: "right", code: [0, 0, 0xF1, 0], text: "Right Key" },
                { tag: "forward", code: [0, 0, 0xF4, 0], text: "Forward Key" },
                { tag: "back", code: [0, 0, 0xF3, 0], text: "Back Key" },
                { tag: "double click", code: [0, 0xF0, 0x1E, 2], text: "Double Fire" },
                { tag: "fire", code: [1, 0x05, 10, 0], text: "B" },
                { tag: "combination", code: [2, 0x03, 0x04, 0x05], text: "LCtrl+LShift+A+B" },
                { tag: "combination, right Win only", code: [2, 0x80, 0, 0], text: "RWin" },
                { tag: "single key", code: [2, 0, 0x2C, 0], text: "Space" },
                { tag: "multimedia", code: [3, 0, 0xE9, 0], text: "Volume Up" },
                { tag: "player", code: [3, 0, 0x83, 1], text: "Player" },
                { tag: "multimedia not offered", code: [3, 0, 0x99, 0], text: "" },
                { tag: "windows", code: [6, 0, 0xE3, 7], text: "Show Desktop" },
                { tag: "windows maximise", code: [6, 4, 0x2C, 0x1B], text: "Maximize" },
                { tag: "shortcut", code: [7, 0, 0xE0, 0x06], text: "Copy" },
                { tag: "macro", code: [4, 1, 3, 0], text: "Jump" },
                { tag: "DPI+", code: [5, 0, 1, 0], text: "DPI+" },
                { tag: "sniper", code: [5, 0, 4, 0], text: "Sniper Key" },
                { tag: "gun", code: [8, 0, 2, 0], text: "Two Gun" },
                { tag: "default of button 15", code: [0xFF, 0, 1, 0], text: "" },
                { tag: "unknown kind", code: [9, 1, 2, 3], text: "" },
            ]
        }
        function test_keyCodeToString(row) {
            scene.profileData = { "mouseMacroKey/3": "Jump" }
            var c = row.code
            compare(keyMatrixMain.keyCodeToString(c[0], c[1], c[2], c[3]), row.text)
        }

        // The labels come from the dialog's language list; positions the
        // list leaves empty keep the English text.
        function test_keyCodeToStringFollowsTheLanguage() {
            var lang = []
            lang[11] = "左键"
            lang[13] = ""
            keyAssigmentMain.langList = lang
            compare(keyMatrixMain.keyCodeToString(0, 0, 0xF0, 0), "左键")
            compare(keyMatrixMain.keyCodeToString(0, 0, 0xF1, 0), "Right Key")
        }

        // The shipped language files fill the list position by position.
        function test_shippedTexts() {
            var english = shippedLanguages.strings("keyMatrix", "English")
            compare(english, keyMatrixMain.fallbackLang)
            var chinese = shippedLanguages.strings("keyMatrix", "ChineseSimplified")
            compare(chinese.length, english.length)
            for (var i = 0; i < chinese.length; ++i)
                verify(chinese[i] !== "" && chinese[i] !== english[i], "entry " + i)
            keyMatrixMain.langList = chinese
            compare(tree.named(keyMatrixMain, Accessible.Button, "按键 2").label, "按键 2")
            compare(keyMatrixMain.Accessible.name, "按键设置")
            keyMatrixMain.langList = keyMatrixMain.fallbackLang
        }

        function test_initLoadsBothAssignments() {
            var mine = scene.withRow(scene.shipped, 2, [2, 1, 0x04, 0])
            scene.load(mine, scene.shipped)
            compare(scene.entry(2), [2, 1, 0x04, 0])
            compare(keyMatrixMain.modKeys.get(2).keyText, "LCtrl+A")
            var d = keyMatrixMain.modKeys_tmp.get(2)
            compare([d.keyCode0, d.keyCode1, d.keyCode2, d.keyCode3], [0, 0, 0xF2, 0])
            compare(d.keyText, "Middle Key")
            compare(keyMatrixMain.modKeys.count, 16)
            compare(keyMatrixMain.modKeys_tmp.count, 16)
        }

        function test_initSendsOnlyWhenAsked() {
            ui_View.answers.mouseGetKeydefine = function (i, rec) { return scene.shipped[i] }
            keyMatrixMain.init(false, false)
            compare(ui_View.callsOf("mouseSetKeyMatrix").length, 0)
            keyMatrixMain.isSave = true
            keyMatrixMain.init(true, false)
            var sent = ui_View.callsOf("mouseSetKeyMatrix")
            compare(sent.length, 1)
            compare(sent[0][0].length, 64)
            compare(sent[0][1], true)
            verify(!keyMatrixMain.isSave, "what was sent is no longer unsaved")
        }

        function test_initFromTheDefaultProfile() {
            var mine = scene.withRow(scene.shipped, 0, [1, 4, 20, 0])
            scene.load(mine, scene.shipped)
            ui_View.answers.mouseGetKeydefine = function (i, rec) { return (rec ? scene.shipped : mine)[i] }
            keyMatrixMain.init(false, true)
            compare(scene.entry(0), [0, 0, 0xF0, 0])
        }

        // A button the profile lacks keeps what the list holds.
        function test_missingStoredButtonKeepsItsCode() {
            var rows = scene.shipped.slice()
            rows[3] = undefined
            scene.load(rows, scene.shipped)
            compare(scene.entry(3), [0, 0, 0xF4, 0])
            compare(keyMatrixMain.modKeys.get(3).keyText, "Forward Key")
        }

        function test_saveDataSendsAllButtonsAndTheGunPeriods() {
            var mine = scene.withRow(scene.shipped, 2, [8, 0, 2, 0])
            scene.load(mine, scene.shipped)
            keyMatrixMain.modKeys.saveData()
            var sent = ui_View.callsOf("mouseSetKeyMatrix")
            compare(sent.length, 1)
            var list = sent[0][0]
            compare(list.length, 64)
            compare(list.slice(0, 12), [0, 0, 0xF0, 0, 0, 0, 0xF1, 0, 8, 0, 2, 0])
            compare(list.slice(56, 64), [0xFF, 0, 1, 0, 0xFF, 0, 2, 0])
            // Slots 1 .. 3 use gun-table entries 4, 0 and 2.
            compare(sent[0][2], [14, 10, 12])
        }

        function test_rowsByKeyCount() {
            var rows = tree.all(keyMatrixMain, Accessible.Button).filter(function (b) {
                return b.Accessible.name.indexOf("Key ") === 0
            })
            compare(rows.length, 14)
            compare(rows[0].Accessible.name, "Key 1")
            compare(rows[13].Accessible.name, "Key 14")
            compare(rows[2].Accessible.description, "Middle Key")
            compare(rows[7].visible, true)
            compare(rows[8].visible, false)
            compare(rows[0].label, "Key 1")
            compare(rows[8].label, "")
            mouseMain.keyCount = 14
            compare(rows[13].visible, true)
            compare(rows[13].label, "")
            // Fourteen rows still fit the panel.
            verify(rows[13].y + rows[13].height <= keyMatrixMain.height - rows[13].parent.y)
        }

        function test_hoverSelectsOnTheMousePicture() {
            var row = tree.named(keyMatrixMain, Accessible.Button, "Key 4")
            mouseMove(row, 10, 5)
            compare(mouseMain.selectKey, 3)
            mouseMove(keyMatrixMain, 10, 5)
            compare(mouseMain.selectKey, -1)
            // With the dialog open the selection stays.
            mouseMove(row, 10, 5)
            keyAssigmentMain.visible = true
            mouseMove(keyMatrixMain, 10, 5)
            compare(mouseMain.selectKey, 3)
        }

        function test_clickOpensTheDialog() {
            var row = tree.named(keyMatrixMain, Accessible.Button, "Key 3")
            mouseClick(row)
            compare(keyAssigmentMain.shown, [2])
            verify(mainMask.visible)
            verify(mainIten.focusCalls > 0)
            row.Accessible.pressAction()
            compare(keyAssigmentMain.shown, [2, 2])
            // A disabled list (the mouse busy) takes no press of any kind.
            keyMatrixMain.enabled = false
            row.Accessible.pressAction()
            compare(keyAssigmentMain.shown, [2, 2])
        }

        function test_theLastLeftButtonKeepsItsFunction() {
            // The shipped mouse has one left button.
            verify(keyMatrixMain.modKeys.checkOneLeftKey(0))
            verify(!keyMatrixMain.openKey(0))
            compare(keyAssigmentMain.shown, [])
            verify(!mainMask.visible)
            verify(keyMatrixMain.notice !== "")
            verify(!keyMatrixMain.modKeys.checkOneLeftKey(1))

            // A second left button frees both; a double click is no left button.
            scene.load(scene.withRow(scene.shipped, 4, [0, 0, 0xF0, 0]), scene.shipped)
            verify(!keyMatrixMain.modKeys.checkOneLeftKey(0))
            verify(keyMatrixMain.openKey(0))
            compare(keyAssigmentMain.shown, [0])

            // A left button the mouse does not have clicks nothing.
            scene.load(scene.withRow(scene.shipped, 12, [0, 0, 0xF0, 0]), scene.shipped)
            verify(keyMatrixMain.modKeys.checkOneLeftKey(0))
            mouseMain.keyCount = 14
            verify(!keyMatrixMain.modKeys.checkOneLeftKey(0))
        }

        function test_assignKey() {
            verify(!keyMatrixMain.assignKey(2, [0, 0, 0xF2, 0], "Middle Key"))
            verify(!keyMatrixMain.isSave)
            verify(keyMatrixMain.assignKey(2, [2, 0, 0x04, 0], "A"))
            verify(keyMatrixMain.isSave)
            compare(scene.entry(2), [2, 0, 0x04, 0])
            compare(ui_View.callsOf("mouseSetKeyMatrix").length, 0)
            compare(macroEditorMain.sent, [])
        }

        // A macro goes to the mouse at once, into the button's own slot,
        // and the profile names it; another macro with the same run mode
        // is a change too.
        function test_assigningAMacroSendsIt() {
            verify(keyMatrixMain.assignKey(2, [4, 0, 2, 0], "Jump"))
            // Just after the press that made it.
            compare(macroEditorMain.sent, [])
            tryCompare(macroEditorMain, "sent", [[2, "Jump"]])
            compare(ui_View.callsOf("setData"), [["mouseMacroKey/2", "Jump"]])
            verify(keyMatrixMain.assignKey(2, [4, 0, 2, 0], "Run"))
            keyMatrixMain.runPending()
            compare(macroEditorMain.sent, [[2, "Jump"], [2, "Run"]])
            compare(keyMatrixMain.modKeys.get(2).keyText, "Run")
        }

        // A macro given to a button reaches the mouse before a key matrix
        // that runs it.
        // A transfer asked while the link is busy waits for its end.
        function test_macroWaitsWhileTheLinkIsBusy() {
            hid.busy = true
            keyMatrixMain.assignKey(2, [4, 0, 2, 0], "Jump")
            wait(50)
            compare(macroEditorMain.sent, [])
            hid.busy = false
            tryCompare(macroEditorMain, "sent", [[2, "Jump"]])
        }

        function test_macroGoesOutBeforeTheKeyMatrix() {
            keyMatrixMain.assignKey(3, [4, 0, 3, 0], "Jump")
            keyMatrixMain.modKeys.saveData()
            var names = ui_View.calls.map(function (c) { return c.name })
            verify(names.indexOf("mouseSendMacroData") >= 0)
            verify(names.indexOf("mouseSendMacroData") < names.indexOf("mouseSetKeyMatrix"))
        }

        function test_restoreButton() {
            var rows = scene.withRow(scene.shipped, 1, [1, 4, 10, 0])
            var defaultRows = scene.withRow(scene.shipped, 3, [4, 2, 3, 0])
            scene.load(rows, defaultRows, { "mouseMacroKey/3": "Stored" })
            var restore = tree.named(keyMatrixMain, Accessible.Button, "Restore defaults")
            restore.Accessible.pressAction()
            keyMatrixMain.runPending()
            compare(scene.entry(1), [0, 0, 0xF1, 0])
            compare(scene.entry(3), [4, 2, 3, 0])
            compare(macroEditorMain.sent, [[3, "Stored"]])
            compare(ui_View.callsOf("setData"), [["mouseMacroKey/3", "Stored"]])
            verify(keyMatrixMain.isSave)
        }

        function test_deletedMacroGivesTheButtonItsDefaultBack() {
            scene.load(scene.withRow(scene.shipped, 2, [4, 0, 2, 0]), scene.shipped,
                       { "mouseMacroKey/2": "Jump" })
            keyMatrixMain.isSave = true
            keyMatrixMain.macroDeleted("Other")
            keyMatrixMain.runPending()
            compare(ui_View.callsOf("mouseSetKeyMatrix").length, 0)
            compare(ui_View.callsOf("deleteMacroUpdateProfile"), [["Other"]])

            ui_View.calls = []
            keyMatrixMain.macroDeleted("Jump")
            keyMatrixMain.runPending()
            compare(scene.entry(2), [0, 0, 0xF2, 0])
            compare(keyMatrixMain.modKeys.get(2).keyText, "Middle Key")
            var sent = ui_View.callsOf("mouseSetKeyMatrix")
            compare(sent.length, 1)
            compare(sent[0][0].slice(8, 12), [0, 0, 0xF2, 0])
            // The key matrix went out before the profiles forget the macro.
            var names = ui_View.calls.map(function (c) { return c.name })
            verify(names.indexOf("mouseSetKeyMatrix") < names.indexOf("deleteMacroUpdateProfile"))
            verify(!keyMatrixMain.isSave)
        }

        function test_renamedMacroFollowsOnItsButtons() {
            scene.load(scene.withRow(scene.withRow(scene.shipped, 2, [4, 0, 2, 0]), 3, [4, 1, 3, 0]),
                       scene.shipped, { "mouseMacroKey/2": "Jump", "mouseMacroKey/3": "Run" })
            keyMatrixMain.macroRenamed("Jump", "Leap")
            compare(ui_View.callsOf("setData"), [["mouseMacroKey/2", "Leap"]])
            compare(keyMatrixMain.modKeys.get(2).keyText, "Leap")
            compare(keyMatrixMain.modKeys.get(3).keyText, "Run")
            compare(ui_View.callsOf("modifyMacroNameUpdateProfile"), [["Jump", "Leap"]])
            var names = ui_View.calls.map(function (c) { return c.name })
            verify(names.indexOf("setData") < names.indexOf("modifyMacroNameUpdateProfile"))
        }

        function test_changedMacroIsSentToItsButtons() {
            scene.load(scene.withRow(scene.withRow(scene.shipped, 2, [4, 0, 2, 0]), 5, [4, 2, 5, 0]),
                       scene.shipped, { "mouseMacroKey/2": "Jump", "mouseMacroKey/5": "Jump" })
            keyMatrixMain.macroChanged("Jump")
            keyMatrixMain.runPending()
            compare(macroEditorMain.sent, [[2, "Jump"], [5, "Jump"]])
            macroEditorMain.sent = []
            keyMatrixMain.macroChanged("Other")
            keyMatrixMain.runPending()
            compare(macroEditorMain.sent, [])
        }
    }
}
