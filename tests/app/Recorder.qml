// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the scene: records every call the back end makes into it.
Item {
    width: 1024
    height: 640
    property var calls: []

    // Drags the window as the scene's title bar does.
    MouseArea {
        anchors.fill: parent
        property point pressedAt
        onPressed: function(mouse) { pressedAt = Qt.point(mouse.x, mouse.y) }
        onPositionChanged: function(mouse) {
            ui_Ctl.onXChanged(mouse.x - pressedAt.x)
            ui_Ctl.onYChanged(mouse.y - pressedAt.y)
        }
    }

    function record(call) {
        var l = calls
        l.push(call)
        calls = l
    }
    function initUI() { record("initUI") }
    function run() { record("run") }
    function setProtectUI(interval) { record("setProtectUI " + interval) }
    function setCurrentDPI(dpiValue) { record("setCurrentDPI " + dpiValue) }
    function detectKeyboard(isDown, usbCode) { record("detectKeyboard " + isDown + " " + usbCode) }
    function detectMouse(isDown, zarnCode, x, y) { record("detectMouse " + isDown + " " + zarnCode + " " + x + " " + y) }
    function showDeviceNotice(kind, text) { record("showDeviceNotice " + kind + (text ? " | " + text : "")) }
    function changeProfile(tmpProfileNo) { record("changeProfile " + tmpProfileNo); return true }
    function requestProfile(tmpProfileNo) { record("requestProfile " + tmpProfileNo) }
}
