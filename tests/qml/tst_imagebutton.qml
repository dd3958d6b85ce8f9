// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

Item {
    id: scene
    width: 300
    height: 200

    readonly property url normal: "qrc:/index/modules/img/skin1/index/closeBtn.png"
    readonly property url hover: "qrc:/index/modules/img/skin1/index/closeBtnH.png"
    readonly property url pressedPicture: "qrc:/index/modules/img/skin1/index/minBtn.png"
    readonly property url selected: "qrc:/index/modules/img/skin1/index/ask.png"

    ImageButton {
        id: button
        x: 20
        y: 20
        accessibleName: "Close"
        source: scene.normal
        hoverSource: scene.hover
    }
    SignalSpy { id: clicks; target: button; signalName: "clicked" }

    TestCase {
        name: "ImageButton"
        when: windowShown

        function shown() {
            return findChild(button, "picture").source
        }
        function init() {
            clicks.clear()
            button.enabled = true
            button.isSelect = false
            button.checkable = false
            button.pressedSource = ""
            button.selectedSource = ""
            // After a synthetic click the pointer only leaves once it has
            // moved inside again.
            mouseMove(button)
            mouseMove(scene, 250, 150)
        }

        function test_sizeFollowsThePicture() {
            compare(button.width, 24)
            compare(button.height, 24)
        }

        function test_pictureByState() {
            compare(shown(), scene.normal)
            mouseMove(button)
            compare(shown(), scene.hover)
            mousePress(button)
            compare(shown(), scene.hover, "no pressed picture: the hover one stays")
            mouseRelease(button)

            button.pressedSource = scene.pressedPicture
            button.selectedSource = scene.selected
            mousePress(button)
            compare(shown(), scene.pressedPicture)
            mouseRelease(button)
            button.isSelect = true
            compare(shown(), scene.selected, "selected wins over hover")
            mouseMove(scene, 250, 150)
            compare(shown(), scene.selected)
            button.isSelect = false
            compare(shown(), scene.normal)
        }

        function test_clickKeysAndScreenReader() {
            mouseClick(button)
            button.forceActiveFocus()
            keyClick(Qt.Key_Space)
            keyClick(Qt.Key_Enter)
            button.Accessible.pressAction()
            compare(clicks.count, 4)
            button.enabled = false
            mouseClick(button)
            button.Accessible.pressAction()
            compare(clicks.count, 4)
        }

        function test_accessibility() {
            compare(button.Accessible.role, Accessible.Button)
            compare(button.Accessible.name, "Close")
            verify(!button.Accessible.checkable)
            button.isSelect = true
            verify(!button.Accessible.checked, "a plain button tells no checked state")
            button.checkable = true
            verify(button.Accessible.checkable)
            verify(button.Accessible.checked)
            button.isSelect = false
            verify(!button.Accessible.checked)
        }
    }
}
