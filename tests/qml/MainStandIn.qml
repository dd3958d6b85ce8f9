// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the main screen's root item (`mainIten`) next to a panel
// under test: the fonts, colours, language lists and pictures the panels
// read, and the root functions they call, which are recorded.
Item {
    property bool isGun: true
    property bool isColorful: false
    property string icType: "553"
    property int profileNo: 0
    property var calls: []

    function record(name, args) {
        var list = calls
        list.push({ name: name, args: Array.prototype.slice.call(args) })
        calls = list
    }
    function callsOf(name) {
        var found = []
        for (var i = 0; i < calls.length; ++i)
            if (calls[i].name === name)
                found.push(calls[i].args)
        return found
    }
    function mainFocus() { record("mainFocus", arguments) }
    function changeProfile(tmpProfileNo) {
        record("changeProfile", arguments)
        profileNo = tmpProfileNo
    }

    readonly property string uiFontFamily: "sans-serif"
    property int fontNormalSize: 12
    property int fontMaxSize: 16
    property int fontMiddleSize: 14
    property int fontMinSize: 10
    property color fontColor: "#ffffff"
    property color colorGray0: "#1a1a1a"
    property color colorGray1: "#3c3c3c"
    property color colorGray2: "#969696"
    property color colorGray3: "#d1d1d1"
    property color colorBlue: "#09347f"
    property color colorOrange: "#cf3e00"

    function pic(group, file) {
        return "qrc:/" + group + "/modules/img/skin1/" + group + "/" + file
    }
    property url sourceCloseBtn: pic("index", "closeBtn.png")
    property url sourceCloseBtnH: pic("index", "closeBtnH.png")
    property url sourceRestBtn: pic("index", "restBtn.png")
    property url sourceRestBtnH: pic("index", "restBtnH.png")
    property url sourceRestBtnP: pic("index", "restBtnP.png")
    property url sourceDropBtn: pic("index", "dropBtn.png")
    property url sourceDropBtnU: pic("index", "dropBtnU.png")
    property url sourceSlide: pic("index", "slide.png")
    property url sourceRadioBtn: pic("index", "radioBtn.png")
    property url sourceRadioBtnS: pic("index", "radioBtnS.png")
    property url sourceCheckBtn: pic("index", "checkBtn.png")
    property url sourcePageUp: pic("index", "pageUp.png")
    property url sourcePageDown: pic("index", "pageDown.png")
    property url sourcemacroMenuBG: pic("macros", "macroMenuBG.png")
    property url sourcemouseRate0: pic("mouseRate", "mouseRate0.png")
    property url sourcemouseRate1: pic("mouseRate", "mouseRate1.png")
    property url sourcemouseRate2: pic("mouseRate", "mouseRate2.png")
    property url sourcemouseRate3: pic("mouseRate", "mouseRate3.png")
    property url sourcemouseRate4: pic("mouseRate", "mouseRate4.png")
    property url sourcemouseRate5: pic("mouseRate", "mouseRate5.png")
    property url sourcemouseRate6: pic("mouseRate", "mouseRate6.png")
    property url sourcemouseRate7: pic("mouseRate", "mouseRate7.png")
    property url sourcemouseRate8: pic("mouseRate", "mouseRate8.png")
    property url sourcemouseRate9: pic("mouseRate", "mouseRate9.png")
    property url sourcemouseRate10: pic("mouseRate", "mouseRate10.png")
    property url sourcescrollRate0: pic("scrollRate", "scrollRate0.png")
    property url sourcescrollRate1: pic("scrollRate", "scrollRate1.png")
    property url sourcescrollRate2: pic("scrollRate", "scrollRate2.png")
    property url sourcescrollRate3: pic("scrollRate", "scrollRate3.png")
    property url sourcescrollRate4: pic("scrollRate", "scrollRate4.png")
    property url sourcescrollRate5: pic("scrollRate", "scrollRate5.png")
    property url sourcescrollRate6: pic("scrollRate", "scrollRate6.png")
    property url sourceprofileStartBtn: pic("profile", "profileStartBtn.png")
    property url sourceprofileStartBtnS: pic("profile", "profileStartBtnS.png")
    property url sourceprofileStartBtnH: pic("profile", "profileStartBtnH.png")
    property url sourceProfileBG: pic("profile", "ProfileBG.png")
    property url sourceProfileCopyBtn: pic("profile", "ProfileCopyBtn.png")
    property url sourceProfileCopyBtnS: pic("profile", "ProfileCopyBtnS.png")
    property url sourceProfileDeleteBtn: pic("profile", "ProfileDeleteBtn.png")
    property url sourceProfileDeleteBtnS: pic("profile", "ProfileDeleteBtnS.png")
    property url sourceProfileDeleteBtn0: pic("profile", "ProfileDeleteBtn0.png")
    property url sourceProfileEditBtn: pic("profile", "ProfileEditBtn.png")
    property url sourceProfileEditBtnS: pic("profile", "ProfileEditBtnS.png")
    property url sourceProfileNewBtn: pic("profile", "ProfileNewBtn.png")
    property url sourceProfileSettingBtn: pic("profile", "ProfileSettingBtn.png")
    property url sourceprofileCloseBtn: pic("profile", "profileCloseBtn.png")
    property url sourceM416: "qrc:/gun/modules/img/skin1/gun/M416.png"
    property url sourceAKM: "qrc:/gun/modules/img/skin1/gun/AKM.png"
    property url sourceM16A4: "qrc:/gun/modules/img/skin1/gun/M16A4.png"
    property url sourceSCARL: "qrc:/gun/modules/img/skin1/gun/SCAR-L.png"
    property url sourceThomson: "qrc:/gun/modules/img/skin1/gun/Thomson.png"
    property url sourceUNP9: "qrc:/gun/modules/img/skin1/gun/UNP9.png"
    property url sourceTarget: "qrc:/gun/modules/img/skin1/gun/target.png"
}
