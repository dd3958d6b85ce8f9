import QtQuick
import "basic"
import "common"

// The root of the scene: the frameless 1024 x 640 window, its start-up and
// reconnection sequence, the input protection while the back end works, and
// the hand-over of captured keys and buttons to the panels.
Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int zarnCode, int x, int y)

    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]
    // The language lists of the panels, by panel name, as initUI loaded them.
    property var panelLang: ({})
    property bool initProfile: true
    property bool isScrollRateFocus: false
    property string fontFamily: "微软雅黑"
    // The family the texts use: fontFamily where installed, else the
    // desktop's sans-serif.
    readonly property string uiFontFamily: Qt.fontFamilies().indexOf(fontFamily) >= 0 ? fontFamily : "sans-serif"
    property int fontNormalSize: 12
    property int fontMaxSize: 16
    property int fontMiddleSize: 14
    property int fontMinSize: 10
    property color fontColor: "#ffffff"
    property string language: "ChineseSimplified"
    property string url: "https://kestrel-talon.example/support"
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553"
    property bool is55328: false
    property bool is571: false
    property bool isPownOn: false
    property int keyCount: 8
    property int profileNo: 0
    // The DPI stage selected on screen, 0-based; -1 when the mouse reports none.
    property int currentDPI: -1
    property int globalSetting_size: 11
    property color globalSetting_color: "#FF00FFFF"
    property string globalSetting_fontFamily: "Arial"
    property int animation_speed: 300
    property int skin_No: 1
    property color colorGray0: "#1a1a1a"
    property color colorGray1: "#3c3c3c"
    property color colorGray2: "#969696"
    property color colorGray3: "#d1d1d1"
    property color colorBlue: "#09347f"
    property color colorOrange: "#cf3e00"
    property color colorBlack: Qt.rgba(0, 0, 0, 1)

    function indexPicture(file) {
        return "qrc:/index/modules/img/skin" + skin_No + "/index/" + file
    }
    property url sourceBackground: "qrc:/modules/img/background.png"
    property url sourceTitleBar: "qrc:/modules/img/titleBar.png"
    property url sourceTitleLogo: "qrc:/modules/img/titleLogo.png"
    property url sourcePowerOn: indexPicture("powerOn.png")
    property url sourceMinBtn: indexPicture("minBtn.png")
    property url sourceMinBtnH: indexPicture("minBtnH.png")
    property url sourceCloseBtn: indexPicture("closeBtn.png")
    property url sourceCloseBtnH: indexPicture("closeBtnH.png")
    property url sourceAsk: indexPicture("ask.png")
    property url sourceAskH: indexPicture("askH.png")

    // Called by the back end after every successful device check.
    function initUI() {
        setProtectUI(1000)
        mainIten.visible = true
        if (!isPownOn) {
            readConfiguration()
            if (icType === "560") {
                if (ui_View.mouseReadCurrentProfile() != 1)
                    hid.hid560_02H_SetCurrentProfile(1)
            }
            loadLanguage()
            var stored = ui_View.getGlobalData("mouse/profileNo")
            profileNo = stored === undefined ? 0 : parseInt(stored)
            upItem.profileBtn.currentIndex = profileNo
            upItem.profileBtn.close()
            console.debug("profileNo", profileNo)
            ui_View.setCurrentProfile(profileNo)
            isPownOn = true
        }
        currentDPI = ui_View.mouseGetCurrentDPI() - 1
    }

    function run() {
    }

    function setProtectUI(interval) {
        protectUIItem.setBusy(true)
        ui_View.setEnabled(false)
        tmrProtectUI.interval = interval
        tmrProtectUI.restart()
    }

    function setCurrentDPI(dpiValue) {
        if (dpiValue != 0)
            currentDPI = dpiValue - 1
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, zarnCode, x, y) {
        msg_MS(isDown, zarnCode, x, y)
    }

    function mainFocus() {
        upItem.profileBtn.close()
        askMenu.visible = false
    }

    function controlUIEnable(isEnable) {
        protectUIItem.setBusy(!isEnable)
        ui_View.setEnabled(isEnable)
    }

    function askMenuCmd(cmd) {
        if (cmd === 0)
            Qt.openUrlExternally(url)
    }

    function readConfiguration() {
        function flag(key) {
            var v = ui_View.getGlobalData(key)
            return v === true || v === "true"
        }
        isColorful = flag("mouse/isColorful")
        is55328 = flag("mouse/is55328")
        is571 = flag("mouse/is571")
        isGun = flag("mouse/isGun")
        var type = ui_View.getGlobalData("mouse/icType")
        icType = type === undefined ? "" : type
        var count = ui_View.getGlobalData("mouse/keyCount")
        if (count !== undefined)
            keyCount = parseInt(count)
        var lang = ui_View.getGlobalData("common/language")
        if (lang !== undefined)
            language = lang
        var address = ui_View.getGlobalData("common/url")
        if (address !== undefined)
            url = address
    }

    function loadLanguage() {
        var main = ui_View.getLangStrings("main", language)
        if (main.length > 0)
            mainLang = main
        var lists = {}
        var panels = ["keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
                      "systemSetting", "gunControl", "profile"]
        for (var i = 0; i < panels.length; ++i)
            lists[panels[i]] = ui_View.getLangStrings(panels[i], language)
        panelLang = lists
        var keyNames = ui_View.getLangStrings("keyCode", language)
        if (keyNames.length > 0)
            _KeyCodeString.keyCodeStr = keyNames
        // The back end takes the DPI-switch notices from this list.
        ui_View.getLangStrings("other", language)
    }

    MouseArea {
        id: dragRegion
        property point pressedAt
        anchors.fill: parent
        hoverEnabled: true
        onPressed: function(mouse) {
            mainIten.emptyAreaPressed()
            pressedAt = Qt.point(mouse.x, mouse.y)
            mainIten.mainFocus()
        }
        onPositionChanged: function(mouse) {
            if (!pressed)
                return
            ui_Ctl.onXChanged(mouse.x - pressedAt.x)
            ui_Ctl.onYChanged(mouse.y - pressedAt.y)
        }
    }

    Image {
        id: powerOnLogo
        anchors.centerIn: parent
        source: mainIten.sourcePowerOn
    }

    BusyIndicator {
        id: protectUIItem
        anchors.centerIn: parent
        z: 99
        textColor: mainIten.fontColor
        textSize: mainIten.fontNormalSize
        textFamily: mainIten.uiFontFamily
    }

    Timer {
        id: tmrProtectUI
        interval: 1000
        onTriggered: {
            ui_View.setEnabled(true)
            protectUIItem.setBusy(false)
            if (powerOnLogo.visible) {
                powerOnLogo.visible = false
                envItem.visible = true
                upItem.visible = true
            }
        }
    }

    Environment {
        id: envItem
        visible: false
        sourceBackground: mainIten.sourceBackground
        sourceTitleBar: mainIten.sourceTitleBar
        sourceTitleLogo: mainIten.sourceTitleLogo
    }

    Menu_Up {
        id: upItem
        x: 920
        y: 16
        visible: false
        sourceMinBtn: mainIten.sourceMinBtn
        sourceMinBtnH: mainIten.sourceMinBtnH
        sourceCloseBtn: mainIten.sourceCloseBtn
        sourceCloseBtnH: mainIten.sourceCloseBtnH
        sourceAsk: mainIten.sourceAsk
        sourceAskH: mainIten.sourceAskH
        onBtnClicked: function(btnIndex) {
            if (btnIndex === 0)
                ui_Ctl.onMinimize()
            else if (btnIndex === 1)
                ui_Ctl.onClose()
            else
                askMenu.visible = !askMenu.visible
        }
    }

    Rectangle {
        id: mainMask
        anchors.fill: parent
        color: "#90000000"
        visible: false
        MouseArea {
            anchors.fill: parent
            property point pressedAt
            onPressed: function(mouse) { pressedAt = Qt.point(mouse.x, mouse.y) }
            onPositionChanged: function(mouse) {
                ui_Ctl.onXChanged(mouse.x - pressedAt.x)
                ui_Ctl.onYChanged(mouse.y - pressedAt.y)
            }
        }
    }

    AskMenu {
        id: askMenu
        x: 724
        y: 30
        z: 50
        visible: false
        url: mainIten.url
        hoverColor: mainIten.colorOrange
        onCommand: function(cmd) {
            mainIten.askMenuCmd(cmd)
            askMenu.visible = false
        }
    }

    KeyCodeString {
        id: _KeyCodeString
    }
}
