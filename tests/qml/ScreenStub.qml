// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the main screen's root item (`mainIten`) in the panels'
// tests: the properties, pictures and functions the panels reach by name.
Item {
    width: 1024
    height: 640

    property var mainLang: []
    property var panelLang: ({})
    property string uiFontFamily: "sans-serif"
    property int fontNormalSize: 12
    property int fontMaxSize: 16
    property int fontMiddleSize: 14
    property int fontMinSize: 10
    property color fontColor: "#ffffff"
    property bool isGun: true
    property int keyCount: 8
    property int skin_No: 1
    property color colorGray0: "#1a1a1a"
    property color colorGray1: "#3c3c3c"
    property color colorGray2: "#969696"
    property color colorGray3: "#d1d1d1"
    property color colorBlue: "#09347f"
    property color colorOrange: "#cf3e00"
    property int focusCalls: 0

    function mainFocus() {
        focusCalls++
    }
    function picture(group, file) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file + ".png"
    }

    property url sourceMouseFront: picture("mouse", "mouseFront")
    property url sourceMouseSide: picture("mouse", "mouseSide")
    property url sourceMouse0: picture("mouse", "mouse0")
    property url sourceMouse1: picture("mouse", "mouse1")
    property url sourceMouse2: picture("mouse", "mouse2")
    property url sourceMouse3: picture("mouse", "mouse3")
    property url sourceMouse4: picture("mouse", "mouse4")
    property url sourceMouse5: picture("mouse", "mouse5")
    property url sourceMouse6: picture("mouse", "mouse6")
    property url sourceMouse7: picture("mouse", "mouse7")
    property url sourceMouse0S: picture("mouse", "mouse0S")
    property url sourceMouse1S: picture("mouse", "mouse1S")
    property url sourceMouse2S: picture("mouse", "mouse2S")
    property url sourceMouse3S: picture("mouse", "mouse3S")
    property url sourceMouse4S: picture("mouse", "mouse4S")
    property url sourceMouse5S: picture("mouse", "mouse5S")
    property url sourceMouse6S: picture("mouse", "mouse6S")
    property url sourceMouse7S: picture("mouse", "mouse7S")
    property url sourceMouseSide0: picture("mouse", "mouseSide0")
    property url sourceMouseSide1: picture("mouse", "mouseSide1")
    property url sourceMouseSide2: picture("mouse", "mouseSide2")
    property url sourceMouseSide3: picture("mouse", "mouseSide3")
    property url sourceMouseSide4: picture("mouse", "mouseSide4")
    property url sourceMouseSide5: picture("mouse", "mouseSide5")
    property url sourceMouseSide6: picture("mouse", "mouseSide6")
    property url sourceMouseSide7: picture("mouse", "mouseSide7")
    property url sourceMouseSide0S: picture("mouse", "mouseSide0S")
    property url sourceMouseSide1S: picture("mouse", "mouseSide1S")
    property url sourceMouseSide2S: picture("mouse", "mouseSide2S")
    property url sourceMouseSide3S: picture("mouse", "mouseSide3S")
    property url sourceMouseSide4S: picture("mouse", "mouseSide4S")
    property url sourceMouseSide5S: picture("mouse", "mouseSide5S")
    property url sourceMouseSide6S: picture("mouse", "mouseSide6S")
    property url sourceMouseSide7S: picture("mouse", "mouseSide7S")
    property url sourceMouseSidebtnN: picture("mouse", "MouseSidebtnN")
    property url sourceMouseSidebtnH: picture("mouse", "MouseSidebtnH")
    property url sourceMouseSidebtnS: picture("mouse", "MouseSidebtnS")
    property url sourcelightBtn: picture("mouse", "lightBtn")
    property url sourcelightBtnS: picture("mouse", "lightBtnS")
    property url sourceCloseBtn: picture("index", "closeBtn")
    property url sourceCloseBtnH: picture("index", "closeBtnH")
    property url sourceSureBtn: picture("index", "sureBtn")
    property url sourceSureBtnH: picture("index", "sureBtnH")
    property url sourceRestBtn: picture("index", "restBtn")
    property url sourceRestBtnH: picture("index", "restBtnH")
    property url sourceRestBtnP: picture("index", "restBtnP")
    property url sourceMacroKeyBg: picture("index", "macroKeyBg")
    property url sourceSingleKeyBg: picture("index", "singleKeyBg")
    property url sourceMacroTypeCheck: picture("index", "macroTypeCheck")
    property url sourceMacroTypeCheck0: picture("index", "macroTypeCheck0")
    property url sourceBack: picture("index", "back")
    property url sourceBackH: picture("index", "backH")
    property url sourceDropBtn: picture("index", "dropBtn")
    property url sourceDropBtnU: picture("index", "dropBtnU")
    property url sourceSlide: picture("index", "slide")
    property url sourceRadioBtn: picture("index", "radioBtn")
    property url sourceRadioBtnS: picture("index", "radioBtnS")
    property url sourceCheckBtn: picture("index", "checkBtn")
    property url sourcePageUp: picture("index", "pageUp")
    property url sourcePageDown: picture("index", "pageDown")
    property url sourceMacroStartBtn: picture("macros", "MacroStartBtn")
    property url sourceMacroStartBtnH: picture("macros", "MacroStartBtnH")
    property url sourceMacroStartBtnP: picture("macros", "MacroStartBtnP")
    property url sourcemacroBg: picture("macros", "macroBg")
    property url sourcemacroCheck0: picture("macros", "macroCheck0")
    property url sourcemacroCheck1: picture("macros", "macroCheck1")
    property url sourcemacroKeyDelay: picture("macros", "macroKeyDelay")
    property url sourcemacroKeyPress: picture("macros", "macroKeyPress")
    property url sourcemacroKeyRelease: picture("macros", "macroKeyRelease")
    property url sourcemacroMousePress: picture("macros", "macroMousePress")
    property url sourcemacroMouseRelease: picture("macros", "macroMouseRelease")
    property url sourcemacroNewBtn: picture("macros", "macroNewBtn")
    property url sourcemacroNewBtnH: picture("macros", "macroNewBtnH")
    property url sourcemacroNewBtnP: picture("macros", "macroNewBtnP")
    property url sourcemacroRecordBtn: picture("macros", "macroRecordBtn")
    property url sourcemacroRecordBtnH: picture("macros", "macroRecordBtnH")
    property url sourcemacroRecordBtnP: picture("macros", "macroRecordBtnP")
    property url sourcemacroSaveBtn: picture("macros", "macroSaveBtn")
    property url sourcemacroSaveBtnH: picture("macros", "macroSaveBtnH")
    property url sourcemacroSaveBtnP: picture("macros", "macroSaveBtnP")
    property url sourcemacroMenuBG: picture("macros", "macroMenuBG")
}
