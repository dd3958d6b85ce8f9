// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// A macro of the editor's list. A double-click (or F2) edits its name in
// place; Enter asks the owner to rename, Escape gives up.
Rectangle {
    id: entry

    property string textValue: ""
    property string nameLabel: "Name"         // names the rename field
    property bool selected: false
    property bool editing: false
    readonly property alias editText: nameInput.text

    signal activated()                        // chosen (click, screen reader)
    signal contextMenu(real x, real y)        // right-click
    signal renameRequested(string newName)
    signal editFinished()

    function startEditing() {
        nameInput.text = textValue
        editing = true
        nameInput.forceActiveFocus()
        nameInput.selectAll()
    }
    function stopEditing() {
        if (!editing)
            return
        editing = false
        // The hidden field would keep the focus (and eat Escape).
        nameInput.focus = false
        editFinished()
    }

    height: 28
    color: selected ? mainIten.colorOrange : area.containsMouse ? mainIten.colorGray1 : "transparent"

    Accessible.role: Accessible.ListItem
    Accessible.name: textValue
    Accessible.selectable: true
    Accessible.selected: selected
    Accessible.onPressAction: activated()

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        visible: !entry.editing
        elide: Text.ElideRight
        text: entry.textValue
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
        Accessible.ignored: true
    }
    FocusRing {
        inset: true
        shown: entry.ListView.isCurrentItem && entry.ListView.view.activeFocus && !entry.editing
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: function (mouse) {
            entry.activated()
            if (mouse.button === Qt.RightButton)
                entry.contextMenu(mouse.x, mouse.y)
        }
        onDoubleClicked: function (mouse) {
            if (mouse.button === Qt.LeftButton)
                entry.startEditing()
        }
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        visible: entry.editing
        color: "#000000"
        border.color: mainIten.colorOrange

        TextInput {
            id: nameInput
            anchors.fill: parent
            anchors.leftMargin: 8
            anchors.rightMargin: 8
            verticalAlignment: TextInput.AlignVCenter
            clip: true
            maximumLength: 32
            selectByMouse: true
            color: mainIten.fontColor
            selectionColor: mainIten.colorOrange
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.role: Accessible.EditableText
            Accessible.name: entry.nameLabel

            Keys.onReturnPressed: entry.renameRequested(text)
            Keys.onEnterPressed: entry.renameRequested(text)
            Keys.onEscapePressed: entry.stopEditing()
            onActiveFocusChanged: if (!activeFocus) entry.stopEditing()
        }
    }
}
