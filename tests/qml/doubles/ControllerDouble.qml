// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the window controller (`ui_Ctl`): moves, minimise, close.
CallRecorder {
    function onXChanged(x) { record("onXChanged", arguments) }
    function onYChanged(y) { record("onYChanged", arguments) }
    function onMinimize() { record("onMinimize", arguments) }
    function onClose() { record("onClose", arguments) }
    function setBusy(busyTime) { record("setBusy", arguments) }
}
