// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/panels"

// The applications of a profile: shown, added from the window that was in
// front or typed in, removed; through the pointer and through the
// accessibility tree alike.
Item {
    id: scene
    width: 480
    height: 360

    Item {
        id: mainIten
        property var panelLang: ({})
        property color colorGray0: "#1a1a1a"
        property color colorGray1: "#3c3c3c"
        property color colorGray2: "#969696"
        property color colorGray3: "#d1d1d1"
        property color colorOrange: "#cf3e00"
        property color fontColor: "#ffffff"
        property string uiFontFamily: "DejaVu Sans"
        property int fontNormalSize: 12
        property int fontMiddleSize: 14
        property int fontMinSize: 10
        property url sourcePageUp: ""
        property url sourcePageDown: ""
    }

    ProfileApps {
        id: apps
        width: 478
        height: 329
    }
    ProfileAppsBadge {
        id: badgeOne
        x: 300
        y: 340
        profileNumber: 1
        classes: apps.classesOf(1)
    }
    ProfileAppsBadge {
        id: badgeThree
        x: 100
        y: 340
        profileNumber: 3
        classes: apps.classesOf(3)
    }
    AccessibleTree { id: tree }

    TestCase {
        name: "ProfileApps"
        when: windowShown

        // The rules as the back end keeps them.
        property var rules: ({})
        property bool refuse: false

        function init() {
            rules = { "firefox": 1, "steam_app_730": 1, "vlc": 2 }
            refuse = false
            mainIten.panelLang = {}
            ui_View.reset()
            ui_View.answers = {
                getAppProfiles: function() {
                    var copy = {}
                    for (var c in rules)
                        copy[c] = rules[c]
                    return copy
                },
                bindAppProfile: function(c, p) {
                    if (refuse)
                        return false
                    rules[String(c).trim().toLowerCase()] = Number(p)
                    return true
                },
                unbindAppProfile: function(c) {
                    var had = c in rules
                    delete rules[c]
                    return had
                },
                lastForeignApp: "firefox",
                appFollowAvailable: true
            }
            apps.show(1, "profile_1")
        }
        function rowNames() {
            wait(0) // rows of the previous list go with the deferred deletes
            return tree.all(apps, Accessible.ListItem).map(function(r) { return r.Accessible.name })
        }
        function button(name) {
            return tree.named(apps, Accessible.Button, name)
        }

        function test_theProfilesApplicationsAndTheRowsSummary() {
            compare(rowNames(), ["firefox", "steam_app_730"])
            compare(apps.Accessible.role, Accessible.Pane)
            compare(apps.Accessible.name, "Applications of profile_1")
            compare(badgeOne.summary, "firefox +1")
            compare(badgeOne.Accessible.description, "firefox, steam_app_730")
            compare(badgeThree.summary, "")
            compare(badgeThree.Accessible.description, "none")
            // The application in front before ours is bound here already.
            verify(!button("Add firefox").visible)
            var clicks = 0
            badgeThree.clicked.connect(function() { clicks++ })
            badgeThree.Accessible.pressAction()
            mouseClick(badgeThree)
            compare(clicks, 2)
        }

        function test_addTheApplicationThatWasInFront() {
            ui_View.answers.lastForeignApp = "mpv"
            apps.show(2, "profile_2")
            compare(rowNames(), ["vlc"])
            var add = button("Add mpv")
            verify(add && add.visible)
            add.Accessible.pressAction()
            compare(ui_View.callsOf("bindAppProfile"), [["mpv", 2]])
            compare(rowNames(), ["mpv", "vlc"])
            verify(!add.visible)
        }

        function test_typeAClass() {
            var field = tree.named(apps, Accessible.EditableText, "Window class")
            verify(field)
            mouseClick(field)
            keyClick(Qt.Key_M)
            keyClick(Qt.Key_Y)
            keyClick(Qt.Key_Space)
            keyClick(Qt.Key_G)
            keyClick(Qt.Key_Return)
            compare(ui_View.callsOf("bindAppProfile"), [["my g", 1]])
            compare(field.text, "")
            compare(badgeOne.summary, "firefox +2")

            // Blank: refused here; refused by the store: said so, text kept.
            field.text = "   "
            button("Add").Accessible.pressAction()
            compare(ui_View.callsOf("bindAppProfile").length, 1)
            compare(apps.notice, "This is not a window class")
            refuse = true
            field.text = "another"
            mouseClick(button("Add"))
            compare(ui_View.callsOf("bindAppProfile").length, 2)
            compare(apps.notice, "No more applications can be bound. Remove one first.")
            compare(field.text, "another")
            verify(tree.named(apps, Accessible.StaticText, apps.notice))
        }

        function test_remove() {
            var row = tree.named(apps, Accessible.ListItem, "steam_app_730")
            var remove = tree.named(row, Accessible.Button, "Remove")
            verify(remove)
            compare(remove.Accessible.description, "steam_app_730")
            mouseClick(remove)
            compare(ui_View.callsOf("unbindAppProfile"), [["steam_app_730"]])
            compare(rowNames(), ["firefox"])
            tree.named(apps, Accessible.Button, "Remove").Accessible.pressAction()
            compare(rowNames(), [])
            compare(badgeOne.summary, "")
        }

        function test_changesMadeElsewhereShow() {
            rules["quake"] = 1
            ui_View.appRulesChanged()
            compare(rowNames(), ["firefox", "quake", "steam_app_730"])
            compare(badgeOne.summary, "firefox +2")
        }

        function test_whereItCannotWorkThePageSaysSo() {
            ui_View.answers.appFollowAvailable = false
            apps.show(1, "profile_1")
            verify(tree.named(apps, Accessible.StaticText,
                              "Profiles cannot follow the window in front here: that needs an X11 desktop whose window manager reports the active window."))
            // The rules can still be edited, for sessions where it works.
            verify(button("Add").enabled)
        }

        function test_backAndTheLanguageList() {
            var texts = []
            for (var i = 0; i < 13; ++i)
                texts.push("p" + i)
            texts = texts.concat(["应用程序", "%1 的应用程序"])
            mainIten.panelLang = { profile: texts }
            compare(apps.Accessible.name, "profile_1 的应用程序")
            compare(apps.lang[2], apps.fallbackLang[2])
            button("Back").Accessible.pressAction()
            verify(!apps.visible)
            apps.show(1, "profile_1")
            verify(apps.visible)
            // Hidden with its dialog, it stays closed when the dialog returns.
            scene.visible = false
            verify(!apps.shown)
            scene.visible = true
            verify(!apps.visible)
        }
    }
}
