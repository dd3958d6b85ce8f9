// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtQuick.Window
import QtTest

// Every picture the screens name is in the resources at its size, with a
// variant of twice the size that Image picks on a 200 % screen; the one
// picture the screens name but the resources lack stays absent; and every
// `source...` property the main screen declares resolves to a picture.
TestCase {
    id: testCase
    name: "Pictures"

    function range(stem, from, to, suffix) {
        var names = []
        for (var i = from; i <= to; ++i)
            names.push(stem + i + (suffix || ""))
        return names
    }

    // The picture properties by group and size at 1x.
    readonly property var expected: [
        { group: "frame", w: 1024, h: 640, names: ["sourceBackground"] },
        { group: "frame", w: 1024, h: 48, names: ["sourceTitleBar"] },
        { group: "frame", w: 260, h: 28, names: ["sourceTitleLogo"] },
        { group: "mouse", w: 440, h: 500, names: ["sourceMouseFront", "sourceMouseSide"]
                .concat(range("sourceMouse", 0, 7), range("sourceMouse", 0, 7, "S"),
                        range("sourceMouseSide", 0, 7), range("sourceMouseSide", 0, 7, "S")) },
        { group: "mouse", w: 32, h: 32, names: ["sourceMouseSidebtnN", "sourceMouseSidebtnH",
                "sourceMouseSidebtnS", "sourcelightBtn", "sourcelightBtnS"] },
        { group: "index", w: 24, h: 24, names: ["sourceMinBtn", "sourceMinBtnH", "sourceCloseBtn",
                "sourceCloseBtnH", "sourceSureBtn", "sourceSureBtnH", "sourceAsk", "sourceAskH",
                "sourceRestBtn", "sourceRestBtnH", "sourceRestBtnP", "sourceSaveBtn",
                "sourceSaveBtnH", "sourceSaveBtnP", "sourceBack", "sourceBackH", "sourceConfigBtn"] },
        { group: "index", w: 64, h: 24, names: ["sourceMacroKeyBg"] },
        { group: "index", w: 32, h: 32, names: ["sourceSingleKeyBg"] },
        { group: "index", w: 16, h: 16, names: ["sourceMacroTypeCheck", "sourceMacroTypeCheck0",
                "sourceDropBtn", "sourceDropBtnU", "sourceSlide", "sourceRadioBtn",
                "sourceRadioBtnS", "sourceCheckBtn", "sourcePageUp", "sourcePageDown"] },
        { group: "index", w: 460, h: 330, names: ["sourcePowerOn"] },
        { group: "index", w: 200, h: 8, names: ["sourceScale"] },
        { group: "xySetting", w: 32, h: 32, names: range("sourcexy", 0, 9) },
        { group: "xySetting", w: 16, h: 16, names: ["sourcexyBtn"] },
        { group: "xySetting", w: 24, h: 16, names: ["sourcexyNumber"] },
        { group: "profile", w: 24, h: 24, names: ["sourceprofileStartBtn", "sourceprofileStartBtnS",
                "sourceprofileStartBtnH", "sourceProfileCopyBtn", "sourceProfileCopyBtnS",
                "sourceProfileDeleteBtn", "sourceProfileDeleteBtnS", "sourceProfileDeleteBtn0",
                "sourceProfileEditBtn", "sourceProfileEditBtnS", "sourceProfileNewBtn",
                "sourceProfileSettingBtn", "sourceprofileCloseBtn"] },
        { group: "profile", w: 480, h: 360, names: ["sourceProfileBG"] },
        { group: "lightControl", w: 24, h: 24, names: range("sourceLightControl", 0, 4)
                .concat(["sourceLightControlBtn0", "sourceLightControlBtn1"],
                        range("sourceLightControlTxt", 0, 2)) },
        { group: "lightControl", w: 206, h: 12, names: ["sourceColorBar"] },
        { group: "lightControl", w: 200, h: 8, names: ["sourceSpeedScale"] },
        { group: "dpiSetting", w: 232, h: 240, names: ["sourcedpiSettingBG"] },
        { group: "dpiSetting", w: 20, h: 12, names: ["sourcedpiSetting0", "sourcedpiSetting1"] },
        { group: "reportRate", w: 24, h: 24, names: range("sourcereportRate", 0, 3) },
        { group: "mouseRate", w: 32, h: 32, names: range("sourcemouseRate", 0, 10) },
        { group: "macros", w: 96, h: 28, names: ["sourceMacroStartBtn", "sourceMacroStartBtnH",
                "sourceMacroStartBtnP", "sourcemacroNewBtn", "sourcemacroNewBtnH",
                "sourcemacroNewBtnP", "sourcemacroRecordBtn", "sourcemacroRecordBtnH",
                "sourcemacroRecordBtnP", "sourcemacroSaveBtn", "sourcemacroSaveBtnH",
                "sourcemacroSaveBtnP"] },
        { group: "macros", w: 720, h: 480, names: ["sourcemacroBg"] },
        { group: "macros", w: 16, h: 16, names: ["sourcemacroCheck0", "sourcemacroCheck1",
                "sourcemacroKeyDelay", "sourcemacroKeyPress", "sourcemacroKeyRelease",
                "sourcemacroMousePress", "sourcemacroMouseRelease"] },
        { group: "macros", w: 140, h: 160, names: ["sourcemacroMenuBG"] },
        { group: "scrollRate", w: 32, h: 32, names: range("sourcescrollRate", 0, 6) },
        { group: "gun", w: 200, h: 72, names: ["sourceM416", "sourceAKM", "sourceM16A4",
                "sourceSCARL", "sourceThomson", "sourceUNP9"] },
        { group: "gun", w: 200, h: 200, names: ["sourceTarget"] },
    ]
    readonly property string absentProperty: "sourceLightControlBtn"

    // File names: the property name without "source"; names that start with
    // a capital keep it only where the file does.
    function fileOf(property) {
        var name = property.substring("source".length)
        if (name === "SCARL")
            return "SCAR-L.png"
        var keepsCapital = /^(MouseSidebtn|Profile|LightControl(\d|Btn\d|Txt)|ColorBar|SpeedScale|MacroStartBtn|M416|AKM|M16A4|Thomson|UNP9)/
        if (!keepsCapital.test(name))
            name = name.charAt(0).toLowerCase() + name.substring(1)
        return name + ".png"
    }

    function urlOf(group, file) {
        if (group === "frame")
            return "qrc:/modules/img/" + file
        if (group === "gun")
            return "qrc:/gun/modules/img/skin1/gun/" + file
        return "qrc:/" + group + "/modules/img/skin1/" + group + "/" + file
    }

    function at2x(url) {
        return url.replace(/\.png$/, "@2x.png")
    }

    Component {
        id: imageComponent
        Image {}
    }

    function load(url) {
        var image = createTemporaryObject(imageComponent, testCase, { source: url })
        verify(image, "image for " + url)
        return image
    }

    function expectedByProperty() {
        var table = {}
        for (var i = 0; i < expected.length; ++i) {
            var e = expected[i]
            for (var j = 0; j < e.names.length; ++j)
                table[e.names[j]] = { url: urlOf(e.group, fileOf(e.names[j])), w: e.w, h: e.h }
        }
        return table
    }

    function test_everyPictureAtBothSizes_data() {
        var rows = []
        var table = expectedByProperty()
        for (var property in table)
            rows.push({ tag: property, url: table[property].url, w: table[property].w,
                        h: table[property].h })
        // Two pictures in the resources that no property names.
        rows.push({ tag: "mainLogo", url: urlOf("index", "mainLogo.png"), w: 230, h: 165 })
        rows.push({ tag: "flickableBar", url: urlOf("index", "flickableBar.png"), w: 6, h: 40 })
        return rows
    }

    // Image reads the device pixel ratio from an "@2x" name, so the 2x
    // picture must come out at the same logical size from twice the pixels;
    // the plain name gives the picture that suits the screen.
    function test_everyPictureAtBothSizes(row) {
        var one = load(row.url)
        compare(one.status, Image.Ready, row.url)
        var ratio = Screen.devicePixelRatio >= 2 ? 2 : 1
        compare(one.sourceSize.width, row.w * ratio, row.url)
        compare(one.sourceSize.height, row.h * ratio, row.url)
        compare(one.implicitWidth, row.w, row.url)
        compare(one.implicitHeight, row.h, row.url)

        var two = load(at2x(row.url))
        compare(two.status, Image.Ready, at2x(row.url))
        compare(two.sourceSize.width, 2 * row.w, at2x(row.url))
        compare(two.sourceSize.height, 2 * row.h, at2x(row.url))
        compare(two.implicitWidth, row.w, at2x(row.url))
    }

    function test_theNamesFollowTheNamingRule() {
        compare(fileOf("sourceMouse0S"), "mouse0S.png")
        compare(fileOf("sourceMouseSidebtnN"), "MouseSidebtnN.png")
        compare(fileOf("sourceSCARL"), "SCAR-L.png")
        compare(fileOf("sourceTarget"), "target.png")
        compare(fileOf("sourcelightBtn"), "lightBtn.png")
    }

    // An image that names the absent picture shows nothing.
    function test_theAbsentPictureStaysAbsent() {
        var url = urlOf("lightControl", fileOf(absentProperty))
        compare(url, "qrc:/lightControl/modules/img/skin1/lightControl/lightControlBtn.png")
        var image = load(url)
        compare(image.status, Image.Error)
        compare(load(at2x(url)).status, Image.Error)
    }

    // Whatever picture properties the main screen declares: each resolves
    // to a picture (the absent one aside), and the ones listed above carry
    // the expected location.
    function test_mainScreenPictureProperties() {
        var component = Qt.createComponent("qrc:/modules/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        var main = createTemporaryObject(component, testCase)
        verify(main)
        var table = expectedByProperty()
        var seen = 0
        for (var key in main) {
            if (key.indexOf("source") !== 0 || typeof main[key] === "function")
                continue
            ++seen
            var url = String(main[key])
            if (key === absentProperty) {
                compare(load(url).status, Image.Error, key)
                continue
            }
            if (table[key] !== undefined)
                compare(url, table[key].url, key)
            var image = load(url)
            compare(image.status, Image.Ready, key + ": " + url)
            compare(load(at2x(url)).status, Image.Ready, key + " at 2x")
        }
        verify(seen >= 10, "picture properties found on the main screen: " + seen)
    }
}
