// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 300
    height: 200

    FlatButton {
        id: save
        x: 20
        y: 20
        textValue: "Save"
    }
    FlatButton {
        id: other
        x: 120
        y: 20
        textValue: "Reset"
    }
    SignalSpy { id: clicks; target: save; signalName: "clicked" }

    TestCase {
        name: "FlatButton"
        when: windowShown

        function init() {
            save.enabled = true
            save.fillColor = "#09347f"
            clicks.clear()
            // After a synthetic click the pointer only leaves once it has
            // moved inside again.
            mouseMove(save)
            mouseMove(scene, 5, 150)
        }

        function test_colours() {
            verify(Qt.colorEqual(save.color, "#09347f"))
            save.fillColor = "#ff3030"
            verify(Qt.colorEqual(save.color, "#ff3030"), "the owner's fill replaces the blue")
            mouseMove(save)
            verify(Qt.colorEqual(save.color, "#cf3e00"), "orange under the mouse")
            mousePress(save)
            var pressed = save.color
            verify(!Qt.colorEqual(pressed, "#cf3e00") && !Qt.colorEqual(pressed, "#ff3030"), "pressed looks different")
            mouseRelease(save)
            verify(Qt.colorEqual(save.color, "#cf3e00"))
            save.enabled = false
            verify(!Qt.colorEqual(save.color, "#cf3e00") && !Qt.colorEqual(save.color, "#ff3030"), "disabled looks different")
        }

        function test_clickAndKeys() {
            mouseClick(save)
            compare(clicks.count, 1)
            save.forceActiveFocus()
            keyClick(Qt.Key_Space)
            keyClick(Qt.Key_Return)
            keyClick(Qt.Key_Enter)
            compare(clicks.count, 4)
            keyClick(Qt.Key_Tab)
            verify(other.activeFocus, "Tab moves on to the next button")
            keyClick(Qt.Key_Space)
            compare(clicks.count, 4)

            save.enabled = false
            mouseClick(save)
            save.Accessible.pressAction()
            compare(clicks.count, 4, "a disabled button does nothing, by mouse or by screen reader")
        }

        function test_accessibility() {
            compare(save.Accessible.role, Accessible.Button)
            compare(save.Accessible.name, "Save")
            save.textValue = "Speichern"
            compare(save.Accessible.name, "Speichern", "named by the text in force")
            save.textValue = "Save"
            save.Accessible.pressAction()
            compare(clicks.count, 1)
        }
    }
}
