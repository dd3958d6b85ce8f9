import QtQuick

// The help menu: a list of entries, 24 px each; the entry under the mouse
// (or the keyboard cursor) is lit. Choosing one emits `command` with its
// index; Escape dismisses the menu.
Rectangle {
    id: askMenu
    property var entries: []
    property color fillColor: "#1a1a1a"
    property color borderColor: "#3c3c3c"
    property color hoverColor: "#cf3e00"
    property color textColor: "#ffffff"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12
    property int highlightIndex: -1
    signal command(int cmd)
    signal dismissed()

    width: 200
    height: column.height + 2
    color: fillColor
    border.color: borderColor
    border.width: 1
    onVisibleChanged: highlightIndex = -1

    Accessible.role: Accessible.PopupMenu
    Accessible.name: "Help"

    Keys.onEscapePressed: dismissed()
    Keys.onUpPressed: highlightIndex = Math.max(0, highlightIndex - 1)
    Keys.onDownPressed: highlightIndex = Math.min(entries.length - 1, highlightIndex + 1)
    Keys.onReturnPressed: if (highlightIndex >= 0) command(highlightIndex)
    Keys.onEnterPressed: if (highlightIndex >= 0) command(highlightIndex)

    Column {
        id: column
        x: 1
        y: 1
        Repeater {
            model: askMenu.entries
            Rectangle {
                width: askMenu.width - 2
                height: 24
                color: index === askMenu.highlightIndex ? askMenu.hoverColor : "transparent"
                Accessible.role: Accessible.MenuItem
                Accessible.name: modelData
                Accessible.onPressAction: askMenu.command(index)
                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 8
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    color: askMenu.textColor
                    font.family: askMenu.fontFamily
                    font.pixelSize: askMenu.fontSize
                    text: modelData
                    Accessible.ignored: true
                }
                MouseArea {
                    anchors.fill: parent
                    hoverEnabled: true
                    onEntered: askMenu.highlightIndex = index
                    onExited: if (askMenu.highlightIndex === index) askMenu.highlightIndex = -1
                    onClicked: askMenu.command(index)
                }
            }
        }
    }
}
