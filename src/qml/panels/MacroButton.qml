import QtQuick
import "../basic"

// A button of the macro editor: its picture carries the icon at the left,
// the text is drawn beside it.
ImageButton {
    id: button

    property string textValue: ""

    width: 96
    height: 28
    accessibleName: textValue

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
