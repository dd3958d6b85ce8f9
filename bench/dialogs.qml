// SPDX-License-Identifier: GPL-2.0-or-later
// How long the first opening of each dialog spends building it (the dialogs
// a start does not show are built on first use), on the main screen with the
// test runner's view doubles. The first screen of the process is what a user
// meets (nothing of the dialog compiled or loaded yet); four more screens
// show the cost once the engine holds the dialog's types:
//   QT_QPA_PLATFORM=offscreen build/bin/tst_qml -input bench/dialogs.qml
import QtQuick
import QtTest

Item {
    id: scene
    width: 1024
    height: 640

    TestCase {
        name: "DialogBuild"
        when: windowShown

        function median(values) {
            var sorted = values.slice().sort(function(a, b) { return a - b })
            return sorted[Math.floor(sorted.length / 2)]
        }

        function test_firstOpening() {
            var types = ["macroEditor", "keyAssigment", "gunControl", "systemSetting"]
            var times = {}
            for (var run = 0; run < 5; ++run) {
                var main = createTemporaryObject(Qt.createComponent("qrc:/modules/qml/main.qml"), scene)
                main.initUI()
                wait(1200)
                for (var type of types) {
                    var start = Date.now()
                    verify(main.buildPanel(type), type)
                    var spent = Date.now() - start
                    if (run === 0)
                        console.log("first opening of " + type + " in the process: " + spent + " ms")
                    else
                        times[type] = (times[type] || []).concat([spent])
                }
                main.destroy()
            }
            for (type of types)
                console.log("first opening of " + type + " on a later screen: " + median(times[type]) + " ms (median of 4)")
        }
    }
}
