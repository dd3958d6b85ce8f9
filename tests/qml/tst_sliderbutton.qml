// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/common"

Item {
    id: scene
    width: 300
    height: 100

    Component {
        id: sliderComponent
        // 200 wide with a 16 px knob: the knob's x runs over 0 .. 184, and
        // with four segments the steps lie 46 px apart.
        SliderButton {
            x: 20
            y: 20
            isScale: true
            segment: 4
            accessibleName: "Speed"
        }
    }
    SignalSpy { id: moves; signalName: "valueChange" }
    SignalSpy { id: releases; signalName: "valueChangeDelay" }
    SignalSpy { id: drags; signalName: "dragSignal" }
    SignalSpy { id: clicks; signalName: "btnClick" }

    TestCase {
        id: testCase
        name: "SliderButton"
        when: windowShown

        function makeSlider(properties) {
            var slider = createTemporaryObject(sliderComponent, scene, properties || {})
            var spies = [moves, releases, drags, clicks]
            for (var i = 0; i < spies.length; ++i) {
                spies[i].target = slider
                spies[i].clear()
            }
            return slider
        }
        function lastArgument(spy) {
            return spy.signalArguments[spy.count - 1][0]
        }
        // Drags the knob (grabbed at its centre) so that its left edge goes to `x`.
        function dragKnobTo(slider, x) {
            var grabX = slider.knobX + 8
            mousePress(slider, grabX, 8)
            mouseMove(slider, x + 8, 8)
            mouseRelease(slider, x + 8, 8)
        }

        function test_dragSnapsToSteps_data() {
            return [
                { tag: "start", x: 0, step: 0 },
                { tag: "just short of half a step", x: 22, step: 0 },
                { tag: "past half a step", x: 24, step: 1 },
                { tag: "middle", x: 95, step: 2 },
                { tag: "near the third", x: 140, step: 3 },
                { tag: "end", x: 184, step: 4 },
                { tag: "beyond the end", x: 260, step: 4 },
                { tag: "before the start", x: -40, step: 0 },
            ]
        }
        function test_dragSnapsToSteps(row) {
            var slider = makeSlider()
            slider.setIndexValue(2, false)
            dragKnobTo(slider, row.x)
            compare(slider.segmentValue, row.step)
            compare(slider.knobX, row.step * 46)
            compare(releases.count, 1)
            compare(lastArgument(releases), row.step * 46)
            compare(drags.count, 2)
            compare(drags.signalArguments[0][0], true)
            compare(drags.signalArguments[1][0], false)
            compare(moves.count, row.step === 2 ? 0 : 1, "a move is reported when the knob changes step")
            compare(clicks.count, 0)
        }

        function test_dragReportsEveryMove() {
            var slider = makeSlider({ isScale: false })
            mousePress(slider, 8, 8)
            for (var x = 10; x <= 100; x += 30)
                mouseMove(slider, x + 8, 8)
            compare(moves.count, 4)
            compare(moves.signalArguments.map(function (a) { return a[0] }), [10, 40, 70, 100])
            compare(releases.count, 0, "nothing is let go before the release")
            mouseRelease(slider, 108, 8)
            compare(releases.count, 1)
            compare(lastArgument(releases), 100)
        }

        function test_clickGlidesToTheStep() {
            var slider = makeSlider()
            // The knob's centre goes to the click, then to the nearest step.
            mouseClick(slider, 138 + 8 + 10, 8)
            compare(clicks.count, 1)
            verify(slider.knobX < 138, "the knob glides rather than jumps")
            compare(releases.count, 0)
            tryCompare(slider, "knobX", 138)
            tryCompare(releases, "count", 1)
            compare(lastArgument(releases), 138)
            compare(lastArgument(moves), 138)
            compare(slider.segmentValue, 3)
            compare(drags.count, 0)

            mouseClick(slider, 2, 8)
            tryCompare(slider, "knobX", 0)
            compare(slider.segmentValue, 0)
        }

        function test_placing() {
            var slider = makeSlider()
            slider.setIndexValue(2, false)
            compare(slider.knobX, 92)
            compare(slider.segmentValue, 2)
            compare(moves.count + releases.count, 0, "placing without being asked to tell says nothing")
            slider.setIndexValue(9, true)
            compare(slider.segmentValue, 4)
            compare(moves.count, 1)
            compare(releases.count, 1)
            compare(lastArgument(releases), 184)

            slider.setRatioValue(0.3)
            compare(slider.segmentValue, 1, "a fraction between steps snaps to the nearest")
            compare(slider.knobX, 46)
            slider.isScale = false
            slider.setRatioValue(0.3)
            compare(slider.knobX, 0.3 * 184)
            compare(slider.value, Math.round(0.3 * 184), "the accessible value follows a placed knob")
            slider.setRatioValue(-1)
            compare(slider.knobX, 0)
            slider.setRatioValue(2)
            compare(slider.knobX, 184)
            compare(releases.count, 1)
        }

        function test_keys() {
            var slider = makeSlider()
            slider.forceActiveFocus()
            keyClick(Qt.Key_Right)
            keyClick(Qt.Key_Right)
            compare(slider.segmentValue, 2)
            compare(releases.count, 2, "every key step is saved as a release is")
            keyClick(Qt.Key_Left)
            compare(slider.segmentValue, 1)
            keyClick(Qt.Key_End)
            compare(slider.segmentValue, 4)
            keyClick(Qt.Key_Right)
            compare(slider.segmentValue, 4)
            keyClick(Qt.Key_Home)
            compare(slider.segmentValue, 0)
            compare(lastArgument(releases), 0)
        }

        function test_accessibleValue() {
            var slider = makeSlider({ valueText: "50%" })
            slider.setIndexValue(2, false)
            compare(slider.Accessible.role, Accessible.Slider)
            compare(slider.Accessible.name, "Speed")
            compare(slider.Accessible.description, "50%")
            compare(slider.value, 2)
            compare(slider.minimumValue, 0)
            compare(slider.maximumValue, 4)
            compare(slider.stepSize, 1)

            slider.Accessible.increaseAction()
            compare(slider.segmentValue, 3)
            compare(slider.value, 3)
            compare(lastArgument(releases), 138)
            slider.Accessible.decreaseAction()
            slider.Accessible.decreaseAction()
            compare(slider.segmentValue, 1)
            compare(releases.count, 3)
            // Disabled (the mouse busy), the bus moves nothing.
            slider.enabled = false
            slider.Accessible.increaseAction()
            slider.value = 4
            compare([slider.segmentValue, slider.value, releases.count], [1, 1, 3])
            slider.enabled = true

            // The bus sets the value: a drag there, then a release.
            drags.clear()
            slider.value = 4
            compare(slider.knobX, 184)
            compare(lastArgument(moves), 184)
            compare(lastArgument(releases), 184)
            compare(drags.signalArguments.map(function (a) { return a[0] }), [true, false])
            slider.value = 2.4
            compare(slider.value, 2, "a value between steps snaps")
            slider.value = 40
            compare(slider.value, 4, "a value past the end is held at the end")
            compare(slider.segmentValue, 4)

            slider.isScale = false
            compare(slider.maximumValue, 184)
            compare(slider.value, 184)
            slider.value = 50
            compare(slider.knobX, 50)
            compare(lastArgument(releases), 50)
        }
    }
}
