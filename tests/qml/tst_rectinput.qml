// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 300
    height: 100

    AccessibleTree { id: tree }

    RectInput {
        id: field
        x: 20
        y: 20
        accessibleName: "Times"
    }
    // Somewhere for the focus to go.
    Rectangle {
        id: elsewhere
        x: 100
        y: 20
        width: 40
        height: 24
        activeFocusOnTab: true
    }
    SignalSpy { id: starts; target: field; signalName: "inputSignal" }
    SignalSpy { id: ends; target: field; signalName: "endInputSignal" }

    TestCase {
        name: "RectInput"
        when: windowShown

        function init() {
            field.minValue = 0
            field.maxValue = 255
            field.textValue = "0"
            elsewhere.forceActiveFocus()
            starts.clear()
            ends.clear()
        }
        function type(text) {
            mouseClick(field)
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick(Qt.Key_Backspace)
            for (var i = 0; i < text.length; ++i)
                keyClick(text[i])
        }
        // Types `text`, leaves the field with Tab and gives what it then holds.
        function enter(text) {
            type(text)
            keyClick(Qt.Key_Tab)
            return field.textValue
        }

        function test_signalsAroundEditing() {
            mouseClick(field)
            verify(field.editing)
            compare(starts.count, 1)
            compare(ends.count, 0)
            keyClick(Qt.Key_Tab)
            verify(elsewhere.activeFocus)
            compare(ends.count, 1)

            type("12")
            keyClick(Qt.Key_Return)
            verify(!field.editing, "Enter ends the editing")
            compare(ends.count, 2)
            compare(field.textValue, "12")
        }

        // commit() hands a value being typed to the owner at once, held to
        // the range, and is nothing while nothing is typed.
        function test_commit() {
            field.commit()
            compare(ends.count, 0)
            field.maxValue = 64
            type("99")
            field.commit()
            verify(!field.editing)
            compare(ends.count, 1)
            compare(field.textValue, "64")
            field.commit()
            compare(ends.count, 1)
        }

        function test_onlyFourDigits() {
            type("12a-3.45")
            compare(field.textValue, "1234")
        }

        function test_range_data() {
            return [
                { tag: "in range", text: "200", result: "200" },
                { tag: "upper bound", text: "255", result: "255" },
                { tag: "above the maximum is held at it", text: "256", result: "255" },
                { tag: "four digits above", text: "9999", result: "255" },
                { tag: "leading zeros", text: "007", result: "7" },
                { tag: "empty", text: "", result: "0" },
                { tag: "zero", text: "0000", result: "0" },
                { tag: "above a minimum of 10", min: 10, text: "42", result: "42" },
                { tag: "below a minimum of 10", min: 10, text: "3", result: "10" },
                { tag: "empty with a minimum of 10", min: 10, text: "", result: "10" },
                { tag: "a larger maximum", max: 5000, text: "4999", result: "4999" },
            ]
        }
        function test_range(row) {
            if (row.min !== undefined)
                field.minValue = row.min
            if (row.max !== undefined)
                field.maxValue = row.max
            compare(enter(row.text), row.result)
            compare(ends.count, 1)
        }

        function test_accessibility() {
            var input = tree.named(field, Accessible.EditableText, "Times")
            verify(input !== null)
            verify(input.activeFocusOnTab)
        }
    }
}
