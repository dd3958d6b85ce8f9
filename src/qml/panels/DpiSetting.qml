// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"
import "../common"

// The DPI panel: how many stages the mouse cycles through and the DPI of
// each of its eight stages, one vertical slider per stage. The stage the
// mouse is on (`currentDPI`, set by the main screen, also when the mouse's
// own DPI button switches) has the orange knob.
Item {
    id: dpiSettingMain

    // English texts; the main screen merges the language file's list in.
    readonly property var englishTexts: ["DPI", "Stages", "DPI stages", "Stage %1", "current stage"]
    property var langList: englishTexts

    property int dpiCount: 4                   // stages the mouse has (the list offers 1 .. dpiCount)
    property int currentDpiCount: 4            // stages in use
    property int minDPI: 200
    property int maxDPI: 6000
    property string sensorType: "3360"
    property int dpiBase: 50                   // values are whole multiples of it
    property var dpiValueArray: [500, 1000, 1500, 2000, 3000, 4000, 5000, 6000]
    property int currentDPI: -1                // the mouse's stage, 0-based; -1: none
    property bool isSave: false                // changed and not sent yet
    property alias dpiSegment: segmentList

    // Knob travel: a knob at position 3 stands for minDPI, at 161 for maxDPI.
    readonly property int lowPosition: 3
    readonly property int highPosition: 161

    function text(i) {
        return langList && langList[i] ? langList[i] : englishTexts[i]
    }

    function toInt(value, fallback) {
        var n = parseInt(value, 10)
        return isNaN(n) ? fallback : n
    }
    function clamp(v, low, high) {
        return Math.max(low, Math.min(high, v))
    }

    // The DPI a knob position stands for, cut down to a multiple of dpiBase.
    // The small allowance keeps exact multiples from falling one step short
    // through rounding.
    function dpiOfPosition(p) {
        p = clamp(p, lowPosition, highPosition)
        var dpi = (p - lowPosition) * (maxDPI - minDPI) / (highPosition - lowPosition) + minDPI
        return Math.floor(dpi / dpiBase + 1e-9) * dpiBase
    }
    function positionOfDpi(value) {
        var span = maxDPI - minDPI
        var ratio = span > 0 ? clamp((value - minDPI) / span, 0, 1) : 0
        return lowPosition + ratio * (highPosition - lowPosition)
    }

    function init(isSendData, isRecovery) {
        if (!isRecovery) {
            dpiCount = clamp(toInt(ui_View.getData("mouse/dpiCount", false), dpiCount), 1, 8)
            currentDpiCount = toInt(ui_View.getData("mouse/currentDpiCount", false), currentDpiCount)
            var low = toInt(ui_View.getGlobalData("mouse/minDPI"), minDPI)
            var high = toInt(ui_View.getGlobalData("mouse/maxDPI"), maxDPI)
            // An empty range would leave the sliders nowhere to go.
            if (high > low) {
                minDPI = low
                maxDPI = high
            }
            var sensor = ui_View.getGlobalData("mouse/sensorType")
            if (sensor !== undefined && sensor !== null && String(sensor) !== "")
                sensorType = String(sensor)
            var base = toInt(ui_View.getGlobalData("mouse/dpiBase"), dpiBase)
            if (base > 0)
                dpiBase = base
        }
        currentDpiCount = clamp(currentDpiCount, 1, dpiCount)

        // A short or unreadable list keeps the values it does not cover;
        // values outside the sensor's range are held at its ends.
        var stored = ui_View.getDataList("mouse/dpiValueArray", isRecovery)
        var values = dpiValueArray.slice(0, 8)
        for (var i = 0; i < 8; ++i) {
            if (stored && i < stored.length)
                values[i] = toInt(stored[i], values[i])
            values[i] = clamp(values[i], minDPI, maxDPI)
        }
        dpiValueArray = values

        if (isSendData)
            saveData(true)
    }

    function stageNames(count) {
        var names = []
        for (var i = 1; i <= count; ++i)
            names.push(String(i))
        return names
    }

    function saveData(isSendData) {
        var values = dpiValueArray.slice(0, 8)
        ui_View.setDataList("mouse/dpiValueArray", values)
        ui_View.setData("mouse/currentDpiCount", currentDpiCount)
        if (isSendData) {
            ui_View.mouseSetDpi(currentDpiCount, sensorType, values)
            isSave = false
        }
    }

    function setStageCount(count) {
        currentDpiCount = clamp(count, 1, dpiCount)
        isSave = true
    }

    // Where a drag leaves stage i's knob.
    function dragStage(i, p) {
        var values = dpiValueArray.slice()
        values[i] = dpiOfPosition(p)
        dpiValueArray = values
    }
    function releaseStage() {
        isSave = true
    }
    // A move made without the pointer (keys, screen reader): the drag to the
    // value's place and the release; none while the scene is disabled (the
    // mouse busy).
    function moveStageTo(i, value) {
        if (!enabled)
            return
        dragStage(i, positionOfDpi(clamp(value, minDPI, maxDPI)))
        releaseStage()
    }
    function stepStage(i, steps) {
        moveStageTo(i, dpiValueArray[i] + steps * dpiBase)
    }

    function restoreDefaults() {
        init(false, true)
        isSave = true
    }

    width: 232
    height: 240

    Accessible.role: Accessible.Pane
    Accessible.name: text(0)

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: mainIten.colorGray0
        border.color: mainIten.colorGray1
        visible: background.status !== Image.Ready
    }
    Image {
        id: background
        source: mainIten.sourcedpiSettingBG
        Accessible.ignored: true
    }

    Text {
        x: 14
        height: 28
        verticalAlignment: Text.AlignVCenter
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMiddleSize
        font.bold: true
        text: dpiSettingMain.text(0)
        Accessible.ignored: true
    }
    Text {
        anchors.right: segmentList.left
        anchors.rightMargin: 6
        height: 28
        verticalAlignment: Text.AlignVCenter
        color: mainIten.colorGray2
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
        text: dpiSettingMain.text(1)
        Accessible.ignored: true
    }

    ImageButton {
        id: restoreButton
        x: parent.width - width - 8
        y: 2
        width: 24
        height: 24
        source: mainIten.sourceRestBtn
        hoverSource: mainIten.sourceRestBtnH
        pressedSource: mainIten.sourceRestBtnP
        accessibleName: "Restore defaults"
        onClicked: dpiSettingMain.restoreDefaults()
    }

    Row {
        id: stages
        // Few stages spread over the panel; eight share it.
        readonly property int columnWidth: Math.floor(224 / Math.max(4, dpiSettingMain.currentDpiCount))
        anchors.horizontalCenter: parent.horizontalCenter
        y: 32

        Repeater {
            model: 8

            Item {
                id: stage
                objectName: "stage" + index

                readonly property int shown: dpiSettingMain.dpiValueArray[index]
                readonly property bool isCurrent: index === dpiSettingMain.currentDPI
                readonly property real knobY: dpiSettingMain.lowPosition + dpiSettingMain.highPosition
                                              - dpiSettingMain.positionOfDpi(shown)
                // What the accessibility bus reads and sets.
                property real value: 0
                readonly property real minimumValue: dpiSettingMain.minDPI
                readonly property real maximumValue: dpiSettingMain.dpiOfPosition(dpiSettingMain.highPosition)
                readonly property real stepSize: dpiSettingMain.dpiBase
                property bool syncing: false

                function syncValue() {
                    syncing = true
                    value = shown
                    syncing = false
                }
                onShownChanged: syncValue()
                onValueChanged: {
                    if (syncing)
                        return
                    dpiSettingMain.moveStageTo(index, value)
                    syncValue()
                }
                Component.onCompleted: syncValue()

                width: stages.columnWidth
                height: 194
                visible: index < dpiSettingMain.currentDpiCount
                activeFocusOnTab: visible

                Accessible.role: Accessible.Slider
                Accessible.name: dpiSettingMain.text(3).arg(index + 1)
                Accessible.description: isCurrent ? dpiSettingMain.text(4) : ""
                Accessible.focusable: true
                Accessible.onIncreaseAction: dpiSettingMain.stepStage(index, 1)
                Accessible.onDecreaseAction: dpiSettingMain.stepStage(index, -1)

                Keys.onPressed: function (event) {
                    switch (event.key) {
                    case Qt.Key_Up: case Qt.Key_Right: dpiSettingMain.stepStage(index, 1); break
                    case Qt.Key_Down: case Qt.Key_Left: dpiSettingMain.stepStage(index, -1); break
                    case Qt.Key_PageUp: dpiSettingMain.stepStage(index, 10); break
                    case Qt.Key_PageDown: dpiSettingMain.stepStage(index, -10); break
                    case Qt.Key_Home: dpiSettingMain.moveStageTo(index, dpiSettingMain.minDPI); break
                    case Qt.Key_End: dpiSettingMain.moveStageTo(index, dpiSettingMain.maxDPI); break
                    default: return
                    }
                    event.accepted = true
                }

                Item {
                    id: track
                    width: parent.width
                    height: 176

                    // The groove from the lowest to the highest knob centre,
                    // filled below the knob.
                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: dpiSettingMain.lowPosition + 6
                        width: 4
                        height: dpiSettingMain.highPosition - dpiSettingMain.lowPosition
                        radius: 2
                        color: mainIten.colorGray1
                    }
                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: stage.knobY + 6
                        width: 4
                        height: dpiSettingMain.highPosition + 6 - y
                        radius: 2
                        color: stage.isCurrent ? mainIten.colorOrange : mainIten.colorBlue
                    }
                    Image {
                        id: knob
                        objectName: "knob"
                        x: (parent.width - 20) / 2
                        y: stage.knobY
                        width: 20
                        height: 12
                        source: stage.isCurrent ? mainIten.sourcedpiSetting1 : mainIten.sourcedpiSetting0
                        Accessible.ignored: true
                    }
                    Rectangle {
                        x: knob.x - 2
                        y: knob.y - 2
                        width: knob.width + 4
                        height: knob.height + 4
                        radius: 3
                        color: "transparent"
                        border.color: mainIten.colorGray3
                        visible: stage.activeFocus
                    }

                    MouseArea {
                        anchors.fill: parent
                        property real grab: 6
                        function positionAt(y) {
                            return dpiSettingMain.lowPosition + dpiSettingMain.highPosition - (y - grab)
                        }
                        onPressed: function (mouse) {
                            stage.forceActiveFocus()
                            // Taken by the knob it keeps its offset; elsewhere
                            // the knob's centre jumps to the pointer.
                            var onKnob = mouse.y >= knob.y && mouse.y < knob.y + knob.height
                            grab = onKnob ? mouse.y - knob.y : knob.height / 2
                            if (!onKnob)
                                dpiSettingMain.dragStage(index, positionAt(mouse.y))
                        }
                        onPositionChanged: function (mouse) {
                            if (pressed)
                                dpiSettingMain.dragStage(index, positionAt(mouse.y))
                        }
                        onReleased: dpiSettingMain.releaseStage()
                    }
                }

                Text {
                    x: 1
                    y: track.height + 2
                    width: parent.width - 2
                    horizontalAlignment: Text.AlignHCenter
                    // Five digits in a narrow column shrink rather than run
                    // into the next label.
                    fontSizeMode: Text.HorizontalFit
                    minimumPixelSize: 7
                    color: stage.isCurrent ? mainIten.colorOrange : mainIten.fontColor
                    font.family: mainIten.uiFontFamily
                    font.pixelSize: mainIten.fontMinSize
                    text: String(stage.shown)
                    Accessible.ignored: true
                }
            }
        }
    }

    DropDownList {
        id: segmentList
        x: restoreButton.x - width - 8
        y: 4
        width: 48
        height: 20
        z: 10
        accessibleName: dpiSettingMain.text(2)
        mdItems: dpiSettingMain.stageNames(dpiSettingMain.dpiCount)
        currentSelect: dpiSettingMain.currentDpiCount - 1
        sourceDropBtn: mainIten.sourceDropBtn
        sourceDropBtnU: mainIten.sourceDropBtnU
        fillColor: mainIten.colorGray0
        borderColor: mainIten.colorGray1
        hoverColor: mainIten.colorOrange
        textColor: mainIten.fontColor
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onBtnClick: mainIten.mainFocus()
        onValueChange: function (index) {
            dpiSettingMain.setStageCount(index + 1)
        }
    }
}
