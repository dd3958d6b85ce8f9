// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The help menu: a list of entries, 24 px each; the entry under the mouse
// (or the keyboard cursor) is lit. Choosing one emits `command` with its
// index; Escape dismisses the menu. It is 200 px wide, wider (up to
// maxWidth) where an entry would not fit: a cut-off web address is useless.
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
    property int maxWidth: 300
    signal command(int cmd)
    signal dismissed()

    function choose(index) {
        if (enabled && index >= 0 && index < entries.length)
            command(index)
    }

    function widestEntry() {
        var widest = 0
        for (var i = 0; i < entries.length; ++i)
            widest = Math.max(widest, metrics.advanceWidth(String(entries[i])))
        return Math.ceil(widest)
    }

    width: Math.min(maxWidth, Math.max(200, widestEntry() + 18))
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
    Keys.onReturnPressed: choose(highlightIndex)
    Keys.onEnterPressed: choose(highlightIndex)

    FontMetrics {
        id: metrics
        font.family: askMenu.fontFamily
        font.pixelSize: askMenu.fontSize
    }

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
                Accessible.onPressAction: askMenu.choose(index)
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
                    onClicked: askMenu.choose(index)
                }
            }
        }
    }
}
