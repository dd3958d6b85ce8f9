// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 300
    height: 100

    // The mark shows the owner's value; a click asks the owner to turn it over.
    CheckBox {
        id: box
        property bool held: false
        x: 20
        y: 20
        index: 5
        textValue: "Hold to repeat"
        isSelect: held
        onBtnClick: held = !held
    }
    SignalSpy { id: clicks; target: box; signalName: "btnClick" }

    TestCase {
        name: "CheckBox"
        when: windowShown

        function init() {
            box.held = false
            box.enabled = true
            box.source = ""
            box.sourceSelected = ""
            clicks.clear()
        }

        function test_clickToggles() {
            mouseClick(box, 8, 8)
            verify(box.isSelect)
            compare(clicks.count, 1)
            compare(clicks.signalArguments[0][0], 5)
            mouseClick(box, 8, 8)
            verify(!box.isSelect)
            box.forceActiveFocus()
            keyClick(Qt.Key_Space)
            verify(box.isSelect)
            box.Accessible.toggleAction()
            verify(!box.isSelect)
            box.Accessible.pressAction()
            verify(box.isSelect)
            compare(clicks.count, 5)
            // Clicks leave the mark bound to the value.
            box.held = false
            verify(!box.isSelect)
            verify(!box.Accessible.checked)

            box.enabled = false
            mouseClick(box, 8, 8)
            box.Accessible.pressAction()
            verify(!box.isSelect)
            compare(clicks.count, 5)
        }

        function test_markFollowsTheState() {
            var picture = findChild(box, "mark")
            var drawn = picture.parent.children[1]
            verify(drawn.visible, "without pictures an empty box is drawn")
            verify(!drawn.children[0].visible)
            box.held = true
            verify(drawn.children[0].visible, "and filled when ticked")

            box.source = "qrc:/index/modules/img/skin1/index/minBtn.png"
            box.sourceSelected = "qrc:/index/modules/img/skin1/index/closeBtn.png"
            tryCompare(picture, "status", Image.Ready)
            compare(picture.source, box.sourceSelected)
            verify(!drawn.visible)
            box.held = false
            compare(picture.source, box.source)
        }

        function test_accessibility() {
            compare(box.Accessible.role, Accessible.CheckBox)
            compare(box.Accessible.name, "Hold to repeat")
            verify(box.Accessible.checkable)
            verify(!box.Accessible.checked)
            box.held = true
            verify(box.Accessible.checked)
        }
    }
}
