// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A profile row's applications: their classes in short, and the way to the
// page that edits them.
Rectangle {
    id: badge

    property int profileNumber: -1
    property var classes: []                  // the profile's applications
    property string accessibleName: "Applications"
    property string noneText: "none"
    readonly property string summary: classes.length === 0 ? ""
        : classes.length === 1 ? classes[0] : classes[0] + " +" + (classes.length - 1)

    signal clicked()

    function activate() {
        clicked()
    }

    width: 96
    height: 24
    color: area.containsMouse ? mainIten.colorOrange : "transparent"
    border.color: activeFocus ? mainIten.colorGray3 : mainIten.colorGray1
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.description: classes.length === 0 ? noneText : classes.join(", ")
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: activate()
    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()

    Text {
        anchors.centerIn: parent
        width: parent.width - 8
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: badge.summary !== "" ? badge.summary : badge.accessibleName
        color: badge.summary !== "" || area.containsMouse ? mainIten.fontColor : mainIten.colorGray2
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMinSize + 1
        Accessible.ignored: true
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: badge.activate()
    }
}
