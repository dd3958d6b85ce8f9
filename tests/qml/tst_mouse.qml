// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/panels"
import "qrc:/modules/qml/panels/MouseGeometry.js" as Geometry

// The mouse picture with the real button list: its buttons select and open
// like the list's rows, under the same last-left-button rule, on both views.
Item {
    id: scene
    width: 1024
    height: 640

    ScreenStub { id: mainIten }
    Rectangle { id: mainMask; anchors.fill: parent; visible: false }
    KeyCodeString { id: _KeyCodeString }
    AccessibleTree { id: tree }

    Item {
        id: keyAssigmentMain
        visible: false
        property var shown: []
        function show(index) {
            shown = shown.concat([index])
            visible = true
        }
    }

    // The lighting panel: its effect list, "OFF" at index 3 (at 0 on the
    // models whose list is relabelled).
    Item {
        id: lightControlMain
        property int effect: 1
        property int offEffect: 3
        property int firstLitEffect: 0
        property bool isSave: false
        function changeEffect(e) {
            effect = e
            isSave = true
        }
    }

    KeyMatrix {
        id: keyMatrixMain
        x: 24
        y: 88
    }
    Mouse {
        id: mouseMain
    }

    function hotspots() {
        var canvas = tree.named(mouseMain, Accessible.Pane, "Mouse")
        return tree.all(canvas, Accessible.Button).filter(function (b) { return b.visible })
    }
    function hotspot(name) {
        var list = hotspots()
        for (var i = 0; i < list.length; ++i)
            if (list[i].Accessible.name === name)
                return list[i]
        return null
    }
    // The overlay pictures shown on the canvas.
    function overlays() {
        var found = []
        var canvas = tree.named(mouseMain, Accessible.Pane, "Mouse")
        var pending = [canvas]
        while (pending.length > 0) {
            var item = pending.shift()
            for (var i = 0; i < item.children.length; ++i) {
                var child = item.children[i]
                if (child.visible) {
                    if (child.source !== undefined && String(child.source).indexOf("/mouse") >= 0
                            && child.status === Image.Ready)
                        found.push(String(child.source).replace(/.*\//, ""))
                    pending.push(child)
                }
            }
        }
        return found
    }

    TestCase {
        name: "Mouse"
        when: windowShown

        function init() {
            ui_View.reset()
            keyMatrixMain.restore()
            keyMatrixMain.isSave = false
            keyAssigmentMain.shown = []
            keyAssigmentMain.visible = false
            mouseMain.isSideView = false
            mouseMain.keyCount = 8
            mouseMain.selectKey = -1
            mouseMove(scene, 5, 5)
        }
        // A pointer reaches a button before it clicks it.
        function click(x, y) {
            mouseMove(mouseMain, x, y)
            mouseClick(mouseMain, x, y)
        }

        function test_buttonsOfTheFrontView() {
            var list = scene.hotspots()
            compare(list.length, 8)
            compare(list[0].Accessible.name, "Key 1")
            compare(list[7].Accessible.name, "Key 8")
            compare(scene.hotspot("Key 2").Accessible.description, "Right Key")
            compare(scene.hotspot("Key 6").Accessible.description, "DPI+")
            compare(scene.overlays(), ["mouseFront.png"])
            // The description follows a change in the list.
            keyMatrixMain.assignKey(1, [3, 0, 0xE2, 0], "Mute")
            compare(scene.hotspot("Key 2").Accessible.description, "Mute")
        }

        function test_onlyTheButtonsTheMouseHas() {
            mouseMain.keyCount = 5
            compare(scene.hotspots().length, 5)
            compare(scene.hotspot("Key 6"), null)
        }

        function test_hoverSelectsAndLights() {
            var wheel = Geometry.front[2]
            mouseMove(mouseMain, mouseMain.canvasX + wheel.x + 5, mouseMain.canvasY + wheel.y + 5)
            compare(mouseMain.selectKey, 2)
            compare(scene.overlays(), ["mouseFront.png", "mouse2S.png"])
            // The list shows the same selection.
            verify(tree.named(keyMatrixMain, Accessible.Button, "Key 3").selected)
            mouseMove(scene, 5, 5)
            compare(mouseMain.selectKey, -1)
            compare(scene.overlays(), ["mouseFront.png"])

            // A row of the list selected lights its button; the one under the
            // pointer is lit too.
            mouseMain.selectKey = 4
            var right = Geometry.front[1]
            mouseMove(scene, mouseMain.canvasX + right.x + 5, mouseMain.canvasY + right.y + 5)
            mouseMain.selectKey = 4
            compare(scene.overlays().sort(), ["mouse1.png", "mouse4S.png", "mouseFront.png"])
        }

        function test_clickOpensTheButtonsDialog() {
            var right = Geometry.front[1]
            click(mouseMain.canvasX + right.x + 10, mouseMain.canvasY + right.y + 10)
            compare(keyAssigmentMain.shown, [1])
            verify(mainMask.visible)
            scene.hotspot("Key 5").Accessible.pressAction()
            compare(keyAssigmentMain.shown, [1, 4])
        }

        function test_theLastLeftButtonStaysOnThePictureToo() {
            var left = Geometry.front[0]
            click(mouseMain.canvasX + left.x + 10, mouseMain.canvasY + left.y + 10)
            scene.hotspot("Key 1").Accessible.pressAction()
            compare(keyAssigmentMain.shown, [])
            verify(keyMatrixMain.notice !== "")
            keyMatrixMain.assignKey(3, [0, 0, 0xF0, 0], "Left Key")
            scene.hotspot("Key 1").Accessible.pressAction()
            compare(keyAssigmentMain.shown, [0])
        }

        function test_sideView() {
            var toggle = tree.named(mouseMain, Accessible.Button, "Side view")
            verify(!toggle.Accessible.checked)
            toggle.Accessible.pressAction()
            verify(mouseMain.isSideView)
            verify(toggle.Accessible.checked)
            compare(scene.overlays(), ["mouseSide.png"])
            compare(scene.hotspots().length, 8)
            var back = Geometry.side[4]
            mouseMove(mouseMain, mouseMain.canvasX + back.x + 2, mouseMain.canvasY + back.y + 2)
            compare(mouseMain.selectKey, 4)
            compare(scene.overlays(), ["mouseSide.png", "mouseSide4S.png"])
            click(mouseMain.canvasX + back.x + 2, mouseMain.canvasY + back.y + 2)
            compare(keyAssigmentMain.shown, [4])
            toggle.Accessible.pressAction()
            compare(scene.overlays(), ["mouseFront.png", "mouse4S.png"])
        }

        // The light button turns the lighting off and back to the effect it
        // had, through the lighting panel (saved with the panel's changes).
        function test_lightButton() {
            var light = tree.named(mouseMain, Accessible.Button, "Lighting")
            verify(light.visible)
            verify(light.Accessible.checked)
            light.Accessible.pressAction()
            compare(lightControlMain.effect, 3)
            verify(lightControlMain.isSave)
            verify(!light.Accessible.checked)
            light.Accessible.pressAction()
            compare(lightControlMain.effect, 1)
            verify(light.Accessible.checked)

            // Where "Off" is the first entry, the third is an effect.
            lightControlMain.offEffect = 0
            lightControlMain.firstLitEffect = 1
            lightControlMain.effect = 3
            verify(light.Accessible.checked)
            light.Accessible.pressAction()
            compare(lightControlMain.effect, 0)
            verify(!light.Accessible.checked)
            light.Accessible.pressAction()
            compare(lightControlMain.effect, 3)
        }
    }
}
