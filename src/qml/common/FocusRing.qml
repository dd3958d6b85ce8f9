// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The keyboard focus outline every control shares: a light band and a dark
// band, 2 px each, so that one of the two stands out whatever colours the
// control and the panel behind it have. It is drawn around its parent, or
// along the inside of its edge (`inset`) where the outside is clipped or
// touches the next row of a list.
Item {
    id: ring

    property bool shown: parent ? parent.activeFocus : false
    property bool inset: false
    property real radius: 0                   // of the control's own corners
    readonly property int band: 2
    property color lightColor: "#ffffff"
    property color darkColor: "#000000"

    anchors.fill: parent
    anchors.margins: inset ? 0 : -2 * band
    visible: shown
    // Above the control's own pictures and texts, declared after the ring
    // in the control or in one derived from it.
    z: 100

    Accessible.ignored: true

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        radius: ring.radius > 0 ? ring.radius + (ring.inset ? 0 : 2 * ring.band) : 0
        border.width: ring.band
        border.color: ring.lightColor
        antialiasing: true
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: ring.band
        color: "transparent"
        radius: ring.radius > 0 ? Math.max(0, ring.radius + (ring.inset ? -ring.band : ring.band)) : 0
        border.width: ring.band
        border.color: ring.darkColor
        antialiasing: true
    }
}
