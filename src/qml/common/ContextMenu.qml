// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A right-click menu. While open it lies above the whole window, on a layer
// that closes it on a press anywhere outside it; the keys move through the
// entries while it is open. Owners open it at the pointer with popup(), and
// from the keyboard (Menu key, Shift+F10) with handleKey() on their selected
// row.
Item {
    id: menu

    property var menuItems: []                // the entries' texts
    property bool isOpen: false
    property int currentIndex: -1             // entry under the pointer or the keyboard cursor
    property string accessibleName: ""        // what the menu acts on ("Macro list")
    property url sourceBackground             // 9-patch background (8 px borders); a plain panel without it
    property int menuWidth: 140
    property int itemHeight: 24
    property color fillColor: "#1a1a1a"
    property color borderColor: "#3c3c3c"
    property color hoverColor: "#cf3e00"
    property color textColor: "#ffffff"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12
    readonly property int count: menuItems ? menuItems.length : 0

    signal triggered(int index)

    // Opens with its corner at (x, y) of `item` (default: the menu's parent),
    // turned to stay inside the window.
    function popup(x, y, item) {
        var window = menu.Window.contentItem
        if (!window || count === 0)
            return
        var at = (item || menu.parent).mapToItem(window, x, y)
        box.x = Math.max(0, at.x + box.width <= window.width ? at.x : at.x - box.width)
        box.y = Math.max(0, at.y + box.height <= window.height ? at.y : at.y - box.height)
        internal.returnFocus = menu.Window.activeFocusItem
        currentIndex = -1
        isOpen = true
        box.forceActiveFocus()
    }
    // Opens below the left part of `item` with the first entry under the cursor.
    function popupFor(item) {
        popup(8, item.height, item)
        currentIndex = 0
    }
    function isMenuKey(event) {
        return event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))
    }
    // For an owner's Keys.onPressed: opens the menu for `item` on the Menu key
    // or Shift+F10 and takes the key; other keys pass on.
    function handleKey(event, item) {
        if (!isMenuKey(event))
            return false
        popupFor(item)
        event.accepted = true
        return true
    }
    function close() {
        if (!isOpen)
            return
        isOpen = false
        if (internal.returnFocus)
            internal.returnFocus.forceActiveFocus()
        internal.returnFocus = null
    }
    function trigger(index) {
        if (index < 0 || index >= count)
            return
        close()
        triggered(index)
    }
    // The entry at height y of the menu's box, or -1 in its padding.
    function entryAt(y) {
        var index = Math.floor((y - 4) / itemHeight)
        return y >= 4 && index < count ? index : -1
    }
    // Lights the entry under the pointer; the padding keeps the lit one.
    function hoverAt(y) {
        var index = entryAt(y)
        if (index >= 0)
            currentIndex = index
    }
    function move(step) {
        currentIndex = currentIndex < 0 ? (step > 0 ? 0 : count - 1) : (currentIndex + step + count) % count
    }

    QtObject {
        id: internal
        property Item returnFocus: null
    }

    Item {
        id: overlay
        objectName: "menuLayer"
        parent: menu.isOpen && menu.Window.contentItem ? menu.Window.contentItem : menu
        anchors.fill: parent
        z: 10000
        visible: menu.isOpen

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            onPressed: menu.close()
        }

        Item {
            id: box
            width: menu.menuWidth
            height: menu.count * menu.itemHeight + 8

            Accessible.role: Accessible.PopupMenu
            Accessible.name: menu.accessibleName

            Keys.onPressed: function (event) {
                switch (event.key) {
                case Qt.Key_Up: menu.move(-1); break
                case Qt.Key_Down: menu.move(1); break
                case Qt.Key_Home: menu.currentIndex = 0; break
                case Qt.Key_End: menu.currentIndex = menu.count - 1; break
                case Qt.Key_Return: case Qt.Key_Enter: case Qt.Key_Space: menu.trigger(menu.currentIndex); break
                case Qt.Key_Escape: case Qt.Key_Tab: case Qt.Key_Backtab: case Qt.Key_Menu: menu.close(); break
                default: return
                }
                event.accepted = true
            }

            BorderImage {
                id: background
                anchors.fill: parent
                source: menu.sourceBackground
                border { left: 8; top: 8; right: 8; bottom: 8 }
                Accessible.ignored: true
            }
            Rectangle {
                anchors.fill: parent
                visible: background.status !== Image.Ready
                color: menu.fillColor
                border.color: menu.borderColor
            }
            // One area for the entries and the padding between them: a press in
            // the padding neither closes the menu nor triggers anything.
            MouseArea {
                anchors.fill: parent
                acceptedButtons: Qt.AllButtons
                hoverEnabled: true
                onEntered: menu.hoverAt(mouseY)
                onPositionChanged: function (mouse) { menu.hoverAt(mouse.y) }
                onClicked: function (mouse) {
                    if (mouse.button === Qt.LeftButton)
                        menu.trigger(menu.entryAt(mouse.y))
                }
            }
            Column {
                x: 4
                y: 4
                Repeater {
                    model: menu.menuItems
                    Rectangle {
                        width: box.width - 8
                        height: menu.itemHeight
                        color: index === menu.currentIndex ? menu.hoverColor : "transparent"

                        Accessible.role: Accessible.MenuItem
                        Accessible.name: modelData
                        Accessible.onPressAction: menu.trigger(index)

                        Text {
                            anchors.left: parent.left
                            anchors.leftMargin: 8
                            anchors.right: parent.right
                            anchors.rightMargin: 8
                            anchors.verticalCenter: parent.verticalCenter
                            elide: Text.ElideRight
                            text: modelData
                            color: menu.textColor
                            font.family: menu.fontFamily
                            font.pixelSize: menu.fontSize
                            Accessible.ignored: true
                        }
                    }
                }
            }
        }
    }
}
