// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"
import "../basic"
import "PanelText.js" as PanelText

// The desktop's pointer settings: pointer speed, double-click speed and the
// wheel's lines per notch. The slider positions and the scroll choice are
// kept in the current profile; the steps made of them go to the desktop.
// Below them the language of the program, stored in the configuration and
// read at the next start.
DialogFrame {
    id: systemSetting

    // The texts: English until the main screen lays the language file over them.
    property var langList: ["System Setting", "Mouse Speed", "Double Click Speed", "Slow", "Fast",
        "Scroll Speed", "Number of Rows", "Scroll one Screen", "Not applied on this desktop", "Language",
        "Used from the next start"]
    readonly property var lang: langList

    // A slider's knob stands at positions 3 .. 337; a position gives the step
    // of the first threshold above it.
    readonly property var thresholds: [4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338]
    readonly property int minPosition: 3
    readonly property int maxPosition: 337
    readonly property int oneScreen: 1000      // stored and sent for "one screen per notch"

    property int mouseRate: 170                 // speed slider position
    property int doubleRate: 170                // double-click slider position
    property int scrollRows: 3                  // 1 .. 100
    property bool scrollOneScreen: false
    // Whether the desktop takes speed, double-click and wheel lines.
    property var applied: [true, true, true]
    // The languages offered ({ code, name }), by their own names, and the
    // code stored for the next start.
    property var languages: []
    property string chosenLanguage: ""
    readonly property var languageNames: languages.map(function (l) { return l.name })
    readonly property string languageInForce: typeof mainIten.language === "string" ? mainIten.language : ""

    function stepOf(position) {
        for (var i = 0; i < thresholds.length; ++i)
            if (position < thresholds[i])
                return i
        return thresholds.length - 1
    }
    // The slider reports the knob's x from 0; a hair of slack keeps a knob
    // placed at an exact step from falling a pixel short.
    function positionOf(knobX) {
        return Math.max(minPosition, Math.min(maxPosition, minPosition + Math.floor(knobX + 0.001)))
    }
    function ratioOf(position) {
        return (Math.max(minPosition, Math.min(maxPosition, position)) - minPosition) / (maxPosition - minPosition)
    }
    function scrollValue() {
        return scrollOneScreen ? oneScreen : scrollRows
    }
    function scrollLevel() {
        if (scrollOneScreen)
            return 6
        var limits = [1, 3, 6, 12, 100]
        for (var i = 0; i < limits.length; ++i)
            if (scrollRows <= limits[i])
                return i + 1
        return 5
    }
    function picture(name) {
        var source = mainIten[name]
        return source ? source : ""
    }

    function init(isSendData, isRecovery) {
        mouseRate = Math.max(minPosition, Math.min(maxPosition,
                             PanelText.toInt(ui_View.getData("mouse/mouseRate", isRecovery), 170)))
        doubleRate = Math.max(minPosition, Math.min(maxPosition,
                              PanelText.toInt(ui_View.getData("mouse/doubleRate", isRecovery), 170)))
        var scroll = PanelText.toInt(ui_View.getData("mouse/scrollRate", isRecovery), 3)
        scrollOneScreen = scroll > 100
        if (!scrollOneScreen)
            scrollRows = Math.max(1, scroll)
        sliderRows.itemAt(0).slider.setRatioValue(ratioOf(mouseRate))
        sliderRows.itemAt(1).slider.setRatioValue(ratioOf(doubleRate))
        showScrollChoice()
        if (isSendData)
            saveData(true, 0)
        refreshApplied()
    }

    // Stores all three values; with isSendData, sends the group isStep names
    // (1 speed, 2 double-click, 3 wheel lines) or all of them (0).
    function saveData(isSendData, isStep) {
        ui_View.setData("mouse/mouseRate", mouseRate)
        ui_View.setData("mouse/doubleRate", doubleRate)
        ui_View.setData("mouse/scrollRate", scrollValue())
        if (!isSendData)
            return
        if (isStep === 0 || isStep === 1)
            ui_View.mouseSetCursorSpeed(stepOf(mouseRate))
        if (isStep === 0 || isStep === 2)
            ui_View.mouseSetDoubleClickSpeed(stepOf(doubleRate))
        if (isStep === 0 || isStep === 3)
            ui_View.mouseSetVerticalScrollLines(scrollValue())
        refreshApplied()
    }

    function readLanguages() {
        var found = ui_View.getLanguages()
        var list = []
        for (var i = 0; found && i < found.length; ++i)
            list.push({ code: String(found[i].code), name: String(found[i].name) })
        list.sort(function (a, b) { return a.name.localeCompare(b.name) })
        languages = list
        var stored = ui_View.getGlobalData("common/language")
        chosenLanguage = stored ? String(stored) : languageInForce
    }
    function languageRow(code) {
        for (var i = 0; i < languages.length; ++i)
            if (languages[i].code === code)
                return i
        return -1
    }
    // Stored only: the screens have read their texts for this run.
    function chooseLanguage(row) {
        if (row < 0 || row >= languages.length)
            return
        chosenLanguage = languages[row].code
        ui_View.setGlobalData("common/language", chosenLanguage)
    }

    function refreshApplied() {
        var state = ui_View.getPointerSettingsApplied()
        applied = state && state.length === 3 ? state : [false, false, false]
    }

    function showScrollChoice() {
        rowsInput.textValue = String(scrollRows)
    }
    // Rows typed and not confirmed are taken (and sent) before anything
    // loads over them.
    function commitEdits() {
        rowsInput.commit()
    }
    function chooseRows() {
        commitEdits()
        scrollOneScreen = false
        showScrollChoice()
        saveData(true, 3)
    }
    function chooseOneScreen() {
        commitEdits()
        scrollOneScreen = true
        showScrollChoice()
        saveData(true, 3)
    }
    // Typing a number of rows means rows, whichever choice was made before.
    function rowsEntered() {
        var rows = Math.max(1, Math.min(100, PanelText.toInt(rowsInput.textValue, 1)))
        if (rows === scrollRows && !scrollOneScreen)
            return
        scrollRows = rows
        scrollOneScreen = false
        showScrollChoice()
        saveData(true, 3)
    }
    function restoreDefaults() {
        init(true, true)
    }

    function show() {
        mainIten.mainFocus()
        mainMask.visible = true
        open()
    }
    function hide() {
        systemSettingFocus()
        visible = false
        mainMask.visible = false
    }
    // A press outside the dialog ends editing of the rows entry.
    function systemSettingFocus() {
        commitEdits()
    }

    width: 480
    height: 400
    title: lang[0]
    fontFamily: mainIten.uiFontFamily
    fontSize: mainIten.fontMiddleSize
    textColor: mainIten.fontColor
    color: mainIten.colorGray0
    border.color: mainIten.colorGray1
    sourceClose: picture("sourceCloseBtn")
    sourceCloseH: picture("sourceCloseBtnH")
    onCloseClicked: hide()
    onEmptyAreaPressed: systemSettingFocus()
    // The desktop may have refused a setting since the dialog was last open.
    onVisibleChanged: {
        if (!visible)
            return
        refreshApplied()
        readLanguages()
    }

    // The headings, each with a note where the desktop does not take its setting.
    Repeater {
        model: [{ text: 1, y: 12 }, { text: 2, y: 102 }, { text: 5, y: 192 }]
        Item {
            x: 24
            y: modelData.y
            width: 430
            height: 20
            readonly property bool applies: systemSetting.applied[index]
            Text {
                id: heading
                anchors.verticalCenter: parent.verticalCenter
                text: systemSetting.lang[modelData.text]
                color: mainIten.fontColor
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontMiddleSize
                Accessible.ignored: true
            }
            Text {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - heading.implicitWidth - 16
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideRight
                visible: !parent.applies
                text: systemSetting.lang[8]
                color: mainIten.colorOrange
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontMinSize
                Accessible.role: Accessible.StaticText
                Accessible.name: heading.text + ": " + text
            }
        }
    }
    Repeater {
        model: [92, 182, 290]
        Rectangle {
            x: 24
            y: modelData
            width: 430
            height: 1
            color: mainIten.colorGray1
        }
    }

    // Pointer speed (row 0) and double-click speed (row 1): the step's
    // picture, the slider, the step, "Slow" and "Fast" under its ends.
    Repeater {
        id: sliderRows
        model: 2
        Item {
            readonly property alias slider: slider
            readonly property int position: index === 0 ? systemSetting.mouseRate : systemSetting.doubleRate
            y: 40 + 90 * index
            width: parent.width
            height: 44

            function setPosition(value) {
                if (index === 0)
                    systemSetting.mouseRate = value
                else
                    systemSetting.doubleRate = value
            }

            Image {
                x: 24
                width: 32
                height: 32
                source: systemSetting.picture("sourcemouseRate" + systemSetting.stepOf(parent.position))
                Accessible.ignored: true
            }
            SliderButton {
                id: slider
                objectName: index === 0 ? "speedSlider" : "doubleSlider"
                x: 72
                y: 8
                width: 350
                accessibleName: systemSetting.lang[1 + index]
                valueText: String(systemSetting.stepOf(parent.position))
                sourceSlide: systemSetting.picture("sourceSlide")
                trackColor: mainIten.colorBlue
                passedColor: mainIten.colorOrange
                onValueChange: function (x) { parent.setPosition(systemSetting.positionOf(x)) }
                onValueChangeDelay: function (x) {
                    parent.setPosition(systemSetting.positionOf(x))
                    systemSetting.saveData(true, 1 + index)
                }
            }
            Rectangle {
                x: 430
                y: 4
                width: 32
                height: 24
                color: "transparent"
                border.color: mainIten.colorGray1
                Text {
                    anchors.centerIn: parent
                    text: slider.valueText
                    color: mainIten.fontColor
                    font.family: mainIten.uiFontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    Accessible.ignored: true
                }
            }
            Text {
                x: 72
                y: 28
                text: systemSetting.lang[3]
                color: mainIten.colorGray2
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontMinSize
                Accessible.ignored: true
            }
            Text {
                x: 72 + 350 - width
                y: 28
                text: systemSetting.lang[4]
                color: mainIten.colorGray2
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontMinSize
                Accessible.ignored: true
            }
        }
    }

    // Wheel lines per notch.
    Image {
        x: 24
        y: 224
        width: 32
        height: 32
        source: systemSetting.picture("sourcescrollRate" + systemSetting.scrollLevel())
        Accessible.ignored: true
    }
    RadioButton {
        id: rowsChoice
        objectName: "rowsChoice"
        x: 72
        y: 222
        textValue: systemSetting.lang[6]
        isSelect: !systemSetting.scrollOneScreen
        source: systemSetting.picture("sourceRadioBtn")
        sourceSelected: systemSetting.picture("sourceRadioBtnS")
        markColor: mainIten.colorOrange
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onBtnClick: systemSetting.chooseRows()
    }
    RectInput {
        id: rowsInput
        objectName: "rowsInput"
        anchors.left: rowsChoice.right
        anchors.leftMargin: 12
        anchors.verticalCenter: rowsChoice.verticalCenter
        minValue: 1
        maxValue: 100
        accessibleName: systemSetting.lang[6]
        focusColor: mainIten.colorOrange
        borderColor: mainIten.colorGray1
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onEndInputSignal: systemSetting.rowsEntered()
    }
    RadioButton {
        id: screenChoice
        objectName: "screenChoice"
        x: 72
        y: 254
        textValue: systemSetting.lang[7]
        isSelect: systemSetting.scrollOneScreen
        source: systemSetting.picture("sourceRadioBtn")
        sourceSelected: systemSetting.picture("sourceRadioBtnS")
        markColor: mainIten.colorOrange
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onBtnClick: systemSetting.chooseOneScreen()
    }

    // The language, from the next start on.
    Text {
        id: languageLabel
        x: 24
        y: 302
        height: 24
        verticalAlignment: Text.AlignVCenter
        text: systemSetting.lang[9]
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMiddleSize
        Accessible.ignored: true
    }
    DropDownList {
        id: languageList
        objectName: "languageList"
        anchors.left: languageLabel.right
        anchors.leftMargin: 16
        y: 302
        width: 168
        dropUp: true
        accessibleName: systemSetting.lang[9]
        mdItems: systemSetting.languageNames
        currentSelect: systemSetting.languageRow(systemSetting.chosenLanguage)
        sourceDropBtn: systemSetting.picture("sourceDropBtn")
        sourceDropBtnU: systemSetting.picture("sourceDropBtnU")
        hoverColor: mainIten.colorOrange
        borderColor: mainIten.colorGray1
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onValueChange: function (index) { systemSetting.chooseLanguage(index) }
    }
    Text {
        objectName: "languageNote"
        anchors.left: languageList.right
        anchors.leftMargin: 12
        anchors.right: restoreButton.left
        anchors.rightMargin: 12
        anchors.verticalCenter: languageList.verticalCenter
        wrapMode: Text.WordWrap
        text: systemSetting.lang[10]
        // Orange once a language other than the one in force is chosen.
        color: systemSetting.chosenLanguage !== systemSetting.languageInForce ? mainIten.colorOrange
                                                                             : mainIten.colorGray2
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMinSize
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    ImageButton {
        id: restoreButton
        objectName: "restoreButton"
        x: parent.width - 24 - width
        y: parent.height - 16 - height
        width: 24
        height: 24
        source: systemSetting.picture("sourceRestBtn")
        hoverSource: systemSetting.picture("sourceRestBtnH")
        pressedSource: systemSetting.picture("sourceRestBtnP")
        accessibleName: "Restore defaults"
        onClicked: systemSetting.restoreDefaults()
    }
}
