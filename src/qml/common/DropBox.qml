// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The part of a drop-down that slides out from under its field (the parent):
// a clipping box below the field, or above it, that grows to `fullHeight`
// while open, with its content pinned to the edge away from the field.
Item {
    id: box

    property bool isOpen: false
    property int fullHeight: 0
    property int duration: 180                 // ms the slide takes
    property bool dropUp: false                // opens upwards
    property color fillColor: "#1a1a1a"
    property color borderColor: "#3c3c3c"
    readonly property alias panel: panel       // the sliding content area
    readonly property alias slide: slideAnimation
    default property alias content: panel.data

    width: parent ? parent.width : 0
    height: isOpen ? fullHeight : 0
    y: dropUp ? -height : (parent ? parent.height : 0)
    clip: true
    visible: height > 0

    Behavior on height {
        NumberAnimation {
            id: slideAnimation
            duration: box.duration
            easing.type: Easing.OutQuad
        }
    }

    Rectangle {
        id: panel
        width: parent.width
        height: box.fullHeight
        y: box.dropUp ? 0 : box.height - height
        color: box.fillColor
        border.width: 1
        border.color: box.borderColor
    }
}
