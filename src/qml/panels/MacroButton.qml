// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"

// A button of the macro editor: its picture (the icon at the left) is
// stretched to the button's width, the text is drawn beside the icon.
ImageButton {
    id: button

    property string textValue: ""
    property url pictureSource
    property url pictureHover
    property url picturePressed

    width: 132
    height: 28
    accessibleName: textValue

    BorderImage {
        anchors.fill: parent
        source: button.pressed || button.isSelect ? button.picturePressed
              : button.hovered ? button.pictureHover : button.pictureSource
        border { left: 28; right: 8; top: 8; bottom: 8 }
        Accessible.ignored: true
    }
    Text {
        anchors.left: parent.left
        anchors.leftMargin: 30
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: button.textValue
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
        Accessible.ignored: true
    }
}
