// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest

// The main screen with the view, link and controller doubles. Its panels are
// absent from the resources for now; where a case needs one, a small panel
// double declared here goes into the panel's place and notes every call it
// gets in the view double's record ("keyMatrix.init", ...), so that the
// order of panel calls and view calls can be checked together.
Item {
    id: scene
    width: 1024
    height: 640

    AccessibleTree { id: tree }

    Component {
        id: panelDouble
        Item {
            id: panel
            width: 200
            height: 100
            property string panelName: ""
            property bool isSave: false
            property var langList: ["built-in 0", "built-in 1", "built-in 2"]
            property int currentDPI: -1
            property int keyCount: 0
            property int profileNo: -1
            property var profileDataModel0: ["Standard", "profile_0", "profile_1"]
            property bool isMacroSelected: false
            property bool isInputting: false
            property bool isInsertting: false
            property bool isFireInput: false
            property bool isComboInput: false
            property QtObject modKeys: QtObject {
                function saveData() { panel.note("modKeys.saveData", arguments) }
            }
            property QtObject dpiSegment: QtObject { property bool isDrop: false }
            property QtObject lightModel: QtObject { property bool isDrop: false }
            signal changeProfile(int tmpProfileNo)
            signal deleteMacro(string macroName)
            signal modifyMacroName(string oldMacroName, string newMacroName)
            signal modifyMacroData(string macroName)

            // A dialog built on first use is named by its place.
            function note(fn, args) {
                ui_View.record((panelName || String(parent.objectName).replace("Place", "")) + "." + fn, args)
            }
            function init(isSendData, isRecovery) { note("init", arguments) }
            function saveData(isSendData, isStep) { note("saveData", arguments) }
            function resetData() { note("resetData", arguments) }
            function detectKeyboard(isDown, usbCode, kind) { note("detectKeyboard", arguments) }
            function detectInput(isDown, usbCode) { note("detectInput", arguments) }
            function macroEditorFocus() { note("macroEditorFocus", arguments) }
            function profileFocus() { note("profileFocus", arguments) }
            function gunControlFocus() { note("gunControlFocus", arguments) }
            function lightControlFocus() { note("lightControlFocus", arguments) }
            function systemSettingFocus() { note("systemSettingFocus", arguments) }
            function macroDeleted(name) { note("macroDeleted", arguments) }
            function macroRenamed(oldName, newName) { note("macroRenamed", arguments) }
            function macroChanged(name) { note("macroChanged", arguments) }
        }
    }

    TestCase {
        id: testCase
        name: "MainScreen"
        when: windowShown

        property var main: null
        readonly property var places: ({
            keyMatrix: "keyMatrixPlace", dpiSetting: "dpiSettingPlace", lightControl: "lightControlPlace",
            mouse: "mousePlace", macroEditor: "macroEditorPlace", gunControl: "gunControlPlace",
            systemSetting: "systemSettingPlace", keyAssigment: "keyAssigmentPlace", profile: "profilePlace" })
        readonly property var config: ({
            "mouse/isColorful": "false", "mouse/icType": "553", "mouse/is55328": "false",
            "mouse/is571": "false", "mouse/isGun": "true", "mouse/keyCount": "6",
            "common/language": "English", "common/url": "https://example.org/help", "mouse/profileNo": "2" })

        function init() {
            ui_View.reset()
            hid.reset()
            ui_Ctl.reset()
            hid.busy = false
            ui_View.answers = {
                getGlobalData: function(key) { return config[key] },
                getModelFlags: function() {
                    return { icType: config["mouse/icType"], isGun: config["mouse/isGun"] === "true",
                             isColorful: false, is55328: false, is571: false }
                },
                getData: function(key) { return key === "mouse/reportRate" ? "1" : undefined },
                mouseGetCurrentDPI: 2,
                getVersion: "2.3.4"
            }
            main = createTemporaryObject(Qt.createComponent("qrc:/modules/qml/main.qml"), scene)
            verify(main)
        }

        function install(names) {
            for (var i = 0; i < names.length; ++i) {
                var place = findChild(main, places[names[i]])
                place.sourceComponent = panelDouble
                if (typeof place.build === "function")
                    place.build()
                verify(place.item, names[i])
                place.item.panelName = names[i]
            }
        }
        function installAll() {
            install(Object.keys(places))
        }
        function names(calls) {
            return calls.map(function(c) { return c.name })
        }
        function namesAfter(count) {
            return names(ui_View.calls.slice(count))
        }
        function started() {
            main.initUI()
            tryVerify(function() { return !tree.named(main, Accessible.StaticText, "LOADING ......").visible })
            ui_View.reset()
            ui_View.answers = { getData: function(key) { return key === "mouse/reportRate" ? "1" : undefined } }
        }
        function button(name) {
            var found = tree.named(main, Accessible.Button, name)
            verify(found, name)
            return found
        }

        // The whole first start-up in order: protection, configuration, the
        // 560 family's profile check, the language lists, the profile, the
        // report rate read from that profile, the panels, the DPI stage.
        function test_initUiOrder_data() {
            return [
                { tag: "553", icType: "553", current: 1, switched: false },
                { tag: "560 on another profile", icType: "560", current: 3, switched: true },
                { tag: "560 on profile 1", icType: "560", current: 1, switched: false },
            ]
        }
        function test_initUiOrder(row) {
            installAll()
            config["mouse/icType"] = row.icType
            ui_View.answers.mouseReadCurrentProfile = row.current
            main.initUI()
            config["mouse/icType"] = "553"

            var expected = ["setEnabled", "getModelFlags", "getGlobalData", "getGlobalData", "getGlobalData",
                "getVersion"]
            if (row.icType === "560")
                expected.push("mouseReadCurrentProfile")
            expected = expected.concat(["getLangStrings", "getLangStrings", "getLangStrings",
                "getLangStrings", "getLangStrings", "getLangStrings", "getLangStrings", "getLangStrings",
                "getLangStrings", "getLangStrings", "getLangStrings", "getLangStrings",
                "profile.init", "getGlobalData", "setCurrentProfile", "getData",
                "macroEditor.init", "gunControl.init", "keyAssigment.init",
                "keyMatrix.init", "dpiSetting.init", "lightControl.init", "systemSetting.init",
                "mouseGetCurrentDPI"])
            compare(names(ui_View.calls), expected)
            compare(ui_View.callsOf("getGlobalData").map(function(a) { return a[0] }),
                    ["mouse/keyCount", "common/language", "common/url", "mouse/profileNo"])
            compare(ui_View.callsOf("getLangStrings").map(function(a) { return a[0] }),
                    ["main", "keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
                     "systemSetting", "gunControl", "profile", "keyCode", "other", "notice"])
            verify(ui_View.callsOf("getLangStrings").every(function(a) { return a[1] === "English" }))
            compare(hid.callsOf("hid560_02H_SetCurrentProfile"), row.switched ? [[1]] : [])
            compare(ui_View.callsOf("setCurrentProfile"), [[2]])
            compare(ui_View.callsOf("mouseSetReportRate"), [])
            compare(ui_View.callsOf("keyMatrix.init"), [[false, false]])
            compare(main.profileMain.profileNo, 2)
            compare(main.mouseMain.keyCount, 6)
            compare(main.dpiSettingMain.currentDPI, 1)
            compare(main.url, "https://example.org/help")
            verify(main.isGun)

            // A reconnection only protects and refreshes the stage.
            tryVerify(function() { return !tree.named(main, Accessible.StaticText, "LOADING ......").visible })
            ui_View.reset()
            ui_View.answers = { mouseGetCurrentDPI: 4 }
            main.initUI()
            compare(names(ui_View.calls), ["setEnabled", "mouseGetCurrentDPI"])
            compare(main.dpiSettingMain.currentDPI, 3)
        }

        // The logo and the busy indicator for 1000 ms with input blocked, then
        // the whole interface; the protection ends on its own.
        function test_firstProtectionShowsTheLogoThenTheInterface() {
            main.initUI()
            verify(main.visible)
            var logo = tree.named(main, Accessible.Graphic, "Logo")
            var busy = tree.named(main, Accessible.StaticText, "LOADING ......")
            var save = button("Save")
            verify(logo.visible && busy.visible)
            verify(!save.visible)
            compare(ui_View.callsOf("setEnabled"), [[false]])
            tryVerify(function() { return !busy.visible }, 3000)
            compare(ui_View.callsOf("setEnabled"), [[false], [true]])
            verify(!logo.visible)
            for (var name of ["Save", "Reset", "Config", "Help", "Minimize", "Close", "System setting"])
                verify(button(name).visible, name)
            verify(tree.named(main, Accessible.ComboBox, "Report Rate").visible)

            main.setProtectUI(0)
            verify(busy.visible)
            tryVerify(function() { return !busy.visible })
            compare(ui_View.callsOf("setEnabled").slice(2), [[false], [true]])
        }

        // Texts from the language file replace the built-in ones position by
        // position; a panel that arrives after the start gets its list too.
        function test_languageLists() {
            install(["keyMatrix"])
            ui_View.answers.getLangStrings = function(type) {
                return { main: ["Editeur", "", "Editeur d'armes"], keyMatrix: ["", "Touche"],
                         keyCode: ["Ä"] }[type] || []
            }
            main.initUI()
            compare(main.mainLang.slice(0, 4), ["Editeur", "Macro Editor", "Editeur d'armes", "Report Rate"])
            compare(main.mainLang.length, 15)
            compare(main.keyMatrixMain.langList, ["built-in 0", "Touche", "built-in 2"])

            install(["dpiSetting"])
            compare(main.dpiSettingMain.langList, ["built-in 0", "built-in 1", "built-in 2"])
            // Read once, at start: a later start-up (a replug) reads no list
            // again, and a panel built later gets what the first one read.
            ui_View.answers.getLangStrings = function(type) { return type === "profile" ? ["Réglages"] : [] }
            var reads = ui_View.callsOf("getLangStrings").length
            main.isPownOn = false
            main.initUI()
            compare(ui_View.callsOf("getLangStrings").length, reads)
            install(["profile"])
            compare(main.profileMain.langList, ["built-in 0", "built-in 1", "built-in 2"])
            compare(main.mainLang[0], "Editeur")
        }

        function test_stageNotices() {
            install(["dpiSetting"])
            main.setCurrentDPI(3)
            compare(main.currentDPI, 2)
            compare(main.dpiSettingMain.currentDPI, 2)
            main.setCurrentDPI(0)
            compare(main.dpiSettingMain.currentDPI, 2)
        }

        function test_mainFocusClosesEveryList() {
            install(["dpiSetting", "lightControl"])
            started()
            var rate = tree.named(main, Accessible.ComboBox, "Report Rate")
            var profile = tree.named(main, Accessible.ComboBox, "Profile")
            var askMenu = tree.named(main, Accessible.PopupMenu, "Help")
            rate.isDrop = true
            profile.isDrop = true
            askMenu.visible = true
            main.dpiSettingMain.dpiSegment.isDrop = true
            main.lightControlMain.lightModel.isDrop = true
            main.mainFocus()
            verify(!rate.isDrop && !profile.isDrop && !askMenu.visible)
            verify(!main.dpiSettingMain.dpiSegment.isDrop && !main.lightControlMain.lightModel.isDrop)

            // Opening one list closes the others.
            mouseClick(rate)
            verify(rate.isDrop)
            mouseClick(profile)
            verify(profile.isDrop && !rate.isDrop)
            // So does a press on the empty window (beside the mouse picture),
            // which also drags it.
            mousePress(main, 650, 600)
            mouseMove(main, 680, 590, -1, Qt.LeftButton)
            mouseRelease(main, 680, 590)
            verify(!profile.isDrop)
            compare(ui_Ctl.callsOf("onXChanged"), [[30]])
            compare(ui_Ctl.callsOf("onYChanged"), [[-10]])
        }

        // Save is red while a panel holds unsent changes; it sends the dirty
        // panels in the order key matrix, DPI, lighting, and nothing at all
        // when none is dirty.
        // Profiles that follow the window in front wait while this holds.
        function test_profileSwitchesWaitForUnsavedChangesAndRecording() {
            install(["keyMatrix", "dpiSetting", "lightControl", "gunControl", "macroEditor"])
            started()
            verify(!main.isProfileSwitchHeld)
            for (var name of ["keyMatrixMain", "dpiSettingMain", "lightControlMain", "gunControlMain"]) {
                main[name].isSave = true
                verify(main.isProfileSwitchHeld, name)
                main[name].isSave = false
                verify(!main.isProfileSwitchHeld, name)
            }
            main.macroEditorMain.isInputting = true
            verify(main.isProfileSwitchHeld)
            main.macroEditorMain.isInsertting = true
            main.macroEditorMain.isInputting = false
            verify(!main.isProfileSwitchHeld, "waiting for a key to insert holds nothing")
            compare(ui_View.calls, [])
        }

        function test_save() {
            install(["keyMatrix", "dpiSetting", "lightControl"])
            started()
            var save = button("Save")
            verify(Qt.colorEqual(save.fillColor, main.colorBlue))
            main.keyMatrixMain.isSave = true
            verify(Qt.colorEqual(save.fillColor, "#ff3030"))
            main.keyMatrixMain.isSave = false
            verify(Qt.colorEqual(save.fillColor, main.colorBlue))

            save.Accessible.pressAction()
            compare(ui_View.calls, [])

            main.lightControlMain.isSave = true
            main.keyMatrixMain.isSave = true
            verify(Qt.colorEqual(save.fillColor, "#ff3030"))
            mouseClick(save)
            compare(names(ui_View.calls), ["setEnabled", "keyMatrix.modKeys.saveData",
                                           "lightControl.saveData", "setEnabled"])
            compare(ui_View.callsOf("lightControl.saveData"), [[true, 0]])
            compare(ui_View.callsOf("setEnabled"), [[false], [true]])
            verify(!main.keyMatrixMain.isSave && !main.lightControlMain.isSave)
            verify(Qt.colorEqual(save.fillColor, main.colorBlue))

            ui_View.reset()
            main.dpiSettingMain.isSave = true
            main.saveAll()
            compare(ui_View.callsOf("dpiSetting.saveData"), [[true]])
        }

        // OK: the current profile back to the default one, every panel loaded
        // and sent, the gun key matrices back, stage 3, the gun entries reset.
        function test_resetConfirmation() {
            installAll()
            main.initUI()
            tryVerify(function() { return !tree.named(main, Accessible.StaticText, "LOADING ......").visible })
            ui_View.reset()
            ui_View.answers = { getData: function(key) { return key === "mouse/reportRate" ? "0" : undefined } }
            main.dpiSettingMain.isSave = true
            main.keyMatrixMain.isSave = true
            var mask = findChild(main, "mainMask")

            button("Reset").Accessible.pressAction()
            var dialog = tree.named(main, Accessible.Dialog, "Reset")
            verify(dialog.visible && mask.visible)
            compare([dialog.x, dialog.y, dialog.width, dialog.height], [299, 269, 427, 102])
            tree.named(dialog, Accessible.Button, "Cancel").Accessible.pressAction()
            verify(!dialog.visible && !mask.visible)
            button("Reset").Accessible.pressAction()
            tree.named(dialog, Accessible.Button, "Close").Accessible.pressAction()
            verify(!dialog.visible && !mask.visible)
            compare(ui_View.calls, [])

            button("Reset").Accessible.pressAction()
            mouseClick(tree.named(dialog, Accessible.Button, "OK"))
            verify(!dialog.visible && !mask.visible)
            // The guns get their factory periods before the key matrix that
            // carries them goes out.
            compare(names(ui_View.calls), ["setEnabled", "resetProfile", "gunControl.resetData",
                "keyMatrix.init", "getData", "mouseSetReportRate", "dpiSetting.init", "lightControl.init",
                "systemSetting.init", "mouseSwitchKeyMatrix", "mouseResetKeyMatrix", "mouseSetCurrentDPI",
                "setEnabled"])
            compare(ui_View.callsOf("resetProfile"), [[2]])
            compare(ui_View.callsOf("keyMatrix.init"), [[true, false]])
            compare(ui_View.callsOf("mouseSetReportRate"), [[8]])
            compare(ui_View.callsOf("mouseSwitchKeyMatrix"), [[1]])
            compare(ui_View.callsOf("mouseSetCurrentDPI"), [[3]])
            compare(ui_View.callsOf("setEnabled"), [[false], [true]])
            compare(main.dpiSettingMain.currentDPI, 2)
            verify(!main.dpiSettingMain.isSave && !main.keyMatrixMain.isSave)

            // Without the gun feature the key matrices stay.
            ui_View.reset()
            main.isGun = false
            main.factoryReset()
            compare(ui_View.callsOf("mouseSwitchKeyMatrix"), [])
            compare(ui_View.callsOf("mouseResetKeyMatrix"), [])
        }

        // A profile change from the title-bar list or the profile dialog;
        // the current profile and numbers that name no profile do nothing.
        function test_profileChange() {
            install(["keyMatrix", "profile", "dpiSetting", "lightControl", "systemSetting"])
            started()
            var list = tree.named(main, Accessible.ComboBox, "Profile")
            compare(list.count, 3)
            compare(list.currentSelect, 2)

            tree.named(list, Accessible.ListItem, "profile_1").Accessible.pressAction()
            main.profileMain.changeProfile(2)
            main.changeProfile(10)
            main.changeProfile(-1)
            compare(ui_View.calls, [])

            tree.named(list, Accessible.ListItem, "Standard").Accessible.pressAction()
            compare(names(ui_View.calls), ["setEnabled", "setGlobalData", "setCurrentProfile",
                "keyMatrix.init", "getData", "mouseSetReportRate", "dpiSetting.init", "lightControl.init",
                "systemSetting.init", "mouseSwitchKeyMatrix", "mouseResetKeyMatrix", "setEnabled"])
            compare(ui_View.callsOf("setGlobalData"), [["mouse/profileNo", 0]])
            compare(ui_View.callsOf("setCurrentProfile"), [[0]])
            compare(ui_View.callsOf("systemSetting.init"), [[true, false]])
            compare(main.profileMain.profileNo, 0)

            ui_View.reset()
            main.profileMain.changeProfile(1)
            compare(ui_View.callsOf("setCurrentProfile"), [[1]])
            compare(list.currentSelect, 1)
        }

        // With the real profile dialog: its rows address the profile files by
        // their numbers, which part from the rows' places once a row in the
        // middle has gone. The title-bar list switches to the chosen row's
        // file and shows the profile in use on its own row.
        function test_profileRowsAddressFilesByNumber() {
            ui_View.answers.getGlobalData = function(key) { return key === "mouse/profileNo" ? "3" : config[key] }
            ui_View.answers.getNameList = function(type) {
                return type === 2 ? ["Standard0", "profile_11", "profile_22", "profile_33"] : []
            }
            started()
            var list = tree.named(main, Accessible.ComboBox, "Profile")
            compare(list.count, 4)
            compare(list.currentSelect, 3)

            verify(main.profileMain.deleteProfile(1))
            compare(list.count, 3)
            compare(list.currentText, "profile_3")
            compare(list.currentSelect, 2, "the profile in use moved up a row")

            ui_View.calls = []
            tree.named(list, Accessible.ListItem, "profile_2").Accessible.pressAction()
            compare(ui_View.callsOf("setCurrentProfile"), [[2]])
            compare(ui_View.callsOf("setGlobalData"), [["mouse/profileNo", 2]])
            compare(list.currentSelect, 1)
            compare(main.profileMain.profileNo, 2)
        }

        // The title-bar list open on the profiles of the profile dialog, saved
        // beside the test runner for a look.
        function test_profileListPicture() {
            install(["profile"])
            started()
            var list = tree.named(main, Accessible.ComboBox, "Profile")
            mouseClick(list)
            tryCompare(findChild(list, "listBox"), "height", 3 * 24 + 2)
            var path = Qt.application.arguments[0].replace(/[^\/]*$/, "") + "main-profile-list.png"
            var saved = false
            main.grabToImage(function(result) { saved = result.saveToFile(path) })
            tryVerify(function() { return saved }, 5000, "saved " + path)
        }

        // The model's flags are the back end's reading of them, whatever
        // the configuration's spelling ("1" is true there).
        function test_modelFlagsAsTheBackEndReadsThem() {
            config["mouse/is571"] = "1"
            ui_View.answers.getModelFlags = { icType: "560", isGun: false, isColorful: true, is55328: false,
                                              is571: true }
            main.initUI()
            config["mouse/is571"] = "false"
            compare([main.icType, main.isGun, main.isColorful, main.is571], ["560", false, true, true])
        }

        // While the link is busy nothing starts a send: Save, Reset, a switch
        // from any list, a tray choice. A tray choice, and one made while a
        // dialog is open, happens once the hold ends; the hold's reason is
        // what the back end reads.
        function test_busyLinkAndOpenDialogsHoldEverySend() {
            install(["keyMatrix", "profile", "dpiSetting", "lightControl", "systemSetting", "macroEditor"])
            started()
            main.keyMatrixMain.isSave = true
            hid.busy = true
            compare(main.profileSwitchHoldReason, "the mouse is busy")
            verify(!main.saveAll())
            verify(!main.changeProfile(1))
            verify(!main.factoryReset())
            verify(!main.reloadProfile())
            verify(!main.requestProfile(1))
            tree.named(tree.named(main, Accessible.ComboBox, "Profile"), Accessible.ListItem, "profile_1")
                .Accessible.pressAction()
            compare(ui_View.calls, [])
            verify(main.keyMatrixMain.isSave)
            hid.busy = false
            tryCompare(main, "profileNo", 1)

            button("Macro Editor").Accessible.pressAction()
            compare(main.profileSwitchHoldReason, "a dialog is open")
            verify(main.isProfileSwitchHeld)
            ui_View.reset()
            verify(!main.requestProfile(0))
            wait(50)
            compare(main.profileNo, 1)
            main.macroEditorMain.visible = false
            compare(main.profileSwitchHoldReason, "")
            tryCompare(main, "profileNo", 0)
            compare(ui_View.callsOf("setCurrentProfile"), [[0]])
            verify(!main.keyMatrixMain.isSave && !main.isProfileSwitchHeld, "the switch sent everything")
            compare(hid.callsOf("beginExchange").length, hid.callsOf("endExchange").length)
        }

        // Captured keys reach the screen that waits for them, and only then.
        function test_keyRouting() {
            install(["macroEditor", "keyAssigment"])
            var editor = main.macroEditorMain
            var assignment = main.keyAssigmentMain
            main.detectKeyboard(true, 4)
            editor.isInputting = true
            main.msg_KB(true, 4)
            compare(ui_View.calls, [])

            editor.isMacroSelected = true
            main.msg_KB(true, 4)
            editor.isInputting = false
            editor.isInsertting = true
            main.msg_KB(false, 5)
            editor.isInsertting = false
            assignment.isFireInput = true
            main.msg_KB(true, 6)
            assignment.isFireInput = false
            assignment.isComboInput = true
            main.msg_KB(false, 7)
            compare(ui_View.calls.map(function(c) { return [c.name].concat(c.args) }),
                    [["macroEditor.detectKeyboard", true, 4], ["macroEditor.detectInput", false, 5],
                     ["keyAssigment.detectKeyboard", true, 6, 0], ["keyAssigment.detectKeyboard", false, 7, 1]])
        }

        // The macro editor's changes reach the button list; without it the
        // profiles still follow a deleted or renamed macro.
        function test_macroEditorSignals() {
            install(["macroEditor", "keyMatrix"])
            var editor = main.macroEditorMain
            editor.deleteMacro("m1")
            editor.modifyMacroName("m2", "m3")
            editor.modifyMacroData("m3")
            compare(ui_View.calls.map(function(c) { return [c.name].concat(c.args) }),
                    [["keyMatrix.macroDeleted", "m1"], ["keyMatrix.macroRenamed", "m2", "m3"],
                     ["keyMatrix.macroChanged", "m3"]])
            var place = findChild(main, "keyMatrixPlace")
            place.sourceComponent = null
            place.source = ""
            compare(main.keyMatrixMain, null)
            ui_View.reset()
            editor.deleteMacro("m1")
            editor.modifyMacroName("m2", "m3")
            editor.modifyMacroData("m3")
            compare(ui_View.calls.map(function(c) { return [c.name].concat(c.args) }),
                    [["deleteMacroUpdateProfile", "m1"], ["modifyMacroNameUpdateProfile", "m2", "m3"]])
        }

        // The dialogs a start does not show are built when first asked for,
        // and then load what the start loads into the others; what sends the
        // profile or resets it builds those it needs.
        function test_dialogsAreBuiltOnFirstUse() {
            install(["keyMatrix", "profile", "dpiSetting", "lightControl"])
            for (var name of ["macroEditor", "gunControl", "systemSetting", "keyAssigment"]) {
                findChild(main, places[name]).sourceComponent = panelDouble
                compare(findChild(main, places[name]).item, null, name)
            }
            started()
            compare([main.macroEditorMain, main.gunControlMain, main.systemSettingMain, main.keyAssigmentMain],
                    [null, null, null, null])

            ui_View.answers.getLangStrings = function(type) { return type === "macroEditor" ? ["Makro"] : [] }
            main.loadLanguage()
            ui_View.reset()
            button("Macro Editor").Accessible.pressAction()
            verify(main.macroEditorMain.visible)
            compare(names(ui_View.calls), ["macroEditor.init"])
            compare(main.macroEditorMain.langList[0], "Makro")
            compare(main.gunControlMain, null)

            ui_View.reset()
            main.changeProfile(0)
            compare(ui_View.callsOf("systemSetting.init"), [[false, false], [true, false]])

            ui_View.reset()
            main.factoryReset()
            compare(names(ui_View.calls).filter(function(n) { return n.indexOf("gunControl.") === 0 }),
                    ["gunControl.init", "gunControl.resetData"])
            compare(main.keyAssigmentMain, null)
            compare(main.buildPanel("keyAssigment"), main.keyAssigmentMain)
            compare(ui_View.callsOf("keyAssigment.init"), [[]])
        }

        // The editor box opens its dialogs centred behind the mask; what lies
        // behind takes no press (no second dialog over the first); a press on
        // the mask lets each open dialog close its lists.
        function test_dialogsAndTheMask() {
            install(["macroEditor", "gunControl", "profile", "systemSetting", "lightControl"])
            started()
            var mask = findChild(main, "mainMask")
            compare(tree.named(main, Accessible.Pane, "Editor").height, 100)
            button("Gun Editor").Accessible.pressAction()
            var gun = main.gunControlMain
            verify(gun.visible && mask.visible)
            compare([gun.x, gun.y], [412, 270])
            for (var behind of ["Macro Editor", "Reset", "Config", "System setting", "Help"]) {
                button(behind).Accessible.pressAction()
                verify(!button(behind).enabled, behind)
            }
            verify(!main.macroEditorMain.visible && !main.profileMain.visible)
            verify(!tree.named(main, Accessible.Dialog, "Reset").visible)
            verify(!tree.named(main, Accessible.PopupMenu, "Help").visible)

            mousePress(mask, 5, 600)
            mouseRelease(mask, 5, 600)
            compare(namesAfter(0), ["gunControl.gunControlFocus", "lightControl.lightControlFocus"])
            gun.visible = false
            mask.visible = false
            verify(button("Macro Editor").enabled)

            main.isGun = false
            compare(tree.named(main, Accessible.Pane, "Editor").height, 76)
            verify(!button("Gun Editor").visible)
        }

        function test_helpMenu() {
            started()
            var askMenu = tree.named(main, Accessible.PopupMenu, "Help")
            verify(!askMenu.visible)
            button("Help").Accessible.pressAction()
            verify(askMenu.visible)
            compare([askMenu.x, askMenu.y], [724, 30])
            var entries = tree.all(askMenu, Accessible.MenuItem)
            compare(entries.map(function(e) { return e.Accessible.name }),
                    ["https://example.org/help", "Version 2.3.4"])
            entries[1].Accessible.pressAction()
            verify(!askMenu.visible)

            button("Minimize").Accessible.pressAction()
            button("Close").Accessible.pressAction()
            compare(names(ui_Ctl.calls), ["onMinimize", "onClose"])
        }
    }
}
