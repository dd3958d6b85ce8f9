// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// A field that takes keys instead of text: a click starts waiting (orange
// border, the waiting text), the owner fills in what was pressed.
Rectangle {
    id: field

    property string textValue: ""             // the key or keys taken
    property bool waiting: false
    property string waitingText: ""
    property string accessibleName: ""        // the label beside the field
    property url sourceChip                   // key chip behind a single key name
    property bool chip: false                 // draw textValue on the chip
    property color textColor: "#ffffff"
    property color borderColor: "#3c3c3c"
    property color focusColor: "#cf3e00"
    property color placeholderColor: "#969696"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    signal activated()

    width: 120
    height: 32
    color: "#000000"
    border.width: 1
    border.color: waiting ? focusColor : borderColor
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.description: waiting ? waitingText : textValue
    Accessible.focusable: true
    Accessible.onPressAction: activated()
    Keys.onSpacePressed: activated()
    Keys.onReturnPressed: activated()
    Keys.onEnterPressed: activated()

    Image {
        id: chipPicture
        anchors.centerIn: parent
        visible: field.chip && !field.waiting && field.textValue !== ""
        source: field.sourceChip
        Accessible.ignored: true
    }
    Text {
        anchors.centerIn: parent
        width: parent.width - 12
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: field.waiting ? field.waitingText : field.textValue
        color: field.waiting ? field.focusColor : field.textValue === "" ? field.placeholderColor : field.textColor
        font.family: field.fontFamily
        font.pixelSize: field.fontSize
        Accessible.ignored: true
    }
    FocusRing {}
    MouseArea {
        anchors.fill: parent
        onClicked: field.activated()
    }
}
