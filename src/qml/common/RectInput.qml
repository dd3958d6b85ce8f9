// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A small field for a whole number: at most four digits, held within
// minValue .. maxValue when editing ends (Enter or focus leaving). An empty
// field, or one below 1, becomes "0" (or minValue where 0 is out of range).
Rectangle {
    id: rectInput

    property alias textValue: input.text
    property int minValue: 0
    property int maxValue: 255
    property string accessibleName: ""        // the label beside the field ("Rate", "Times")
    property color textColor: "#ffffff"
    property color borderColor: "#3c3c3c"
    property color focusColor: "#cf3e00"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12
    readonly property alias editing: input.activeFocus

    signal inputSignal()                      // editing started (the field took the focus)
    signal endInputSignal()                   // editing ended; textValue holds a number in range

    function normalise() {
        var value = parseInt(input.text, 10)
        if (isNaN(value) || value < 1)
            value = minValue > 0 ? minValue : 0
        value = Math.max(minValue, Math.min(maxValue, value))
        input.text = String(value)
    }
    function finishEditing() {
        normalise()
        input.focus = false
    }
    // Hands a typed value to the owner now, before the owner loads another
    // value into the field: the edit ends as if the focus had left.
    function commit() {
        if (input.activeFocus) {
            finishEditing()
        } else if (input.typed) {
            normalise()
            input.typed = false
            endInputSignal()
        }
    }
    function edit() {
        input.forceActiveFocus()
        input.selectAll()
    }

    width: 48
    height: 24
    color: "#1a1a1a"
    border.width: 1
    border.color: input.activeFocus ? focusColor : borderColor

    FocusRing {
        shown: input.activeFocus
    }
    // The padding around the text takes clicks too.
    MouseArea {
        anchors.fill: parent
        onPressed: rectInput.edit()
    }
    TextInput {
        id: input
        anchors.fill: parent
        anchors.leftMargin: 4
        anchors.rightMargin: 4
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        clip: true
        maximumLength: 4
        validator: RegularExpressionValidator { regularExpression: /[0-9]*/ }
        inputMethodHints: Qt.ImhDigitsOnly
        selectByMouse: true
        activeFocusOnTab: true
        color: rectInput.enabled ? rectInput.textColor : "#969696"
        selectionColor: rectInput.focusColor
        font.family: rectInput.fontFamily
        font.pixelSize: rectInput.fontSize
        text: "0"
        property bool typed: false            // edited while not focused (by an assistive tool)

        Accessible.role: Accessible.EditableText
        Accessible.name: rectInput.accessibleName

        onActiveFocusChanged: {
            if (activeFocus) {
                rectInput.inputSignal()
            } else {
                rectInput.normalise()
                typed = false
                rectInput.endInputSignal()
            }
        }
        onTextEdited: typed = true
        Keys.onReturnPressed: rectInput.finishEditing()
        Keys.onEnterPressed: rectInput.finishEditing()
    }
}
