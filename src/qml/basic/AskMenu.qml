import QtQuick

// The help menu: the maker's address, then the version.
Rectangle {
    id: askMenu
    property string url: ""
    property color hoverColor: "#cf3e00"
    property color textColor: "#ffffff"
    signal command(int cmd)

    width: 200
    height: entries.height + 2
    color: "#1a1a1a"
    border.color: "#3c3c3c"
    border.width: 1

    Column {
        id: entries
        x: 1
        y: 1
        Repeater {
            model: [askMenu.url, "verison:1.0"]
            Rectangle {
                width: 198
                height: 24
                color: entryArea.containsMouse ? askMenu.hoverColor : "transparent"
                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - 16
                    elide: Text.ElideRight
                    color: askMenu.textColor
                    font.pixelSize: 12
                    text: modelData
                }
                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: askMenu.command(index)
                }
            }
        }
    }
}
