// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 300
    height: 200

    AccessibleTree { id: tree }

    DropDownSlider {
        id: drop
        x: 20
        y: 20
        width: 120
        textValue: "500 ms"
        accessibleName: "Double-click speed"
        slider.segment: 4
        slider.isScale: true
    }
    SignalSpy { id: moves; target: drop; signalName: "valueChange" }
    SignalSpy { id: drags; target: drop; signalName: "dragSignal" }

    TestCase {
        name: "DropDownSlider"
        when: windowShown

        function box() {
            return findChild(drop, "sliderBox")
        }
        function init() {
            drop.close()
            tryCompare(box(), "height", 0)
            drop.slider.setIndexValue(0, false)
            moves.clear()
            drags.clear()
        }

        function test_opensWithASlideAndForwardsTheKnob() {
            compare(box().slide.duration, 180)
            mouseClick(drop)
            verify(drop.isDrop)
            verify(box().height < 32, "the slider slides out")
            tryCompare(box(), "height", 32)

            // The slider inside runs 104 px wide: knob 0 .. 88, steps 22 apart.
            var knobCentre = drop.slider.mapToItem(drop, 8, 8)
            mousePress(drop, knobCentre.x, knobCentre.y)
            mouseMove(drop, knobCentre.x + 44, knobCentre.y)
            mouseRelease(drop, knobCentre.x + 44, knobCentre.y)
            compare(moves.count, 1)
            compare(moves.signalArguments[0][0], 44)
            compare(drags.signalArguments.map(function (a) { return a[0] }), [true, false])
            compare(drop.slider.segmentValue, 2)

            mouseClick(drop)
            verify(!drop.isDrop)
            tryCompare(box(), "height", 0)
        }

        function test_keys() {
            drop.forceActiveFocus()
            keyClick(Qt.Key_Space)
            verify(drop.isDrop)
            verify(drop.slider.activeFocus, "the opened slider takes the keys")
            keyClick(Qt.Key_Right)
            compare(moves.count, 1)
            compare(drop.slider.segmentValue, 1)
            keyClick(Qt.Key_Escape)
            verify(!drop.isDrop)
            verify(drop.activeFocus)
        }

        function test_accessibility() {
            compare(drop.Accessible.role, Accessible.Button)
            compare(drop.Accessible.name, "Double-click speed")
            compare(drop.Accessible.description, "500 ms")
            var slider = tree.named(drop, Accessible.Slider, "Double-click speed")
            compare(slider, drop.slider)
            compare(slider.Accessible.description, "500 ms")
            slider.value = 3
            verify(!drop.isDrop, "the slider is set without opening")
            compare(moves.signalArguments[0][0], 66)
            drop.Accessible.pressAction()
            verify(drop.isDrop)
        }
    }
}
