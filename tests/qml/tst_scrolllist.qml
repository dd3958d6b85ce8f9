// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 300
    height: 200

    AccessibleTree { id: tree }

    // 30 rows of 24 px in 120 px: five rows a page, 600 px to scroll.
    ScrollList {
        id: list
        x: 20
        y: 20
        width: 200
        height: 120
        accessibleName: "Macros"
        model: 30
        delegate: Rectangle {
            width: 180
            height: 24
            Accessible.role: Accessible.ListItem
            Accessible.name: "Macro_" + index
        }
    }

    TestCase {
        name: "ScrollList"
        when: windowShown

        function thumb() {
            return findChild(list, "thumb")
        }
        function track() {
            return findChild(list, "track")
        }
        function init() {
            list.model = 30
            list.scrollTo(0)
        }

        function test_pages() {
            verify(list.scrollable)
            mouseClick(list, 200 - 8, 120 - 8) // page down
            compare(list.view.contentY, 120)
            for (var i = 0; i < 5; ++i)
                mouseClick(list, 200 - 8, 120 - 8)
            compare(list.view.contentY, 600, "stops at the last page")
            mouseClick(list, 200 - 8, 8) // page up
            compare(list.view.contentY, 480)
            list.view.forceActiveFocus()
            keyClick(Qt.Key_PageUp)
            compare(list.view.contentY, 360)
        }

        function test_wheel() {
            mouseWheel(list, 50, 50, 0, -120)
            tryVerify(function () { return list.view.contentY > 0 })
        }

        function test_thumbFollowsAndDrags() {
            compare(thumb().y, 0)
            list.scrollTo(600)
            compare(thumb().y + thumb().height, track().height, "at the end the thumb reaches the bottom")
            list.scrollTo(300)
            compare(thumb().y, track().travel / 2)

            var from = thumb().mapToItem(scene, 3, thumb().height / 2)
            mousePress(scene, from.x, from.y)
            mouseMove(scene, from.x, from.y + 20) // past the drag threshold
            mouseMove(scene, from.x, from.y + 200)
            mouseRelease(scene, from.x, from.y + 200)
            compare(list.view.contentY, 600, "dragging the thumb to the bottom shows the last page")
        }

        function test_barOnlyWhenTheRowsDoNotFit() {
            list.model = 3
            verify(!list.scrollable)
            verify(!thumb().parent.parent.visible)
        }

        function test_accessibility() {
            var view = tree.named(list, Accessible.List, "Macros")
            compare(view, list.view)
            tryVerify(function () { return tree.all(view, Accessible.ListItem).length === 30 }, 5000,
                      "rows out of sight are there too")
            tree.named(list, Accessible.Button, "Page down").Accessible.pressAction()
            compare(list.view.contentY, 120)
            tree.named(list, Accessible.Button, "Page up").Accessible.pressAction()
            compare(list.view.contentY, 0)
        }
    }
}
