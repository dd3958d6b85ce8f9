// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/panels"

// The macro editor against a macro library kept in the test and the real
// macro encoder: the list of macros, recording, the insertions and their
// order, the 126-byte limit and names the lists could not keep.
Item {
    id: scene
    width: 1024
    height: 640

    ScreenStub { id: mainIten }
    Rectangle { id: mainMask; anchors.fill: parent; visible: false }
    KeyCodeString { id: _KeyCodeString }
    AccessibleTree { id: tree }

    Item {
        id: keyAssigmentMain
        property var macroNames: []
        function setMacroNames(names) {
            macroNames = names
        }
    }

    MacroEditor {
        id: macroEditorMain
    }

    SignalSpy { id: deleted; target: macroEditorMain; signalName: "deleteMacro" }
    SignalSpy { id: renamed; target: macroEditorMain; signalName: "modifyMacroName" }
    SignalSpy { id: changed; target: macroEditorMain; signalName: "modifyMacroData" }

    // The macro library: name -> { actions, repeat }.
    property var files: ({})
    property var storedNames: []
    property bool importChosen: false

    function library(names) {
        files = {}
        for (var i = 0; i < names.length; ++i)
            files[names[i]] = { actions: [], repeat: 1 }
        storedNames = names.length === 1 ? names.concat(["loaderquokka"]) : names
        ui_View.reset()
        ui_View.answers = {
            getNameList: function (type) { return type === 0 ? scene.storedNames : [] },
            createMacroIni: function (name, index) {
                scene.files[name] = { actions: [], repeat: 1 }
                return true
            },
            saveMacroIni: function (name, list, repeat) {
                if (!(name in scene.files))
                    return false
                scene.files[name] = { actions: list.slice(), repeat: repeat }
                return true
            },
            loadMacroIni: function (name) {
                var f = scene.files[name]
                return f ? f.actions.concat([String(f.repeat)]) : []
            },
            deleteMacroIni: function (name) {
                delete scene.files[name]
                return true
            },
            loadMacroFile: function (name) {
                if (scene.importChosen)
                    scene.files[name] = { actions: ["1,Z", "2,Z"], repeat: 2 }
                return scene.importChosen
            },
            encodeMacroData: function (list, repeat) { return macroCodec.encode(list, repeat) },
            globalCaptureAvailable: true
        }
        macroEditorMain.init()
        ui_View.calls = []
    }
    function actions() {
        var out = []
        for (var i = 0; i < macroEditorMain.actionModel.count; ++i) {
            var a = macroEditorMain.actionModel.get(i)
            out.push(a.type + "," + a.info)
        }
        return out
    }
    function setActions(list) {
        macroEditorMain.actionModel.clear()
        for (var i = 0; i < list.length; ++i) {
            var comma = list[i].indexOf(",")
            macroEditorMain.actionModel.append({ type: parseInt(list[i]), info: list[i].substring(comma + 1) })
        }
    }
    function type(keys) {
        for (var i = 0; i < keys.length; ++i) {
            macroEditorMain.detectKeyboard(true, keys[i])
            macroEditorMain.detectKeyboard(false, keys[i])
        }
    }
    function lengthOf(list) {
        return macroCodec.encode(list, 1).length
    }

    TestCase {
        name: "MacroEditor"
        when: windowShown

        // The lists build their rows when they are next polished.
        function settle() {
            waitForItemPolished(tree.named(macroEditorMain, Accessible.List, "Macro list"))
            waitForItemPolished(tree.named(macroEditorMain, Accessible.List, "Actions"))
        }

        function init() {
            scene.importChosen = false
            scene.library(["Jump", "Run"])
            macroEditorMain.recordDelay = false
            macroEditorMain.openEditor()
            deleted.clear()
            renamed.clear()
            changed.clear()
            mainMask.visible = true
            settle()
        }
        function cleanup() {
            macroEditorMain.closeEditor()
        }

        function test_shippedTexts() {
            var english = shippedLanguages.strings("macroEditor", "English")
            compare(english, macroEditorMain.fallbackLang)
            var chinese = shippedLanguages.strings("macroEditor", "ChineseSimplified")
            compare(chinese.length, english.length)
            for (var i = 0; i < chinese.length; ++i)
                verify(chinese[i] !== "" && chinese[i] !== english[i], "entry " + i)
        }

        function test_initReadsTheList() {
            compare(macroEditorMain.macroNames, ["Jump", "Run"])
            compare(keyAssigmentMain.macroNames, ["Jump", "Run"])
            var list = tree.named(macroEditorMain, Accessible.List, "Macro list")
            var entries = tree.all(list, Accessible.ListItem)
            compare(entries.length, 2)
            compare(entries[0].Accessible.name, "Jump")
            // One stored name comes with the lists' sentinel, which is dropped.
            scene.library(["Solo"])
            compare(macroEditorMain.macroNames, ["Solo"])
            settle()
            compare(tree.all(list, Accessible.ListItem).length, 1)
        }

        function test_newTakesTheSmallestFreeNumber() {
            scene.library(["Macro_0", "Macro_2"])
            tree.named(macroEditorMain, Accessible.Button, "New").Accessible.pressAction()
            compare(macroEditorMain.macroNames, ["Macro_0", "Macro_2", "Macro_1"])
            compare(macroEditorMain.currentSelect, 2)
            compare(ui_View.callsOf("createMacroIni"), [["Macro_1", 0]])
            compare(ui_View.callsOf("updataNameList"), [[0, ["Macro_0", "Macro_2", "Macro_1"]]])
            compare(keyAssigmentMain.macroNames, ["Macro_0", "Macro_2", "Macro_1"])
            var names = ui_View.calls.map(function (c) { return c.name })
            verify(names.indexOf("createMacroIni") < names.indexOf("updataNameList"))
        }

        function test_newStopsAtOneHundred() {
            var many = []
            for (var i = 0; i < 100; ++i)
                many.push("m" + i)
            scene.library(many)
            verify(!macroEditorMain.newMacro())
            compare(macroEditorMain.macroModel.count, 100)
            compare(ui_View.callsOf("createMacroIni"), [])
        }

        function test_selectingLoadsActionsAndTimes() {
            scene.files["Run"] = { actions: ["1,A", "0,50", "2,A"], repeat: 7 }
            var entry = tree.named(macroEditorMain, Accessible.ListItem, "Run")
            entry.Accessible.pressAction()
            verify(entry.Accessible.selected)
            compare(scene.actions(), ["1,A", "0,50", "2,A"])
            compare(macroEditorMain.countRecordInput.textValue, "7")
            settle()
            var shown = tree.all(tree.named(macroEditorMain, Accessible.List, "Actions"), Accessible.ListItem)
            compare(shown.map(function (e) { return e.Accessible.name }), ["Press A", "Delay 50 ms", "Release A"])
        }

        function test_recordingWithoutDelay() {
            macroEditorMain.selectMacro(0)
            var record = tree.named(macroEditorMain, Accessible.Button, "Record")
            compare(record.Accessible.description, "Start Record")
            record.Accessible.pressAction()
            verify(macroEditorMain.isInputting)
            compare(record.Accessible.description, "Stop Record")
            compare(ui_View.callsOf("requestKeyCapture"), [["macroRecord", true]])
            scene.type([0x04, 0x05])
            compare(scene.actions(), ["1,A", "2,A", "1,B", "2,B"])
            compare(ui_View.callsOf("saveMacroIni"), [])
            record.Accessible.pressAction()
            verify(!macroEditorMain.isInputting)
            compare(ui_View.callsOf("requestKeyCapture"), [["macroRecord", true], ["macroRecord", false]])
            compare(ui_View.callsOf("saveMacroIni"), [["Jump", ["1,A", "2,A", "1,B", "2,B"], 1]])
            compare(changed.count, 1)
            compare(changed.signalArguments[0][0], "Jump")
        }

        function test_recordingWithDelay() {
            macroEditorMain.selectMacro(1)
            macroEditorMain.recordDelay = true
            macroEditorMain.startRecord()
            // Time before the first key is not recorded.
            macroEditorMain.tickStart = Date.now() - 500
            macroEditorMain.detectKeyboard(true, 0x04)
            macroEditorMain.tickStart = Date.now() - 125
            macroEditorMain.detectKeyboard(false, 0x04)
            macroEditorMain.tickStart = Date.now() - 34
            macroEditorMain.detectKeyboard(true, 0xE1)
            macroEditorMain.stopRecord()
            compare(scene.actions(), ["1,A", "0,120", "2,A", "0,30", "1,LShift"])
            compare(scene.files["Run"].actions, ["1,A", "0,120", "2,A", "0,30", "1,LShift"])
        }

        function test_recordingStartsAfresh() {
            scene.files["Jump"] = { actions: ["1,A", "2,A"], repeat: 1 }
            macroEditorMain.selectMacro(0)
            macroEditorMain.startRecord()
            compare(scene.actions(), [])
            scene.type([0x06])
            macroEditorMain.stopRecord()
            compare(scene.files["Jump"].actions, ["1,C", "2,C"])
        }

        function test_keysAreTakenOnlyWhileRecordingAMacro() {
            scene.type([0x04])
            macroEditorMain.startRecord()
            verify(!macroEditorMain.isInputting)
            verify(macroEditorMain.notice !== "")
            macroEditorMain.selectMacro(0)
            scene.type([0x04])
            compare(scene.actions(), [])
        }

        function test_recordingStopsAt126Bytes() {
            macroEditorMain.selectMacro(0)
            macroEditorMain.recordDelay = true
            macroEditorMain.startRecord()
            for (var i = 0; i < 80; ++i) {
                macroEditorMain.tickStart = Date.now() - 2000 // long delays: extended records
                macroEditorMain.detectKeyboard(i % 2 === 0, 0x04 + (i % 20))
            }
            var recorded = scene.actions()
            verify(scene.lengthOf(recorded) >= 126)
            // The last key went in while the macro was still shorter.
            var last = recorded.length - 1
            var before = recorded.slice(0, recorded[last - 1].charAt(0) === "0" ? last - 1 : last)
            verify(scene.lengthOf(before) < 126)
            compare(macroEditorMain.encodedLength, scene.lengthOf(recorded))
            macroEditorMain.detectKeyboard(true, 0x04)
            compare(scene.actions(), recorded)
        }

        function test_insertKeyInTheMiddlePlacesPressBeforeRelease() {
            macroEditorMain.selectMacro(0)
            scene.setActions(["1,A", "2,A", "1,B", "2,B"])
            macroEditorMain.actionIndex = 2
            macroEditorMain.openInsertKey()
            verify(macroEditorMain.isInsertting)
            compare(ui_View.callsOf("requestKeyCapture"), [["insertKey", true]])
            var dialog = tree.named(macroEditorMain, Accessible.Dialog, "Insert Key")
            verify(dialog.visible)
            macroEditorMain.detectInput(true, 0xF0)   // mouse buttons are not keys
            macroEditorMain.detectInput(false, 0x06)  // releases are not taken
            compare(macroEditorMain.insertKeyCode, 0)
            macroEditorMain.detectInput(true, 0x06)
            tree.named(dialog, Accessible.Button, "OK").Accessible.pressAction()
            verify(!dialog.visible)
            compare(ui_View.callsOf("requestKeyCapture"), [["insertKey", true], ["insertKey", false]])
            compare(scene.actions(), ["1,A", "2,A", "1,C", "2,C", "1,B", "2,B"])
            compare(scene.files["Jump"].actions, ["1,A", "2,A", "1,C", "2,C", "1,B", "2,B"])
            compare(changed.count, 1)
        }

        function test_insertOrders_data() {
            var start = ["1,A", "0,50", "2,A"]
            return [
                { tag: "key at the end", select: 2, insert: "key", result: start.concat(["1,C", "2,C"]) },
                { tag: "key before the selected", select: 0, insert: "key", result: ["1,C", "2,C"].concat(start) },
                { tag: "delay before the selected", select: 2, insert: "delay", result: ["1,A", "0,50", "0,50", "2,A"] },
                { tag: "delay before the first", select: 0, insert: "delay", result: ["0,50"].concat(start) },
                { tag: "left key at the end", select: 2, insert: "left", result: start.concat(["3,MS-L", "4,MS-L"]) },
                { tag: "middle key after the selected", select: 0, insert: "middle", result: ["1,A", "3,MS-M", "4,MS-M", "0,50", "2,A"] },
                { tag: "right key after the selected", select: 1, insert: "right", result: ["1,A", "0,50", "3,MS-R", "4,MS-R", "2,A"] },
                { tag: "key into an empty macro", select: -1, insert: "key", result: ["1,C", "2,C"], empty: true },
            ]
        }
        function test_insertOrders(row) {
            macroEditorMain.selectMacro(0)
            scene.setActions(row.empty ? [] : ["1,A", "0,50", "2,A"])
            macroEditorMain.actionIndex = row.select
            var menu = ["Delete", "Insert Delay", "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key"]
            var which = { delay: 1, key: 2, left: 3, middle: 4, right: 5 }[row.insert]
            macroEditorMain.actionMenuChosen(which)
            if (row.insert === "key") {
                macroEditorMain.detectInput(true, 0x06)
                macroEditorMain.confirmInsertKey()
            }
            compare(scene.actions(), row.result)
            compare(scene.files["Jump"].actions, row.result)
        }

        function test_insertionsStopAt126Bytes() {
            macroEditorMain.selectMacro(0)
            var full = []
            while (scene.lengthOf(full) < 126)
                full.push("1,A", "0,2000")
            scene.setActions(full)
            macroEditorMain.actionIndex = full.length - 1
            macroEditorMain.insertMouse(0xF0)
            macroEditorMain.insertDelay()
            verify(!macroEditorMain.insertKey(0x06))
            compare(scene.actions(), full)
        }

        function test_deleteAndEditActions() {
            macroEditorMain.selectMacro(0)
            scene.setActions(["1,A", "0,50", "2,A"])
            macroEditorMain.actionIndex = 1
            macroEditorMain.setDelay(1, 70000)
            compare(scene.actions(), ["1,A", "0,65535", "2,A"])
            macroEditorMain.setDelay(0, 10)   // a key has no delay to edit
            compare(scene.actions(), ["1,A", "0,65535", "2,A"])
            macroEditorMain.actionMenuChosen(0)
            compare(scene.actions(), ["1,A", "2,A"])
            compare(scene.files["Jump"].actions, ["1,A", "2,A"])
            compare(changed.count, 2)
        }

        function test_delayEditedInPlace() {
            macroEditorMain.selectMacro(0)
            scene.setActions(["1,A", "0,50", "2,A"])
            settle()
            var entry = tree.named(macroEditorMain, Accessible.ListItem, "Delay 50 ms")
            mouseDoubleClickSequence(entry, 40, 10)
            verify(entry.editing)
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_2)
            keyClick(Qt.Key_5)
            keyClick(Qt.Key_Return)
            compare(scene.actions(), ["1,A", "0,25", "2,A"])
        }

        function test_timesIsSavedWithTheMacro() {
            macroEditorMain.selectMacro(0)
            var times = tree.named(macroEditorMain, Accessible.EditableText, "Times")
            times.forceActiveFocus()
            times.text = "12"
            keyClick(Qt.Key_Return)
            compare(ui_View.callsOf("saveMacroIni"), [["Jump", [], 12]])
            times.forceActiveFocus()
            times.text = ""
            keyClick(Qt.Key_Return)
            compare(scene.files["Jump"].repeat, 0)
        }

        // A name typed and not confirmed is taken for the macro it was typed
        // for when another macro is pressed.
        function test_typedNameStaysWithItsMacro() {
            var jump = tree.named(macroEditorMain, Accessible.ListItem, "Jump")
            mouseDoubleClickSequence(jump)
            keySequence("ctrl+a")
            keyClick("H")
            keyClick("o")
            tree.named(macroEditorMain, Accessible.ListItem, "Run").Accessible.pressAction()
            compare(renamed.count, 1)
            compare(macroEditorMain.macroNames, ["Ho", "Run"])
        }

        // New by keys: the offered name is open for typing, Enter keeps the
        // typed one, the list has the focus again and Escape closes the editor.
        function test_newNamedByKeys() {
            tree.named(macroEditorMain, Accessible.Button, "New").Accessible.pressAction()
            settle()
            keySequence("ctrl+a")
            keyClick("K")
            keyClick(Qt.Key_Return)
            compare(macroEditorMain.macroNames, ["Jump", "Run", "K"])
            compare(macroEditorMain.Window.activeFocusItem, tree.named(macroEditorMain, Accessible.List, "Macro list"))
            keyClick(Qt.Key_Escape)
            verify(!macroEditorMain.visible)
        }

        function test_renameRefusals_data() {
            return [
                { tag: "another macro's name", name: "Run" },
                { tag: "the lists' sentinel", name: "loaderquokka" },
                { tag: "empty", name: "   " },
                { tag: "a path", name: "a/b" },
                { tag: "the parent folder", name: ".." },
                { tag: "a macro file the list does not show", name: "Stray", file: true },
            ]
        }
        function test_renameRefusals(row) {
            if (row.file)
                scene.files[row.name] = { actions: ["1,B", "2,B"], repeat: 3 }
            verify(!macroEditorMain.renameMacro(0, row.name))
            compare(macroEditorMain.macroNames, ["Jump", "Run"])
            compare(renamed.count, 0)
            compare(ui_View.callsOf("updataNameList"), [])
            verify(macroEditorMain.notice !== "")
        }

        function test_renameInPlace() {
            var entry = tree.named(macroEditorMain, Accessible.ListItem, "Jump")
            mouseDoubleClickSequence(entry)
            verify(entry.editing)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick("R")
            keyClick("u")
            keyClick("n")
            keyClick(Qt.Key_Return)
            // "Run" is taken: the field stays open for another name.
            verify(entry.editing)
            compare(renamed.count, 0)
            keyClick(Qt.Key_2)
            keyClick(Qt.Key_Return)
            verify(!entry.editing)
            compare(renamed.count, 1)
            compare(renamed.signalArguments[0][0], "Jump")
            compare(renamed.signalArguments[0][1], "Run2")
            compare(macroEditorMain.macroNames, ["Run2", "Run"])
            compare(ui_View.callsOf("updataNameList"), [[0, ["Run2", "Run"]]])
            compare(keyAssigmentMain.macroNames, ["Run2", "Run"])
        }

        function test_deleteFromTheMenu() {
            var entry = tree.named(macroEditorMain, Accessible.ListItem, "Jump")
            entry.Accessible.pressAction()
            keyClick(Qt.Key_Menu)
            var item = tree.named(scene.Window.contentItem, Accessible.MenuItem, "Delete")
            verify(item.visible)
            item.Accessible.pressAction()
            compare(ui_View.callsOf("deleteMacroIni"), [["Jump"]])
            compare(deleted.count, 1)
            compare(deleted.signalArguments[0][0], "Jump")
            compare(macroEditorMain.macroNames, ["Run"])
            compare(ui_View.callsOf("updataNameList"), [[0, ["Run"]]])
            compare(macroEditorMain.currentSelect, -1)
            compare(scene.actions(), [])
        }

        function test_importBeforeTheSelected() {
            macroEditorMain.selectMacro(1)
            scene.importChosen = true
            macroEditorMain.macroMenuChosen(1)
            compare(macroEditorMain.macroNames, ["Jump", "Macro_0", "Run"])
            compare(ui_View.callsOf("loadMacroFile"), [["Macro_0"]])
            compare(ui_View.callsOf("createMacroIni"), [])
            compare(macroEditorMain.currentSelect, 1)
            compare(scene.actions(), ["1,Z", "2,Z"])
            // No file chosen: an empty macro of that name.
            scene.importChosen = false
            macroEditorMain.macroMenuChosen(1)
            compare(ui_View.callsOf("createMacroIni"), [["Macro_1", 0]])
        }

        function test_sendMacroUsesItsOwnRepeatCount() {
            scene.files["Run"] = { actions: ["1,A", "0,50", "2,A"], repeat: 300 }
            macroEditorMain.sendMacro(4, "Run")
            var sent = ui_View.callsOf("mouseSendMacroData")
            compare(sent.length, 1)
            compare(sent[0][0], [0x01, 0x2C, 0x05, 0x04, 0x81, 0x04, 0x00, 0x00])
            compare(sent[0][1], 4)
            // A macro whose file is gone empties the slot.
            macroEditorMain.sendMacro(5, "Missing")
            compare(ui_View.callsOf("mouseSendMacroData")[1], [[0, 0], 5])
        }

        function test_closingWhileRecordingSaves() {
            macroEditorMain.selectMacro(0)
            macroEditorMain.startRecord()
            scene.type([0x04])
            tree.named(macroEditorMain, Accessible.Button, "Close").Accessible.pressAction()
            verify(!macroEditorMain.visible)
            verify(!mainMask.visible)
            verify(!macroEditorMain.isInputting)
            compare(scene.files["Jump"].actions, ["1,A", "2,A"])
            compare(ui_View.callsOf("requestKeyCapture"), [["macroRecord", true], ["macroRecord", false]])
        }

        function test_captureNoteWhereOnlyThisWindowIsHeard() {
            var note = "Only keys typed into this window are taken."
            verify(!tree.named(macroEditorMain, Accessible.StaticText, note).visible)
            ui_View.answers.globalCaptureAvailable = false
            macroEditorMain.selectMacro(0)
            macroEditorMain.startRecord()
            verify(tree.named(macroEditorMain, Accessible.StaticText, note).visible)
        }
    }
}
