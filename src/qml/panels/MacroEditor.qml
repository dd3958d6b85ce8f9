// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"
import "../common"

// The macro editor: the macro list at the left, the actions of the selected
// macro in the middle, recording and the repeat count at the right. Every
// change is saved at once; buttons that run the changed macro get it again
// through modifyMacroData.
DialogFrame {
    id: macroEditor

    readonly property var fallbackLang: [
        "Macro Editor", "New", "Delete", "Import", "Export",
        "Start Record", "Stop Record", "Times", "Delay", "Insert Delay",
        "Insert Key", "Insert Left Key", "Insert Middle Key", "Insert Right Key", "Press",
        "Release", "ms", "Macro list", "Actions", "Press the key to insert.",
        "OK", "Cancel", "A macro of that name exists.", "That name cannot be used.",
        "Recording... press the keys of the macro.", "Only keys typed into this window are taken.",
        "The macro is full.", "Select or make a macro first.", "Length",
        "Right-click a macro or an action for more.", "Name", "%1 s"
    ]

    // The "macroEditor" language list; the main screen fills it.
    property var langList: fallbackLang

    readonly property int maxMacros: 100
    // Actions are added only while the mouse's block has room for more.
    readonly property int maxLength: 126
    readonly property string sentinel: "loaderquokka"

    property int currentSelect: -1            // selected macro
    readonly property bool isMacroSelected: currentSelect >= 0
    property int actionIndex: -1              // selected action
    property bool isInputting: false          // recording
    property bool isInsertting: false         // waiting for a key to insert
    property int insertKeyCode: 0
    property real tickStart: 0                // when the 10 ms tick counter was reset
    property int encodedLength: 0
    property string notice: ""
    property bool globalCapture: true
    property var macroNames: []             // in list order, for the assignment dialog
    property alias countRecordInput: timesInput
    property bool recordDelay: false          // "Delay": recording takes the pauses too
    property Item nameEditor: null            // the macro whose name is being edited
    property int storedTimes: 1               // the selected macro's count as its file holds it
    property alias macroModel: macroModel
    property alias actionModel: actionModel
    property var menuTexts: []

    signal deleteMacro(string macroName)
    signal modifyMacroName(string oldMacroName, string newMacroName)
    signal modifyMacroData(string macroName)

    function tr(i) {
        var l = langList
        return l && i < l.length && l[i] !== undefined && l[i] !== "" ? String(l[i]) : fallbackLang[i]
    }
    function dialog() {
        return typeof keyAssigmentMain !== "undefined" ? keyAssigmentMain : null
    }
    function keyName(code) {
        return _KeyCodeString.keycodeTostr(code)
    }

    // The list of macros.
    function names() {
        var out = []
        for (var i = 0; i < macroModel.count; ++i)
            out.push(macroModel.get(i).textValue)
        return out
    }
    function refreshNames() {
        macroNames = names()
        if (dialog())
            dialog().setMacroNames(names())
    }
    function storeNames() {
        ui_View.updataNameList(0, names())
        refreshNames()
    }
    function currentName() {
        return currentSelect >= 0 && currentSelect < macroModel.count ? macroModel.get(currentSelect).textValue : ""
    }
    function freeName() {
        var taken = names()
        for (var n = 0; n < maxMacros; ++n)
            if (taken.indexOf("Macro_" + n) < 0)
                return "Macro_" + n
        return ""
    }

    function init() {
        var stored = ui_View.getNameList(0)
        var list = []
        for (var i = 0; i < stored.length; ++i)
            list.push(String(stored[i]))
        if (list.length === 2 && list[1] === sentinel)
            list.pop()
        macroModel.clear()
        for (var j = 0; j < list.length && j < maxMacros; ++j)
            macroModel.append({ textValue: list[j] })
        currentSelect = -1
        actionModel.clear()
        actionIndex = -1
        refreshLength()
        menuTexts = [tr(2), tr(3), tr(4)]
        actionMenu.menuItems = [tr(2), tr(9), tr(10), tr(11), tr(12), tr(13)]
        refreshNames()
    }

    // A count or a name typed and not confirmed is taken for the macro it was
    // typed for, before the editor shows another one or closes.
    function commitEdits() {
        var entry = nameEditor
        if (entry && entry.editing) {
            renameMacro(entry.row, entry.editText)
            entry.stopEditing()
        }
        timesInput.commit()
    }

    function selectMacro(index) {
        if (index === currentSelect)
            return
        commitEdits()
        if (isInputting)
            stopRecord()
        if (isInsertting)
            cancelInsertKey()
        currentSelect = index
        loadActions()
    }
    function loadActions() {
        actionModel.clear()
        actionIndex = -1
        var name = currentName()
        if (name !== "") {
            var stored = ui_View.loadMacroIni(name)
            for (var i = 0; i + 1 < stored.length; ++i) {
                var text = String(stored[i])
                var comma = text.indexOf(",")
                actionModel.append({ type: parseInt(text.charAt(0)), info: comma < 0 ? "" : text.substring(comma + 1) })
            }
            timesInput.textValue = stored.length > 0 ? String(parseInt(stored[stored.length - 1]) || 0) : "1"
            storedTimes = times()
        }
        refreshLength()
    }

    function actionTexts() {
        var out = []
        for (var i = 0; i < actionModel.count; ++i) {
            var a = actionModel.get(i)
            out.push(a.type + "," + a.info)
        }
        return out
    }
    function times() {
        var t = parseInt(timesInput.textValue)
        return isNaN(t) ? 0 : t
    }
    // The length of the block the mouse would get, from the one encoder.
    function refreshLength() {
        encodedLength = ui_View.encodeMacroData(actionTexts(), times()).length
    }
    function canAdd() {
        refreshLength()
        return currentSelect >= 0 && encodedLength < maxLength
    }
    function save() {
        var name = currentName()
        if (name === "")
            return
        ui_View.saveMacroIni(name, actionTexts(), times())
        storedTimes = times()
        refreshLength()
        modifyMacroData(name)
    }

    function newMacro() {
        if (macroModel.count >= maxMacros)
            return false
        commitEdits()
        var name = freeName()
        macroModel.append({ textValue: name })
        selectMacro(macroModel.count - 1)
        ui_View.createMacroIni(name, 0)
        storeNames()
        loadActions()
        return true
    }
    // New from the button: the offered name is open for typing at once
    // (Enter keeps what was typed, Escape the offered name).
    function newMacroNamed() {
        if (!newMacro())
            return false
        macroList.view.forceLayout()
        var entry = macroList.view.itemAtIndex(currentSelect)
        if (entry)
            entry.startEditing()
        return true
    }
    function removeMacro(index) {
        if (index < 0 || index >= macroModel.count)
            return
        if (index === currentSelect && isInputting)
            stopRecord()
        var name = macroModel.get(index).textValue
        ui_View.deleteMacroIni(name)
        actionModel.clear()
        actionIndex = -1
        deleteMacro(name)
        macroModel.remove(index)
        currentSelect = -1
        refreshLength()
        storeNames()
    }
    function importMacro() {
        if (macroModel.count >= maxMacros)
            return
        commitEdits()
        var name = freeName()
        var at = currentSelect >= 0 ? currentSelect : macroModel.count
        macroModel.insert(at, { textValue: name })
        if (!ui_View.loadMacroFile(name))
            ui_View.createMacroIni(name, 0)
        storeNames()
        currentSelect = at
        loadActions()
    }
    function exportMacro() {
        var name = currentName()
        if (name !== "")
            ui_View.saveMacroFile(name)
    }
    // A name is refused when another macro has it, when it is the name
    // lists' sentinel (the list would drop it when read back), or when it
    // cannot be a file name. A macro file of that name outside the list
    // counts as taken: the file could not be renamed onto it, and the
    // buttons would be given a name whose file holds another macro.
    function nameRefusal(index, newName) {
        if (newName === "" || newName === "." || newName === ".." || newName === sentinel
                || newName.indexOf("/") >= 0 || newName.indexOf("\\") >= 0)
            return tr(23)
        var taken = names()
        for (var i = 0; i < taken.length; ++i)
            if (i !== index && taken[i] === newName)
                return tr(22)
        if (ui_View.loadMacroIni(newName).length > 0)
            return tr(22)
        return ""
    }
    function renameMacro(index, newName) {
        if (index < 0 || index >= macroModel.count)
            return false
        newName = String(newName).trim()
        var oldName = macroModel.get(index).textValue
        if (newName === oldName)
            return true
        var refusal = nameRefusal(index, newName)
        if (refusal !== "") {
            showNotice(refusal)
            return false
        }
        macroModel.setProperty(index, "textValue", newName)
        modifyMacroName(oldName, newName)
        storeNames()
        return true
    }
    function showNotice(text) {
        notice = text
        noticeTimer.restart()
    }

    // Recording: keys from the main screen while the editor records.
    function ticks() {
        return Math.floor((Date.now() - tickStart) / 10)
    }
    function startRecord() {
        if (currentSelect < 0) {
            showNotice(tr(27))
            return
        }
        commitEdits()
        if (isInsertting)
            cancelInsertKey()
        actionModel.clear()
        actionIndex = -1
        tickStart = Date.now()
        globalCapture = ui_View.globalCaptureAvailable()
        isInputting = true
        ui_View.requestKeyCapture("macroRecord", true)
        captureSink.forceActiveFocus()
        refreshLength()
    }
    function stopRecord() {
        if (!isInputting)
            return
        isInputting = false
        ui_View.requestKeyCapture("macroRecord", false)
        save()
        macroEditor.forceActiveFocus()
    }
    function toggleRecord() {
        if (isInputting)
            stopRecord()
        else
            startRecord()
    }
    function actionType(isDown, usbCode) {
        return usbCode >= 0xF0 ? (isDown ? 3 : 4) : (isDown ? 1 : 2)
    }
    function detectKeyboard(isDown, usbCode) {
        if (!isInputting || currentSelect < 0)
            return
        var name = keyName(usbCode)
        if (name === "" || !canAdd())
            return
        if (actionModel.count > 0 && recordDelay)
            actionModel.append({ type: 0, info: String(ticks() * 10) })
        tickStart = Date.now()
        actionModel.append({ type: actionType(isDown, usbCode), info: name })
        actionIndex = actionModel.count - 1
        actionList.view.positionViewAtEnd()
        refreshLength()
    }

    // Insertions from the action list's menu. At the end when nothing or the
    // last action is selected.
    function atEnd() {
        return actionIndex < 0 || actionIndex >= actionModel.count - 1
    }
    // Actions placed amid others: the list is built afresh, so that its rows
    // are made (and read by a screen reader) in the order they stand.
    function insertActions(at, entries) {
        if (at >= actionModel.count) {
            for (var i = 0; i < entries.length; ++i)
                actionModel.append(entries[i])
            return
        }
        var all = []
        for (var j = 0; j < actionModel.count; ++j) {
            var a = actionModel.get(j)
            all.push({ type: a.type, info: a.info })
        }
        Array.prototype.splice.apply(all, [at, 0].concat(entries))
        actionModel.clear()
        for (var k = 0; k < all.length; ++k)
            actionModel.append(all[k])
    }
    function insertPair(at, type, name) {
        insertActions(at, [{ type: type, info: name }, { type: type + 1, info: name }])
    }
    function deleteAction(index) {
        if (index < 0 || index >= actionModel.count)
            return
        actionModel.remove(index)
        actionIndex = Math.min(index, actionModel.count - 1)
        save()
    }
    function insertDelay() {
        if (!canAdd())
            return
        var at = actionIndex < 0 ? actionModel.count : actionIndex
        insertActions(at, [{ type: 0, info: "50" }])
        if (actionIndex >= 0)
            actionIndex = at + 1
        save()
    }
    // Key presses are placed before the selected action, mouse clicks after it.
    function insertKey(usbCode) {
        var name = keyName(usbCode)
        if (name === "" || usbCode >= 0xF0 || !canAdd())
            return false
        if (atEnd()) {
            insertPair(actionModel.count, 1, name)
            actionIndex = actionModel.count - 1
        } else {
            insertPair(actionIndex, 1, name)
            actionIndex += 2
        }
        save()
        return true
    }
    function insertMouse(usbCode) {
        if (!canAdd())
            return
        var name = keyName(usbCode)
        var at = atEnd() ? actionModel.count : actionIndex + 1
        insertPair(at, 3, name)
        actionIndex = at + 1
        save()
    }
    function setDelay(index, ms) {
        if (index < 0 || index >= actionModel.count || actionModel.get(index).type !== 0)
            return
        actionModel.setProperty(index, "info", String(Math.max(0, Math.min(65535, ms))))
        save()
    }

    function openInsertKey() {
        if (currentSelect < 0)
            return
        if (isInputting)
            stopRecord()
        insertKeyCode = 0
        globalCapture = ui_View.globalCaptureAvailable()
        isInsertting = true
        ui_View.requestKeyCapture("insertKey", true)
        insertDialog.open()
        insertSink.forceActiveFocus()
    }
    function detectInput(isDown, usbCode) {
        if (!isInsertting || !isDown || usbCode >= 0xF0 || keyName(usbCode) === "")
            return
        insertKeyCode = usbCode
    }
    function closeInsertKey() {
        if (isInsertting) {
            isInsertting = false
            ui_View.requestKeyCapture("insertKey", false)
        }
        insertDialog.visible = false
        macroEditor.forceActiveFocus()
    }
    function confirmInsertKey() {
        var code = insertKeyCode
        closeInsertKey()
        if (code !== 0)
            insertKey(code)
    }
    function cancelInsertKey() {
        closeInsertKey()
    }

    function actionMenuChosen(i) {
        switch (i) {
        case 0: deleteAction(actionIndex); break
        case 1: insertDelay(); break
        case 2: openInsertKey(); break
        case 3: insertMouse(0xF0); break
        case 4: insertMouse(0xF2); break
        case 5: insertMouse(0xF1); break
        }
    }
    function macroMenuChosen(i) {
        switch (i) {
        case 0: removeMacro(currentSelect); break
        case 1: importMacro(); break
        case 2: exportMacro(); break
        }
    }

    // Keyboard use of the two lists: the Menu key (or Shift+F10) opens the
    // menu, F2 edits, the arrows move the selection.
    function listKey(event, list, menu, index, count, select) {
        var item = list.view.currentItem
        if (item && item.editing)
            return
        if (menu.isMenuKey(event)) {
            if (currentSelect >= 0)
                menu.popupFor(item ? item : list)
        } else if (event.key === Qt.Key_F2) {
            if (item)
                item.startEditing()
        } else if (event.key === Qt.Key_Up) {
            if (index > 0)
                select(index - 1)
        } else if (event.key === Qt.Key_Down) {
            if (index + 1 < count)
                select(index + 1)
        } else {
            return
        }
        event.accepted = true
    }
    function macroListKey(event) {
        listKey(event, macroList, macroMenu, currentSelect, macroModel.count, selectMacro)
    }
    function actionListKey(event) {
        if (event.key === Qt.Key_Delete && actionIndex >= 0) {
            deleteAction(actionIndex)
            event.accepted = true
            return
        }
        listKey(event, actionList, actionMenu, actionIndex, actionModel.count,
                function (i) { actionIndex = i })
    }

    // The text of an action as the list shows it.
    function actionText(type, info) {
        switch (type) {
        case 0: return tr(8) + " " + info + " " + tr(16)
        case 1: case 3: return tr(14) + " " + info
        case 2: case 4: return tr(15) + " " + info
        }
        return info
    }

    // A macro's block as the mouse keeps it, with the macro's own repeat count.
    function sendMacro(index, macroName) {
        // A macro whose file is gone empties the slot: the button then does nothing.
        var stored = ui_View.loadMacroIni(macroName)
        var repeat = parseInt(stored[stored.length - 1])
        var block = ui_View.encodeMacroData(stored.slice(0, Math.max(0, stored.length - 1)), isNaN(repeat) ? 0 : repeat)
        ui_View.mouseSendMacroData(block, index)
    }

    // Opened from the dialog of a button (the main screen opens it directly).
    function openEditor() {
        mainIten.mainFocus()
        mainMask.visible = true
        open()
    }
    function closeEditor() {
        commitEdits()
        visible = false
        mainMask.visible = false
    }
    // However the editor is shown or hidden, recording and key capture do
    // not outlive it.
    onVisibleChanged: {
        if (visible) {
            globalCapture = ui_View.globalCaptureAvailable()
            macroList.view.forceActiveFocus()
            return
        }
        if (isInputting)
            stopRecord()
        if (isInsertting)
            cancelInsertKey()
        macroEditorFocus()
    }
    function macroEditorFocus() {
        macroMenu.close()
        actionMenu.close()
    }

    visible: false

    Component.onCompleted: {
        // The arrows move the editor's own selection (which loads a macro).
        macroList.view.keyNavigationEnabled = false
        actionList.view.keyNavigationEnabled = false
    }

    ListModel { id: macroModel }
    ListModel { id: actionModel }

    Timer {
        id: noticeTimer
        interval: 4000
        onTriggered: macroEditor.notice = ""
    }
    // The time since recording started, shown while it runs.
    Timer {
        id: clock
        interval: 100
        repeat: true
        running: macroEditor.isInputting
        property int elapsed: 0
        onTriggered: elapsed = Date.now() - macroEditor.tickStart
    }

    width: 720
    height: 480
    title: macroEditor.tr(0)
    initialFocus: macroList.view
    covered: insertDialog.visible
    sourceClose: mainIten.sourceCloseBtn
    sourceCloseH: mainIten.sourceCloseBtnH
    color: mainIten.colorGray0
    border.color: mainIten.colorGray1
    textColor: mainIten.fontColor
    fontFamily: mainIten.uiFontFamily
    fontSize: mainIten.fontMiddleSize
    onCloseClicked: macroEditor.closeEditor()
    onEmptyAreaPressed: macroEditor.macroEditorFocus()

    // Takes the keys while they are recorded, so that they do not also
    // act on the editor (Escape would close it).
    Item {
        id: captureSink
        Keys.onPressed: function (event) { event.accepted = true }
        Keys.onReleased: function (event) { event.accepted = true }
    }

    // The macros.
    Item {
        x: 16
        y: 12
        width: 200
        height: macroEditor.body.height - 24

        Text {
            id: macroHeading
            text: macroEditor.tr(17)
            color: mainIten.colorGray3
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.ignored: true
        }
        Text {
            anchors.right: parent.right
            text: macroModel.count + " / " + macroEditor.maxMacros
            color: mainIten.colorGray2
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontMinSize
            Accessible.ignored: true
        }
        Rectangle {
            y: 22
            width: parent.width
            height: 336
            color: "#000000"
            border.color: mainIten.colorGray1

            ScrollList {
                id: macroList
                anchors.fill: parent
                anchors.margins: 1
                model: macroModel
                currentIndex: macroEditor.currentSelect
                accessibleName: macroEditor.tr(17)
                barColumnWidth: scrollable ? 16 : 0
                sourcePageUp: mainIten.sourcePageUp
                sourcePageDown: mainIten.sourcePageDown
                delegate: MacroListEntry {
                    id: macroEntry
                    readonly property int row: index
                    width: macroList.view.width
                    textValue: model.textValue
                    nameLabel: macroEditor.tr(30)
                    selected: index === macroEditor.currentSelect
                    onActivated: {
                        macroEditor.selectMacro(index)
                        macroList.view.forceActiveFocus()
                    }
                    onContextMenu: function (x, y) { macroMenu.popup(x, y, macroEntry) }
                    onRenameRequested: function (newName) {
                        if (macroEditor.renameMacro(index, newName))
                            macroEntry.stopEditing()
                    }
                    onEditFinished: macroList.view.forceActiveFocus()
                    onEditingChanged: {
                        if (editing)
                            macroEditor.nameEditor = macroEntry
                        else if (macroEditor.nameEditor === macroEntry)
                            macroEditor.nameEditor = null
                    }
                }
            }
            // Keys the list leaves: the menu, renaming, moving the selection.
            Keys.onPressed: function (event) { macroEditor.macroListKey(event) }
        }
        MacroButton {
            y: parent.height - height
            textValue: macroEditor.tr(1)
            pictureSource: mainIten.sourcemacroNewBtn
            pictureHover: mainIten.sourcemacroNewBtnH
            picturePressed: mainIten.sourcemacroNewBtnP
            enabled: macroModel.count < macroEditor.maxMacros
            onClicked: macroEditor.newMacroNamed()
        }
    }

    // The actions of the selected macro.
    Item {
        x: 232
        y: 12
        width: 272
        height: macroEditor.body.height - 24

        Text {
            text: macroEditor.tr(18) + (macroEditor.currentSelect >= 0 ? " : " + macroEditor.currentName() : "")
            width: parent.width
            elide: Text.ElideRight
            color: mainIten.colorGray3
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.ignored: true
        }
        Rectangle {
            y: 22
            width: parent.width
            height: 336
            color: "#000000"
            border.color: mainIten.colorGray1

            ScrollList {
                id: actionList
                anchors.fill: parent
                anchors.margins: 1
                model: actionModel
                currentIndex: macroEditor.actionIndex
                accessibleName: macroEditor.tr(18)
                barColumnWidth: scrollable ? 16 : 0
                sourcePageUp: mainIten.sourcePageUp
                sourcePageDown: mainIten.sourcePageDown
                delegate: MacroActionEntry {
                    id: actionEntry
                    width: actionList.view.width
                    type: model.type
                    info: model.info
                    textValue: macroEditor.actionText(model.type, model.info)
                    delayLabel: macroEditor.tr(8)
                    selected: index === macroEditor.actionIndex
                    icons: [mainIten.sourcemacroKeyDelay, mainIten.sourcemacroKeyPress,
                        mainIten.sourcemacroKeyRelease, mainIten.sourcemacroMousePress,
                        mainIten.sourcemacroMouseRelease]
                    onActivated: {
                        macroEditor.actionIndex = index
                        actionList.view.forceActiveFocus()
                    }
                    onContextMenu: function (x, y) { actionMenu.popup(x, y, actionEntry) }
                    onDelayEdited: function (ms) { macroEditor.setDelay(index, ms) }
                }
            }
            Keys.onPressed: function (event) { macroEditor.actionListKey(event) }
            // A right-click below the last action still offers the insertions.
            MouseArea {
                anchors.fill: parent
                z: -1
                acceptedButtons: Qt.RightButton
                onClicked: function (mouse) {
                    if (macroEditor.currentSelect >= 0) {
                        macroEditor.actionIndex = -1
                        actionMenu.popup(mouse.x, mouse.y, parent)
                    }
                }
            }
        }
        Text {
            y: 366
            text: macroEditor.tr(28) + "  " + macroEditor.encodedLength + " / " + macroEditor.maxLength
            color: macroEditor.encodedLength >= macroEditor.maxLength ? mainIten.colorOrange : mainIten.colorGray2
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        HintText {
            y: 390
            width: parent.width
            text: macroEditor.tr(29)
            font.pixelSize: mainIten.fontMinSize
        }
    }

    // Recording and the repeat count.
    Column {
        x: 520
        y: 34
        width: macroEditor.body.width - x - 16
        spacing: 16

        Row {
            spacing: 8
            FieldLabel { text: macroEditor.tr(7); width: 64; height: 24 }
            RectInput {
                id: timesInput
                width: 64
                minValue: 0
                maxValue: 9999
                textValue: "1"
                enabled: macroEditor.currentSelect >= 0 && !macroEditor.isInputting
                accessibleName: macroEditor.tr(7)
                borderColor: mainIten.colorGray1
                focusColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                // Leaving the field without a change saves nothing.
                onEndInputSignal: if (macroEditor.times() !== macroEditor.storedTimes) macroEditor.save()
            }
        }
        CheckBox {
            id: delayBox
            textValue: macroEditor.tr(8)
            isSelect: macroEditor.recordDelay
            onBtnClick: macroEditor.recordDelay = !macroEditor.recordDelay
            source: mainIten.sourcemacroCheck0
            sourceSelected: mainIten.sourcemacroCheck1
            markColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
        }
        MacroButton {
            textValue: macroEditor.isInputting ? macroEditor.tr(6) : macroEditor.tr(5)
            accessibleName: "Record"
            checkable: true
            isSelect: macroEditor.isInputting
            enabled: macroEditor.currentSelect >= 0
            pictureSource: mainIten.sourcemacroRecordBtn
            pictureHover: mainIten.sourcemacroRecordBtnH
            picturePressed: mainIten.sourcemacroRecordBtnP
            Accessible.description: textValue
            onClicked: macroEditor.toggleRecord()
        }
        HintText {
            width: parent.width
            visible: macroEditor.isInputting
            text: macroEditor.tr(24) + "  " + macroEditor.tr(31).arg((clock.elapsed / 1000).toFixed(1))
            color: mainIten.colorOrange
        }
        HintText {
            width: parent.width
            visible: !macroEditor.globalCapture
            text: macroEditor.tr(25)
            color: mainIten.colorOrange
        }
        HintText {
            width: parent.width
            visible: macroEditor.isInputting && macroEditor.encodedLength >= macroEditor.maxLength
            text: macroEditor.tr(26)
            color: mainIten.colorOrange
        }
    }

    // Why a rename or a recording was refused.
    Rectangle {
        x: 16
        y: macroEditor.body.height - 40 - 36
        width: 200
        height: noticeText.implicitHeight + 12
        visible: macroEditor.notice !== ""
        color: mainIten.colorGray0
        border.color: mainIten.colorOrange
        Text {
            id: noticeText
            anchors.centerIn: parent
            width: parent.width - 12
            wrapMode: Text.WordWrap
            text: macroEditor.notice
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    // "Insert Key": takes the next key press.
    DialogFrame {
        id: insertDialog
        parent: macroEditor.cover
        width: 280
        height: 168
        title: macroEditor.tr(10)
        sourceClose: mainIten.sourceCloseBtn
        sourceCloseH: mainIten.sourceCloseBtnH
        color: mainIten.colorGray0
        border.color: mainIten.colorOrange
        textColor: mainIten.fontColor
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontMiddleSize
        onCloseClicked: macroEditor.cancelInsertKey()

        Item {
            id: insertSink
            Keys.onPressed: function (event) { event.accepted = true }
            Keys.onReleased: function (event) { event.accepted = true }
        }
        // The key taken, on a key chip.
        Image {
            id: insertChip
            anchors.horizontalCenter: parent.horizontalCenter
            y: 12
            source: mainIten.sourceMacroKeyBg
            Accessible.ignored: true
            Text {
                anchors.centerIn: parent
                text: macroEditor.insertKeyCode !== 0 ? macroEditor.keyName(macroEditor.insertKeyCode) : "?"
                color: macroEditor.insertKeyCode !== 0 ? mainIten.fontColor : mainIten.colorGray2
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontMiddleSize
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
        HintText {
            x: 16
            y: 42
            width: parent.width - 32
            horizontalAlignment: Text.AlignHCenter
            text: macroEditor.tr(19)
        }
        HintText {
            x: 16
            y: 62
            width: parent.width - 32
            horizontalAlignment: Text.AlignHCenter
            visible: !macroEditor.globalCapture
            text: macroEditor.tr(25)
            color: mainIten.colorOrange
            font.pixelSize: mainIten.fontMinSize
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            y: insertDialog.body.height - 36
            spacing: 16
            FlatButton {
                width: 88
                textValue: macroEditor.tr(20)
                enabled: macroEditor.insertKeyCode !== 0
                fillColor: mainIten.colorBlue
                hoverColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                onClicked: macroEditor.confirmInsertKey()
            }
            FlatButton {
                width: 88
                textValue: macroEditor.tr(21)
                fillColor: mainIten.colorBlue
                hoverColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                onClicked: macroEditor.cancelInsertKey()
            }
        }
    }

    ContextMenu {
        id: macroMenu
        menuItems: macroEditor.menuTexts
        accessibleName: macroEditor.tr(17)
        sourceBackground: mainIten.sourcemacroMenuBG
        fontFamily: mainIten.uiFontFamily
        onTriggered: function (i) { macroEditor.macroMenuChosen(i) }
    }
    ContextMenu {
        id: actionMenu
        accessibleName: macroEditor.tr(18)
        sourceBackground: mainIten.sourcemacroMenuBG
        fontFamily: mainIten.uiFontFamily
        onTriggered: function (i) { macroEditor.actionMenuChosen(i) }
    }
}
