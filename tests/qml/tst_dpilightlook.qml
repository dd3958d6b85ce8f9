// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest

// The DPI and lighting panels of three models side by side on the window's
// background, saved as dpi-light-panels.png beside the test runner for a
// person to look at: a single-colour mouse, a multi-colour one with its
// effect list open, and one of the fifty-effect set.
Item {
    id: scene
    width: 1024
    height: 640

    Image { source: "qrc:/modules/img/background.png" }
    DpiLightColumn { id: plain; x: 24; y: 56 }
    DpiLightColumn { id: colourful; x: 280; y: 56; host.isColorful: true }
    DpiLightColumn { id: fifty; x: 536; y: 56; host.isColorful: true; host.is571: true }
    DpiLightColumn { id: masked; x: 768; y: 56; host.isColorful: true }

    TestCase {
        name: "DpiLightLook"
        when: windowShown

        function load(column, light, current, stages, maxDPI) {
            ui_View.answers = {
                getData: function (key) { return { "mouse/dpiCount": 8, "mouse/currentDpiCount": stages }[key] },
                getGlobalData: function (key) {
                    return { "mouse/minDPI": 200, "mouse/maxDPI": maxDPI, "mouse/sensorType": "3360",
                             "mouse/dpiBase": 50 }[key]
                },
                getDataList: function (key) {
                    return { "mouse/dpiValueArray": [400, 800, 1600, 3200, 6400, 12000, 14000, 16000],
                             "mouse/lightValue": light,
                             "mouse/colorValue": [255, 0, 0, 255, 128, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255,
                                                  0, 0, 255, 128, 0, 255, 255, 0, 255, 255, 255, 255, 255, 64,
                                                  64, 64, 255, 64, 64, 64, 255],
                             "mouse/fixColor": [255, 122, 26] }[key]
                },
            }
            column.dpiPanel.init(false, false)
            column.lightPanel.init(false, false)
            column.dpiPanel.currentDPI = current
        }
        function pictures(item, found) {
            for (var i = 0; i < item.children.length; ++i) {
                var child = item.children[i]
                if (child.status !== undefined && child.source !== undefined && String(child.source) !== "")
                    found.push(child)
                pictures(child, found)
            }
            return found
        }

        function test_look() {
            load(plain, [0, 2, 3], 1, 4, 6400)
            load(colourful, [5, 3, 2], 0, 5, 6400)
            load(fifty, [2, 4, 4], 4, 6, 6400)
            load(masked, [6, 0, 4], 7, 8, 16000)
            colourful.lightPanel.lightModel.open()
            fifty.lightPanel.selectBlock(9)
            wait(300) // the list finishes sliding out

            var shown = pictures(scene, [])
            verify(shown.length > 20)
            for (var i = 0; i < shown.length; ++i)
                compare(shown[i].status, Image.Ready, String(shown[i].source))

            var path = Qt.application.arguments[0].replace(/[^\/]*$/, "") + "dpi-light-panels.png"
            var saved = false
            scene.grabToImage(function (result) { saved = result.saveToFile(path) })
            tryVerify(function () { return saved }, 5000, "saved " + path)
            console.log("panels: " + path)
        }
    }
}
