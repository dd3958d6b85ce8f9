// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A drop-down whose body is a slider: the field shows `textValue` (the value
// the owner makes of the knob's position); a click slides the slider out.
// The slider stays in the accessibility tree while closed.
Item {
    id: dropSlider

    property string textValue: ""
    property bool isDrop: false               // the slider is shown
    property string accessibleName: ""        // names the field and its slider ("Double-click speed")
    property int bodyHeight: 32               // height of the sliding part
    property url sourceDropBtn                // chevron while closed
    property url sourceDropBtnU               // chevron while open
    property alias sourceSlide: slider.sourceSlide
    readonly property alias slider: slider    // segment, isScale, setRatioValue ... of the body
    property color fillColor: "#1a1a1a"
    property color borderColor: "#3c3c3c"
    property color hoverColor: "#cf3e00"
    property color textColor: "#ffffff"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    signal valueChange(real x)                // the knob moved (dragged, clicked, stepped)
    signal valueChangeDelay(real x)           // the knob was let go
    signal dragSignal(bool isDrag)
    signal btnClick()                         // the field was clicked

    function toggle() {
        var open = !isDrop
        btnClick()
        isDrop = open
    }
    function close() {
        isDrop = false
    }

    width: 120
    height: 24
    z: isDrop ? 100 : 0
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    Accessible.description: textValue
    Accessible.focusable: true
    Accessible.onPressAction: toggle()

    Keys.onPressed: function (event) {
        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
            toggle()
            if (isDrop)
                slider.forceActiveFocus()
        } else if (event.key === Qt.Key_Escape && isDrop) {
            close()
        } else {
            return
        }
        event.accepted = true
    }

    DropField {
        anchors.fill: parent
        text: dropSlider.textValue
        isOpen: dropSlider.isDrop
        highlighted: dropSlider.activeFocus
        sourceDropBtn: dropSlider.sourceDropBtn
        sourceDropBtnU: dropSlider.sourceDropBtnU
        fillColor: dropSlider.fillColor
        borderColor: dropSlider.borderColor
        hoverColor: dropSlider.hoverColor
        textColor: dropSlider.textColor
        fontFamily: dropSlider.fontFamily
        fontSize: dropSlider.fontSize
        onClicked: {
            dropSlider.forceActiveFocus()
            dropSlider.toggle()
        }
    }

    DropBox {
        id: box
        objectName: "sliderBox"
        isOpen: dropSlider.isDrop
        fullHeight: dropSlider.bodyHeight
        duration: 180
        fillColor: dropSlider.fillColor
        borderColor: dropSlider.borderColor

        SliderButton {
            id: slider
            x: 8
            width: parent.width - 16
            anchors.verticalCenter: parent.verticalCenter
            accessibleName: dropSlider.accessibleName
            valueText: dropSlider.textValue
            passedColor: dropSlider.hoverColor
            onValueChange: function (x) { dropSlider.valueChange(x) }
            onValueChangeDelay: function (x) { dropSlider.valueChangeDelay(x) }
            onDragSignal: function (isDrag) { dropSlider.dragSignal(isDrag) }
            Keys.onEscapePressed: {
                dropSlider.close()
                dropSlider.forceActiveFocus()
            }
        }
    }
}
