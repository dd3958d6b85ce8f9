// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// An action of the macro: its icon and text. A delay's milliseconds are
// edited in place (double-click, or F2).
Rectangle {
    id: entry

    property int type: 0                      // 0 delay, 1/2 key press/release, 3/4 button press/release
    property string info: ""
    property string textValue: ""             // the text the list shows
    property string delayLabel: "Delay"       // names a delay's field
    property bool selected: false
    property bool editing: false
    property var icons: []                    // one picture per type

    signal activated()
    signal contextMenu(real x, real y)
    signal delayEdited(int ms)

    function startEditing() {
        if (type !== 0)
            return
        delayInput.text = info
        editing = true
        delayInput.forceActiveFocus()
        delayInput.selectAll()
    }
    function finishEditing(accept) {
        if (!editing)
            return
        editing = false
        // The hidden field would keep the focus (and eat Escape).
        delayInput.focus = false
        if (accept) {
            var ms = parseInt(delayInput.text, 10)
            delayEdited(isNaN(ms) ? 0 : Math.min(65535, ms))
        }
    }

    height: 24
    color: selected ? mainIten.colorOrange : area.containsMouse ? mainIten.colorGray1 : "transparent"

    Accessible.role: Accessible.ListItem
    Accessible.name: textValue
    Accessible.selectable: true
    Accessible.selected: selected
    Accessible.onPressAction: activated()

    Image {
        id: icon
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        source: entry.type >= 0 && entry.type < entry.icons.length ? entry.icons[entry.type] : ""
        Accessible.ignored: true
    }
    Text {
        anchors.left: icon.right
        anchors.leftMargin: 8
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        visible: !entry.editing
        elide: Text.ElideRight
        text: entry.textValue
        color: entry.type === 0 && !entry.selected ? mainIten.colorGray3 : mainIten.fontColor
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
        x: icon.x + icon.width + 4
        width: 80
        height: parent.height - 4
        anchors.verticalCenter: parent.verticalCenter
        visible: entry.editing
        color: "#000000"
        border.color: mainIten.colorOrange

        TextInput {
            id: delayInput
            anchors.fill: parent
            anchors.leftMargin: 6
            anchors.rightMargin: 6
            verticalAlignment: TextInput.AlignVCenter
            clip: true
            maximumLength: 5
            validator: IntValidator { bottom: 0; top: 65535 }
            color: mainIten.fontColor
            selectionColor: mainIten.colorOrange
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.role: Accessible.EditableText
            Accessible.name: entry.delayLabel

            Keys.onReturnPressed: entry.finishEditing(true)
            Keys.onEnterPressed: entry.finishEditing(true)
            Keys.onEscapePressed: entry.finishEditing(false)
            onActiveFocusChanged: if (!activeFocus) entry.finishEditing(true)
        }
    }
}
