import QtQuick

// A picture button that swaps to its hover picture under the mouse.
Item {
    id: button
    property url source
    property url hoverSource
    signal clicked()

    width: picture.implicitWidth
    height: picture.implicitHeight

    Image {
        id: picture
        source: area.containsMouse && button.hoverSource != "" ? button.hoverSource : button.source
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
