// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 400
    height: 300

    AccessibleTree { id: tree }

    // A list row that owns the menu, as the macro list does.
    Rectangle {
        id: row
        x: 40
        y: 30
        width: 200
        height: 24
        activeFocusOnTab: true
        property int presses: 0
        Keys.onPressed: function (event) { menu.handleKey(event, row) }
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onPressed: row.presses++
            onClicked: function (mouse) {
                if (mouse.button === Qt.RightButton)
                    menu.popup(mouse.x, mouse.y)
            }
        }
        ContextMenu {
            id: menu
            accessibleName: "Macro list"
            menuItems: ["Delete", "Import", "Export"]
        }
    }
    SignalSpy { id: triggers; target: menu; signalName: "triggered" }

    TestCase {
        name: "ContextMenu"
        when: windowShown

        function menuLayer() {
            return findChild(menu, "menuLayer")
        }
        function box() {
            return menuLayer().children[1]
        }
        function init() {
            menu.close()
            menu.menuItems = ["Delete", "Import", "Export"]
            triggers.clear()
            row.presses = 0
            row.forceActiveFocus()
        }
        // Centre of entry `index` of the open menu, in the scene.
        function entryPoint(index) {
            return { x: box().x + 40, y: box().y + 4 + index * 24 + 12 }
        }

        function test_opensAtThePointerAndTriggers() {
            mouseClick(row, 50, 10, Qt.RightButton)
            verify(menu.isOpen)
            compare(box().x, 90)
            compare(box().y, 40)
            compare(box().height, 3 * 24 + 8)
            var at = entryPoint(1)
            mouseMove(scene, at.x + 60, at.y + 60) // off the menu first: entering is what lights
            mouseMove(scene, at.x, at.y)
            // Hover reaches the entry on the scene's next delivery, not at once.
            tryCompare(menu, "currentIndex", 1, 2000, "the entry under the pointer is lit")
            mouseClick(scene, at.x, at.y)
            compare(triggers.count, 1)
            compare(triggers.signalArguments[0][0], 1)
            verify(!menu.isOpen)
        }

        function test_turnsToStayInsideTheWindow() {
            menu.popup(390, 290, scene)
            compare(box().x, 390 - 140)
            compare(box().y, 290 - 80)
        }

        function test_pressOutsideCloses() {
            mouseClick(row, 50, 10, Qt.RightButton)
            var pressesBefore = row.presses
            mouseClick(scene, 10, 280)
            verify(!menu.isOpen)
            mouseClick(row, 150, 10, Qt.RightButton)
            verify(menu.isOpen)
            mouseClick(row, 5, 5)
            verify(!menu.isOpen)
            compare(row.presses, pressesBefore + 1, "the press that closes the menu goes no further")
            compare(triggers.count, 0)
            // Between the entries (the padding) nothing happens.
            mouseClick(row, 50, 10, Qt.RightButton)
            mouseClick(scene, box().x + 40, box().y + 2)
            verify(menu.isOpen)
        }

        function test_keyboard() {
            keyClick(Qt.Key_Menu)
            verify(menu.isOpen)
            compare(menu.currentIndex, 0)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(menu.currentIndex, 2)
            keyClick(Qt.Key_Down)
            compare(menu.currentIndex, 0, "the cursor wraps round")
            keyClick(Qt.Key_Up)
            keyClick(Qt.Key_Return)
            compare(triggers.signalArguments[0][0], 2)
            verify(!menu.isOpen)
            verify(row.activeFocus, "the focus returns to the row")

            keyClick(Qt.Key_F10, Qt.ShiftModifier)
            verify(menu.isOpen)
            keyClick(Qt.Key_Escape)
            verify(!menu.isOpen)
            verify(row.activeFocus)
            keyClick(Qt.Key_F10)
            verify(!menu.isOpen, "F10 alone is not the menu key")
            compare(triggers.count, 1)
        }

        function test_emptyMenuStaysClosed() {
            menu.menuItems = []
            menu.popup(10, 10)
            verify(!menu.isOpen)
        }

        function test_accessibility() {
            var popup = tree.named(menu, Accessible.PopupMenu, "Macro list")
            verify(popup !== null)
            var entries = tree.all(popup, Accessible.MenuItem)
            compare(entries.map(function (e) { return e.Accessible.name }), ["Delete", "Import", "Export"])
            menu.popupFor(row)
            entries[2].Accessible.pressAction()
            compare(triggers.signalArguments[0][0], 2)
            verify(!menu.isOpen)
        }
    }
}
