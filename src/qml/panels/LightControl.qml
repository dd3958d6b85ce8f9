// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"
import "../common"

// The lighting panel: the effect, its speed and brightness, and the colours
// the effect uses: up to twelve colour blocks and, on the models with the
// fifty-effect set, one fixed colour. Which controls an effect offers depends
// on the model flags; colours an effect does not use lie under a dark layer.
Item {
    id: lightControlMain

    // English texts; the main screen merges the language file's list in.
    // Positions 15 .. 26 name the effects of particular models.
    readonly property var englishTexts: ["Light", "Static", "Breath", "Neon", "OFF", "Speed", "Color",
        "Brightness", "Twinkling", "Wave", "Gliding", "Finger Moving", "Vertical Flipping", "YO-YO",
        "Spotlight", "Color Breath", "Off", "Static", "Static Multicolor", "Breathing",
        "Multicolor Breathing", "Color Cycle", "Rainbow Wave", "Reactive", "Color Flow", "Glow",
        "Meteor", "Light effect"]
    property var langList: englishTexts

    readonly property bool isColorful: mainIten.isColorful === true
    readonly property bool is55328: mainIten.is55328 === true
    readonly property bool is571: mainIten.is571 === true

    property int effect: 0                     // index into the effect list
    property var colorValue: []                // twelve blocks, R, G, B each
    property var fixColor: [255, 255, 255]
    property int dpiCount: 8                   // one colour block per DPI stage on single-colour mice
    property int currentBlock: 0               // the block the colour controls edit
    property bool isSave: false                // changed and not sent yet
    property alias lightModel: effectList
    readonly property SliderButton speedSlider: levels.count > 1 ? levels.itemAt(0).slider : null
    readonly property SliderButton brightnessSlider: levels.count > 1 ? levels.itemAt(1).slider : null

    readonly property int blockCount: 12
    readonly property int colorBarWidth: 206
    // Effects of the fifty-effect models that take the fixed colour.
    readonly property var fixColorEffects: [1, 3, 9, 12, 15, 18, 20, 24]

    readonly property var effectNames: {
        var names = [text(1), text(2), text(3), text(4)]
        if (isColorful)
            for (var i = 8; i <= 14; ++i)
                names.push(text(i))
        if (is55328)
            names.push(text(15))
        if (is571)
            for (var j = 0; j < names.length && j <= 10; ++j)
                names[j] = text(16 + j)
        return names
    }

    // The entry that turns the lighting off, and the one to light it again
    // with when no other was lit before: the lists of these models differ.
    readonly property int offEffect: is571 ? 0 : 3
    readonly property int firstLitEffect: is571 ? 1 : 0

    // What the controls show for the current effect.
    readonly property var row: rowOf(effect)
    readonly property bool isFixSelected: is571 && fixColorEffects.indexOf(effect) >= 0
    readonly property var targetColor: isFixSelected ? fixColor : blockColor(currentBlock)

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
    function has(list, e) {
        return list.indexOf(e) >= 0
    }

    // Which sliders show, the values a change of effect gives them (-1:
    // left as they are) and whether the colours are usable.
    function rowOf(e) {
        if (is571) {
            return { speed: has([3, 4, 5, 6, 8, 10], e), brightness: has([1, 2, 9, 10], e),
                     speedOnChange: 4, brightnessOnChange: 4,
                     blocks: has([2, 4, 7, 8, 10], e), usable: has([1, 2, 3, 4, 7, 8, 10], e) }
        }
        function r(speed, speedOnChange, brightness, brightnessOnChange, usable) {
            return { speed: speed, speedOnChange: speedOnChange, brightness: brightness,
                     brightnessOnChange: brightnessOnChange, blocks: true, usable: usable }
        }
        switch (e) {
        case 0: return r(false, -1, true, 4, true)
        case 1: return r(true, 0, false, -1, true)
        case 2: return r(true, 0, false, -1, false)
        case 3: return r(false, -1, false, 0, false)
        case 4: return is55328 ? r(true, 0, false, -1, true) : r(false, -1, true, 4, true)
        case 5: return r(true, 0, true, 4, false)
        case 6: return r(false, 0, false, 4, false)
        case 7: return r(false, -1, true, 4, false)
        case 8: case 9: case 10: return r(true, 0, true, 4, false)
        }
        // Entries the mouse shows as lighting off.
        return r(false, -1, false, -1, false)
    }

    function blockShown(i) {
        if (!row.blocks)
            return false
        if (i >= 8)
            return is571
        if (i === 0)
            return dpiCount > 0 || isColorful
        if (i === 7)
            return !is55328 && (dpiCount > 7 || isColorful)
        return is55328 ? effect === 4 : (dpiCount > i || isColorful)
    }

    function blockColor(i) {
        return [colorValue[3 * i] || 0, colorValue[3 * i + 1] || 0, colorValue[3 * i + 2] || 0]
    }
    function hex2(v) {
        var s = clamp(v, 0, 255).toString(16)
        return s.length < 2 ? "0" + s : s
    }
    function colorText(c) {
        return "#" + hex2(c[0]) + hex2(c[1]) + hex2(c[2])
    }

    // The hue strip: its width less 2 is cut into six sections blending red,
    // yellow, green, cyan, blue, magenta and back towards red; white at the
    // right end.
    function hueColor(x) {
        var w = Math.floor((colorBarWidth - 2) / 6)
        var s = Math.floor(x / w)
        var t = Math.floor((x - s * w) * 255 / w)
        switch (s) {
        case 0: return [255, t, 0]
        case 1: return [255 - t, 255, 0]
        case 2: return [0, 255, t]
        case 3: return [0, 255 - t, 255]
        case 4: return [t, 0, 255]
        case 5: return [255, 0, 255 - t]
        }
        return x > colorBarWidth - 3 ? [255, 255, 255] : [255, 0, 0]
    }
    // Where a colour lies on the strip: the section of its hue and the first
    // position there whose colour reaches it. Colours without a hue (white,
    // greys, black) go to the white end.
    function hueOf(c) {
        var w = Math.floor((colorBarWidth - 2) / 6)
        var r = c[0], g = c[1], b = c[2]
        var high = Math.max(r, g, b), low = Math.min(r, g, b)
        if (high === low)
            return colorBarWidth - 1
        function part(v) { return (v - low) / (high - low) * 255 }
        var s, t
        if (r === high && b === low) { s = 0; t = part(g) }
        else if (g === high && b === low) { s = 1; t = 255 - part(r) }
        else if (g === high && r === low) { s = 2; t = part(b) }
        else if (b === high && r === low) { s = 3; t = 255 - part(g) }
        else if (b === high && g === low) { s = 4; t = part(r) }
        else { s = 5; t = 255 - part(b) }
        return s * w + Math.ceil(Math.round(t) * w / 255)
    }

    function readList(key, isRecovery) {
        var list = ui_View.getDataList(key, isRecovery)
        return list ? list : []
    }

    function init(isSendData, isRecovery) {
        dpiCount = clamp(toInt(ui_View.getData("mouse/dpiCount", false), dpiCount), 0, 8)

        var light = readList("mouse/lightValue", isRecovery)
        var e = toInt(light[0], 0)
        // An effect this model's list does not hold (a profile of another
        // model) falls back to the first entry.
        effect = e >= 0 && e < effectNames.length ? e : 0
        speedSlider.setIndexValue(clamp(toInt(light[1], speedSlider.segmentValue), 0, 4), false)
        brightnessSlider.setIndexValue(clamp(toInt(light[2], brightnessSlider.segmentValue), 0, 4), false)

        var stored = readList("mouse/colorValue", isRecovery)
        var colours = []
        for (var i = 0; i < 3 * blockCount; ++i)
            colours.push(clamp(toInt(stored[i], 0), 0, 255))
        // These mice take the eight-colour effect only while colour 8 is not
        // black, and a save with any other effect stores it black: take the
        // default profile's colour 8 back then, so that the effect still
        // reaches the mouse after a reload.
        if (is55328 && colours[21] === 0 && colours[22] === 0 && colours[23] === 0) {
            var defaults = readList("mouse/colorValue", true)
            for (var k = 21; k <= 23; ++k)
                colours[k] = clamp(toInt(defaults[k], 0), 0, 255)
        }
        colorValue = colours

        var fix = readList("mouse/fixColor", isRecovery)
        fixColor = [0, 1, 2].map(function (j) { return clamp(toInt(fix[j], fixColor[j]), 0, 255) })

        keepBlockShown()
        showTarget()
        if (isSendData)
            saveData(true, 0)
    }

    function saveData(isSendData, isStep) {
        var step = isStep === undefined ? 0 : isStep
        var light = [effect, speedSlider.segmentValue, brightnessSlider.segmentValue]
        var colours = colorValue.slice(0, 3 * blockCount)
        // Colour 8 black tells these mice to light one colour only.
        if (is55328 && effect !== 4)
            colours[21] = colours[22] = colours[23] = 0
        var fix = fixColor.slice(0, 3)
        if (step === 0 || step === 1)
            ui_View.setDataList("mouse/lightValue", light)
        if (step === 0 || step === 2) {
            ui_View.setDataList("mouse/colorValue", colours)
            ui_View.setDataList("mouse/fixColor", fix)
        }
        if (!isSendData)
            return
        if (step === 0 || step === 1)
            ui_View.mouseSetRGBEffect(light[0], light[1], light[2])
        if (step === 0 || step === 2) {
            ui_View.mouseSetRGBColor(isColorful ? 0 : 1, colours)
            if (is571)
                ui_View.mouseSetFixColor(fix)
        }
        if (step === 0)
            isSave = false
    }

    function restoreDefaults() {
        init(false, true)
        isSave = true
    }

    function changeEffect(e) {
        if (e < 0 || e >= effectNames.length)
            return
        commitEdits()
        effect = e
        if (row.speedOnChange >= 0)
            speedSlider.setIndexValue(row.speedOnChange, false)
        if (row.brightnessOnChange >= 0)
            brightnessSlider.setIndexValue(row.brightnessOnChange, false)
        keepBlockShown()
        showTarget()
        isSave = true
    }

    // The colour controls never edit a block that is not shown.
    function keepBlockShown() {
        if (blockShown(currentBlock))
            return
        for (var i = 0; i < blockCount; ++i) {
            if (blockShown(i)) {
                currentBlock = i
                return
            }
        }
    }

    function selectBlock(i) {
        if (!colorArea.enabled || !blockShown(i))
            return
        commitEdits()
        currentBlock = i
        showTarget()
    }

    // The knob and the R, G, B fields follow the colour being edited.
    function showTarget() {
        hueBar.place(hueOf(targetColor))
        showFields()
    }
    function rgbField(k) {
        return rgbFields.count > k ? rgbFields.itemAt(k).field : null
    }
    function showFields() {
        for (var k = 0; k < 3; ++k) {
            if (rgbField(k))
                rgbField(k).textValue = String(targetColor[k])
        }
    }

    function setTargetColor(c) {
        c = [clamp(c[0], 0, 255), clamp(c[1], 0, 255), clamp(c[2], 0, 255)]
        if (colorText(c) === colorText(targetColor))
            return
        if (isFixSelected) {
            fixColor = c
        } else {
            var colours = colorValue.slice()
            colours[3 * currentBlock] = c[0]
            colours[3 * currentBlock + 1] = c[1]
            colours[3 * currentBlock + 2] = c[2]
            colorValue = colours
        }
        isSave = true
    }

    function pickHue(x) {
        // Masked colours take nothing, also not from the keyboard or the bus.
        if (!colorArea.enabled) {
            showTarget()
            return
        }
        x = clamp(Math.round(x), 0, colorBarWidth - 1)
        hueBar.place(x)
        setTargetColor(hueColor(x))
        showFields()
    }

    // R, G or B typed and not confirmed is the colour of the block it was
    // typed for, before another block or effect shows.
    function commitEdits() {
        for (var k = 0; k < 3; ++k) {
            if (rgbField(k))
                rgbField(k).commit()
        }
    }
    function takeInputs() {
        if (colorArea.enabled)
            setTargetColor([0, 1, 2].map(function (k) { return toInt(rgbField(k).textValue, 0) }))
        hueBar.place(hueOf(targetColor))
    }

    // A press on the mask behind a dialog: close the effect list and end
    // any colour entry.
    function lightControlFocus() {
        effectList.close()
        commitEdits()
    }

    width: 232
    height: 296

    Accessible.role: Accessible.Pane
    Accessible.name: text(0)

    Rectangle {
        anchors.fill: parent
        radius: 6
        gradient: Gradient {
            GradientStop { position: 0; color: "#202227" }
            GradientStop { position: 1; color: mainIten.colorGray0 }
        }
        border.color: mainIten.colorGray1
    }
    // The title strip, as the DPI panel's background draws it.
    Rectangle {
        x: 1
        y: 1
        width: parent.width - 2
        height: 27
        radius: 5
        gradient: Gradient {
            GradientStop { position: 0; color: "#2c3038" }
            GradientStop { position: 1; color: "#1f2228" }
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: "black"
        }
        Rectangle {
            x: -1
            y: 6
            width: 3
            height: 14
            color: mainIten.colorOrange
        }
    }

    Text {
        x: 14
        height: 28
        verticalAlignment: Text.AlignVCenter
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMiddleSize
        font.bold: true
        text: lightControlMain.text(0)
        Accessible.ignored: true
    }
    ImageButton {
        x: parent.width - width - 8
        y: 2
        width: 24
        height: 24
        source: mainIten.sourceRestBtn
        hoverSource: mainIten.sourceRestBtnH
        pressedSource: mainIten.sourceRestBtnP
        accessibleName: "Restore defaults"
        onClicked: lightControlMain.restoreDefaults()
    }

    Column {
        id: body
        x: 12
        y: 36
        width: parent.width - 24
        spacing: 8
        // The open effect list lies over the controls below it.
        z: 1

        Item {
            width: parent.width
            height: 24
            z: 10

            Image {
                anchors.verticalCenter: parent.verticalCenter
                source: {
                    var icons = [mainIten.sourceLightControl0, mainIten.sourceLightControl1,
                                 mainIten.sourceLightControl2, mainIten.sourceLightControl3,
                                 mainIten.sourceLightControl4]
                    var e = lightControlMain.effect
                    if (lightControlMain.is571)
                        return icons[e === 0 ? 3 : e <= 2 ? 0 : e <= 4 ? 1 : 4]
                    return icons[Math.min(e, 4)]
                }
                Accessible.ignored: true
            }
            DropDownList {
                id: effectList
                x: 32
                width: parent.width - 32
                height: 24
                accessibleName: lightControlMain.text(27)
                mdItems: lightControlMain.effectNames
                currentSelect: lightControlMain.effect
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
                    lightControlMain.changeEffect(index)
                }
            }
        }

        // The effect's speed and brightness: a label and value above a
        // four-step slider each.
        Repeater {
            id: levels
            model: [
                { label: 5, icon: mainIten.sourceLightControlTxt0 },
                { label: 7, icon: mainIten.sourceLightControlTxt2 },
            ]
            Item {
                id: level
                readonly property alias slider: slider
                width: body.width
                height: 48
                visible: index === 0 ? lightControlMain.row.speed : lightControlMain.row.brightness

                Image {
                    source: modelData.icon
                    Accessible.ignored: true
                }
                Text {
                    x: 32
                    height: 24
                    verticalAlignment: Text.AlignVCenter
                    color: mainIten.fontColor
                    font.family: mainIten.uiFontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    text: lightControlMain.text(modelData.label)
                    Accessible.ignored: true
                }
                Text {
                    anchors.right: parent.right
                    height: 24
                    verticalAlignment: Text.AlignVCenter
                    color: mainIten.colorOrange
                    font.family: mainIten.uiFontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    text: slider.valueText
                    Accessible.ignored: true
                }
                // 216 wide with a 16 px knob: the steps lie 50 px apart, on
                // the ticks of the scale below.
                SliderButton {
                    id: slider
                    x: -4
                    y: 24
                    width: 216
                    isScale: true
                    segment: 4
                    accessibleName: lightControlMain.text(modelData.label)
                    valueText: segmentValue * 25 + "%"
                    sourceSlide: mainIten.sourceSlide
                    trackColor: mainIten.colorBlue
                    passedColor: mainIten.colorOrange
                    onValueChangeDelay: lightControlMain.isSave = true
                }
                Image {
                    x: slider.x + 8
                    y: 40
                    source: mainIten.sourceSpeedScale
                    Accessible.ignored: true
                }
            }
        }

        Item {
            id: colorPart
            width: body.width
            height: colorArea.height

            Column {
                id: colorArea
                width: parent.width
                spacing: 6
                enabled: lightControlMain.row.usable

                Item {
                    width: parent.width
                    height: 24
                    Image {
                        source: mainIten.sourceLightControlTxt1
                        Accessible.ignored: true
                    }
                    Text {
                        x: 32
                        height: 24
                        verticalAlignment: Text.AlignVCenter
                        color: mainIten.fontColor
                        font.family: mainIten.uiFontFamily
                        font.pixelSize: mainIten.fontNormalSize
                        text: lightControlMain.text(6)
                        Accessible.ignored: true
                    }
                    Text {
                        id: colorName
                        anchors.right: parent.right
                        height: 24
                        verticalAlignment: Text.AlignVCenter
                        color: mainIten.colorGray3
                        font.family: mainIten.uiFontFamily
                        font.pixelSize: mainIten.fontNormalSize
                        text: lightControlMain.colorText(lightControlMain.targetColor)
                        Accessible.ignored: true
                    }
                    Rectangle {
                        anchors.right: colorName.left
                        anchors.rightMargin: 6
                        anchors.verticalCenter: parent.verticalCenter
                        width: 14
                        height: 14
                        color: lightControlMain.colorText(lightControlMain.targetColor)
                        border.color: mainIten.colorGray2
                    }
                }

                Row {
                    id: blocks
                    anchors.horizontalCenter: parent.horizontalCenter
                    visible: lightControlMain.row.blocks
                    spacing: lightControlMain.is571 ? 1 : 4

                    Repeater {
                        model: lightControlMain.blockCount
                        Rectangle {
                            id: block
                            readonly property var rgb: lightControlMain.blockColor(index)
                            readonly property bool isSelected: index === lightControlMain.currentBlock
                                                              && !lightControlMain.isFixSelected
                            width: 16
                            height: 16
                            visible: lightControlMain.blockShown(index)
                            color: lightControlMain.colorText(rgb)
                            border.width: isSelected ? 2 : 1
                            border.color: isSelected ? mainIten.colorOrange : mainIten.colorGray1
                            activeFocusOnTab: visible
                            // Over the neighbours, which the ring reaches.
                            z: activeFocus ? 1 : 0

                            Accessible.role: Accessible.Button
                            Accessible.name: lightControlMain.colorText(rgb)
                            Accessible.description: lightControlMain.text(6) + " " + (index + 1)
                            Accessible.focusable: true
                            Accessible.checkable: true
                            Accessible.checked: isSelected
                            Accessible.onPressAction: lightControlMain.selectBlock(index)
                            Keys.onSpacePressed: lightControlMain.selectBlock(index)
                            Keys.onReturnPressed: lightControlMain.selectBlock(index)

                            FocusRing {}
                            MouseArea {
                                anchors.fill: parent
                                onClicked: lightControlMain.selectBlock(index)
                            }
                        }
                    }
                }

                Item {
                    id: hueBar
                    objectName: "hueBar"
                    property int knobX: 0
                    // What the accessibility bus reads and sets.
                    property real value: 0
                    readonly property real minimumValue: 0
                    readonly property real maximumValue: lightControlMain.colorBarWidth - 1
                    readonly property real stepSize: 1
                    property bool syncing: false

                    function place(x) {
                        knobX = x
                        syncing = true
                        value = x
                        syncing = false
                    }
                    onValueChanged: {
                        if (!syncing)
                            lightControlMain.pickHue(value)
                    }

                    x: (parent.width - width) / 2
                    width: lightControlMain.colorBarWidth
                    height: 16
                    activeFocusOnTab: true

                    Accessible.role: Accessible.Slider
                    Accessible.name: lightControlMain.text(6)
                    Accessible.description: lightControlMain.colorText(lightControlMain.targetColor)
                    Accessible.focusable: true
                    Accessible.onIncreaseAction: lightControlMain.pickHue(knobX + 1)
                    Accessible.onDecreaseAction: lightControlMain.pickHue(knobX - 1)
                    Keys.onPressed: function (event) {
                        switch (event.key) {
                        case Qt.Key_Right: case Qt.Key_Up: lightControlMain.pickHue(hueBar.knobX + 1); break
                        case Qt.Key_Left: case Qt.Key_Down: lightControlMain.pickHue(hueBar.knobX - 1); break
                        case Qt.Key_PageUp: lightControlMain.pickHue(hueBar.knobX + 17); break
                        case Qt.Key_PageDown: lightControlMain.pickHue(hueBar.knobX - 17); break
                        case Qt.Key_Home: lightControlMain.pickHue(0); break
                        case Qt.Key_End: lightControlMain.pickHue(lightControlMain.colorBarWidth - 1); break
                        default: return
                        }
                        event.accepted = true
                    }

                    Image {
                        y: 2
                        source: mainIten.sourceColorBar
                        Accessible.ignored: true
                    }
                    Rectangle {
                        x: hueBar.knobX - 3
                        width: 7
                        height: 16
                        radius: 2
                        color: "transparent"
                        border.width: 2
                        border.color: hueBar.activeFocus ? mainIten.colorOrange : "white"
                        Rectangle {
                            anchors.fill: parent
                            anchors.margins: -1
                            radius: 3
                            color: "transparent"
                            border.color: "black"
                            opacity: 0.6
                        }
                    }
                    MouseArea {
                        anchors.fill: parent
                        onPressed: function (mouse) {
                            hueBar.forceActiveFocus()
                            lightControlMain.pickHue(mouse.x)
                        }
                        onPositionChanged: function (mouse) {
                            if (pressed)
                                lightControlMain.pickHue(mouse.x)
                        }
                    }
                }

                Row {
                    anchors.horizontalCenter: parent.horizontalCenter
                    spacing: 6
                    Repeater {
                        id: rgbFields
                        model: ["R", "G", "B"]
                        Row {
                            readonly property alias field: field
                            spacing: 4
                            Text {
                                height: 24
                                verticalAlignment: Text.AlignVCenter
                                color: mainIten.colorGray2
                                font.family: mainIten.uiFontFamily
                                font.pixelSize: mainIten.fontNormalSize
                                text: modelData
                                Accessible.ignored: true
                            }
                            RectInput {
                                id: field
                                width: 44
                                minValue: 0
                                maxValue: 255
                                accessibleName: modelData
                                borderColor: mainIten.colorGray1
                                focusColor: mainIten.colorOrange
                                textColor: mainIten.fontColor
                                fontFamily: mainIten.uiFontFamily
                                fontSize: mainIten.fontNormalSize
                                onEndInputSignal: lightControlMain.takeInputs()
                            }
                        }
                    }
                }
            }

            // Colours the effect does not use: dimmed, and no click gets through.
            Rectangle {
                objectName: "colorMask"
                anchors.fill: colorArea
                anchors.margins: -4
                radius: 3
                color: "#b0000000"
                visible: !colorArea.enabled
                MouseArea {
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.AllButtons
                    onWheel: function (wheel) { wheel.accepted = true }
                }
            }
        }
    }
}
