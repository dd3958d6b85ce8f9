// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "basic"
import "common"
import "panels"

// The root of the scene: the frameless 1024 x 640 window, its start-up and
// reconnection sequence, the input protection while the back end works, the
// places of the panels and dialogs, the save, reset and profile actions, and
// the hand-over of captured keys to the panels. Every panel may be absent:
// each call into one is made only when it exists.
Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    signal emptyAreaPressed()
    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int zarnCode, int x, int y)

    // 11 .. 13: the busy text, the help menu's version entry and the name
    // of the title bar's profile list.
    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "LOADING ......", "Version %1",
        "Profile", ""]
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
    property string programVersion: ""          // the back end's, read with the configuration
    // The language lists are read once per run, by the first initUI or by
    // the first notice about the mouse, whichever comes first.
    property bool languageLoaded: false
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553"
    property bool is55328: false
    property bool is571: false
    property bool isPownOn: false
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

    // What the main screen keeps for panels that may be absent or load late:
    // the current profile, the mouse's button count, the DPI stage shown
    // (0-based, -1 when the mouse reports none) and the panels' language
    // lists by type.
    // False while the window is hidden to the tray (set by the view): large
    // pictures are let go meanwhile.
    property bool onScreen: true
    property int profileNo: 0
    property int keyCount: 8
    property int currentDPI: -1
    property var panelLang: ({})
    // The report rate shown, as the profile's index (0: 125 Hz .. 3: 1000 Hz).
    readonly property int reportRateIndex: reportRateRect.rateIndex
    readonly property int profileCount: 10

    // The panels, by the names the other screens use; null while absent.
    readonly property Item keyMatrixMain: keyMatrixPlace.item
    readonly property Item dpiSettingMain: dpiSettingPlace.item
    readonly property Item lightControlMain: lightControlPlace.item
    readonly property Item mouseMain: mousePlace.item
    readonly property Item macroEditorMain: macroEditorPlace.item
    readonly property Item gunControlMain: gunControlPlace.item
    readonly property Item systemSettingMain: systemSettingPlace.item
    readonly property Item keyAssigmentMain: keyAssigmentPlace.item
    readonly property Item profileMain: profilePlace.item

    // Changes on a panel that the Save button has not sent yet.
    readonly property bool isAnySave: (keyMatrixMain !== null && keyMatrixMain.isSave === true)
        || (dpiSettingMain !== null && dpiSettingMain.isSave === true)
        || (lightControlMain !== null && lightControlMain.isSave === true)
    // The device link is waiting in the middle of an exchange: nothing may
    // start another send meanwhile.
    readonly property bool linkBusy: typeof hid !== "undefined" && hid !== null && hid.busy === true
    // Why a profile switch from the tray or the window in front has to wait
    // (the back end reads it too); empty when it may happen now. A switch
    // under an open dialog would land the dialog's edit in the other profile.
    readonly property string profileSwitchHoldReason: {
        if (linkBusy)
            return "the mouse is busy"
        for (var d of [macroEditorMain, gunControlMain, systemSettingMain, keyAssigmentMain, profileMain,
                       factorysure]) {
            if (d && d.visible)
                return "a dialog is open"
        }
        if (gunControlMain !== null && gunControlMain.isSave === true)
            return "a dialog has unsent changes"
        return ""
    }
    // Profiles that follow the window in front wait while this holds (the
    // back end watches it): the reason above, changes unsaved, a macro being
    // recorded.
    readonly property bool isProfileSwitchHeld: profileSwitchHoldReason !== "" || isAnySave
        || (macroEditorMain !== null && macroEditorMain.isInputting === true)
    // A switch asked from the tray while held; taken once the hold ends.
    property int pendingProfile: -1
    onProfileSwitchHoldReasonChanged: if (profileSwitchHoldReason === "" && pendingProfile >= 0)
                                          Qt.callLater(takePendingProfile)

    function skinPicture(group, file) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file
    }
    // The pictures. The frame's lie at the top of the resources, the gun
    // silhouettes in skin 1 whatever the skin, every other one in its group's
    // folder of the current skin.
    property url sourceBackground: "qrc:/modules/img/background.png"
    property url sourceTitleBar: "qrc:/modules/img/titleBar.png"
    property url sourceTitleLogo: "qrc:/modules/img/titleLogo.png"
    property url sourceMouseFront: skinPicture("mouse", "mouseFront.png")
    property url sourceMouseSide: skinPicture("mouse", "mouseSide.png")
    property url sourceMouse0: skinPicture("mouse", "mouse0.png")
    property url sourceMouse0S: skinPicture("mouse", "mouse0S.png")
    property url sourceMouse1: skinPicture("mouse", "mouse1.png")
    property url sourceMouse1S: skinPicture("mouse", "mouse1S.png")
    property url sourceMouse2: skinPicture("mouse", "mouse2.png")
    property url sourceMouse2S: skinPicture("mouse", "mouse2S.png")
    property url sourceMouse3: skinPicture("mouse", "mouse3.png")
    property url sourceMouse3S: skinPicture("mouse", "mouse3S.png")
    property url sourceMouse4: skinPicture("mouse", "mouse4.png")
    property url sourceMouse4S: skinPicture("mouse", "mouse4S.png")
    property url sourceMouse5: skinPicture("mouse", "mouse5.png")
    property url sourceMouse5S: skinPicture("mouse", "mouse5S.png")
    property url sourceMouse6: skinPicture("mouse", "mouse6.png")
    property url sourceMouse6S: skinPicture("mouse", "mouse6S.png")
    property url sourceMouse7: skinPicture("mouse", "mouse7.png")
    property url sourceMouse7S: skinPicture("mouse", "mouse7S.png")
    property url sourceMouseSide0: skinPicture("mouse", "mouseSide0.png")
    property url sourceMouseSide0S: skinPicture("mouse", "mouseSide0S.png")
    property url sourceMouseSide1: skinPicture("mouse", "mouseSide1.png")
    property url sourceMouseSide1S: skinPicture("mouse", "mouseSide1S.png")
    property url sourceMouseSide2: skinPicture("mouse", "mouseSide2.png")
    property url sourceMouseSide2S: skinPicture("mouse", "mouseSide2S.png")
    property url sourceMouseSide3: skinPicture("mouse", "mouseSide3.png")
    property url sourceMouseSide3S: skinPicture("mouse", "mouseSide3S.png")
    property url sourceMouseSide4: skinPicture("mouse", "mouseSide4.png")
    property url sourceMouseSide4S: skinPicture("mouse", "mouseSide4S.png")
    property url sourceMouseSide5: skinPicture("mouse", "mouseSide5.png")
    property url sourceMouseSide5S: skinPicture("mouse", "mouseSide5S.png")
    property url sourceMouseSide6: skinPicture("mouse", "mouseSide6.png")
    property url sourceMouseSide6S: skinPicture("mouse", "mouseSide6S.png")
    property url sourceMouseSide7: skinPicture("mouse", "mouseSide7.png")
    property url sourceMouseSide7S: skinPicture("mouse", "mouseSide7S.png")
    property url sourceMouseSidebtnN: skinPicture("mouse", "MouseSidebtnN.png")
    property url sourceMouseSidebtnH: skinPicture("mouse", "MouseSidebtnH.png")
    property url sourceMouseSidebtnS: skinPicture("mouse", "MouseSidebtnS.png")
    property url sourcelightBtn: skinPicture("mouse", "lightBtn.png")
    property url sourcelightBtnS: skinPicture("mouse", "lightBtnS.png")
    property url sourceMinBtn: skinPicture("index", "minBtn.png")
    property url sourceMinBtnH: skinPicture("index", "minBtnH.png")
    property url sourceCloseBtn: skinPicture("index", "closeBtn.png")
    property url sourceCloseBtnH: skinPicture("index", "closeBtnH.png")
    property url sourceSureBtn: skinPicture("index", "sureBtn.png")
    property url sourceSureBtnH: skinPicture("index", "sureBtnH.png")
    property url sourceAsk: skinPicture("index", "ask.png")
    property url sourceAskH: skinPicture("index", "askH.png")
    property url sourceRestBtn: skinPicture("index", "restBtn.png")
    property url sourceRestBtnH: skinPicture("index", "restBtnH.png")
    property url sourceRestBtnP: skinPicture("index", "restBtnP.png")
    property url sourceSaveBtn: skinPicture("index", "saveBtn.png")
    property url sourceSaveBtnH: skinPicture("index", "saveBtnH.png")
    property url sourceSaveBtnP: skinPicture("index", "saveBtnP.png")
    property url sourceMacroKeyBg: skinPicture("index", "macroKeyBg.png")
    property url sourceSingleKeyBg: skinPicture("index", "singleKeyBg.png")
    property url sourceMacroTypeCheck: skinPicture("index", "macroTypeCheck.png")
    property url sourceMacroTypeCheck0: skinPicture("index", "macroTypeCheck0.png")
    property url sourcePowerOn: skinPicture("index", "powerOn.png")
    property url sourceBack: skinPicture("index", "back.png")
    property url sourceBackH: skinPicture("index", "backH.png")
    property url sourceDropBtn: skinPicture("index", "dropBtn.png")
    property url sourceDropBtnU: skinPicture("index", "dropBtnU.png")
    property url sourceConfigBtn: skinPicture("index", "configBtn.png")
    property url sourceSlide: skinPicture("index", "slide.png")
    property url sourceScale: skinPicture("index", "scale.png")
    property url sourceRadioBtn: skinPicture("index", "radioBtn.png")
    property url sourceRadioBtnS: skinPicture("index", "radioBtnS.png")
    property url sourceCheckBtn: skinPicture("index", "checkBtn.png")
    property url sourcePageUp: skinPicture("index", "pageUp.png")
    property url sourcePageDown: skinPicture("index", "pageDown.png")
    property url sourcexy0: skinPicture("xySetting", "xy0.png")
    property url sourcexy1: skinPicture("xySetting", "xy1.png")
    property url sourcexy2: skinPicture("xySetting", "xy2.png")
    property url sourcexy3: skinPicture("xySetting", "xy3.png")
    property url sourcexy4: skinPicture("xySetting", "xy4.png")
    property url sourcexy5: skinPicture("xySetting", "xy5.png")
    property url sourcexy6: skinPicture("xySetting", "xy6.png")
    property url sourcexy7: skinPicture("xySetting", "xy7.png")
    property url sourcexy8: skinPicture("xySetting", "xy8.png")
    property url sourcexy9: skinPicture("xySetting", "xy9.png")
    property url sourcexyBtn: skinPicture("xySetting", "xyBtn.png")
    property url sourcexyNumber: skinPicture("xySetting", "xyNumber.png")
    property url sourceprofileStartBtn: skinPicture("profile", "profileStartBtn.png")
    property url sourceprofileStartBtnS: skinPicture("profile", "profileStartBtnS.png")
    property url sourceprofileStartBtnH: skinPicture("profile", "profileStartBtnH.png")
    property url sourceProfileBG: skinPicture("profile", "ProfileBG.png")
    property url sourceProfileCopyBtn: skinPicture("profile", "ProfileCopyBtn.png")
    property url sourceProfileCopyBtnS: skinPicture("profile", "ProfileCopyBtnS.png")
    property url sourceProfileDeleteBtn: skinPicture("profile", "ProfileDeleteBtn.png")
    property url sourceProfileDeleteBtnS: skinPicture("profile", "ProfileDeleteBtnS.png")
    property url sourceProfileDeleteBtn0: skinPicture("profile", "ProfileDeleteBtn0.png")
    property url sourceProfileEditBtn: skinPicture("profile", "ProfileEditBtn.png")
    property url sourceProfileEditBtnS: skinPicture("profile", "ProfileEditBtnS.png")
    property url sourceProfileNewBtn: skinPicture("profile", "ProfileNewBtn.png")
    property url sourceProfileSettingBtn: skinPicture("profile", "ProfileSettingBtn.png")
    property url sourceprofileCloseBtn: skinPicture("profile", "profileCloseBtn.png")
    property url sourceLightControl0: skinPicture("lightControl", "LightControl0.png")
    property url sourceLightControl1: skinPicture("lightControl", "LightControl1.png")
    property url sourceLightControl2: skinPicture("lightControl", "LightControl2.png")
    property url sourceLightControl3: skinPicture("lightControl", "LightControl3.png")
    property url sourceLightControl4: skinPicture("lightControl", "LightControl4.png")
    property url sourceLightControlBtn: skinPicture("lightControl", "lightControlBtn.png")
    property url sourceLightControlBtn0: skinPicture("lightControl", "LightControlBtn0.png")
    property url sourceLightControlBtn1: skinPicture("lightControl", "LightControlBtn1.png")
    property url sourceLightControlTxt0: skinPicture("lightControl", "LightControlTxt0.png")
    property url sourceLightControlTxt1: skinPicture("lightControl", "LightControlTxt1.png")
    property url sourceLightControlTxt2: skinPicture("lightControl", "LightControlTxt2.png")
    property url sourceColorBar: skinPicture("lightControl", "ColorBar.png")
    property url sourceSpeedScale: skinPicture("lightControl", "SpeedScale.png")
    property url sourcedpiSettingBG: skinPicture("dpiSetting", "dpiSettingBG.png")
    property url sourcedpiSetting0: skinPicture("dpiSetting", "dpiSetting0.png")
    property url sourcedpiSetting1: skinPicture("dpiSetting", "dpiSetting1.png")
    property url sourcereportRate0: skinPicture("reportRate", "reportRate0.png")
    property url sourcereportRate1: skinPicture("reportRate", "reportRate1.png")
    property url sourcereportRate2: skinPicture("reportRate", "reportRate2.png")
    property url sourcereportRate3: skinPicture("reportRate", "reportRate3.png")
    property url sourcemouseRate0: skinPicture("mouseRate", "mouseRate0.png")
    property url sourcemouseRate1: skinPicture("mouseRate", "mouseRate1.png")
    property url sourcemouseRate2: skinPicture("mouseRate", "mouseRate2.png")
    property url sourcemouseRate3: skinPicture("mouseRate", "mouseRate3.png")
    property url sourcemouseRate4: skinPicture("mouseRate", "mouseRate4.png")
    property url sourcemouseRate5: skinPicture("mouseRate", "mouseRate5.png")
    property url sourcemouseRate6: skinPicture("mouseRate", "mouseRate6.png")
    property url sourcemouseRate7: skinPicture("mouseRate", "mouseRate7.png")
    property url sourcemouseRate8: skinPicture("mouseRate", "mouseRate8.png")
    property url sourcemouseRate9: skinPicture("mouseRate", "mouseRate9.png")
    property url sourcemouseRate10: skinPicture("mouseRate", "mouseRate10.png")
    property url sourceMacroStartBtn: skinPicture("macros", "MacroStartBtn.png")
    property url sourceMacroStartBtnH: skinPicture("macros", "MacroStartBtnH.png")
    property url sourceMacroStartBtnP: skinPicture("macros", "MacroStartBtnP.png")
    property url sourcemacroBg: skinPicture("macros", "macroBg.png")
    property url sourcemacroCheck0: skinPicture("macros", "macroCheck0.png")
    property url sourcemacroCheck1: skinPicture("macros", "macroCheck1.png")
    property url sourcemacroKeyDelay: skinPicture("macros", "macroKeyDelay.png")
    property url sourcemacroKeyPress: skinPicture("macros", "macroKeyPress.png")
    property url sourcemacroKeyRelease: skinPicture("macros", "macroKeyRelease.png")
    property url sourcemacroMousePress: skinPicture("macros", "macroMousePress.png")
    property url sourcemacroMouseRelease: skinPicture("macros", "macroMouseRelease.png")
    property url sourcemacroNewBtn: skinPicture("macros", "macroNewBtn.png")
    property url sourcemacroNewBtnH: skinPicture("macros", "macroNewBtnH.png")
    property url sourcemacroNewBtnP: skinPicture("macros", "macroNewBtnP.png")
    property url sourcemacroRecordBtn: skinPicture("macros", "macroRecordBtn.png")
    property url sourcemacroRecordBtnH: skinPicture("macros", "macroRecordBtnH.png")
    property url sourcemacroRecordBtnP: skinPicture("macros", "macroRecordBtnP.png")
    property url sourcemacroSaveBtn: skinPicture("macros", "macroSaveBtn.png")
    property url sourcemacroSaveBtnH: skinPicture("macros", "macroSaveBtnH.png")
    property url sourcemacroSaveBtnP: skinPicture("macros", "macroSaveBtnP.png")
    property url sourcemacroMenuBG: skinPicture("macros", "macroMenuBG.png")
    property url sourcescrollRate0: skinPicture("scrollRate", "scrollRate0.png")
    property url sourcescrollRate1: skinPicture("scrollRate", "scrollRate1.png")
    property url sourcescrollRate2: skinPicture("scrollRate", "scrollRate2.png")
    property url sourcescrollRate3: skinPicture("scrollRate", "scrollRate3.png")
    property url sourcescrollRate4: skinPicture("scrollRate", "scrollRate4.png")
    property url sourcescrollRate5: skinPicture("scrollRate", "scrollRate5.png")
    property url sourcescrollRate6: skinPicture("scrollRate", "scrollRate6.png")
    property url sourceM416: "qrc:/gun/modules/img/skin1/gun/M416.png"
    property url sourceAKM: "qrc:/gun/modules/img/skin1/gun/AKM.png"
    property url sourceM16A4: "qrc:/gun/modules/img/skin1/gun/M16A4.png"
    property url sourceSCARL: "qrc:/gun/modules/img/skin1/gun/SCAR-L.png"
    property url sourceThomson: "qrc:/gun/modules/img/skin1/gun/Thomson.png"
    property url sourceUNP9: "qrc:/gun/modules/img/skin1/gun/UNP9.png"
    property url sourceTarget: "qrc:/gun/modules/img/skin1/gun/target.png"

    // Start-up and reconnection, called by the back end after every
    // successful device check.
    function initUI() {
        setProtectUI(1000)
        mainIten.visible = true
        if (!isPownOn) {
            readConfiguration()
            if (icType === "560") {
                if (ui_View.mouseReadCurrentProfile() != 1)
                    hid.hid560_02H_SetCurrentProfile(1)
            }
            if (!languageLoaded)
                loadLanguage()
            if (profileMain)
                profileMain.init()
            var stored = ui_View.getGlobalData("mouse/profileNo")
            setProfileNo(validProfile(stored) ? Number(stored) : 0)
            upItem.profileBtn.isDrop = false
            console.debug("profileNo", profileNo)
            ui_View.setCurrentProfile(profileNo)
            // Read once the stored profile is the current one, not before.
            reportRateRect.init(false)
            if (macroEditorMain)
                macroEditorMain.init()
            if (gunControlMain)
                gunControlMain.init()
            if (keyAssigmentMain)
                keyAssigmentMain.init()
            for (var panel of [keyMatrixMain, dpiSettingMain, lightControlMain, systemSettingMain]) {
                if (panel)
                    panel.init(false, false)
            }
            isPownOn = true
        }
        var stage = parseInt(ui_View.mouseGetCurrentDPI())
        selectDPIStage(isNaN(stage) ? -1 : stage - 1)
    }

    // Why no mouse is connected, from the back end: the notice covers the
    // scene ("" takes it away); before the first start it is all there is.
    function showDeviceNotice(kind, text) {
        if (!languageLoaded && kind !== "") {
            readLanguageSetting()
            loadLanguage()
        }
        deviceNotice.show(kind, text)
        if (!isPownOn)
            mainIten.visible = kind !== ""
    }

    function run() {
    }

    // Blocks all input and shows the busy indicator for `interval` ms
    // (0: until the next pass of the event loop).
    function setProtectUI(interval) {
        protectUIItem.setBusy(true)
        ui_View.setEnabled(false)
        tmrProtectUI.interval = interval
        tmrProtectUI.restart()
    }

    // The first protection period ends with the logo giving way to the
    // whole interface.
    function endProtection() {
        ui_View.setEnabled(true)
        protectUIItem.setBusy(false)
        if (powerOnLogo.visible) {
            powerOnLogo.visible = false
            envItem.visible = true
            panelleft.visible = true
            bottomBar.visible = true
            panelRight.visible = true
            upItem.visible = true
            mousePlace.visible = true
        }
    }

    // Stages arrive numbered from 1; 0 says nothing.
    function setCurrentDPI(dpiValue) {
        if (dpiValue != 0)
            selectDPIStage(dpiValue - 1)
    }

    // The report rate chosen from outside the screens (the session bus): as
    // a choice in the list, stored and sent. False while the link is busy.
    function chooseReportRate(index) {
        if (linkBusy || index < 0 || index > 3)
            return false
        reportRateRect.choose(index)
        return true
    }

    function selectDPIStage(index) {
        currentDPI = index
        if (dpiSettingMain)
            dpiSettingMain.currentDPI = index
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, zarnCode, x, y) {
        msg_MS(isDown, zarnCode, x, y)
    }

    // Captured keys go to the screen that waits for one.
    onMsg_KB: function(isDown, usbCode) {
        if (macroEditorMain && macroEditorMain.isMacroSelected) {
            if (macroEditorMain.isInputting)
                macroEditorMain.detectKeyboard(isDown, usbCode)
            if (macroEditorMain.isInsertting)
                macroEditorMain.detectInput(isDown, usbCode)
        }
        if (keyAssigmentMain) {
            if (keyAssigmentMain.isFireInput)
                keyAssigmentMain.detectKeyboard(isDown, usbCode, 0)
            if (keyAssigmentMain.isComboInput)
                keyAssigmentMain.detectKeyboard(isDown, usbCode, 1)
        }
    }

    // Closes every open drop-down and the help menu.
    function mainFocus() {
        reportRateRect.rateList.isDrop = false
        if (dpiSettingMain && dpiSettingMain.dpiSegment)
            dpiSettingMain.dpiSegment.isDrop = false
        upItem.profileBtn.isDrop = false
        askMenu.visible = false
        if (lightControlMain && lightControlMain.lightModel)
            lightControlMain.lightModel.isDrop = false
    }

    // A press on the mask behind a dialog: each open dialog (and the
    // lighting panel) closes its own lists.
    function maskFocus() {
        if (macroEditorMain && macroEditorMain.visible)
            macroEditorMain.macroEditorFocus()
        if (profileMain && profileMain.visible)
            profileMain.profileFocus()
        if (gunControlMain && gunControlMain.visible)
            gunControlMain.gunControlFocus()
        if (lightControlMain && lightControlMain.visible)
            lightControlMain.lightControlFocus()
        if (systemSettingMain && systemSettingMain.visible)
            systemSettingMain.systemSettingFocus()
    }

    function controlUIEnable(isEnable) {
        protectUIItem.setBusy(!isEnable)
        ui_View.setEnabled(isEnable)
    }

    // Runs work made of several device commands as one exchange: the link
    // is held and the screen takes no input until it ends. Refused (false)
    // while the link is busy, whichever way the request came in.
    function exchange(work) {
        if (linkBusy || !hid.beginExchange())
            return false
        controlUIEnable(false)
        try {
            work()
        } finally {
            controlUIEnable(true)
            hid.endExchange()
        }
        return true
    }

    // Typed values not yet confirmed are taken before anything reloads the
    // panels or closes their dialog.
    function commitAllEdits() {
        for (var p of [macroEditorMain, gunControlMain, lightControlMain, dpiSettingMain, profileMain,
                       keyAssigmentMain, systemSettingMain, keyMatrixMain]) {
            if (p && typeof p.commitEdits === "function")
                p.commitEdits()
        }
    }

    function askMenuCmd(cmd) {
        // The address comes from a file: only a web page is opened.
        if (cmd === 0 && /^https?:\/\/[^\s]+$/i.test(url))
            Qt.openUrlExternally(url)
    }

    function showAskMenu() {
        mainFocus()
        askMenu.visible = true
        askMenu.forceActiveFocus()
    }

    // Opens a dialog centred in the window, with the mask behind it.
    function openDialog(dialog) {
        mainFocus()
        if (!dialog)
            return
        dialog.x = Math.round((width - dialog.width) / 2)
        dialog.y = Math.round((height - dialog.height) / 2)
        mainMask.visible = true
        dialog.visible = true
        dialog.forceActiveFocus()
    }

    function openFactorySure() {
        mainFocus()
        factorysure.open()
        mainMask.visible = true
    }

    function closeFactorySure() {
        factorysure.visible = false
        mainMask.visible = false
    }

    // Sends what the key matrix, DPI and lighting panels changed, in that
    // order; nothing when nothing changed.
    function saveAll() {
        mainFocus()
        if (linkBusy)
            return false
        commitAllEdits()
        if (!isAnySave)
            return false
        return exchange(function () {
            if (keyMatrixMain && keyMatrixMain.isSave) {
                keyMatrixMain.isSave = false
                keyMatrixMain.modKeys.saveData()
            }
            if (dpiSettingMain && dpiSettingMain.isSave) {
                dpiSettingMain.isSave = false
                dpiSettingMain.saveData(true)
            }
            if (lightControlMain && lightControlMain.isSave) {
                lightControlMain.isSave = false
                lightControlMain.saveData(true, 0)
            }
        })
    }

    // The panels load the current profile again and send it to the mouse:
    // afterwards nothing is left unsent.
    function sendProfile() {
        if (keyMatrixMain)
            keyMatrixMain.init(true, false)
        reportRateRect.init(true)
        // The desktop's pointer settings follow the profile even when their
        // dialog was never opened.
        for (var panel of [dpiSettingMain, lightControlMain, buildPanel("systemSetting")]) {
            if (panel)
                panel.init(true, false)
        }
        if (isGun) {
            ui_View.mouseSwitchKeyMatrix(1)
            ui_View.mouseResetKeyMatrix()
        }
        for (panel of [keyMatrixMain, dpiSettingMain, lightControlMain]) {
            if (panel)
                panel.isSave = false
        }
    }

    // The reset confirmation's OK: the current profile becomes the default
    // profile, and the mouse gets all of it. The guns get their factory
    // periods before the key matrix, which carries those periods, is sent.
    function factoryReset() {
        closeFactorySure()
        return exchange(function () {
            commitAllEdits()
            ui_View.resetProfile(profileNo)
            var gun = buildPanel("gunControl")
            if (gun)
                gun.resetData()
            sendProfile()
            ui_View.mouseSetCurrentDPI(3)
            selectDPIStage(2)
        })
    }

    function validProfile(number) {
        var n = Number(number)
        return number !== undefined && number !== null && number !== "" && Number.isInteger(n)
            && n >= 0 && n < profileCount
    }

    function setProfileNo(number) {
        profileNo = number
        if (profileMain)
            profileMain.profileNo = number
        showProfileInList()
    }

    // The title-bar list shows the profile rows; the row of a profile is not
    // its number once a row in the middle has gone, and the number is what
    // names the profile file.
    function showProfileInList() {
        var rows = profileMain && typeof profileMain.rowOfNumber === "function"
        upItem.profileBtn.currentSelect = rows ? profileMain.rowOfNumber(profileNo) : profileNo
    }
    function chooseProfileRow(row) {
        var rows = profileMain && typeof profileMain.numberAt === "function"
        changeProfile(rows ? profileMain.numberAt(row) : row)
        showProfileInList()
    }

    // The current profile's file was replaced (an import): the panels load
    // it and the mouse gets it.
    function reloadProfile() {
        return exchange(function () {
            commitAllEdits()
            sendProfile()
        })
    }

    // Makes another profile the current one (from the profile dialog, the
    // title-bar list and, once nothing holds it, the tray and the window in
    // front). A number that names no profile file is refused: the panels
    // would load nothing and send it to the mouse. False when nothing changed.
    function changeProfile(tmpProfileNo) {
        if (tmpProfileNo == profileNo || !validProfile(tmpProfileNo))
            return false
        return exchange(function () {
            // What was typed belongs to the profile it was typed in.
            commitAllEdits()
            setProfileNo(Number(tmpProfileNo))
            ui_View.setGlobalData("mouse/profileNo", profileNo)
            ui_View.setCurrentProfile(profileNo)
            sendProfile()
        })
    }

    // A switch from the tray: at once, or once no dialog and no exchange
    // holds it (the last one asked wins).
    function requestProfile(tmpProfileNo) {
        if (profileSwitchHoldReason !== "") {
            pendingProfile = validProfile(tmpProfileNo) ? Number(tmpProfileNo) : -1
            return false
        }
        pendingProfile = -1
        return changeProfile(tmpProfileNo)
    }
    function takePendingProfile() {
        if (profileSwitchHoldReason !== "" || pendingProfile < 0)
            return
        var number = pendingProfile
        pendingProfile = -1
        changeProfile(number)
    }

    function readConfiguration() {
        // The model as the device operations read it: the screens show the
        // mouse the back end talks to.
        var model = ui_View.getModelFlags()
        function flag(key) {
            return model !== undefined && model !== null && model[key] === true
        }
        isColorful = flag("isColorful")
        icType = model && model.icType !== undefined && model.icType !== null ? String(model.icType) : ""
        is55328 = flag("is55328")
        is571 = flag("is571")
        isGun = flag("isGun")
        var count = parseInt(ui_View.getGlobalData("mouse/keyCount"))
        if (!isNaN(count))
            keyCount = count
        if (mouseMain)
            mouseMain.keyCount = keyCount
        readLanguageSetting()
        var address = ui_View.getGlobalData("common/url")
        if (address)
            url = address
        var version = typeof ui_View.getVersion === "function" ? ui_View.getVersion() : ""
        programVersion = version ? String(version) : ""
    }

    function readLanguageSetting() {
        if (languageLoaded)
            return
        var lang = ui_View.getGlobalData("common/language")
        if (lang)
            language = lang
    }

    // A loaded list replaces the built-in one position by position; the
    // built-in text stays where the file has none.
    function mergeLang(builtIn, loaded) {
        var merged = builtIn ? builtIn.slice() : []
        for (var i = 0; i < loaded.length; ++i) {
            if (loaded[i] !== "" || i >= merged.length)
                merged[i] = loaded[i]
        }
        return merged
    }

    function panelOfLang(type) {
        return { keyMatrix: keyMatrixMain, keyAssigment: keyAssigmentMain, dpiSetting: dpiSettingMain,
            lightControl: lightControlMain, macroEditor: macroEditorMain, systemSetting: systemSettingMain,
            gunControl: gunControlMain, profile: profileMain }[type]
    }

    // Hands a panel its language list, once both are there.
    function deliverLang(type) {
        var panel = panelOfLang(type)
        if (panel && panelLang[type] !== undefined && panel.langList !== undefined)
            panel.langList = mergeLang(panel.langList, panelLang[type])
    }

    function loadLanguage() {
        languageLoaded = true
        mainLang = mergeLang(mainLang, ui_View.getLangStrings("main", language))
        var lists = {}
        var types = ["keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
                     "systemSetting", "gunControl", "profile"]
        for (var i = 0; i < types.length; ++i)
            lists[types[i]] = ui_View.getLangStrings(types[i], language)
        panelLang = lists
        for (i = 0; i < types.length; ++i)
            deliverLang(types[i])
        var keyNames = ui_View.getLangStrings("keyCode", language)
        if (keyNames.length > 0)
            _KeyCodeString.keyCodeStr = mergeLang(_KeyCodeString.keyCodeStr, keyNames)
        // The back end takes the DPI-switch notices from this list.
        ui_View.getLangStrings("other", language)
        deviceNotice.langList = mergeLang(deviceNotice.langList, ui_View.getLangStrings("notice", language))
    }

    // A panel that loads after the start-up sequence gets what the main
    // screen kept for it; a dialog built on first use loads what the start
    // would have loaded into it.
    function panelLoaded(type) {
        deliverLang(type)
        if (type === "mouse" && mouseMain)
            mouseMain.keyCount = keyCount
        else if (type === "dpiSetting" && dpiSettingMain)
            dpiSettingMain.currentDPI = currentDPI
        else if (type === "profile" && profileMain)
            profileMain.profileNo = profileNo
        else if (isPownOn && type === "systemSetting")
            systemSettingMain.init(false, false)
        else if (isPownOn && ["macroEditor", "gunControl", "keyAssigment"].indexOf(type) >= 0)
            panelOfLang(type).init()
    }

    // The dialog of `type`, built if it was not yet (the macro editor, the
    // gun editor, the system settings and the button dialog wait for their
    // first use).
    function buildPanel(type) {
        var place = { macroEditor: macroEditorPlace, gunControl: gunControlPlace,
            systemSetting: systemSettingPlace, keyAssigment: keyAssigmentPlace, profile: profilePlace }[type]
        return place ? place.build() : null
    }

    function moveWindowBy(dx, dy) {
        ui_Ctl.onXChanged(dx)
        ui_Ctl.onYChanged(dy)
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
            if (pressed)
                mainIten.moveWindowBy(mouse.x - pressedAt.x, mouse.y - pressedAt.y)
        }
    }

    // Shown once per run: the picture is let go once the logo has gone.
    Image {
        id: powerOnLogo
        anchors.centerIn: parent
        source: visible ? mainIten.sourcePowerOn : ""
        Accessible.role: Accessible.Graphic
        Accessible.name: "Logo"
    }

    DeviceNotice {
        id: deviceNotice
        z: 98
    }

    // A change the back end could not store is said over the scene.
    StoreNotice {
        id: storeNotice
        title: deviceNotice.tr(10, "Not saved")
        z: 97
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
    }
    Connections {
        target: typeof ui_View !== "undefined" ? ui_View : null
        ignoreUnknownSignals: true
        function onStoreWriteFailed(message) { storeNotice.show(message) }
    }

    BusyIndicator {
        id: protectUIItem
        anchors.centerIn: parent
        z: 99
        text: mainIten.mainLang[11]
        textColor: mainIten.fontColor
        textSize: mainIten.fontNormalSize
        textFamily: mainIten.uiFontFamily
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Timer {
        id: tmrProtectUI
        interval: 1000
        onTriggered: mainIten.endProtection()
    }

    Environment {
        id: envItem
        visible: false
        sourceBackground: mainIten.onScreen ? mainIten.sourceBackground : ""
        sourceTitleBar: mainIten.onScreen ? mainIten.sourceTitleBar : ""
        sourceTitleLogo: mainIten.sourceTitleLogo
    }

    // Behind an open dialog the window takes no key and no accessible
    // press: Tab goes round the dialog alone.
    readonly property bool behindDialog: mainMask.visible

    Column {
        id: panelleft
        x: 24
        y: 88
        spacing: 8
        visible: false
        enabled: !mainIten.behindDialog

        Loader {
            id: keyMatrixPlace
            objectName: "keyMatrixPlace"
            width: 232
            height: 300
            source: "panels/KeyMatrix.qml"
            onLoaded: mainIten.panelLoaded("keyMatrix")
        }

        // The editor box: the macro editor and, on a mouse with the gun
        // feature, the gun editor.
        Rectangle {
            id: macroBG
            width: 232
            height: mainIten.isGun ? 100 : 76
            color: mainIten.colorBlack
            Accessible.role: Accessible.Pane
            Accessible.name: mainIten.mainLang[0]

            Text {
                x: 8
                y: 8
                text: mainIten.mainLang[0]
                color: mainIten.colorGray2
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontNormalSize
                Accessible.ignored: true
            }
            FlatButton {
                id: macroEditorButton
                x: 8
                y: mainIten.isGun ? 32 : 36
                width: 216
                height: 24
                textValue: mainIten.mainLang[1]
                fillColor: mainIten.colorGray1
                hoverColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                onClicked: mainIten.openDialog(mainIten.buildPanel("macroEditor"))
            }
            Rectangle {
                x: 8
                y: 64
                width: 216
                height: 1
                color: mainIten.colorGray1
                visible: mainIten.isGun
            }
            FlatButton {
                x: 8
                y: 70
                width: 216
                height: 24
                visible: mainIten.isGun
                textValue: mainIten.mainLang[2]
                fillColor: mainIten.colorGray1
                hoverColor: mainIten.colorOrange
                fontFamily: mainIten.uiFontFamily
                fontSize: mainIten.fontNormalSize
                onClicked: mainIten.openDialog(mainIten.buildPanel("gunControl"))
            }
        }

        ReportRate {
            id: reportRateRect
        }

        FlatButton {
            id: systemSettingButton
            width: 232
            height: 24
            textValue: mainIten.mainLang[9]
            fillColor: mainIten.colorGray1
            hoverColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onClicked: mainIten.openDialog(mainIten.buildPanel("systemSetting"))
        }
    }

    Row {
        id: bottomBar
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        spacing: 16
        visible: false
        enabled: !mainIten.behindDialog

        FlatButton {
            id: configButton
            textValue: mainIten.mainLang[4]
            fillColor: mainIten.colorBlue
            hoverColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onClicked: mainIten.openDialog(mainIten.profileMain)
        }
        FlatButton {
            id: resetButton
            textValue: mainIten.mainLang[5]
            fillColor: mainIten.colorBlue
            hoverColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onClicked: mainIten.openFactorySure()
        }
        FlatButton {
            id: saveButton
            textValue: mainIten.mainLang[10]
            fillColor: mainIten.isAnySave ? "#ff3030" : mainIten.colorBlue
            hoverColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onClicked: mainIten.saveAll()
        }
    }

    Column {
        id: panelRight
        x: 768
        y: 56
        spacing: 8
        visible: false
        enabled: !mainIten.behindDialog

        Loader {
            id: dpiSettingPlace
            objectName: "dpiSettingPlace"
            width: 232
            height: 240
            source: "panels/DpiSetting.qml"
            onLoaded: mainIten.panelLoaded("dpiSetting")
        }
        Loader {
            id: lightControlPlace
            objectName: "lightControlPlace"
            width: 232
            height: 296
            source: "panels/LightControl.qml"
            onLoaded: mainIten.panelLoaded("lightControl")
        }
    }

    Menu_Up {
        id: upItem
        x: 920
        y: 16
        visible: false
        enabled: !mainIten.behindDialog
        sourceMinBtn: mainIten.sourceMinBtn
        sourceMinBtnH: mainIten.sourceMinBtnH
        sourceCloseBtn: mainIten.sourceCloseBtn
        sourceCloseBtnH: mainIten.sourceCloseBtnH
        sourceAsk: mainIten.sourceAsk
        sourceAskH: mainIten.sourceAskH
        sourceDropBtn: mainIten.sourceDropBtn
        sourceDropBtnU: mainIten.sourceDropBtnU
        profileModel: mainIten.profileMain ? mainIten.profileMain.profileDataModel0 : []
        profileListName: mainIten.mainLang[13]
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        hoverColor: mainIten.colorOrange
        onBtnClicked: function(btnIndex) {
            if (btnIndex === 0)
                ui_Ctl.onMinimize()
            else if (btnIndex === 1)
                ui_Ctl.onClose()
            else if (btnIndex === 2)
                mainIten.showAskMenu()
        }
        onProfileListClicked: mainIten.mainFocus()
        onProfileChosen: function(index) { mainIten.chooseProfileRow(index) }
    }

    // The mouse picture panel fills the window; only its picture and
    // controls take the mouse.
    Loader {
        id: mousePlace
        objectName: "mousePlace"
        anchors.fill: parent
        visible: false
        enabled: !mainIten.behindDialog
        source: "panels/Mouse.qml"
        onLoaded: mainIten.panelLoaded("mouse")
    }

    // Behind every dialog; drags the window as the empty window does.
    Rectangle {
        id: mainMask
        objectName: "mainMask"
        anchors.fill: parent
        color: "#90000000"
        visible: false
        MouseArea {
            anchors.fill: parent
            property point pressedAt
            onPressed: function(mouse) {
                pressedAt = Qt.point(mouse.x, mouse.y)
                mainIten.maskFocus()
            }
            onPositionChanged: function(mouse) {
                if (pressed)
                    mainIten.moveWindowBy(mouse.x - pressedAt.x, mouse.y - pressedAt.y)
            }
        }
    }

    // The dialogs' places span the window, so that a dialog centres itself
    // in the window and is dragged within it.
    DialogPlace {
        id: macroEditorPlace
        objectName: "macroEditorPlace"
        source: Qt.resolvedUrl("panels/MacroEditor.qml")
        deferred: true
        onLoaded: mainIten.panelLoaded("macroEditor")
    }
    // What the macro editor changes reaches the buttons that run the macro;
    // without the button list the profiles still follow.
    Connections {
        target: mainIten.macroEditorMain
        ignoreUnknownSignals: true
        function onDeleteMacro(macroName) {
            if (mainIten.keyMatrixMain)
                mainIten.keyMatrixMain.macroDeleted(macroName)
            else
                ui_View.deleteMacroUpdateProfile(macroName)
        }
        function onModifyMacroName(oldMacroName, newMacroName) {
            if (mainIten.keyMatrixMain)
                mainIten.keyMatrixMain.macroRenamed(oldMacroName, newMacroName)
            else
                ui_View.modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
        }
        function onModifyMacroData(macroName) {
            if (mainIten.keyMatrixMain)
                mainIten.keyMatrixMain.macroChanged(macroName)
        }
    }
    DialogPlace {
        id: gunControlPlace
        objectName: "gunControlPlace"
        source: Qt.resolvedUrl("panels/GunControl.qml")
        deferred: true
        onLoaded: mainIten.panelLoaded("gunControl")
    }
    DialogPlace {
        id: systemSettingPlace
        objectName: "systemSettingPlace"
        source: Qt.resolvedUrl("panels/SystemSetting.qml")
        deferred: true
        onLoaded: mainIten.panelLoaded("systemSetting")
    }
    DialogPlace {
        id: keyAssigmentPlace
        objectName: "keyAssigmentPlace"
        source: Qt.resolvedUrl("panels/KeyAssigment.qml")
        deferred: true
        onLoaded: mainIten.panelLoaded("keyAssigment")
    }
    DialogPlace {
        id: profilePlace
        objectName: "profilePlace"
        source: Qt.resolvedUrl("panels/Profile.qml")
        onLoaded: mainIten.panelLoaded("profile")
    }
    Connections {
        target: mainIten.profileMain
        ignoreUnknownSignals: true
        function onChangeProfile(tmpProfileNo) {
            mainIten.changeProfile(tmpProfileNo)
        }
        // Rows added or deleted move the profile in use within the list.
        function onProfileRowChanged() {
            mainIten.showProfileInList()
        }
    }

    DialogFrame {
        id: factorysure
        width: 427
        height: 102
        title: mainIten.mainLang[5]
        initialFocus: factoryCancel
        sourceClose: mainIten.sourceCloseBtn
        sourceCloseH: mainIten.sourceCloseBtnH
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onCloseClicked: mainIten.closeFactorySure()

        Text {
            x: 12
            y: 10
            width: parent.width - 24
            elide: Text.ElideRight
            text: mainIten.mainLang[6]
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        FlatButton {
            id: factoryOk
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            width: 88
            height: 25
            textValue: mainIten.mainLang[8]
            fillColor: mainIten.colorBlue
            hoverColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onClicked: mainIten.factoryReset()
        }
        FlatButton {
            id: factoryCancel
            anchors.right: factoryOk.left
            anchors.rightMargin: 7
            anchors.bottom: factoryOk.bottom
            width: 88
            height: 25
            textValue: mainIten.mainLang[7]
            fillColor: mainIten.colorGray1
            hoverColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onClicked: mainIten.closeFactorySure()
        }
    }

    AskMenu {
        id: askMenu
        x: 724
        y: 30
        visible: false
        entries: [mainIten.url, String(mainIten.mainLang[12]).arg(mainIten.programVersion)]
        maxWidth: mainIten.width - x
        fillColor: mainIten.colorGray0
        borderColor: mainIten.colorGray1
        hoverColor: mainIten.colorOrange
        textColor: mainIten.fontColor
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onCommand: function(cmd) {
            askMenu.visible = false
            mainIten.askMenuCmd(cmd)
        }
        onDismissed: askMenu.visible = false
    }

    KeyCodeString {
        id: _KeyCodeString
    }
}
