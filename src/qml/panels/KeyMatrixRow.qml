// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// One row of the button list: the button's label at the left and what it
// does at the right. Hovering selects it, a click asks for its dialog.
Rectangle {
    id: row

    property int keyIndex: 0
    property string label: ""                 // "Key 3"; empty for the rows without a label
    property string keyWord: "Key"            // names the row ("Key 12") in the language in force
    property string valueText: ""             // the assignment
    property bool selected: false
    property color textColor: "#ffffff"
    property color labelColor: "#969696"
    property color selectColor: "#cf3e00"
    property color lineColor: "#3c3c3c"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    signal entered()
    signal exited()
    signal activated()

    // Every way in (click, key, screen reader) asks here: a disabled scene
    // (the mouse busy) takes none of them.
    function activate() {
        if (enabled)
            activated()
    }

    color: selected ? selectColor : "transparent"
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: keyWord + " " + (keyIndex + 1)
    Accessible.description: valueText
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: activate()
    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()
    onActiveFocusChanged: if (activeFocus) entered()

    Text {
        id: labelText
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 64
        elide: Text.ElideRight
        text: row.label
        color: row.selected ? row.textColor : row.labelColor
        font.family: row.fontFamily
        font.pixelSize: row.fontSize
        Accessible.ignored: true
    }
    Text {
        anchors.left: labelText.right
        anchors.leftMargin: 8
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        horizontalAlignment: Text.AlignRight
        elide: Text.ElideRight
        text: row.valueText
        color: row.textColor
        font.family: row.fontFamily
        font.pixelSize: row.fontSize
        Accessible.ignored: true
    }
    Rectangle {
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 8
        anchors.rightMargin: 8
        height: 1
        color: row.lineColor
        visible: !row.selected
    }
    // Inside the row: the rows touch each other.
    FocusRing {
        inset: true
    }
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: row.entered()
        onExited: row.exited()
        onClicked: row.activate()
    }
}
