import QtQuick

// A flat text button that lights up under the mouse.
Item {
    id: button
    property alias textValue: label.text
    property color textColor: "#ffffff"
    signal clicked()

    width: 192
    height: 38

    Rectangle {
        anchors.fill: parent
        color: "#737373"
        opacity: area.containsMouse ? 1 : 0.1
    }
    Text {
        id: label
        anchors.centerIn: parent
        text: qsTr("text")
        color: button.textColor
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
