// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Says over the scene that a change could not be stored (a full disk, a
// folder that cannot be written): the stores left the file as it was, and
// the person must not think the change was kept. It stays `shownMs`, or
// until clicked.
Rectangle {
    id: notice

    property string message: ""
    property int shownMs: 10000
    property string title: "Not saved"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    function show(text) {
        message = text
        visible = true
        hideTimer.restart()
    }

    function dismiss() {
        visible = false
        hideTimer.stop()
    }

    visible: false
    width: Math.min(parent ? parent.width - 48 : 640, 720)
    height: column.height + 20
    anchors.horizontalCenter: parent ? parent.horizontalCenter : undefined
    y: parent ? parent.height - height - 64 : 0
    color: "#1a1a1a"
    border.width: 1
    border.color: "#cf3e00"

    Accessible.role: Accessible.AlertMessage
    Accessible.name: title
    Accessible.description: message

    Timer {
        id: hideTimer
        interval: notice.shownMs
        onTriggered: notice.dismiss()
    }

    MouseArea {
        anchors.fill: parent
        onClicked: notice.dismiss()
    }

    Column {
        id: column
        x: 14
        y: 10
        width: parent.width - 28
        spacing: 4
        Text {
            width: parent.width
            text: notice.title
            color: "#ffffff"
            font.family: notice.fontFamily
            font.pixelSize: notice.fontSize
            font.bold: true
        }
        Text {
            width: parent.width
            text: notice.message
            wrapMode: Text.Wrap
            color: "#d1d1d1"
            font.family: notice.fontFamily
            font.pixelSize: notice.fontSize
        }
    }
}
