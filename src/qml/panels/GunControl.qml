// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"
import "../basic"
import "PanelText.js" as PanelText

// The gun editor: the table of gun entries (fire period, X and Y pull, shots
// per press) and which entry each of the mouse's three gun slots uses.
// Every edit is stored at once; the slots reach the mouse when the editor
// closes after a change.
DialogFrame {
    id: gunControl

    // The texts: English until the main screen lays the language file over them.
    property var langList: ["Gun editor", "Gun", "Select gun", "Cursor Adjust", "X Axis", "Y axis",
        "Fire adjust", "Rate", "Times", "Endless", "This name is already used by another entry",
        "A name may not be empty or a number or hold a slash", "Rename", "%1MS", "Gun%1"]
    readonly property var lang: langList

    readonly property var builtInNames: ["M416", "AKM", "M16A4", "SCAR-L", "Thomson", "UNP9"]
    readonly property var pictureNames: ["sourceM416", "sourceAKM", "sourceM16A4", "sourceSCARL", "sourceThomson",
        "sourceUNP9"]
    // The Y pull: the dot travels 94 px, from position 89 (Y 0) to 183 (Y 64).
    readonly property int pullTop: 89
    readonly property int pullLength: 94
    readonly property int maxPull: 64
    // The fire period: one step of the rate knob per millisecond, 5 .. 91,
    // and the text shows the period stored.
    readonly property int minPeriod: 5
    readonly property int maxPeriod: 91

    property alias gunModel: gunModel
    property var selectGun: [0, 1, 2]           // the entry of gun slots 1 .. 3
    property int currentSlot: 0
    readonly property int currentEntry: selectGun[currentSlot] !== undefined ? selectGun[currentSlot] : 0
    property bool isSave: false
    property int editingRow: -1                 // the row whose name is being edited
    property string notice: ""                  // why the last rename was refused
    property int revision: 0                    // counts edits of the entries, for the bindings that show them
    property Item nameField: null               // the name being edited, while it is

    ListModel {
        id: gunModel
    }

    function picture(name) {
        var source = mainIten[name]
        return source ? source : ""
    }
    function entry(position) {
        revision
        return position >= 0 && position < gunModel.count ? gunModel.get(position) : null
    }
    function yOfPosition(position) {
        var p = Math.max(pullTop, Math.min(pullTop + pullLength, position))
        return Math.floor((p - pullTop) / pullLength * maxPull)
    }
    // The smallest dot position that gives y, so that the dot and the entry agree.
    function positionOfY(y) {
        return pullTop + Math.ceil(Math.max(0, Math.min(maxPull, y)) * pullLength / maxPull)
    }
    function periodOf(step) {
        return Math.max(minPeriod, Math.min(maxPeriod, minPeriod + Math.round(step)))
    }
    function fields(e) {
        return [e.gunName, e.gunKey, e.gunPeriod, e.gunX, e.gunY, e.gunTimes]
    }
    // The fire periods of the entries in gun slots 1 .. 3 (for the key matrix).
    function gunPeriods() {
        var periods = []
        for (var slot = 0; slot < 3; ++slot) {
            var e = entry(selectGun[slot])
            periods.push(e ? PanelText.toInt(e.gunPeriod, 0) : 0)
        }
        return periods
    }

    function fillBuiltIn() {
        gunModel.clear()
        for (var i = 0; i < builtInNames.length; ++i)
            gunModel.append({ gunName: builtInNames[i], gunKey: "L-Click", gunPeriod: "10", gunX: "0",
                              gunY: "10", gunTimes: "0" })
    }
    function readSelectGun() {
        var stored = ui_View.getGlobalData("mouse/selectGun")
        if (typeof stored === "string")
            stored = stored.split(",")
        var picks = [0, 1, 2]
        for (var slot = 0; slot < 3; ++slot) {
            var pick = stored && stored.length > slot ? PanelText.toInt(String(stored[slot]).trim(), -1) : -1
            if (pick >= 0 && pick < gunModel.count)
                picks[slot] = pick
        }
        selectGun = picks
    }
    function init() {
        if (gunModel.count === 0)
            fillBuiltIn()
        for (var i = 0; i < gunModel.count; ++i) {
            var stored = ui_View.getGunData(i)
            if (!stored || stored.length < 6)
                continue
            gunModel.set(i, { gunName: String(stored[0]), gunKey: String(stored[1]), gunPeriod: String(stored[2]),
                              gunX: String(stored[3]), gunY: String(stored[4]), gunTimes: String(stored[5]) })
        }
        readSelectGun()
        revision++
        currentSlot = 0
        isSave = false
        showEntry()
    }

    // Puts the current entry's values into the controls.
    function showEntry() {
        var e = entry(currentEntry)
        if (!e)
            return
        gunList.currentIndex = currentEntry
        yInput.textValue = String(PanelText.toInt(e.gunY, 0))
        timesInput.textValue = String(PanelText.toInt(e.gunTimes, 0))
        rateSlider.slider.setIndexValue(PanelText.toInt(e.gunPeriod, 10) - minPeriod, false)
    }
    // What was typed into Y, Times or a name and not confirmed goes to the
    // entry it was typed for, before the controls show another one.
    function commitEdits() {
        if (editingRow >= 0 && nameField)
            nameField.finish(true)
        yInput.commit()
        timesInput.commit()
    }

    function saveEntry(position) {
        var e = entry(position)
        if (!e)
            return
        ui_View.mouseSaveGundata(position, fields(e))
        isSave = true
    }
    function setField(role, value) {
        var e = entry(currentEntry)
        if (!e || e[role] === String(value))
            return
        gunModel.setProperty(currentEntry, role, String(value))
        revision++
        saveEntry(currentEntry)
    }
    function setY(y) {
        setField("gunY", Math.max(0, Math.min(maxPull, y)))
        yInput.textValue = entry(currentEntry).gunY
    }
    function setTimes(times) {
        setField("gunTimes", times)
        timesInput.textValue = String(times)
    }

    function chooseSlot(slot) {
        commitEdits()
        currentSlot = slot
        showEntry()
    }
    // Puts entry `position` into the current slot.
    function chooseEntry(position) {
        if (position < 0 || position >= gunModel.count || position === currentEntry)
            return
        commitEdits()
        var picks = selectGun.slice()
        picks[currentSlot] = position
        selectGun = picks
        ui_View.setGlobalData("mouse/selectGun", picks)
        isSave = true
        showEntry()
    }

    // Entry names key the gun table, as do the entries' positions: an empty
    // name would remove the whole table and a number would overwrite a
    // position's entry, so neither is taken, nor a name another entry uses.
    function nameRefusal(position, name) {
        if (name === "" || name.indexOf("/") >= 0 || name.indexOf("\\") >= 0 || /^[0-9]+$/.test(name))
            return lang[11]
        for (var i = 0; i < gunModel.count; ++i)
            if (i !== position && gunModel.get(i).gunName === name)
                return lang[10]
        return ""
    }
    function startRename(position) {
        if (position < 0 || position >= gunModel.count)
            return
        notice = ""
        editingRow = position
    }
    function rename(position, newName) {
        editingRow = -1
        var e = entry(position)
        if (!e)
            return false
        var name = String(newName).trim()
        var oldName = e.gunName
        if (name === oldName)
            return true
        notice = nameRefusal(position, name)
        if (notice !== "")
            return false
        var stored = ui_View.modifyGundata(1, [name, e.gunKey, e.gunPeriod, e.gunX, e.gunY, e.gunTimes, oldName])
        if (stored === false) {
            notice = lang[11]
            return false
        }
        gunModel.setProperty(position, "gunName", name)
        revision++
        // The editor reads its entries by position at start: the new name
        // is kept there too, or it would be lost on the next start.
        ui_View.mouseSaveGundata(position, fields(gunModel.get(position)))
        var names = []
        for (var i = 0; i < gunModel.count; ++i)
            names.push(gunModel.get(i).gunName)
        ui_View.updataNameList(1, names)
        return true
    }

    // Gun slots 1 .. 3 with their entries' shots, X and Y, then the key
    // matrix, which carries the entries' fire periods.
    function sendSlots() {
        for (var slot = 0; slot < 3; ++slot) {
            var e = entry(selectGun[slot])
            if (e)
                ui_View.mouseSendGundata(slot + 1, [PanelText.toInt(e.gunTimes, 0), PanelText.toInt(e.gunX, 0),
                                                    PanelText.toInt(e.gunY, 0)])
        }
    }
    // Sends the slots and the key matrix as one exchange; while the mouse is
    // busy the editor stays open with its changes.
    function closeEditor() {
        gunControlFocus()
        if (isSave) {
            var send = function () {
                sendSlots()
                if (typeof keyMatrixMain !== "undefined" && keyMatrixMain && keyMatrixMain.modKeys)
                    keyMatrixMain.modKeys.saveData()
                isSave = false
            }
            var sent = typeof mainIten.exchange === "function" ? mainIten.exchange(send) : (send(), true)
            if (!sent)
                return false
        }
        visible = false
        mainMask.visible = false
        return true
    }

    // Factory reset: the first three entries in the slots, with their
    // factory pull and period, stored and sent.
    function resetData() {
        if (gunModel.count === 0)
            fillBuiltIn()
        selectGun = [0, 1, 2]
        ui_View.setGlobalData("mouse/selectGun", [0, 1, 2])
        var pulls = [5, 7, 8]
        for (var i = 0; i < 3 && i < gunModel.count; ++i) {
            gunModel.setProperty(i, "gunY", String(pulls[i]))
            gunModel.setProperty(i, "gunPeriod", "9")
            ui_View.mouseSaveGundata(i, fields(gunModel.get(i)))
        }
        revision++
        sendSlots()
        isSave = false
        showEntry()
    }

    function show() {
        mainIten.mainFocus()
        mainMask.visible = true
        open()
    }
    // A press outside the lists closes them and ends editing.
    function gunControlFocus() {
        slotList.close()
        rateSlider.close()
        commitEdits()
    }

    width: 640
    height: 440
    title: lang[0]
    initialFocus: gunList.view
    fontFamily: mainIten.uiFontFamily
    fontSize: mainIten.fontMiddleSize
    textColor: mainIten.fontColor
    color: mainIten.colorGray0
    border.color: mainIten.colorGray1
    sourceClose: picture("sourceCloseBtn")
    sourceCloseH: picture("sourceCloseBtnH")
    onCloseClicked: closeEditor()
    onEmptyAreaPressed: gunControlFocus()
    onVisibleChanged: if (visible) notice = ""

    // The entries; the current slot's entry is marked, a press puts an entry
    // into the current slot, a double-click (or F2) renames it.
    ScrollList {
        id: gunList
        objectName: "gunList"
        x: 16
        y: 12
        width: 208
        height: 264
        model: gunModel
        accessibleName: gunControl.lang[1]
        sourcePageUp: gunControl.picture("sourcePageUp")
        sourcePageDown: gunControl.picture("sourcePageDown")
        delegate: Rectangle {
            id: row
            readonly property int entryIndex: index
            readonly property bool current: index === gunControl.currentEntry
            readonly property bool editing: index >= 0 && index === gunControl.editingRow
            width: gunList.view.width
            height: 40
            color: current ? Qt.rgba(0.81, 0.24, 0, 0.25) : rowArea.containsMouse ? mainIten.colorGray1 : "transparent"
            border.color: current ? mainIten.colorOrange : "transparent"

            Accessible.role: Accessible.ListItem
            Accessible.name: model.gunName
            Accessible.selectable: true
            Accessible.selected: current
            Accessible.onPressAction: if (enabled) gunControl.chooseEntry(index)
            Accessible.focusable: true
            // The list's keyboard cursor: Enter or Space puts the entry into
            // the slot, F2 renames it.
            focus: ListView.isCurrentItem
            Keys.onPressed: function (event) {
                if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
                    gunControl.chooseEntry(index)
                else if (event.key === Qt.Key_F2)
                    gunControl.startRename(index)
                else
                    return
                event.accepted = true
            }

            FocusRing {
                inset: true
                shown: row.activeFocus && !row.editing
            }
            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: gunControl.chooseEntry(index)
                onDoubleClicked: gunControl.startRename(index)
            }
            // Which slots use this entry.
            Row {
                anchors.left: parent.left
                anchors.leftMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                spacing: 2
                Repeater {
                    model: 3
                    Rectangle {
                        width: 14
                        height: 14
                        radius: 7
                        color: gunControl.selectGun[index] === row.entryIndex ? (index === gunControl.currentSlot
                                   ? mainIten.colorOrange : mainIten.colorBlue) : "transparent"
                        border.color: gunControl.selectGun[index] === row.entryIndex ? "transparent" : mainIten.colorGray1
                        Text {
                            anchors.centerIn: parent
                            text: index + 1
                            color: gunControl.selectGun[index] === row.entryIndex ? mainIten.fontColor : mainIten.colorGray1
                            font.family: mainIten.uiFontFamily
                            font.pixelSize: 9
                            Accessible.ignored: true
                        }
                    }
                }
            }
            Text {
                x: 64
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - x - 36
                elide: Text.ElideRight
                visible: !row.editing
                text: model.gunName
                color: mainIten.fontColor
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontNormalSize
                Accessible.ignored: true
            }
            ImageButton {
                anchors.right: parent.right
                anchors.rightMargin: 6
                anchors.verticalCenter: parent.verticalCenter
                width: 24
                height: 24
                visible: !row.editing && (rowArea.containsMouse || hovered || activeFocus || row.current)
                source: gunControl.picture("sourceProfileEditBtn")
                hoverSource: gunControl.picture("sourceProfileEditBtnS")
                accessibleName: gunControl.lang[12]
                onClicked: gunControl.startRename(index)
            }
            Rectangle {
                x: 60
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - x - 6
                height: 26
                visible: row.editing
                color: mainIten.colorGray0
                border.color: mainIten.colorOrange
                TextInput {
                    id: nameInput
                    anchors.fill: parent
                    anchors.leftMargin: 4
                    anchors.rightMargin: 4
                    verticalAlignment: TextInput.AlignVCenter
                    clip: true
                    maximumLength: 24
                    color: mainIten.fontColor
                    selectionColor: mainIten.colorOrange
                    selectByMouse: true
                    font.family: mainIten.uiFontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    Accessible.role: Accessible.EditableText
                    Accessible.name: gunControl.lang[12]
                    property bool done: false
                    function finish(accept) {
                        if (done)
                            return
                        done = true
                        // Ended by a key: the list takes the focus back from
                        // the field, which hides and would keep it.
                        if (activeFocus) {
                            focus = false
                            gunList.view.forceActiveFocus()
                        }
                        if (accept)
                            gunControl.rename(index, text)
                        else
                            gunControl.editingRow = -1
                    }
                    Keys.onReturnPressed: finish(true)
                    Keys.onEnterPressed: finish(true)
                    Keys.onEscapePressed: finish(false)
                    // Another control taking the focus ends the edit; the
                    // window losing it (another program, a menu) does not.
                    onActiveFocusChanged: {
                        var next = Window.activeFocusItem
                        if (!activeFocus && row.editing && next && next !== Window.contentItem)
                            finish(true)
                    }
                }
            }
            onEditingChanged: {
                if (!editing) {
                    if (gunControl.nameField === nameInput)
                        gunControl.nameField = null
                    return
                }
                gunControl.nameField = nameInput
                nameInput.done = false
                nameInput.text = model.gunName
                nameInput.forceActiveFocus()
                nameInput.selectAll()
            }
        }
    }
    Text {
        objectName: "notice"
        x: 16
        y: 284
        width: 208
        wrapMode: Text.WordWrap
        visible: gunControl.notice !== ""
        text: gunControl.notice
        color: mainIten.colorOrange
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMinSize
    }

    Rectangle {
        x: 236
        y: 12
        width: 1
        height: parent.height - 24
        color: mainIten.colorGray1
    }

    // The slot chooser and the current entry's gun.
    Text {
        x: 252
        y: 16
        text: gunControl.lang[2]
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
        Accessible.ignored: true
    }
    Image {
        objectName: "gunPicture"
        x: 252
        y: 48
        width: 200
        height: 72
        source: gunControl.currentEntry < gunControl.pictureNames.length
                ? gunControl.picture(gunControl.pictureNames[gunControl.currentEntry]) : ""
        Accessible.ignored: true
    }
    Text {
        x: 252
        y: 124
        width: 200
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: gunControl.entry(gunControl.currentEntry) ? gunModel.get(gunControl.currentEntry).gunName : ""
        color: mainIten.colorGray3
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMiddleSize
        Accessible.ignored: true
    }

    // Y pull on the target.
    Text {
        x: 252
        y: 152
        text: gunControl.lang[3]
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMiddleSize
        Accessible.ignored: true
    }
    Image {
        id: target
        x: 252
        y: 176
        width: 200
        height: 200
        source: gunControl.picture("sourceTarget")
        Accessible.ignored: true

        // The dot's centre stands at the track's y = position - 36 (the
        // track runs from 53 to 147 on the picture).
        Rectangle {
            id: pullDot
            objectName: "pullDot"
            readonly property int y0: gunControl.pullTop - 36
            readonly property int gunY: {
                var e = gunControl.entry(gunControl.currentEntry)
                return e ? PanelText.toInt(gunModel.get(gunControl.currentEntry).gunY, 0) : 0
            }
            // What the screen reader reads and sets: the Y value.
            property real value: gunY
            readonly property real minimumValue: 0
            readonly property real maximumValue: gunControl.maxPull
            readonly property real stepSize: 1
            readonly property real restY: gunControl.positionOfY(gunY) - 36 - height / 2
            readonly property int position: Math.round(gunControl.pullTop + y + height / 2 - y0)

            x: 100.5 - width / 2
            y: restY
            width: 14
            height: 14
            radius: 7
            color: "#ff3030"
            border.color: activeFocus ? mainIten.fontColor : "#7a0000"
            border.width: activeFocus ? 2 : 1
            activeFocusOnTab: true

            onGunYChanged: value = gunY
            // While dragged the entry shows the Y the dot would give.
            onYChanged: if (dotArea.drag.active) yInput.textValue = String(gunControl.yOfPosition(position))
            onValueChanged: if (Math.round(value) !== gunY) gunControl.setY(Math.round(value))

            Accessible.role: Accessible.Slider
            Accessible.name: gunControl.lang[5]
            Accessible.description: String(gunY)
            Accessible.focusable: true
            Accessible.onIncreaseAction: if (enabled) gunControl.setY(gunY + 1)
            Accessible.onDecreaseAction: if (enabled) gunControl.setY(gunY - 1)
            Keys.onPressed: function (event) {
                // Down pulls further (the dot moves down the track).
                if (event.key === Qt.Key_Down || event.key === Qt.Key_Right)
                    gunControl.setY(gunY + 1)
                else if (event.key === Qt.Key_Up || event.key === Qt.Key_Left)
                    gunControl.setY(gunY - 1)
                else
                    return
                event.accepted = true
            }

            MouseArea {
                id: dotArea
                anchors.fill: parent
                anchors.margins: -6
                cursorShape: Qt.SizeVerCursor
                drag.target: pullDot
                drag.axis: Drag.YAxis
                drag.minimumY: pullDot.y0 - pullDot.height / 2
                drag.maximumY: pullDot.y0 + gunControl.pullLength - pullDot.height / 2
                drag.threshold: 0
                onPressed: pullDot.forceActiveFocus()
                onReleased: {
                    var y = gunControl.yOfPosition(pullDot.position)
                    pullDot.y = Qt.binding(function () { return pullDot.restY })
                    gunControl.setY(y)
                }
            }
        }
    }

    // X, Y, rate, times.
    Column {
        id: valuesColumn
        x: 476
        y: 16
        width: 146
        spacing: 6
        z: 1

        Text {
            text: gunControl.lang[4]
            color: mainIten.colorGray2
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.ignored: true
        }
        Text {
            objectName: "xValue"
            text: gunControl.entry(gunControl.currentEntry) ? gunModel.get(gunControl.currentEntry).gunX : ""
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontMiddleSize
            Accessible.role: Accessible.StaticText
            Accessible.name: gunControl.lang[4] + " " + text
        }
        Text {
            text: gunControl.lang[5]
            color: mainIten.colorGray2
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.ignored: true
        }
        RectInput {
            id: yInput
            objectName: "yInput"
            width: 64
            minValue: 0
            maxValue: gunControl.maxPull
            accessibleName: gunControl.lang[5]
            focusColor: mainIten.colorOrange
            borderColor: mainIten.colorGray1
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onEndInputSignal: gunControl.setY(PanelText.toInt(textValue, 0))
        }
        Item { width: 1; height: 10 }
        Rectangle { width: parent.width; height: 1; color: mainIten.colorGray1 }
        Item { width: 1; height: 4 }
        Text {
            text: gunControl.lang[6]
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontMiddleSize
            Accessible.ignored: true
        }
        Text {
            text: gunControl.lang[7]
            color: mainIten.colorGray2
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.ignored: true
        }
        DropDownSlider {
            id: rateSlider
            objectName: "rateSlider"
            z: 2
            width: 118
            readonly property int period: gunControl.periodOf(slider.segmentValue)
            textValue: String(gunControl.lang[13]).arg(period)
            accessibleName: gunControl.lang[7]
            sourceDropBtn: gunControl.picture("sourceDropBtn")
            sourceDropBtnU: gunControl.picture("sourceDropBtnU")
            sourceSlide: gunControl.picture("sourceSlide")
            hoverColor: mainIten.colorOrange
            borderColor: mainIten.colorGray1
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onBtnClick: slotList.close()
            slider.isScale: true
            slider.segment: gunControl.maxPeriod - gunControl.minPeriod
            onValueChangeDelay: gunControl.setField("gunPeriod", period)
        }
        Text {
            text: gunControl.lang[8]
            color: mainIten.colorGray2
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.ignored: true
        }
        Row {
            spacing: 12
            RectInput {
                id: timesInput
                objectName: "timesInput"
                width: 64
                minValue: 0
                maxValue: 255
                accessibleName: gunControl.lang[8]
                focusColor: mainIten.colorOrange
                borderColor: mainIten.colorGray1
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                onEndInputSignal: gunControl.setTimes(PanelText.toInt(textValue, 0))
            }
            CheckBox {
                id: endless
                objectName: "endless"
                anchors.verticalCenter: parent.verticalCenter
                isSelect: {
                    var e = gunControl.entry(gunControl.currentEntry)
                    return e !== null && PanelText.toInt(e.gunTimes, 0) === 0
                }
                textValue: gunControl.lang[9]
                sourceSelected: gunControl.picture("sourceCheckBtn")
                markColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                // Unticking gives one shot per press: 0 would mean endless again.
                onBtnClick: gunControl.setTimes(isSelect ? 1 : 0)
            }
        }
    }

    // Comes last so that its open list lies above the controls below it.
    DropDownList {
        id: slotList
        objectName: "slotList"
        x: 336
        y: 12
        width: 116
        mdItems: [1, 2, 3].map(function (slot) { return String(gunControl.lang[14]).arg(slot) })
        accessibleName: gunControl.lang[2]
        sourceDropBtn: gunControl.picture("sourceDropBtn")
        sourceDropBtnU: gunControl.picture("sourceDropBtnU")
        hoverColor: mainIten.colorOrange
        borderColor: mainIten.colorGray1
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        currentSelect: gunControl.currentSlot
        onBtnClick: rateSlider.close()
        onValueChange: function (index) { gunControl.chooseSlot(index) }
    }
}
