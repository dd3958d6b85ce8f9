// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A horizontal slider. It reports the knob's x position; with `isScale` the
// knob only stands on one of `segment` + 1 steps and `segmentValue` is the
// step. Dragging reports every move (valueChange) and the release
// (valueChangeDelay); a click on the track glides the knob there in 120 ms.
// The accessibility bus reads `value`, `minimumValue`, `maximumValue` and
// `stepSize` (steps with `isScale`, else pixels) and may set `value`.
Item {
    id: slider

    property int segment: 10
    property int segmentValue: 0              // the knob's step (0 .. segment)
    property bool isScale: false              // the knob snaps to the steps
    property string accessibleName: ""        // the label beside the slider ("Speed")
    property string valueText: ""             // the value as the screen shows it ("25%"), told as the description
    property url sourceSlide                  // knob picture
    property color trackColor: "#09347f"
    property color passedColor: "#cf3e00"     // the track left of the knob
    readonly property real knobX: knob.x
    readonly property real range: Math.max(0, width - knob.width)

    property real value: 0                    // accessible value; set from outside it moves the knob
    readonly property real minimumValue: 0
    readonly property real maximumValue: isScale ? segment : Math.round(range)
    readonly property real stepSize: isScale ? 1 : range / Math.max(1, segment)

    signal valueChange(real x)                // the knob moved while dragged (and at the end of a click)
    signal valueChangeDelay(real x)           // the knob was let go where it stands
    signal dragSignal(bool isDrag)            // a drag started (true) or ended (false)
    signal btnClick()                         // the track was clicked

    function clamp(r) {
        return Math.max(0, Math.min(1, r))
    }
    function snap(r) {
        r = clamp(r)
        return isScale && segment > 0 ? Math.round(r * segment) / segment : r
    }
    function setRatioValue(r) {
        glide.stop()
        internal.ratio = snap(r)
    }
    function setIndexValue(i, emit) {
        glide.stop()
        internal.ratio = segment > 0 ? clamp(i / segment) : 0
        if (emit) {
            valueChange(knob.x)
            valueChangeDelay(knob.x)
        }
    }
    // A move made without the pointer (keys, screen reader): a whole drag
    // and its release at once. A disabled scene (the mouse busy) takes none.
    function moveTo(r) {
        if (!enabled)
            return
        glide.stop()
        dragSignal(true)
        internal.ratio = snap(r)
        valueChange(knob.x)
        valueChangeDelay(knob.x)
        dragSignal(false)
    }
    function stepBy(steps) {
        moveTo(segment > 0 ? Math.round(internal.ratio * segment + steps) / segment : internal.ratio)
    }
    function clickAt(px) {
        btnClick()
        glide.to = snap(range > 0 ? (px - knob.width / 2) / range : 0)
        glide.restart()
    }
    function dragTo(x) {
        var r = snap(range > 0 ? x / range : 0)
        if (r === internal.ratio)
            return
        internal.ratio = r
        valueChange(knob.x)
    }
    function syncValue() {
        internal.syncing = true
        segmentValue = Math.round(internal.ratio * segment)
        // From the ratio: knob.x may not have followed it yet.
        value = isScale ? segmentValue : Math.round(internal.ratio * range)
        internal.syncing = false
    }

    onValueChanged: {
        if (internal.syncing)
            return
        moveTo(isScale ? value / Math.max(1, segment) : (range > 0 ? value / range : 0))
        syncValue()
    }
    onIsScaleChanged: syncValue()
    onSegmentChanged: syncValue()
    onRangeChanged: syncValue()

    width: 200
    height: 16
    activeFocusOnTab: true

    Accessible.role: Accessible.Slider
    Accessible.name: accessibleName
    Accessible.description: valueText
    Accessible.focusable: true
    Accessible.onIncreaseAction: stepBy(1)
    Accessible.onDecreaseAction: stepBy(-1)

    Keys.onPressed: function (event) {
        switch (event.key) {
        case Qt.Key_Right: case Qt.Key_Up: stepBy(1); break
        case Qt.Key_Left: case Qt.Key_Down: stepBy(-1); break
        case Qt.Key_Home: moveTo(0); break
        case Qt.Key_End: moveTo(1); break
        default: return
        }
        event.accepted = true
    }

    QtObject {
        id: internal
        property real ratio: 0                // where the knob stands, 0 .. 1
        property bool onKnob: false           // the current press started on the knob
        property real grab: 0                 // pointer x within the knob at the press
        property bool syncing: false
        onRatioChanged: slider.syncValue()
    }

    NumberAnimation {
        id: glide
        target: internal
        property: "ratio"
        duration: 120
        easing.type: Easing.OutQuad
        onFinished: {
            slider.valueChange(knob.x)
            slider.valueChangeDelay(knob.x)
        }
    }

    Rectangle {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        x: knob.width / 2
        width: slider.range
        height: 4
        radius: 2
        color: slider.enabled ? slider.trackColor : "#3c3c3c"
    }
    Rectangle {
        anchors.verticalCenter: track.verticalCenter
        x: track.x
        width: knob.x
        height: track.height
        radius: 2
        color: slider.enabled ? slider.passedColor : "#969696"
    }

    Item {
        id: knob
        x: internal.ratio * slider.range
        anchors.verticalCenter: parent.verticalCenter
        width: picture.status === Image.Ready ? picture.implicitWidth : 16
        height: picture.status === Image.Ready ? picture.implicitHeight : 16

        Image {
            id: picture
            source: slider.sourceSlide
            Accessible.ignored: true
        }
        // Drawn while the picture is missing, so that the slider stays usable.
        Rectangle {
            anchors.fill: parent
            visible: picture.status !== Image.Ready
            radius: width / 2
            color: "#d1d1d1"
            border.color: slider.passedColor
            border.width: 2
        }
        FocusRing {
            shown: slider.activeFocus
            radius: width / 2
        }
    }

    MouseArea {
        anchors.fill: parent
        onPressed: function (mouse) {
            internal.onKnob = mouse.x >= knob.x && mouse.x < knob.x + knob.width
            if (!internal.onKnob)
                return
            glide.stop()
            internal.grab = mouse.x - knob.x
            slider.dragSignal(true)
        }
        onPositionChanged: function (mouse) {
            if (internal.onKnob && pressed)
                slider.dragTo(mouse.x - internal.grab)
        }
        onReleased: {
            if (!internal.onKnob)
                return
            slider.valueChangeDelay(knob.x)
            slider.dragSignal(false)
        }
        onClicked: function (mouse) {
            if (!internal.onKnob)
                slider.clickAt(mouse.x)
        }
    }
}
