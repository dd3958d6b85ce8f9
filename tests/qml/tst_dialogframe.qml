// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 1024
    height: 640

    AccessibleTree { id: tree }

    // The window behind the dialog: a press reaching it would drag the window.
    MouseArea {
        id: window
        anchors.fill: parent
        property int presses: 0
        onPressed: presses++
    }

    DialogFrame {
        id: dialog
        width: 427
        height: 102
        title: "Reset"
        sourceClose: "qrc:/index/modules/img/skin1/index/closeBtn.png"
        sourceCloseH: "qrc:/index/modules/img/skin1/index/closeBtnH.png"

        Rectangle {
            id: okButton
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            width: 88
            height: 25
        }
    }
    SignalSpy { id: closes; target: dialog; signalName: "closeClicked" }
    SignalSpy { id: backs; target: dialog; signalName: "backClicked" }
    SignalSpy { id: emptyPresses; target: dialog; signalName: "emptyAreaPressed" }

    TestCase {
        name: "DialogFrame"
        when: windowShown

        function init() {
            dialog.showBack = false
            dialog.open()
            closes.clear()
            backs.clear()
            emptyPresses.clear()
            window.presses = 0
        }

        function test_opensCentred() {
            dialog.visible = false
            dialog.x = 3
            dialog.y = 4
            dialog.open()
            verify(dialog.visible)
            compare(dialog.x, 299)
            compare(dialog.y, 269)
            verify(dialog.activeFocus, "Escape reaches an opened dialog")
            keyClick(Qt.Key_Escape)
            compare(closes.count, 1)
        }

        function test_contentLiesBelowTheTitleBar() {
            compare(dialog.body.y, 31)
            compare(okButton.parent, dialog.body)
            var corner = okButton.mapToItem(dialog, okButton.width, okButton.height)
            compare(corner.x, 426)
            compare(corner.y, 101)
        }

        // Drags are given in window coordinates: the dialog moves under them.
        function dragFrom(x, y, dx, dy) {
            mouseDrag(scene, dialog.x + x, dialog.y + y, dx, dy)
        }

        function test_titleBarDragsWithinTheWindow() {
            // Once the drag has started, the dialog follows the pointer.
            var px = dialog.x + 200
            var py = dialog.y + 15
            mousePress(scene, px, py)
            mouseMove(scene, px, py + 20)
            var startX = dialog.x
            var startY = dialog.y
            mouseMove(scene, px - 50, py + 50)
            mouseRelease(scene, px - 50, py + 50)
            compare(dialog.x, startX - 50)
            compare(dialog.y, startY + 30)
            compare(window.presses, 0, "the window behind does not move")

            dragFrom(200, 15, -600, -600)
            compare(dialog.x, 0)
            compare(dialog.y, 0)
            dragFrom(200, 15, 2000, 2000)
            compare(dialog.x, 1024 - 427)
            compare(dialog.y, 640 - 102)
            // The body does not drag the dialog, nor reach the window.
            dragFrom(200, 60, -100, -100)
            compare(dialog.x, 1024 - 427)
            compare(window.presses, 0)
            verify(emptyPresses.count > 0)
        }

        function test_closeAndBack() {
            var back = tree.named(dialog, Accessible.Button, "Back")
            verify(!back.visible, "no Back button unless asked for")
            mouseClick(dialog, 427 - 16, 16)
            compare(closes.count, 1)
            dialog.showBack = true
            verify(back.visible)
            mouseClick(dialog, 16, 16)
            compare(backs.count, 1)
            compare(closes.count, 1)
        }

        function test_accessibility() {
            compare(dialog.Accessible.role, Accessible.Dialog)
            compare(dialog.Accessible.name, "Reset")
            var close = tree.named(dialog, Accessible.Button, "Close")
            verify(close !== null)
            close.Accessible.pressAction()
            compare(closes.count, 1)
            dialog.showBack = true
            tree.named(dialog, Accessible.Button, "Back").Accessible.pressAction()
            compare(backs.count, 1)
        }
    }
}
