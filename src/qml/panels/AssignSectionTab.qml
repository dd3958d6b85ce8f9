// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// A section of the assignment dialog in its left column: orange while its
// section is shown.
Rectangle {
    id: tab

    property string textValue: ""
    property bool selected: false
    property color textColor: "#ffffff"
    property color selectColor: "#cf3e00"
    property color hoverColor: "#3c3c3c"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    signal activated()

    width: 140
    height: 30
    color: selected ? selectColor : area.containsMouse ? hoverColor : "transparent"
    activeFocusOnTab: true

    Accessible.role: Accessible.PageTab
    Accessible.name: textValue
    Accessible.selectable: true
    Accessible.selected: selected
    Accessible.focusable: true
    Accessible.onPressAction: activated()
    Keys.onSpacePressed: activated()
    Keys.onReturnPressed: activated()
    Keys.onEnterPressed: activated()

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: tab.textValue
        color: tab.textColor
        font.family: tab.fontFamily
        font.pixelSize: tab.fontSize
        Accessible.ignored: true
    }
    FocusRing {
        inset: true
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: tab.activated()
    }
}
