// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A text ("LOADING ......") pulsing while the back end works and input is
// blocked.
// The pulse runs only while the indicator is busy and on screen: a tray
// program must not wake the CPU for an animation nobody sees.
Item {
    id: busy
    property bool isBusy: false
    property string text: "LOADING ......"
    property color textColor: "#ffffff"
    property int textSize: 12
    property string textFamily: Qt.application.font.family
    readonly property bool pulsing: pulse.running  // the text's animation is running

    function setBusy(_isBusy) {
        isBusy = _isBusy
    }

    width: label.implicitWidth + 48
    height: 40
    visible: isBusy

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: "#cc1a1a1a"
        border.color: "#3c3c3c"
    }

    Text {
        id: label
        anchors.centerIn: parent
        text: busy.text
        color: busy.textColor
        font.pixelSize: busy.textSize
        font.family: busy.textFamily

        SequentialAnimation on opacity {
            id: pulse
            running: busy.isBusy && busy.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
