// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"
import "../basic"
import "PanelText.js" as PanelText

// The profiles: at most six rows, each a name and the number of the profile
// file it uses. The number, not the row's place in the list, addresses the
// file everywhere (switching, import, export, the delete guard), so that
// deleting a row in the middle leaves every other row on its own file.
DialogFrame {
    id: profile

    // The texts: English until the main screen lays the language file over them.
    property var langList: ["config", "New", "Import", "Delete", "Export", "Standard", "Use",
        "Rename", "This name is already used by another profile", "This name cannot be used",
        "There are six profiles already", "The first profile and the one in use cannot be deleted", "Profiles"]
    readonly property var lang: langList
    // Texts past the language file's list, English where it has none.
    function text(i, english) {
        return i < lang.length && lang[i] !== undefined && lang[i] !== "" ? String(lang[i]) : english
    }
    // The main screen's texts (OK, Cancel).
    function mainText(i, english) {
        var l = mainIten.mainLang
        return l && l[i] ? String(l[i]) : english
    }

    readonly property int maxRows: 6
    // The name lists' end marker; a profile by that name would vanish.
    readonly property string sentinel: "loaderquokka"

    // The rows: `textValue` the name shown (also by the title-bar list),
    // `profileNo` the number of the profile file.
    property alias profileDataModel0: profileDataModel0
    property int profileNo: -1                  // the profile in use (-1 until the main screen sets it)
    readonly property int profileRow: { revision; return rowOfNumber(profileNo) }
    property int currentRow: 0                  // the row New, Import and the keys act on
    property int editingRow: -1
    property int menuRow: -1
    property string notice: ""
    // Rows of the stored list that could not be shown at start (a digit past
    // 5, or a second row on one file); their profile files stay as they are.
    property string setAside: ""
    // The row an import with six rows would replace; -1 while not asked.
    property int importOverRow: -1
    property Item importOpener: null            // had the focus when it was asked
    property int revision: 0                    // counts changes of the rows, for bindings

    ListModel {
        id: profileDataModel0
    }

    function picture(name) {
        var source = mainIten[name]
        return source ? source : ""
    }
    function rowOfNumber(number) {
        for (var i = 0; i < profileDataModel0.count; ++i)
            if (profileDataModel0.get(i).profileNo === number)
                return i
        return -1
    }
    function numberAt(row) {
        return row >= 0 && row < profileDataModel0.count ? profileDataModel0.get(row).profileNo : -1
    }
    function nameUsed(name, exceptRow) {
        for (var i = 0; i < profileDataModel0.count; ++i)
            if (i !== exceptRow && profileDataModel0.get(i).textValue === name)
                return true
        return false
    }
    function storeList() {
        var entries = []
        for (var i = 0; i < profileDataModel0.count; ++i)
            entries.push(profileDataModel0.get(i).textValue + profileDataModel0.get(i).profileNo)
        ui_View.updataNameList(2, entries)
        revision++
    }

    function init() {
        profileDataModel0.clear()
        var entries = ui_View.getNameList(2)
        if (entries.length === 2 && entries[1] === sentinel)
            entries = [entries[0]]
        var used = []
        var dropped = []
        for (var i = 0; i < entries.length; ++i) {
            var entry = String(entries[i])
            var number = parseInt(entry.slice(-1), 10)
            // Only digits 0 .. 5 name a profile file; a second row on the
            // same file would make the delete guard and switching ambiguous.
            if (entry.length === 0 || isNaN(number) || number >= maxRows || used.indexOf(number) >= 0
                    || profileDataModel0.count >= maxRows) {
                if (entry.length > 0 && entry !== sentinel)
                    dropped.push(entry.length > 1 ? entry.slice(0, -1) + " (" + entry.slice(-1) + ")" : entry)
                continue
            }
            used.push(number)
            profileDataModel0.append({ textValue: entry.slice(0, -1), profileNo: number })
        }
        setAside = dropped.length > 0
                ? text(26, "Set aside at start, their profile files kept:") + " " + dropped.join(", ") : ""
        importOverRow = -1
        if (profileDataModel0.count === 0)
            profileDataModel0.append({ textValue: lang[5], profileNo: 0 })
        profileDataModel0.setProperty(0, "textValue", lang[5])
        currentRow = Math.max(0, rowOfNumber(profileNo))
        editingRow = -1
        notice = ""
        storeList()
    }

    // Adds a row on the first free file, unless six rows exist; returns it or -1.
    function addRow() {
        if (profileDataModel0.count >= maxRows) {
            notice = lang[10]
            return -1
        }
        var name = ""
        for (var n = 0; n < 12 && name === ""; ++n)
            if (!nameUsed("profile_" + n, -1))
                name = "profile_" + n
        var number = 0
        while (rowOfNumber(number) >= 0)
            ++number
        profileDataModel0.append({ textValue: name, profileNo: number })
        currentRow = profileDataModel0.count - 1
        notice = ""
        storeList()
        return currentRow
    }
    // A new row on a fresh copy of the default profile.
    function newProfile() {
        var row = addRow()
        if (row >= 0)
            ui_View.resetProfile(numberAt(row))
        return row
    }
    // Imports a file into a new row. With six rows it goes into the chosen
    // row instead, which is asked first (importOver). A cancelled import
    // takes its new row away again.
    function importProfile() {
        if (profileDataModel0.count >= maxRows) {
            notice = ""
            importOpener = Window.activeFocusItem
            importOverRow = currentRow
            importCancel.forceActiveFocus()
            return false
        }
        var before = currentRow
        var added = addRow()
        if (loadInto(currentRow))
            return true
        if (added >= 0) {
            profileDataModel0.remove(added)
            currentRow = before
            storeList()
        }
        return false
    }
    function loadInto(row) {
        var number = numberAt(row)
        if (number < 0 || !ui_View.loadProfile(number))
            return false
        // The profile in use was replaced: the mouse gets it.
        if (number === profileNo && typeof mainIten.reloadProfile === "function")
            mainIten.reloadProfile()
        return true
    }
    // The answer to "replace this profile?"; Cancel changes nothing.
    function importOver(accept) {
        var row = importOverRow
        importOverRow = -1
        backTo(importOpener)
        importOpener = null
        return accept ? loadInto(row) : false
    }
    // Focus back from the confirmation or the applications page to the
    // control that opened it, else to the rows.
    function backTo(item) {
        if (item && item.visible && item.enabled && holds(item))
            item.forceActiveFocus()
        else if (visible)
            rowList.view.forceActiveFocus()
    }
    function canDelete(row) {
        return row > 0 && row < profileDataModel0.count && numberAt(row) !== profileNo
    }
    function deleteProfile(row) {
        if (!canDelete(row)) {
            notice = lang[11]
            return false
        }
        profileDataModel0.remove(row)
        if (currentRow >= row)
            currentRow = Math.max(0, currentRow - 1)
        notice = ""
        storeList()
        return true
    }
    function exportProfile(row) {
        var number = numberAt(row)
        if (number >= 0)
            ui_View.saveProfile(number)
    }

    function startRename(row) {
        if (row <= 0 || row >= profileDataModel0.count)
            return
        notice = ""
        currentRow = row
        editingRow = row
    }
    function rename(row, newName) {
        editingRow = -1
        if (row <= 0 || row >= profileDataModel0.count)
            return false
        var name = String(newName).trim()
        if (name === profileDataModel0.get(row).textValue)
            return true
        if (name === "" || name === sentinel) {
            notice = lang[9]
            return false
        }
        if (nameUsed(name, row)) {
            notice = lang[8]
            return false
        }
        profileDataModel0.setProperty(row, "textValue", name)
        notice = ""
        storeList()
        return true
    }

    // Shared with the title-bar list: switch to the profile file `tmpProfileNo`.
    function changeProfile(tmpProfileNo) {
        var number = PanelText.toInt(tmpProfileNo, -1)
        if (number === profileNo || rowOfNumber(number) < 0)
            return
        if (typeof mainIten.changeProfile === "function")
            mainIten.changeProfile(number)
        profileNo = number
        currentRow = rowOfNumber(number)
    }
    function changeProfileAt(row) {
        changeProfile(numberAt(row))
    }

    function openMenu(row, x, y, item) {
        menuRow = row
        currentRow = row
        if (item)
            rowMenu.popup(x, y, item)
    }
    function runMenu(index) {
        if (index === 0)
            deleteProfile(menuRow)
        else if (index === 1)
            exportProfile(menuRow)
    }

    function show() {
        mainIten.mainFocus()
        mainMask.visible = true
        open()
    }
    function hide() {
        profileFocus()
        importOverRow = -1
        visible = false
        mainMask.visible = false
    }
    // A name typed and not confirmed is taken, or refused with its reason,
    // before the rows are read again.
    function commitEdits() {
        var item = editingRow >= 0 ? rowList.view.itemAtIndex(editingRow) : null
        if (item)
            item.finishRename()
    }
    // A press outside the dialog closes its menu and ends a rename.
    function profileFocus() {
        rowMenu.close()
        if (editingRow >= 0)
            rowList.view.forceActiveFocus()
    }

    width: 480
    height: 360
    title: lang[0]
    initialFocus: rowList.view
    // The confirmation and the applications page hold the keyboard.
    covered: importSure.visible || appsPage.visible
    fontFamily: mainIten.uiFontFamily
    fontSize: mainIten.fontMiddleSize
    textColor: mainIten.fontColor
    color: mainIten.colorGray0
    border.color: mainIten.colorGray1
    sourceClose: picture("sourceCloseBtn")
    sourceCloseH: picture("sourceCloseBtnH")
    onCloseClicked: hide()
    onEmptyAreaPressed: profileFocus()
    // Opening starts on the row in use.
    onVisibleChanged: {
        if (!visible)
            return
        notice = ""
        currentRow = Math.max(0, profileRow)
        rowList.currentIndex = currentRow
    }
    onProfileNoChanged: currentRow = Math.max(0, rowOfNumber(profileNo))
    onCurrentRowChanged: rowList.currentIndex = currentRow

    ScrollList {
        id: rowList
        objectName: "profileRows"
        x: 16
        y: 8
        width: parent.width - 32
        height: profile.maxRows * 44 - 4
        model: profileDataModel0
        spacing: 4
        accessibleName: profile.lang[12]
        sourcePageUp: profile.picture("sourcePageUp")
        sourcePageDown: profile.picture("sourcePageDown")
        onCurrentIndexChanged: if (currentIndex >= 0) profile.currentRow = currentIndex

        delegate: Rectangle {
            id: row
            readonly property bool inUse: model.profileNo === profile.profileNo
            readonly property bool chosen: index === profile.currentRow
            readonly property bool editing: index >= 0 && index === profile.editingRow
            function finishRename() { nameInput.finish(true) }
            width: rowList.view.width
            height: 40
            color: chosen ? mainIten.colorGray1 : rowArea.containsMouse ? Qt.rgba(1, 1, 1, 0.06) : "transparent"
            border.color: inUse ? mainIten.colorOrange : "transparent"

            // A press picks the row, as a click does; "Use" switches to it.
            function choose() {
                rowList.currentIndex = index
                rowList.view.forceActiveFocus()
            }
            Accessible.role: Accessible.ListItem
            Accessible.name: model.textValue
            Accessible.selectable: true
            Accessible.selected: inUse
            Accessible.onPressAction: if (enabled) choose()
            Accessible.focusable: true

            focus: ListView.isCurrentItem
            Keys.onPressed: function (event) {
                if (rowMenu.isMenuKey(event)) {
                    profile.menuRow = index
                    rowMenu.handleKey(event, row)
                    return
                }
                if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
                    profile.changeProfileAt(index)
                else if (event.key === Qt.Key_F2)
                    profile.startRename(index)
                else if (event.key === Qt.Key_Delete)
                    profile.deleteProfile(index)
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
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onPressed: function (mouse) {
                    row.choose()
                    if (mouse.button === Qt.RightButton)
                        profile.openMenu(index, mouse.x, mouse.y, row)
                }
                onDoubleClicked: function (mouse) {
                    if (mouse.button === Qt.LeftButton)
                        profile.startRename(index)
                }
            }
            ImageButton {
                id: useButton
                x: 8
                anchors.verticalCenter: parent.verticalCenter
                width: 24
                height: 24
                source: profile.picture("sourceprofileStartBtn")
                hoverSource: profile.picture("sourceprofileStartBtnH")
                selectedSource: profile.picture("sourceprofileStartBtnS")
                isSelect: row.inUse
                checkable: true
                accessibleName: profile.lang[6]
                onClicked: profile.changeProfileAt(index)
            }
            Text {
                x: 44
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - x - 176
                elide: Text.ElideRight
                visible: !row.editing
                text: model.textValue
                color: row.inUse ? mainIten.colorOrange : mainIten.fontColor
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontMiddleSize
                Accessible.ignored: true
            }
            Rectangle {
                x: 40
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - x - 72
                height: 28
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
                    maximumLength: 16
                    color: mainIten.fontColor
                    selectionColor: mainIten.colorOrange
                    selectByMouse: true
                    font.family: mainIten.uiFontFamily
                    font.pixelSize: mainIten.fontMiddleSize
                    Accessible.role: Accessible.EditableText
                    Accessible.name: profile.lang[7]
                    property bool done: false
                    function finish(accept) {
                        if (done)
                            return
                        done = true
                        // Ended by a key: the list takes the focus back from
                        // the field, which hides and would keep it.
                        if (activeFocus) {
                            focus = false
                            rowList.view.forceActiveFocus()
                        }
                        if (accept)
                            profile.rename(index, text)
                        else
                            profile.editingRow = -1
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
                if (!editing)
                    return
                nameInput.done = false
                nameInput.text = model.textValue
                nameInput.forceActiveFocus()
                nameInput.selectAll()
            }
            Row {
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8
                visible: !row.editing
                ProfileAppsBadge {
                    profileNumber: model.profileNo
                    classes: appsPage.classesOf(model.profileNo)
                    accessibleName: appsPage.lang[0]
                    noneText: appsPage.lang[12]
                    onClicked: appsPage.show(model.profileNo, model.textValue)
                }
                ImageButton {
                    width: 24
                    height: 24
                    enabled: index > 0
                    source: profile.picture("sourceProfileEditBtn")
                    hoverSource: profile.picture("sourceProfileEditBtnS")
                    accessibleName: profile.lang[7]
                    onClicked: profile.startRename(index)
                }
                ImageButton {
                    // Drawn struck out where the row may not be deleted.
                    readonly property bool allowed: { profile.revision; return profile.canDelete(index) }
                    width: 24
                    height: 24
                    source: allowed ? profile.picture("sourceProfileDeleteBtn") : profile.picture("sourceProfileDeleteBtn0")
                    hoverSource: allowed ? profile.picture("sourceProfileDeleteBtnS") : ""
                    accessibleName: profile.lang[3]
                    onClicked: profile.deleteProfile(index)
                }
            }
        }
    }

    ContextMenu {
        id: rowMenu
        objectName: "rowMenu"
        menuItems: [profile.lang[3], profile.lang[4]]
        accessibleName: profile.menuRow >= 0 && profile.menuRow < profileDataModel0.count
                        ? profileDataModel0.get(profile.menuRow).textValue : profile.lang[0]
        sourceBackground: profile.picture("sourcemacroMenuBG")
        hoverColor: mainIten.colorOrange
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onTriggered: function (index) { profile.runMenu(index) }
    }

    Text {
        objectName: "setAside"
        x: 16
        y: rowList.y + rowList.height + 6
        width: parent.width - 32
        elide: Text.ElideRight
        visible: profile.setAside !== "" && profile.notice === ""
        text: profile.setAside
        color: mainIten.colorGray3
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    Text {
        objectName: "notice"
        x: 16
        y: rowList.y + rowList.height + 6
        width: parent.width - 32
        elide: Text.ElideRight
        visible: profile.notice !== ""
        text: profile.notice
        color: mainIten.colorOrange
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
    }

    Row {
        x: 16
        y: parent.height - 8 - 28
        spacing: 16
        Repeater {
            model: [{ text: 1, icon: "sourceProfileNewBtn" }, { text: 2, icon: "sourceProfileCopyBtn" }]
            Rectangle {
                width: 112
                height: 28
                color: area.pressed ? Qt.darker(mainIten.colorOrange, 1.5) : area.containsMouse ? mainIten.colorOrange
                     : mainIten.colorBlue
                border.width: activeFocus ? 1 : 0
                border.color: mainIten.colorGray3
                activeFocusOnTab: true
                function activate() {
                    if (!enabled)
                        return
                    if (index === 0)
                        profile.newProfile()
                    else
                        profile.importProfile()
                }
                Accessible.role: Accessible.Button
                Accessible.name: profile.lang[modelData.text]
                Accessible.focusable: true
                Accessible.onPressAction: activate()
                Keys.onSpacePressed: activate()
                Keys.onReturnPressed: activate()
                Keys.onEnterPressed: activate()
                Image {
                    x: 4
                    anchors.verticalCenter: parent.verticalCenter
                    source: profile.picture(modelData.icon)
                    Accessible.ignored: true
                }
                Text {
                    x: 32
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - x - 6
                    elide: Text.ElideRight
                    text: profile.lang[modelData.text]
                    color: mainIten.fontColor
                    font.family: mainIten.uiFontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    Accessible.ignored: true
                }
                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: parent.activate()
                }
            }
        }
    }

    // Six rows: an import replaces the chosen one, asked before it happens.
    Rectangle {
        id: importSure
        objectName: "importSure"
        parent: profile.cover
        anchors.centerIn: parent
        width: parent.width - 64
        height: importText.implicitHeight + 70
        visible: profile.importOverRow >= 0
        z: 2
        color: mainIten.colorGray0
        border.color: mainIten.colorOrange
        Accessible.role: Accessible.Dialog
        Accessible.name: profile.lang[2]
        Keys.onEscapePressed: profile.importOver(false)
        // Presses stay here, off the rows below.
        MouseArea {
            anchors.fill: parent
        }
        Text {
            id: importText
            x: 12
            y: 12
            width: parent.width - 24
            wrapMode: Text.WordWrap
            text: profile.text(27, "There are six profiles already. The import replaces “%1”.")
                  .arg(profile.importOverRow >= 0 && profile.importOverRow < profileDataModel0.count
                       ? profileDataModel0.get(profile.importOverRow).textValue : "")
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            spacing: 7
            FlatButton {
                id: importCancel
                width: 88
                height: 25
                textValue: profile.mainText(7, "Cancel")
                fillColor: mainIten.colorGray1
                hoverColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                onClicked: profile.importOver(false)
            }
            FlatButton {
                width: 88
                height: 25
                textValue: profile.mainText(8, "OK")
                fillColor: mainIten.colorBlue
                hoverColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                onClicked: profile.importOver(true)
            }
        }
    }

    // The applications of a profile, over the rows.
    ProfileApps {
        id: appsPage
        parent: profile.cover
        anchors.fill: parent
        onClosed: Qt.callLater(profile.backTo, opener)
    }
}
