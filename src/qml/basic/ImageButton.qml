// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// A picture button: hover (H), pressed (P) and selected (S) pictures replace
// the normal one where the owner gives them. Pictures say nothing to a screen
// reader, so the owner names the button (`accessibleName`: "Help", "Close").
Item {
    id: button
    property url source
    property url hoverSource
    property url pressedSource
    property url selectedSource
    property bool isSelect: false             // shows the selected picture
    property bool checkable: false            // a toggle: isSelect is told as its checked state
    property string accessibleName: ""
    readonly property bool hovered: area.containsMouse
    readonly property bool pressed: area.pressed
    signal clicked()

    function activate() {
        if (enabled)
            clicked()
    }

    implicitWidth: picture.implicitWidth > 0 ? picture.implicitWidth : 24
    implicitHeight: picture.implicitHeight > 0 ? picture.implicitHeight : 24
    opacity: enabled ? 1 : 0.4
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.checkable: checkable
    Accessible.checked: checkable && isSelect
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: activate()
    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()

    Image {
        id: picture
        objectName: "picture"
        anchors.centerIn: parent
        source: button.pressed && button.pressedSource != "" ? button.pressedSource
              : button.isSelect && button.selectedSource != "" ? button.selectedSource
              : button.hovered && button.hoverSource != "" ? button.hoverSource
              : button.source
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
