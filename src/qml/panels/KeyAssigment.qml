// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"
import "../common"

// The assignment dialog of one button: a section per kind of function in the
// left column, the chosen section's choices at the right. It edits its own
// copy of the key code; Close hands it to the button list, Escape gives it
// up, Back puts the default profile's assignment back. The choice marks are
// bound to that copy.
DialogFrame {
    id: keyAssigment

    // The "keyAssigment" language list; the main screen fills it.
    property var langList: functions.fallback
    property int keyIndex: 0
    property int keyCode0: 0
    property int keyCode1: 0
    property int keyCode2: 0
    property int keyCode3: 0
    property string keyString: ""
    property int currentSection: 0

    // Waiting for keys: a fire key, or a combination.
    property bool isFireInput: false
    property bool isComboInput: false
    property int comboMask: 0
    property var comboKeys: []
    property var comboNames: []
    readonly property string comboText: comboNames.join(" + ")
    property bool globalCapture: true

    property int fireRate: 10
    property int fireTimes: 0
    property int runMode: 0
    property var macroNames: []
    // The macro editor was opened from here; the dialog comes back when it closes.
    property bool waitingForEditor: false

    readonly property bool macroAllowed: keyIndex < functions.macroSlotCount
    readonly property alias functions: functions

    readonly property var sectionLabels: [1, 2, 3, 4, 5, 6, 7, 8, 9]
    readonly property int gunSection: 8

    function tr(i) {
        return functions.text(i)
    }
    function list() {
        return typeof keyMatrixMain !== "undefined" ? keyMatrixMain : null
    }
    function editor() {
        return typeof macroEditorMain !== "undefined" ? macroEditorMain : null
    }
    function hasGun() {
        return mainIten.isGun === true
    }

    function sectionForKind(kind) {
        switch (kind) {
        case 0x01: return 1
        case 0x02: return 2
        case 0x03: return 3
        case 0x06: return 4
        case 0x07: return 5
        case 0x04: return 6
        case 0x05: return 7
        case 0x08: return hasGun() ? gunSection : 0
        }
        return 0
    }

    // The macro names, in the editor's order, without the name lists' sentinel.
    function readMacroNames() {
        var names = ui_View.getNameList(0)
        var out = []
        for (var i = 0; i < names.length; ++i)
            out.push(String(names[i]))
        if (out.length === 2 && out[1] === "loaderquokka")
            out.pop()
        return out
    }
    function setMacroNames(names) {
        macroNames = names.slice()
    }

    function init() {
        setMacroNames(readMacroNames())
    }

    function show(index) {
        stopCapture()
        commitEdits()
        keyIndex = index
        var l = list()
        if (l && index < l.modKeys.count) {
            var e = l.modKeys.get(index)
            keyCode0 = e.keyCode0
            keyCode1 = e.keyCode1
            keyCode2 = e.keyCode2
            keyCode3 = e.keyCode3
            keyString = e.keyText
        }
        fireRate = keyCode0 === 0x01 ? Math.max(1, keyCode2) : 10
        fireTimes = keyCode0 === 0x01 ? keyCode3 : 0
        runMode = keyCode0 === 0x04 ? keyCode1 : 0
        rateSlider.setIndexValue(fireRate - 1, false)
        timesInput.textValue = String(fireTimes)
        currentSection = sectionForKind(keyCode0)
        globalCapture = ui_View.globalCaptureAvailable()
        open()
    }

    function setCode(codes, text) {
        keyCode0 = codes[0]
        keyCode1 = codes[1]
        keyCode2 = codes[2]
        keyCode3 = codes[3]
        keyString = text
    }
    function chooseEntry(entries, i) {
        setCode(entries[i].code, tr(entries[i].label))
    }
    function chosenIn(entries) {
        return functions.entryIndex(entries, keyCode0, keyCode1, keyCode2, keyCode3)
    }

    function showSection(section) {
        if (section === gunSection && !hasGun())
            return
        if (section !== currentSection)
            stopCapture()
        currentSection = section
    }

    // Key capture: the view is asked for the keys while the dialog waits.
    function startFireInput() {
        stopCapture()
        globalCapture = ui_View.globalCaptureAvailable()
        isFireInput = true
        ui_View.requestKeyCapture("fireKey", true)
        captureSink.forceActiveFocus()
    }
    function startComboInput() {
        stopCapture()
        globalCapture = ui_View.globalCaptureAvailable()
        comboMask = 0
        comboKeys = []
        comboNames = []
        isComboInput = true
        ui_View.requestKeyCapture("comboKey", true)
        captureSink.forceActiveFocus()
    }
    function stopCapture() {
        if (isFireInput) {
            isFireInput = false
            ui_View.requestKeyCapture("fireKey", false)
        }
        if (isComboInput) {
            isComboInput = false
            ui_View.requestKeyCapture("comboKey", false)
        }
    }

    // Keys from the main screen: inputType 0 while a fire key is taken, 1
    // while a combination is.
    function detectKeyboard(isDown, usbCode, inputType) {
        if (usbCode <= 0 || usbCode >= 0xF0)
            return
        if (inputType === 0) {
            if (!isFireInput)
                return
            setCode([0x01, usbCode, fireRate, fireTimes], functions.keyName(usbCode))
            stopCapture()
            keyAssigment.forceActiveFocus()
            return
        }
        if (!isComboInput || !isDown)
            return
        if (usbCode >= 0xE0 && usbCode <= 0xE7) {
            var bit = 1 << (usbCode - 0xE0)
            if (comboMask & bit)
                return
            comboMask |= bit
        } else {
            if (comboKeys.length >= 2 || comboKeys.indexOf(usbCode) >= 0)
                return
            comboKeys = comboKeys.concat([usbCode])
        }
        comboNames = comboNames.concat([functions.keyName(usbCode)])
    }
    function confirmCombo() {
        if (!isComboInput || (comboMask === 0 && comboKeys.length === 0))
            return
        setCode([0x02, comboMask, comboKeys.length > 0 ? comboKeys[0] : 0,
                 comboKeys.length > 1 ? comboKeys[1] : 0], comboText)
        stopCapture()
        keyAssigment.forceActiveFocus()
    }
    function cancelCombo() {
        stopCapture()
        keyAssigment.forceActiveFocus()
    }

    function setRate(ms) {
        fireRate = Math.max(1, Math.min(255, Math.round(ms)))
        if (keyCode0 === 0x01)
            keyCode2 = fireRate
    }
    function setTimes(times) {
        fireTimes = Math.max(0, Math.min(255, times))
        timesInput.textValue = String(fireTimes)
        if (keyCode0 === 0x01)
            keyCode3 = fireTimes
    }
    function setEndless(endless) {
        setTimes(endless ? 0 : (fireTimes === 0 ? 1 : fireTimes))
    }

    function chooseMacro(i) {
        if (!macroAllowed || i < 0 || i >= macroNames.length)
            return
        setCode([0x04, runMode, keyIndex, 0x00], macroNames[i])
    }
    function setRunMode(mode) {
        runMode = mode
        if (keyCode0 === 0x04)
            keyCode1 = mode
    }

    function hide() {
        stopCapture()
        visible = false
        mainMask.visible = false
        if (list())
            list().setSelected(-1)
    }
    // A count typed and not confirmed belongs to the edit.
    function commitEdits() {
        timesInput.commit()
    }
    function closeDialog() {
        stopCapture()
        commitEdits()
        if (list())
            list().assignKey(keyIndex, [keyCode0, keyCode1, keyCode2, keyCode3], keyString)
        hide()
    }
    // Nothing of the edit is stored or sent.
    function cancelDialog() {
        hide()
    }
    function back() {
        var l = list()
        if (!l)
            return
        var d = l.modKeys_tmp.get(keyIndex)
        if (d.keyText === keyString)
            return
        stopCapture()
        setCode([d.keyCode0, d.keyCode1, d.keyCode2, d.keyCode3], d.keyText)
        l.assignKey(keyIndex, [d.keyCode0, d.keyCode1, d.keyCode2, d.keyCode3], d.keyText)
        currentSection = sectionForKind(keyCode0)
    }
    function openMacroEditor() {
        var e = typeof mainIten.buildPanel === "function" ? mainIten.buildPanel("macroEditor") : editor()
        if (!e)
            return
        stopCapture()
        waitingForEditor = true
        visible = false
        e.openEditor()
    }

    Connections {
        target: keyAssigment.editor()
        ignoreUnknownSignals: true
        function onVisibleChanged() {
            var e = keyAssigment.editor()
            if (!keyAssigment.waitingForEditor || e.visible)
                return
            keyAssigment.waitingForEditor = false
            keyAssigment.setMacroNames(e.macroNames !== undefined ? e.macroNames : keyAssigment.readMacroNames())
            mainMask.visible = true
            keyAssigment.visible = true
            keyAssigment.forceActiveFocus()
        }
    }

    KeyFunctions {
        id: functions
        langList: keyAssigment.langList
    }

    // No key is waited for once the dialog is gone, however it went.
    onVisibleChanged: if (!visible) stopCapture()

    visible: false

    width: 560
    height: 440
    title: tr(0) + " " + (keyIndex + 1) + " : " + keyString
    showBack: true
    sourceClose: mainIten.sourceCloseBtn
    sourceCloseH: mainIten.sourceCloseBtnH
    sourceBack: mainIten.sourceBack
    sourceBackH: mainIten.sourceBackH
    color: mainIten.colorGray0
    border.color: mainIten.colorGray1
    textColor: mainIten.fontColor
    fontFamily: mainIten.uiFontFamily
    fontSize: mainIten.fontMiddleSize
    escapeCancels: true
    initialFocus: tabRepeater.itemAt(currentSection)
    onCloseClicked: keyAssigment.closeDialog()
    onCancelClicked: keyAssigment.cancelDialog()
    onBackClicked: keyAssigment.back()
    onEmptyAreaPressed: macroList.close()

    // Takes the keys while the dialog waits for them, so that Escape or
    // Tab pressed as a fire key do not also act on the dialog.
    Item {
        id: captureSink
        Keys.onPressed: function (event) { event.accepted = true }
        Keys.onReleased: function (event) { event.accepted = true }
    }

    Column {
        id: tabs
        x: 12
        y: 12
        spacing: 2
        Repeater {
            id: tabRepeater
            model: keyAssigment.sectionLabels
            AssignSectionTab {
                visible: index !== keyAssigment.gunSection || keyAssigment.hasGun()
                textValue: keyAssigment.tr(modelData)
                selected: keyAssigment.currentSection === index
                textColor: mainIten.fontColor
                selectColor: mainIten.colorOrange
                hoverColor: mainIten.colorGray1
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                onActivated: keyAssigment.showSection(index)
            }
        }
    }
    FlatButton {
        x: 12
        y: keyAssigment.body.height - height - 12
        width: 140
        height: 28
        textValue: keyAssigment.tr(10)
        fillColor: mainIten.colorBlue
        hoverColor: mainIten.colorOrange
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        visible: keyAssigment.editor() !== null
        onClicked: keyAssigment.openMacroEditor()
    }

    Rectangle {
        id: content
        x: 164
        y: 12
        width: keyAssigment.body.width - x - 12
        height: keyAssigment.body.height - 24
        color: "#000000"
        border.color: mainIten.colorGray1

        readonly property int pad: 20

        Text {
            id: sectionTitle
            x: content.pad
            y: 14
            text: keyAssigment.tr(keyAssigment.sectionLabels[keyAssigment.currentSection])
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontMiddleSize
            font.bold: true
            Accessible.ignored: true
        }
        Rectangle {
            x: content.pad
            y: 40
            width: content.width - 2 * content.pad
            height: 1
            color: mainIten.colorGray1
        }

        // Mouse functions.
        AssignSection {
            owner: keyAssigment
            index: 0
            AssignChoiceGrid {
                owner: keyAssigment
                entries: functions.mouseEntries
            }
        }

        // Fire: a key repeated at a rate.
        AssignSection {
            owner: keyAssigment
            index: 1
            Column {
                spacing: 18
                Row {
                    spacing: 12
                    FieldLabel { text: keyAssigment.tr(17); height: 32 }
                    KeyCaptureField {
                        id: fireField
                        textValue: keyAssigment.keyCode0 === 0x01 ? keyAssigment.keyString : ""
                        waiting: keyAssigment.isFireInput
                        waitingText: keyAssigment.tr(58)
                        accessibleName: keyAssigment.tr(17)
                        chip: true
                        sourceChip: mainIten.sourceMacroKeyBg
                        focusColor: mainIten.colorOrange
                        borderColor: mainIten.colorGray1
                        placeholderColor: mainIten.colorGray2
                        fontFamily: mainIten.uiFontFamily
                        fontSize: mainIten.fontNormalSize
                        onActivated: keyAssigment.startFireInput()
                    }
                }
                Row {
                    spacing: 12
                    FieldLabel { text: keyAssigment.tr(18); height: 24 }
                    SliderButton {
                        id: rateSlider
                        anchors.verticalCenter: parent.verticalCenter
                        width: 180
                        isScale: true
                        segment: 254
                        accessibleName: keyAssigment.tr(18)
                        valueText: rateText.text
                        sourceSlide: mainIten.sourceSlide
                        trackColor: mainIten.colorBlue
                        passedColor: mainIten.colorOrange
                        onValueChange: keyAssigment.setRate(segmentValue + 1)
                    }
                    Text {
                        id: rateText
                        anchors.verticalCenter: parent.verticalCenter
                        text: keyAssigment.tr(64).arg(keyAssigment.fireRate)
                        color: mainIten.fontColor
                        font.family: mainIten.uiFontFamily
                        font.pixelSize: mainIten.fontNormalSize
                        Accessible.ignored: true
                    }
                }
                Row {
                    spacing: 12
                    FieldLabel { text: keyAssigment.tr(19); height: 24 }
                    RectInput {
                        id: timesInput
                        minValue: 0
                        maxValue: 255
                        textValue: String(keyAssigment.fireTimes)
                        accessibleName: keyAssigment.tr(19)
                        borderColor: mainIten.colorGray1
                        focusColor: mainIten.colorOrange
                        fontFamily: mainIten.uiFontFamily
                        fontSize: mainIten.fontNormalSize
                        onEndInputSignal: keyAssigment.setTimes(parseInt(textValue))
                    }
                    CheckBox {
                        anchors.verticalCenter: parent.verticalCenter
                        textValue: keyAssigment.tr(20)
                        isSelect: keyAssigment.fireTimes === 0
                        source: mainIten.sourcemacroCheck0
                        sourceSelected: mainIten.sourcemacroCheck1
                        markColor: mainIten.colorOrange
                        fontFamily: mainIten.uiFontFamily
                        fontSize: mainIten.fontNormalSize
                        onBtnClick: keyAssigment.setEndless(!isSelect)
                    }
                }
                HintText { text: keyAssigment.tr(56); width: content.width - 2 * content.pad }
                HintText {
                    visible: !keyAssigment.globalCapture
                    text: keyAssigment.tr(62)
                    width: content.width - 2 * content.pad
                    color: mainIten.colorOrange
                }
            }
        }

        // Group: modifiers and at most two keys.
        AssignSection {
            owner: keyAssigment
            index: 2
            Column {
                spacing: 18
                Row {
                    spacing: 12
                    FieldLabel { text: keyAssigment.tr(17); height: 32 }
                    KeyCaptureField {
                        width: 180
                        textValue: keyAssigment.isComboInput ? keyAssigment.comboText
                                   : keyAssigment.keyCode0 === 0x02 ? keyAssigment.keyString : ""
                        waiting: keyAssigment.isComboInput && keyAssigment.comboNames.length === 0
                        waitingText: keyAssigment.tr(58)
                        accessibleName: keyAssigment.tr(17)
                        focusColor: mainIten.colorOrange
                        borderColor: keyAssigment.isComboInput ? mainIten.colorOrange : mainIten.colorGray1
                        placeholderColor: mainIten.colorGray2
                        fontFamily: mainIten.uiFontFamily
                        fontSize: mainIten.fontNormalSize
                        onActivated: keyAssigment.startComboInput()
                    }
                    ImageButton {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 24
                        height: 24
                        enabled: keyAssigment.isComboInput && keyAssigment.comboNames.length > 0
                        source: mainIten.sourceSureBtn
                        hoverSource: mainIten.sourceSureBtnH
                        accessibleName: "Confirm"
                        onClicked: keyAssigment.confirmCombo()
                    }
                    ImageButton {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 24
                        height: 24
                        enabled: keyAssigment.isComboInput
                        source: mainIten.sourceCloseBtn
                        hoverSource: mainIten.sourceCloseBtnH
                        accessibleName: "Cancel"
                        onClicked: keyAssigment.cancelCombo()
                    }
                }
                HintText { text: keyAssigment.tr(57); width: content.width - 2 * content.pad }
                HintText {
                    visible: !keyAssigment.globalCapture
                    text: keyAssigment.tr(62)
                    width: content.width - 2 * content.pad
                    color: mainIten.colorOrange
                }
            }
        }

        AssignSection {
            owner: keyAssigment
            index: 3
            AssignChoiceGrid {
                owner: keyAssigment
                entries: functions.mediaEntries
            }
        }
        AssignSection {
            owner: keyAssigment
            index: 4
            AssignChoiceGrid {
                owner: keyAssigment
                entries: functions.windowsEntries
            }
        }
        AssignSection {
            owner: keyAssigment
            index: 5
            AssignChoiceGrid {
                owner: keyAssigment
                entries: functions.shortcutEntries
            }
        }

        // Macro: a macro of the editor, run in one of three ways.
        AssignSection {
            owner: keyAssigment
            index: 6
            HintText {
                visible: !keyAssigment.macroAllowed
                text: keyAssigment.tr(60)
                width: content.width - 2 * content.pad
                color: mainIten.colorOrange
            }
            Item {
                visible: keyAssigment.macroAllowed
                width: content.width - 2 * content.pad
                height: content.height - 60

                Column {
                    y: 48
                    spacing: 14
                    FieldLabel { text: keyAssigment.tr(63); height: 20 }
                    Repeater {
                        model: functions.runModeLabels
                        RadioButton {
                            index: model.index
                            textValue: keyAssigment.tr(modelData)
                            isSelect: keyAssigment.runMode === model.index
                            source: mainIten.sourceMacroTypeCheck0
                            sourceSelected: mainIten.sourceMacroTypeCheck
                            markColor: mainIten.colorOrange
                            fontFamily: mainIten.uiFontFamily
                            fontSize: mainIten.fontNormalSize
                            onBtnClick: function (i) { keyAssigment.setRunMode(i) }
                        }
                    }
                }
                HintText {
                    y: 220
                    visible: keyAssigment.macroNames.length === 0
                    text: keyAssigment.tr(61)
                    width: parent.width
                }
                Row {
                    spacing: 12
                    FieldLabel { text: keyAssigment.tr(59); height: 24 }
                    DropDownList {
                        id: macroList
                        width: 220
                        mdItems: keyAssigment.macroNames
                        currentSelect: keyAssigment.keyCode0 === 0x04
                                       ? keyAssigment.macroNames.indexOf(keyAssigment.keyString) : -1
                        accessibleName: keyAssigment.tr(59)
                        maxVisibleItems: 8
                        sourceDropBtn: mainIten.sourceDropBtn
                        sourceDropBtnU: mainIten.sourceDropBtnU
                        fillColor: mainIten.colorGray0
                        borderColor: mainIten.colorGray1
                        hoverColor: mainIten.colorOrange
                        fontFamily: mainIten.uiFontFamily
                        fontSize: mainIten.fontNormalSize
                        onValueChange: function (i) { keyAssigment.chooseMacro(i) }
                    }
                }
            }
        }

        AssignSection {
            owner: keyAssigment
            index: 7
            AssignChoiceGrid {
                owner: keyAssigment
                entries: functions.dpiEntries
            }
        }
        AssignSection {
            owner: keyAssigment
            index: 8
            AssignChoiceGrid {
                owner: keyAssigment
                entries: functions.gunEntries
            }
        }
    }
}
