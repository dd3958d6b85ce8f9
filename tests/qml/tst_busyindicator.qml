// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

Item {
    id: scene
    width: 300
    height: 200

    Item {
        id: holder
        anchors.fill: parent
        BusyIndicator { id: busy; anchors.centerIn: parent }
    }

    TestCase {
        name: "BusyIndicator"
        when: windowShown

        function label() {
            return busy.children[1]
        }
        function cleanup() {
            holder.visible = true
            busy.setBusy(false)
        }

        function test_pulsesOnlyWhileBusy() {
            verify(!busy.visible)
            verify(!busy.pulsing, "nothing runs before the first busy period")
            busy.setBusy(true)
            verify(busy.isBusy)
            verify(busy.visible)
            verify(busy.pulsing)
            compare(label().text, "LOADING ......")
            // Down to 0.2 in 400 ms, then back up.
            tryVerify(function () { return label().opacity < 0.3 }, 1000)
            tryVerify(function () { return label().opacity > 0.9 }, 1000)

            busy.setBusy(false)
            verify(!busy.visible)
            verify(!busy.pulsing)
            var stopped = label().opacity
            wait(100)
            compare(label().opacity, stopped, "the text no longer changes")
        }

        function test_stopsWhileItsWindowIsHidden() {
            busy.setBusy(true)
            verify(busy.pulsing)
            holder.visible = false
            verify(!busy.pulsing)
            holder.visible = true
            verify(busy.pulsing)
        }
    }
}
