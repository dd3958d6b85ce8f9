// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// Stands in for the main screen (`mainIten`) around the DPI and lighting
// panels: the model flags, the team's fonts and colours, the pictures the
// panels show, and a focus function that closes the panels' lists.
Item {
    property bool isColorful: false
    property bool is55328: false
    property bool is571: false
    property var panelLang: ({})
    property int mainFocusCount: 0
    property var panels: []

    property string uiFontFamily: "sans-serif"
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

    function picture(group, file) {
        return "qrc:/" + group + "/modules/img/skin1/" + group + "/" + file
    }
    property url sourceRestBtn: picture("index", "restBtn.png")
    property url sourceRestBtnH: picture("index", "restBtnH.png")
    property url sourceRestBtnP: picture("index", "restBtnP.png")
    property url sourceDropBtn: picture("index", "dropBtn.png")
    property url sourceDropBtnU: picture("index", "dropBtnU.png")
    property url sourceSlide: picture("index", "slide.png")
    property url sourcedpiSettingBG: picture("dpiSetting", "dpiSettingBG.png")
    property url sourcedpiSetting0: picture("dpiSetting", "dpiSetting0.png")
    property url sourcedpiSetting1: picture("dpiSetting", "dpiSetting1.png")
    property url sourceLightControl0: picture("lightControl", "LightControl0.png")
    property url sourceLightControl1: picture("lightControl", "LightControl1.png")
    property url sourceLightControl2: picture("lightControl", "LightControl2.png")
    property url sourceLightControl3: picture("lightControl", "LightControl3.png")
    property url sourceLightControl4: picture("lightControl", "LightControl4.png")
    property url sourceLightControlTxt0: picture("lightControl", "LightControlTxt0.png")
    property url sourceLightControlTxt1: picture("lightControl", "LightControlTxt1.png")
    property url sourceLightControlTxt2: picture("lightControl", "LightControlTxt2.png")
    property url sourceColorBar: picture("lightControl", "ColorBar.png")
    property url sourceSpeedScale: picture("lightControl", "SpeedScale.png")

    // As the main screen's: every panel's list closes.
    function mainFocus() {
        mainFocusCount += 1
        for (var i = 0; i < panels.length; ++i) {
            if (panels[i].dpiSegment)
                panels[i].dpiSegment.isDrop = false
            if (panels[i].lightModel)
                panels[i].lightModel.isDrop = false
        }
    }
}
