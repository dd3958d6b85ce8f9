// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 400
    height: 200

    Button {
        id: button
        x: 20
        y: 20
        textValue: "Editor"
    }
    SignalSpy { id: clicks; target: button; signalName: "clicked" }

    TestCase {
        name: "Button"
        when: windowShown

        function test_lightsUpUnderTheMouse() {
            var fill = button.children[0]
            // After a synthetic click the pointer only leaves once it has
            // moved inside again.
            mouseMove(button)
            mouseMove(scene, 300, 150)
            compare(fill.opacity, 0.1)
            mouseMove(button)
            compare(fill.opacity, 1)
            mouseMove(scene, 300, 150)
            compare(fill.opacity, 0.1)
        }

        function test_clickKeysAndScreenReader() {
            clicks.clear()
            compare(button.width, 192)
            compare(button.height, 38)
            mouseClick(button)
            button.forceActiveFocus()
            keyClick(Qt.Key_Space)
            keyClick(Qt.Key_Return)
            compare(button.Accessible.role, Accessible.Button)
            compare(button.Accessible.name, "Editor")
            button.Accessible.pressAction()
            compare(clicks.count, 4)
        }
    }
}
