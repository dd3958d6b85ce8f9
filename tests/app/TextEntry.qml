// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A scene with one text field, to see whether typed keys reach the scene.
Rectangle {
    width: 1024
    height: 640
    color: "#1a1a1a"
    property alias typed: field.text

    Rectangle {
        x: 100
        y: 100
        width: 200
        height: 30
        color: "#3c3c3c"
        TextInput {
            id: field
            objectName: "field"
            anchors.fill: parent
            color: "#ffffff"
        }
    }
}
