// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The closed face of the drop-downs: a text beside a chevron that points up
// while the drop-down is open. Its owner decides what a click does.
Rectangle {
    id: field

    property string text: ""
    property bool isOpen: false
    property bool highlighted: false           // the owner has the keyboard focus: ringed
    property url sourceDropBtn                 // chevron while closed
    property url sourceDropBtnU                // chevron while open
    property color fillColor: "#1a1a1a"
    property color borderColor: "#3c3c3c"
    property color hoverColor: "#cf3e00"
    property color textColor: "#ffffff"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    signal clicked()

    color: fillColor
    border.width: 1
    border.color: area.containsMouse || isOpen ? hoverColor : borderColor

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.right: chevron.left
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        color: field.enabled ? field.textColor : "#969696"
        font.family: field.fontFamily
        font.pixelSize: field.fontSize
        text: field.text
        Accessible.ignored: true
    }
    Image {
        id: chevron
        anchors.right: parent.right
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        source: field.isOpen && field.sourceDropBtnU != "" ? field.sourceDropBtnU : field.sourceDropBtn
        Accessible.ignored: true
    }
    FocusRing {
        shown: field.highlighted
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: field.clicked()
    }
}
