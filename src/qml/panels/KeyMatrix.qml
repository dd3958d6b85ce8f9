// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"

// The button list: what each of the mouse's buttons does, one row per button
// the mouse has. It holds the working assignment of all sixteen buttons
// (modKeys) and the default profile's (modKeys_tmp); changes wait here until
// the main screen's Save sends them (isSave).
Rectangle {
    id: keyMatrix

    readonly property var fallbackLang: ["Key", "Key Setting",
        "The only left button keeps its left click."]
    // The "keyMatrix" language list; the main screen fills it.
    property var langList: fallbackLang
    property bool isSave: false
    // Rows shown; the mouse picture knows how many buttons the mouse has.
    readonly property int keyCount: mousePanel() ? mousePanel().keyCount
                                    : (mainIten.keyCount !== undefined ? mainIten.keyCount : 8)
    readonly property int rowCount: 14
    // The selection while no mouse picture shares it.
    property int localSelect: -1
    readonly property int selectedKey: mousePanel() ? mousePanel().selectKey : localSelect
    property string notice: ""

    property alias modKeys: modKeysModel
    // Each button's text, for the mouse picture.
    property var keyTexts: []
    property alias modKeys_tmp: modKeysTmpModel

    readonly property int headerHeight: 28
    readonly property int rowHeight: Math.min(32, Math.floor((height - headerHeight - 14) / Math.max(1, Math.min(rowCount, keyCount))))

    function tr(i) {
        var l = langList
        return l && i < l.length && l[i] !== undefined && l[i] !== "" ? String(l[i]) : fallbackLang[i]
    }

    function mousePanel() {
        return typeof mouseMain !== "undefined" ? mouseMain : null
    }
    function editor() {
        return typeof macroEditorMain !== "undefined" ? macroEditorMain : null
    }
    function dialog() {
        return typeof keyAssigmentMain !== "undefined" ? keyAssigmentMain : null
    }
    // The main screen builds its dialogs on first use; these ask it to.
    function built(type, fallback) {
        return typeof mainIten !== "undefined" && typeof mainIten.buildPanel === "function"
            ? mainIten.buildPanel(type) : fallback
    }
    function dialogOpen() {
        var d = dialog()
        return d !== null && d.visible
    }

    // The labelled rows are 1 .. 8; further rows show only what they do.
    function rowLabel(i) {
        return i < 8 ? tr(0) + " " + (i + 1) : ""
    }

    function keyCodeToString(c0, c1, c2, c3, isRecovery) {
        return functions.keyCodeToString(c0, c1, c2, c3, isRecovery)
    }

    // Key codes as the list keeps them, before any profile is read.
    readonly property var initialCodes: [
        [0x00, 0x00, 0xF0, 0x00], [0x00, 0x00, 0xF1, 0x00], [0x00, 0x00, 0xF2, 0x00],
        [0x00, 0x00, 0xF4, 0x00], [0x00, 0x00, 0xF3, 0x00], [0x05, 0x00, 0x01, 0x00],
        [0x05, 0x00, 0x02, 0x00], [0x00, 0xF0, 0x1E, 0x02], [0, 0, 0, 0], [0, 0, 0, 0],
        [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0xFF, 0x00, 0x01, 0x00],
        [0xFF, 0x00, 0x02, 0x00]
    ]

    function entryOf(model, codes, text) {
        return { keyCode0: codes[0], keyCode1: codes[1], keyCode2: codes[2], keyCode3: codes[3],
                 keyText: text }
    }
    function codesOf(entry) {
        return [entry.keyCode0, entry.keyCode1, entry.keyCode2, entry.keyCode3]
    }
    // A stored key code as four numbers; a missing or short one keeps `current`.
    function storedCodes(stored, current) {
        if (!stored || stored.length < 4)
            return current
        var codes = []
        for (var k = 0; k < 4; ++k) {
            var v = Number(stored[k])
            codes.push(isNaN(v) ? 0 : v)
        }
        return codes
    }
    function fill(model, index, codes, text) {
        var entry = entryOf(model, codes, text)
        if (index < model.count)
            model.set(index, entry)
        else
            model.append(entry)
    }

    function init(isSendData, isRecovery) {
        for (var j = 0; j < 16; ++j) {
            var current = j < modKeys.count ? codesOf(modKeys.get(j)) : initialCodes[j]
            var codes = storedCodes(ui_View.mouseGetKeydefine(j, isRecovery), current)
            fill(modKeys, j, codes, keyCodeToString(codes[0], codes[1], codes[2], codes[3], isRecovery))
            var defaults = storedCodes(ui_View.mouseGetKeydefine(j, true),
                                       j < modKeys_tmp.count ? codesOf(modKeys_tmp.get(j)) : initialCodes[j])
            fill(modKeys_tmp, j, defaults, keyCodeToString(defaults[0], defaults[1], defaults[2], defaults[3], true))
        }
        if (isSendData)
            modKeys.saveData()
    }

    function saveData() {
        modKeys.saveData()
    }

    // The fire periods of the gun-table entries picked for gun slots 1 .. 3.
    function gunPeriods() {
        var gun = typeof gunControlMain !== "undefined" ? gunControlMain : null
        if (gun && typeof gun.gunPeriods === "function")
            return gun.gunPeriods()
        var picks = ui_View.getGlobalData("mouse/selectGun")
        var periods = []
        for (var n = 0; n < 3; ++n) {
            var pick = picks && picks.length > n ? parseInt(picks[n]) : NaN
            if (isNaN(pick)) {
                var own = parseInt(ui_View.getselectGun(n))
                pick = isNaN(own) ? n : own
            }
            var entry = ui_View.getGunData(pick)
            var period = entry && entry.length > 2 ? parseInt(entry[2]) : NaN
            periods.push(isNaN(period) ? 0 : period)
        }
        return periods
    }

    // Transfers to the mouse take a while. Those a click or a screen reader's
    // press starts run just after it, so that the press returns at once;
    // they keep their order, and the key matrix waits for them.
    property var pendingWork: []
    function later(work) {
        pendingWork.push(work)
        pendingTimer.start()
    }
    function runPending() {
        while (pendingWork.length > 0)
            pendingWork.shift()()
    }
    // From the timer: the transfers hold the link as one exchange, and wait
    // while another one runs.
    function runPendingAlone() {
        // The end of the other exchange starts the timer again.
        if (pendingWork.length === 0 || (typeof hid !== "undefined" && hid && hid.busy))
            return
        if (typeof mainIten !== "undefined" && typeof mainIten.exchange === "function")
            mainIten.exchange(runPending)
        else
            runPending()
    }
    function sendMacroLater(slot, name) {
        later(function () {
            var e = built("macroEditor", editor())
            if (e)
                e.sendMacro(slot, name)
        })
    }

    function macroNameOf(entry) {
        return functions.macroNameOfSlot(entry.keyCode2, false)
    }

    // Gives button `index` a new assignment. A macro reaches the mouse at
    // once (its slot is the button's), the key matrix only on Save.
    function assignKey(index, codes, text) {
        var entry = modKeys.get(index)
        if (functions.sameCode(codes, entry.keyCode0, entry.keyCode1, entry.keyCode2, entry.keyCode3)
                && entry.keyText === text)
            return false
        fill(modKeys, index, codes, text)
        if (codes[0] === 0x04) {
            ui_View.setData("mouseMacroKey/" + codes[2], text)
            sendMacroLater(codes[2], text)
        }
        isSave = true
        return true
    }

    // The restore button: every button back to the default profile's.
    function restore() {
        for (var i = 0; i < 16; ++i) {
            var d = modKeys_tmp.get(i)
            fill(modKeys, i, codesOf(d), d.keyText)
            if (d.keyCode0 === 0x04) {
                sendMacroLater(d.keyCode2, d.keyText)
                ui_View.setData("mouseMacroKey/" + d.keyCode2, d.keyText)
            }
        }
        isSave = true
    }

    function setSelected(index) {
        if (mousePanel())
            mousePanel().selectKey = index
        else
            localSelect = index
    }
    function hoverKey(index) {
        setSelected(index)
    }
    function leaveKey() {
        if (!dialogOpen())
            setSelected(-1)
    }

    // Opens the dialog of button `index`, unless it is the last left button.
    function openKey(index) {
        if (modKeys.checkOneLeftKey(index)) {
            notice = tr(2)
            noticeTimer.restart()
            return false
        }
        var d = built("keyAssigment", dialog())
        if (!d)
            return false
        setSelected(index)
        mainIten.mainFocus()
        mainMask.visible = true
        d.show(index)
        return true
    }

    // The macro editor's signals.
    function macroDeleted(macroName) {
        var changed = false
        for (var i = 0; i < modKeys.count; ++i) {
            var e = modKeys.get(i)
            if (e.keyCode0 !== 0x04 || macroNameOf(e) !== macroName)
                continue
            var d = modKeys_tmp.get(i)
            fill(modKeys, i, codesOf(d), d.keyText)
            changed = true
        }
        if (changed)
            isSave = false
        later(function () {
            // Everything pending goes out with it.
            if (changed)
                modKeys.saveData()
            ui_View.deleteMacroUpdateProfile(macroName)
        })
    }
    function macroRenamed(oldMacroName, newMacroName) {
        for (var i = 0; i < modKeys.count; ++i) {
            var e = modKeys.get(i)
            if (e.keyCode0 !== 0x04 || macroNameOf(e) !== oldMacroName)
                continue
            ui_View.setData("mouseMacroKey/" + e.keyCode2, newMacroName)
            modKeys.setProperty(i, "keyText", newMacroName)
        }
        ui_View.modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
    }
    function macroChanged(macroName) {
        for (var i = 0; i < modKeys.count; ++i) {
            var e = modKeys.get(i)
            if (e.keyCode0 === 0x04 && macroNameOf(e) === macroName)
                sendMacroLater(i, macroName)
        }
    }

    function refreshTexts() {
        var texts = []
        for (var i = 0; i < modKeys.count; ++i)
            texts.push(modKeys.get(i).keyText)
        keyTexts = texts
    }

    ListModel {
        id: modKeysModel

        onDataChanged: keyMatrix.refreshTexts()
        onCountChanged: keyMatrix.refreshTexts()

        function saveData() {
            keyMatrix.runPending()
            var list = []
            for (var i = 0; i < 16; ++i) {
                var e = i < count ? get(i) : keyMatrix.entryOf(null, keyMatrix.initialCodes[i], "")
                list.push(e.keyCode0, e.keyCode1, e.keyCode2, e.keyCode3)
            }
            ui_View.mouseSetKeyMatrix(list, true, keyMatrix.gunPeriods())
            // Whatever asked for it, nothing of the list is unsent now.
            keyMatrix.isSave = false
        }
        // True when button `index` is the only left button of the mouse: it
        // keeps its left click, or nothing could click any more. Only the
        // buttons the mouse has count.
        function checkOneLeftKey(index) {
            if (index === undefined)
                index = keyMatrix.selectedKey
            function isLeft(e) {
                return e.keyCode0 === 0x00 && e.keyCode2 === 0xF0
            }
            if (index < 0 || index >= count || !isLeft(get(index)))
                return false
            for (var i = 0; i < Math.min(count, keyMatrix.keyCount); ++i)
                if (i !== index && isLeft(get(i)))
                    return false
            return true
        }
    }
    ListModel {
        id: modKeysTmpModel
    }

    KeyFunctions {
        id: functions
        langList: keyMatrix.dialog() && keyMatrix.dialog().langList !== undefined
                  ? keyMatrix.dialog().langList
                  : (mainIten.panelLang && mainIten.panelLang.keyAssigment
                     ? mainIten.panelLang.keyAssigment : [])
    }

    Component.onCompleted: {
        for (var i = 0; i < 16; ++i) {
            var c = initialCodes[i]
            fill(modKeys, i, c, keyCodeToString(c[0], c[1], c[2], c[3], false))
            fill(modKeys_tmp, i, c, keyCodeToString(c[0], c[1], c[2], c[3], true))
        }
    }

    Timer {
        id: pendingTimer
        interval: 0
        onTriggered: keyMatrix.runPendingAlone()
    }
    Connections {
        target: typeof hid !== "undefined" ? hid : null
        ignoreUnknownSignals: true
        function onBusyChanged() {
            if (!hid.busy && keyMatrix.pendingWork.length > 0)
                pendingTimer.start()
        }
    }
    Timer {
        id: noticeTimer
        interval: 4000
        onTriggered: keyMatrix.notice = ""
    }

    width: 232
    height: 300
    // Drawn as the DPI and lighting panels are: a rounded panel under a
    // title strip with an orange mark.
    radius: 6
    gradient: Gradient {
        GradientStop { position: 0; color: "#202227" }
        GradientStop { position: 1; color: mainIten.colorGray0 }
    }
    border.width: 1
    border.color: mainIten.colorGray1

    Accessible.role: Accessible.Pane
    Accessible.name: tr(1)

    Rectangle {
        x: 1
        y: 1
        width: parent.width - 2
        height: keyMatrix.headerHeight - 1
        radius: 5
        gradient: Gradient {
            GradientStop { position: 0; color: "#2c3038" }
            GradientStop { position: 1; color: "#1f2228" }
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: "black"
        }
        Rectangle {
            x: -1
            y: 6
            width: 3
            height: 14
            color: mainIten.colorOrange
        }
    }
    Text {
        x: 14
        height: keyMatrix.headerHeight
        verticalAlignment: Text.AlignVCenter
        text: keyMatrix.tr(1)
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMiddleSize
        font.bold: true
        Accessible.ignored: true
    }
    ImageButton {
        x: parent.width - width - 8
        y: 2
        width: 24
        height: 24
        source: mainIten.sourceRestBtn
        hoverSource: mainIten.sourceRestBtnH
        pressedSource: mainIten.sourceRestBtnP
        accessibleName: "Restore defaults"
        onClicked: keyMatrix.restore()
    }

    Column {
        id: rows
        x: 1
        y: keyMatrix.headerHeight + 6
        width: parent.width - 2
        Repeater {
            model: keyMatrix.rowCount
            KeyMatrixRow {
                width: rows.width
                height: keyMatrix.rowHeight
                visible: index < keyMatrix.keyCount
                keyIndex: index
                label: keyMatrix.rowLabel(index)
                keyWord: keyMatrix.tr(0)
                valueText: index < keyMatrix.keyTexts.length ? keyMatrix.keyTexts[index] : ""
                selected: keyMatrix.selectedKey === index
                textColor: mainIten.fontColor
                labelColor: mainIten.colorGray2
                selectColor: mainIten.colorOrange
                lineColor: mainIten.colorGray1
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                onEntered: keyMatrix.hoverKey(index)
                onExited: keyMatrix.leaveKey()
                onActivated: keyMatrix.openKey(index)
            }
        }
    }

    // Why a click did nothing, for a few seconds over the bottom rows.
    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 6
        height: noticeText.implicitHeight + 12
        visible: keyMatrix.notice !== ""
        color: mainIten.colorGray0
        border.color: mainIten.colorOrange
        Text {
            id: noticeText
            anchors.centerIn: parent
            width: parent.width - 12
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            text: keyMatrix.notice
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }
}
