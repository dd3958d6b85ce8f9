// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/panels"

// Every dialog in every shipped language: a text that neither elides nor
// wraps must fit its own width, and no text may run out of its dialog.
Item {
    id: scene
    width: 1024
    height: 640

    MainStandIn {
        id: mainIten
        property var mainLang: []
        property int keyCount: 8
        property int skin_No: 1
        property string language: "English"
    }
    Rectangle { id: mainMask; anchors.fill: parent; visible: false }
    KeyCodeString { id: _KeyCodeString }
    Item {
        id: mouseMain
        property int selectKey: -1
        property int keyCount: 8
    }

    KeyMatrix { id: keyMatrixMain; x: 24; y: 88 }
    ReportRate { id: reportRateRect; x: 24; y: 484; width: 232; height: 56 }
    DpiSetting { id: dpiSettingMain; x: 768; y: 56; width: 232; height: 240 }
    LightControl { id: lightControlMain; x: 768; y: 304; width: 232; height: 296 }
    KeyAssigment { id: keyAssigmentMain }
    MacroEditor { id: macroEditorMain }
    GunControl { id: gunControlMain }
    SystemSetting { id: systemSettingMain }
    Profile { id: profileMain }
    DeviceNotice { id: deviceNotice; anchors.fill: parent }
    BusyIndicator { id: busy; anchors.centerIn: parent; isBusy: true }

    TestCase {
        name: "TextFit"
        when: windowShown

        // What each dialog is, the language list it takes and how it opens.
        readonly property var dialogs: [
            { item: dpiSettingMain, list: "dpiSetting", open: function () { } },
            { item: lightControlMain, list: "lightControl", open: function () { } },
            { item: keyMatrixMain, list: "keyMatrix", open: function () { } },
            { item: keyAssigmentMain, list: "keyAssigment", open: function () { keyAssigmentMain.show(2) } },
            { item: macroEditorMain, list: "macroEditor", open: function () { macroEditorMain.open() } },
            { item: gunControlMain, list: "gunControl", open: function () { gunControlMain.show() } },
            { item: systemSettingMain, list: "systemSetting", open: function () { systemSettingMain.show() } },
            { item: profileMain, list: "profile", open: function () { profileMain.show() } },
            { item: deviceNotice, list: "notice", open: function () {
                deviceNotice.show("denied", deviceNotice.tr(6, "") + "\nprintf '%s\\n' 'rule' | sudo tee x") } }
        ]

        function isPlainText(t) {
            return typeof t.elide === "number" && typeof t.wrapMode === "number" &&
                   typeof t.truncated === "boolean" && typeof t.text === "string"
        }
        // The texts shown inside `item` that do not fit, as readable lines.
        function cut(item, frame, where) {
            var found = []
            var kids = item.children
            for (var i = 0; i < kids.length; ++i) {
                var c = kids[i]
                if (!c.visible || c.opacity === 0)
                    continue
                if (isPlainText(c) && c.text.trim() !== "") {
                    var p = c.mapToItem(frame, 0, 0)
                    var wide = c.contentWidth
                    var what = where + ": \"" + c.text + "\" "
                    // Wrapping cannot split a word wider than the place.
                    if (c.elide === Text.ElideNone && wide > c.width + 1)
                        found.push(what + Math.ceil(wide) + " px in " + Math.round(c.width))
                    else if (c.wrapMode !== Text.NoWrap && c.contentHeight > c.height + 1 && c.clip)
                        found.push(what + "wraps to " + Math.ceil(c.contentHeight) + " px in " + Math.round(c.height))
                    var right = p.x + Math.max(0, Math.min(wide, c.width))
                    if (c.elide === Text.ElideNone && (right > frame.width + 1 || p.x < -1))
                        found.push(what + "runs out of its dialog (" + Math.round(p.x) + " .. " +
                                   Math.round(right) + " of " + frame.width + ")")
                }
                found = found.concat(cut(c, frame, where))
            }
            return found
        }

        function test_everyTextFitsInEveryLanguage() {
            var languages = shippedLanguages.languages()
            verify(languages.length >= 14)
            var faults = []
            var checked = 0
            for (var l = 0; l < languages.length; ++l) {
                var code = languages[l]
                mainIten.language = code
                mainIten.mainLang = shippedLanguages.strings("main", code)
                _KeyCodeString.keyCodeStr = shippedLanguages.strings("keyCode", code)
                busy.text = mainIten.mainLang[11]
                for (var d = 0; d < dialogs.length; ++d) {
                    var dialog = dialogs[d]
                    var texts = shippedLanguages.strings(dialog.list, code)
                    compare(texts.length > 0, true, code + " " + dialog.list)
                    if (dialog.item === deviceNotice)
                        deviceNotice.langList = texts
                    else
                        dialog.item.langList = texts
                    dialog.open()
                    wait(0)
                    verify(dialog.item === deviceNotice ? deviceNotice.kind === "denied" : dialog.item.visible,
                           dialog.list)
                    var before = faults.length
                    faults = faults.concat(cut(dialog.item, dialog.item, code + "/" + dialog.list))
                    checked++
                    if (dialog.item === deviceNotice)
                        deviceNotice.show("", "")
                    else if (dialog.item.hasOwnProperty("title"))
                        dialog.item.visible = false
                }
                faults = faults.concat(cut(busy, scene, code + "/busy"))
                faults = faults.concat(cut(reportRateRect, reportRateRect, code + "/main"))
            }
            compare(checked, languages.length * dialogs.length)
            if (faults.length)
                fail(faults.length + " texts cut:\n" + faults.join("\n"))
        }
    }
}
