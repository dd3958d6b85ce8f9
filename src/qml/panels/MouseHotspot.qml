// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// One button on the mouse picture: its highlighted overlays (hover and
// selected, laid over the whole canvas) and the area that takes the pointer.
Item {
    id: hotspot

    property int keyIndex: 0
    property var rect: ({ x: 0, y: 0, w: 0, h: 0 })
    property url hoverSource
    property url selectedSource
    property bool selected: false
    property string valueText: ""             // the button's assignment
    property string keyWord: "Key"            // names the button as the button list does
    readonly property bool hovered: area.containsMouse
    // The pointer may miss a small button by a few pixels.
    readonly property int slack: 3

    signal entered()
    signal exited()
    signal activated()

    // Every way in asks here: a disabled scene (the mouse busy) takes none.
    function activate() {
        if (enabled)
            activated()
    }

    // A full-canvas overlay costs 880 kB decoded: it is loaded only while
    // it shows.
    Image {
        width: hotspot.width
        height: hotspot.height
        visible: hotspot.visible && (hotspot.selected || hotspot.hovered || focusTarget.activeFocus)
        source: !visible ? "" : hotspot.selected ? hotspot.selectedSource : hotspot.hoverSource
        Accessible.ignored: true
    }

    Item {
        id: focusTarget
        x: hotspot.rect.x - hotspot.slack
        y: hotspot.rect.y - hotspot.slack
        width: hotspot.rect.w + 2 * hotspot.slack
        height: hotspot.rect.h + 2 * hotspot.slack
        // The button list already is the Tab stop of each button.
        activeFocusOnTab: false

        Accessible.role: Accessible.Button
        Accessible.name: hotspot.keyWord + " " + (hotspot.keyIndex + 1)
        Accessible.description: hotspot.valueText
        Accessible.focusable: true
        Accessible.onPressAction: hotspot.activate()
        Keys.onSpacePressed: hotspot.activate()
        Keys.onReturnPressed: hotspot.activate()
        Keys.onEnterPressed: hotspot.activate()
        onActiveFocusChanged: if (activeFocus) hotspot.entered()

        MouseArea {
            id: area
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onEntered: hotspot.entered()
            onExited: hotspot.exited()
            onClicked: hotspot.activate()
        }
    }
}
