// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The flat text button of the bottom bar and the dialogs: blue, orange under
// the mouse, darker while pressed, grey while disabled.
Rectangle {
    id: button

    property string textValue: ""
    property string accessibleName: textValue  // defaults to the visible text
    property color fillColor: "#09347f"        // resting fill (Save turns it red while changes wait)
    property color hoverColor: "#cf3e00"
    property color textColor: "#ffffff"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12
    readonly property bool hovered: area.containsMouse
    readonly property bool pressed: area.pressed

    signal clicked()

    function activate() {
        if (enabled)
            clicked()
    }

    width: 64
    height: 24
    color: !enabled ? "#3c3c3c" : pressed ? Qt.darker(hoverColor, 1.5) : hovered ? hoverColor : fillColor
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
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
        text: button.textValue
        color: button.enabled ? button.textColor : "#969696"
        font.family: button.fontFamily
        font.pixelSize: button.fontSize
        Accessible.ignored: true
    }
    FocusRing {}
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.activate()
    }
}
