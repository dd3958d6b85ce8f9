// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A flat text button that lights up under the mouse.
Item {
    id: button
    property alias textValue: label.text
    property string accessibleName: textValue  // defaults to the visible text
    property color textColor: "#ffffff"
    signal clicked()

    function activate() {
        if (enabled)
            clicked()
    }

    width: 192
    height: 38
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: activate()
    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()

    Rectangle {
        anchors.fill: parent
        color: "#737373"
        opacity: area.containsMouse ? 1 : 0.1
    }
    // Keyboard focus is outlined; the fill keeps meaning "under the mouse".
    FocusRing {}
    Text {
        id: label
        anchors.centerIn: parent
        text: qsTr("text")
        color: button.textColor
        Accessible.ignored: true
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.activate()
    }
}
