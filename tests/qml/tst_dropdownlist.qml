// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 400
    height: 400
    TestCase {
        id: testCase
        name: "DropDownList"
        when: windowShown

        AccessibleTree { id: tree }

        ListModel {
            id: rates
            ListElement { textValue: "125Hz" }
            ListElement { textValue: "250Hz" }
            ListElement { textValue: "500Hz" }
            ListElement { textValue: "1000Hz" }
        }

        // The owner keeps the value the list shows, as the screens do.
        Component {
            id: listComponent
            DropDownList {
                property int owned: 0
                property bool refuse: false
                x: 20
                y: 20
                width: 120
                height: 24
                accessibleName: "Report Rate"
                mdItems: rates
                currentSelect: owned
                onValueChange: function (index) { if (!refuse) owned = index }
            }
        }
        SignalSpy { id: chosen; signalName: "valueChange" }
        SignalSpy { id: clicks; signalName: "btnClick" }

        function makeList(properties) {
            var list = createTemporaryObject(listComponent, scene, properties || {})
            chosen.clear()
            clicks.clear()
            chosen.target = list
            clicks.target = list
            return list
        }
        function listBox(list) {
            return findChild(list, "listBox")
        }
        function openFully(list) {
            mouseClick(list)
            verify(list.isDrop)
            tryCompare(listBox(list), "height", listBox(list).fullHeight)
        }
        // Centre of entry `index` of an open list, in the list's coordinates.
        function entryY(list, index) {
            return list.height + 1 + index * list.itemHeight + list.itemHeight / 2
        }

        function test_slideTimeShrinksWithTheEntryCount_data() {
            return [
                { tag: "1 entry", count: 1, duration: 175 },
                { tag: "4 entries", count: 4, duration: 160 },
                { tag: "10 entries", count: 10, duration: 130 },
                { tag: "36 entries", count: 36, duration: 0 },
                { tag: "40 entries: no negative time", count: 40, duration: 0 },
            ]
        }
        function test_slideTimeShrinksWithTheEntryCount(row) {
            var texts = []
            for (var i = 0; i < row.count; ++i)
                texts.push("entry " + i)
            var list = makeList({ mdItems: texts })
            compare(list.slideDuration, row.duration)
            compare(listBox(list).slide.duration, row.duration)

            var started = Date.now()
            mouseClick(list)
            if (row.duration > 0)
                verify(listBox(list).height < listBox(list).fullHeight, "the list slides rather than jumps open")
            tryCompare(listBox(list), "height", listBox(list).fullHeight)
            // One frame of slack for the animation timer's granularity.
            verify(Date.now() - started >= row.duration - 17, "open after " + (Date.now() - started) + " ms")

            mouseClick(list)
            verify(!list.isDrop)
            tryCompare(listBox(list), "height", 0)
            verify(!listBox(list).visible)
        }

        function test_pickingAnEntry() {
            var list = makeList()
            compare(list.currentText, "125Hz")
            openFully(list)
            compare(clicks.count, 1)
            mouseClick(list, 60, entryY(list, 2))
            compare(chosen.count, 1)
            compare(chosen.signalArguments[0][0], 2)
            compare(list.currentSelect, 2)
            compare(list.currentText, "500Hz")
            verify(!list.isDrop)

            openFully(list)
            mouseClick(list, 60, entryY(list, 0))
            compare(chosen.signalArguments[1][0], 0)
            compare(list.currentText, "125Hz")
        }

        // The main screen closes every list when any field is clicked; that must
        // not keep the clicked list from opening, nor reopen an open one.
        function test_ownerClosingAllListsOnClick() {
            var list = makeList()
            list.btnClick.connect(list.close)
            mouseClick(list)
            verify(list.isDrop)
            mouseClick(list)
            verify(!list.isDrop)
        }

        function test_keyboard() {
            var list = makeList({ owned: 1 })
            list.forceActiveFocus()
            keyClick(Qt.Key_Down)
            verify(!list.isDrop, "arrows alone do not open a closed list")
            keyClick(Qt.Key_Space)
            verify(list.isDrop)
            compare(list.highlightIndex, 1)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(list.highlightIndex, 3, "the cursor stops at the last entry")
            keyClick(Qt.Key_Up)
            keyClick(Qt.Key_Return)
            compare(chosen.count, 1)
            compare(chosen.signalArguments[0][0], 2)
            verify(!list.isDrop)

            keyClick(Qt.Key_Enter)
            verify(list.isDrop)
            compare(list.highlightIndex, 2)
            keyClick(Qt.Key_Home)
            keyClick(Qt.Key_Escape)
            verify(!list.isDrop)
            compare(list.currentSelect, 2, "Escape leaves the choice as it was")
            compare(chosen.count, 1)
        }

        function test_closeFromOutside() {
            var list = makeList()
            openFully(list)
            list.close()
            verify(!list.isDrop)
            tryCompare(listBox(list), "height", 0)
            list.isDrop = true
            tryCompare(listBox(list), "height", listBox(list).fullHeight)
            list.isDrop = false
            tryCompare(listBox(list), "height", 0)
            compare(chosen.count, 0)
        }

        function test_modelsAndTexts() {
            var list = makeList({ mdItems: ["Profile 1", "Profile 2"], owned: 1 })
            compare(list.count, 2)
            compare(list.currentText, "Profile 2")
            list.mdItems = [{ textValue: "a" }, { textValue: "b" }]
            compare(list.currentText, "b")
            list.owned = 5
            compare(list.currentText, "", "an index past the end shows nothing")
            list.owned = -1
            compare(list.currentText, "")

            list = makeList({ owned: 3 })
            rates.setProperty(3, "textValue", "1 kHz")
            compare(list.currentText, "1 kHz", "a renamed entry shows its new text")
            rates.setProperty(3, "textValue", "1000Hz")
            verify(tree.named(list, Accessible.ListItem, "1000Hz") !== null)
        }

        function test_longListScrollsToTheCursor() {
            var texts = []
            for (var i = 0; i < 20; ++i)
                texts.push("entry " + i)
            var list = makeList({ mdItems: texts, maxVisibleItems: 5 })
            openFully(list)
            compare(listBox(list).fullHeight, 5 * 24 + 2)
            list.forceActiveFocus()
            keyClick(Qt.Key_End)
            compare(list.highlightIndex, 19)
            var flick = findChild(list, "entryFlick")
            compare(flick.contentY, 20 * 24 - flick.height)
            keyClick(Qt.Key_Return)
            compare(list.currentSelect, 19)
            compare(list.currentText, "entry 19")
        }

        function test_dropUpOpensAboveTheField() {
            var list = makeList({ dropUp: true, y: 200 })
            openFully(list)
            compare(listBox(list).y, -listBox(list).fullHeight)
            mouseClick(list, 60, -listBox(list).fullHeight + 1 + 24 + 12)
            compare(chosen.signalArguments[0][0], 1)
        }

        function test_accessibility() {
            var list = makeList({ owned: 1 })
            compare(list.Accessible.role, Accessible.ComboBox)
            compare(list.Accessible.name, "Report Rate")

            var entries = tree.all(list, Accessible.ListItem)
            compare(entries.length, 4, "the entries are there while the list is closed")
            var names = entries.map(function (entry) { return entry.Accessible.name })
            compare(names, ["125Hz", "250Hz", "500Hz", "1000Hz"])
            verify(entries[1].Accessible.selected)
            verify(!entries[0].Accessible.selected)

            entries[3].Accessible.pressAction()
            verify(!list.isDrop, "pressing an entry chooses it without opening the list")
            compare(chosen.count, 1)
            compare(chosen.signalArguments[0][0], 3)
            verify(entries[3].Accessible.selected)
            verify(!entries[1].Accessible.selected)

            // The entry shown is the owner's value, after picks too; a pick
            // the owner refuses changes nothing on screen.
            list.owned = 0
            verify(entries[0].Accessible.selected)
            list.refuse = true
            entries[2].Accessible.pressAction()
            compare(chosen.count, 2)
            compare(list.currentText, "125Hz")
            verify(!entries[2].Accessible.selected)

            list.Accessible.pressAction()
            verify(list.isDrop, "pressing the list opens it as a click does")
            compare(clicks.count, 1)
            list.Accessible.pressAction()
            verify(!list.isDrop)
        }
    }
}
