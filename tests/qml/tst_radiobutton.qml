// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

// A group of three bound to their owner's choice, as the screens do.
Item {
    id: scene
    width: 300
    height: 120

    AccessibleTree { id: tree }

    Column {
        id: group
        x: 20
        y: 10
        spacing: 8
        property int chosen: 0
        function choose(index) {
            chosen = index
        }
        Repeater {
            id: radios
            model: ["Single", "Repeat", "Hold"]
            RadioButton {
                textValue: modelData
                index: model.index
                isSelect: model.index === group.chosen
                onBtnClick: function (index) { group.choose(index) }
            }
        }
    }
    SignalSpy { id: clicks; signalName: "btnClick" }

    TestCase {
        name: "RadioButton"
        when: windowShown

        function selected() {
            var list = []
            for (var i = 0; i < radios.count; ++i)
                list.push(radios.itemAt(i).isSelect)
            return list
        }
        function init() {
            group.choose(0)
            clicks.target = radios.itemAt(1)
            clicks.clear()
        }

        function test_clickSelectsAndNeverClears() {
            mouseClick(radios.itemAt(1))
            compare(clicks.count, 1)
            compare(clicks.signalArguments[0][0], 1)
            compare(selected(), [false, true, false])
            mouseClick(radios.itemAt(1))
            compare(selected(), [false, true, false], "a second click leaves it selected")
            // The text beside the mark takes the click too.
            mouseClick(radios.itemAt(2), radios.itemAt(2).width - 3, 8)
            compare(selected(), [false, false, true])
        }

        function test_keys() {
            radios.itemAt(0).forceActiveFocus()
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Space)
            compare(selected(), [false, true, false])
        }

        function test_accessibility() {
            var hold = tree.named(group, Accessible.RadioButton, "Hold")
            compare(hold, radios.itemAt(2))
            verify(hold.Accessible.checkable)
            verify(!hold.Accessible.checked)
            verify(radios.itemAt(0).Accessible.checked)
            hold.Accessible.pressAction()
            compare(selected(), [false, false, true])
            verify(hold.Accessible.checked)
            verify(!radios.itemAt(0).Accessible.checked)
        }
    }
}
