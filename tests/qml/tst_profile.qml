// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import QtQuick.Window
import "qrc:/modules/qml/panels"

Item {
    id: scene
    width: 1024
    height: 640

    AccessibleTree { id: tree }
    MainStandIn { id: mainIten }
    Rectangle { id: mainMask; anchors.fill: parent; visible: false }

    Profile { id: panel }

    TestCase {
        name: "Profile"
        when: windowShown

        property var english: []

        function initTestCase() {
            english = panel.langList.slice()
        }

        function load(names, current) {
            ui_View.reset()
            mainIten.calls = []
            ui_View.answers = { getNameList: function (type) { return type === 2 ? names : [] } }
            panel.profileNo = current === undefined ? -1 : current
            mainIten.profileNo = panel.profileNo
            panel.init()
            ui_View.reset()
            panel.show()
        }
        function rows() {
            var names = []
            for (var i = 0; i < panel.profileDataModel0.count; ++i)
                names.push(panel.profileDataModel0.get(i).textValue + panel.profileDataModel0.get(i).profileNo)
            return names
        }
        function lastStored() {
            var lists = ui_View.callsOf("updataNameList")
            return lists.length ? lists[lists.length - 1] : null
        }
        // The list lays out its rows on the next frame after a change.
        function row(name) {
            var found = null
            tryVerify(function () { return (found = tree.named(panel, Accessible.ListItem, name)) !== null },
                      1000, "row " + name)
            return found
        }
        function press(name) { tree.named(panel, Accessible.Button, name).Accessible.pressAction() }
        function typeText(text) {
            for (var i = 0; i < text.length; ++i)
                keyClick(text[i])
        }

        function init() {
            panel.langList = english
            load(["Standard0", "profile_11", "profile_22", "profile_33"], 0)
        }

        function test_initReadsNameListTwo() {
            ui_View.reset()
            ui_View.answers = { getNameList: function (type) { return type === 2 ? ["Mine0", "loaderquokka"] : [] } }
            panel.profileNo = -1
            panel.init()
            compare(rows(), ["Standard0"], "the end marker is dropped and row 0 is the standard profile")
            compare(lastStored(), [2, ["Standard0"]])
            compare(panel.currentRow, 0)

            var texts = english.slice()
            texts[0] = "配置"
            texts[5] = "标准"
            panel.langList = texts
            load(["Standard0", "Work3", "Play1"], 3)
            compare(rows(), ["标准0", "Work3", "Play1"])
            compare(panel.currentRow, 1, "the row of the profile in use is chosen")
            compare(panel.Accessible.name, "配置")
        }

        // Rows that cannot be shown are skipped, and the panel says which:
        // their profile files are left alone.
        function test_unusableEntriesAreSkipped() {
            load(["Standard0", "dup0", "far7", "", "ok2"], 0)
            compare(rows(), ["Standard0", "ok2"])
            var aside = findChild(panel, "setAside")
            verify(aside.visible)
            verify(aside.text.indexOf("dup (0), far (7)") > 0, aside.text)
            compare(ui_View.callsOf("resetProfile").concat(ui_View.callsOf("loadProfile")), [])
            load(["Standard0", "ok2"], 0)
            verify(!findChild(panel, "setAside").visible)
            load([], -1)
            compare(rows(), ["Standard0"], "an empty list still holds the standard profile")
        }

        function test_neverMoreThanSixRows() {
            load(["Standard0", "a1", "b2", "c3", "d4", "e5", "f6", "g7"], 0)
            compare(panel.profileDataModel0.count, 6)
            tryVerify(function () { return tree.all(panel, Accessible.ListItem).length === 6 }, 1000)

            load(["Standard0"], 0)
            for (var i = 0; i < 5; ++i)
                press("New")
            compare(rows(), ["Standard0", "profile_01", "profile_12", "profile_23", "profile_34", "profile_45"])
            compare(ui_View.callsOf("resetProfile"), [[1], [2], [3], [4], [5]])
            ui_View.reset()
            press("New")
            compare(panel.profileDataModel0.count, 6)
            compare(ui_View.calls.length, 0, "a seventh New stores and resets nothing")
            verify(findChild(panel, "notice").visible)
            press("Import")
            compare(panel.profileDataModel0.count, 6)
        }

        // After a row in the middle goes, each row keeps addressing its own
        // profile file by its number, not by its new place.
        function test_middleDeleteThenSwitchImportExportAndGuard() {
            verify(panel.deleteProfile(1))
            compare(rows(), ["Standard0", "profile_22", "profile_33"])
            compare(lastStored(), [2, ["Standard0", "profile_22", "profile_33"]])

            // A press picks the row as a click does; its Use button switches:
            // profile_2 is now row 1 but file 2.
            row("profile_2").Accessible.pressAction()
            compare(panel.currentRow, 1)
            compare(mainIten.callsOf("changeProfile"), [])
            tree.all(panel, Accessible.Button).filter(function (b) { return b.Accessible.name === "Use" })[1]
                .Accessible.pressAction()
            compare(mainIten.callsOf("changeProfile"), [[2]])
            compare(panel.profileNo, 2)
            compare(panel.profileRow, 1)
            verify(row("profile_2").Accessible.selected)
            verify(!row("Standard").Accessible.selected)

            // Export from the menu of profile_3 (row 2): file 3.
            panel.openMenu(2, 10, 10, null)
            panel.runMenu(1)
            compare(ui_View.callsOf("saveProfile"), [[3]])

            // The guard: the profile in use (row 1, file 2) stays; row 2 sits
            // at the in-use number's old place but is file 3 and may go.
            verify(!panel.deleteProfile(1))
            verify(findChild(panel, "notice").visible)
            verify(!panel.deleteProfile(0))
            compare(rows(), ["Standard0", "profile_22", "profile_33"])
            verify(panel.deleteProfile(2))
            compare(rows(), ["Standard0", "profile_22"])

            // Import makes a row on the first free file, 1, and loads into it.
            ui_View.answers = { loadProfile: true }
            verify(panel.importProfile())
            compare(rows(), ["Standard0", "profile_22", "profile_01"])
            compare(ui_View.callsOf("loadProfile"), [[1]])
            compare(ui_View.callsOf("resetProfile").length, 0, "an import is not reset")
        }

        // With six rows the import goes into the chosen row, said first by
        // name; Cancel changes nothing, OK loads into that row's file.
        function test_importIntoTheChosenRowWhenFull() {
            load(["Standard0", "a1", "b3", "c4", "d5", "e2"], 0)
            ui_View.answers = { loadProfile: true }
            row("b").Accessible.pressAction()
            press("Import")
            var sure = tree.named(panel, Accessible.Dialog, "Import")
            verify(sure.visible)
            verify(tree.all(sure, Accessible.StaticText)[0].Accessible.name.indexOf("“b”") > 0)
            tree.named(sure, Accessible.Button, "Cancel").Accessible.pressAction()
            verify(!sure.visible)
            compare(ui_View.calls, [])

            press("Import")
            tree.named(sure, Accessible.Button, "OK").Accessible.pressAction()
            compare(ui_View.callsOf("loadProfile"), [[3]])
            compare(rows(), ["Standard0", "a1", "b3", "c4", "d5", "e2"])
        }

        function test_cancelledImportTakesItsRowAway() {
            ui_View.answers = { loadProfile: false }
            press("Import")
            compare(ui_View.callsOf("loadProfile"), [[4]])
            compare(rows(), ["Standard0", "profile_11", "profile_22", "profile_33"])
            compare(lastStored(), [2, ["Standard0", "profile_11", "profile_22", "profile_33"]])
        }

        function test_switchingToTheProfileInUseDoesNothing() {
            panel.changeProfile(0)
            panel.changeProfile(5)
            compare(mainIten.callsOf("changeProfile"), [], "the one in use, and a number no row has")
            press("Use")
            compare(mainIten.callsOf("changeProfile").length, 0, "the first Use button is the profile in use")
        }

        function test_rename_data() {
            return [
                { tag: "end marker", name: "loaderquokka", taken: false },
                { tag: "another row's name", name: "profile_2", taken: false },
                { tag: "the standard name", name: "Standard", taken: false },
                { tag: "empty", name: "  ", taken: false },
                { tag: "free name", name: "Evening", taken: true }
            ]
        }
        function test_rename(data) {
            compare(panel.rename(1, data.name), data.taken)
            if (data.taken) {
                compare(rows()[1], data.name + "1")
                compare(lastStored(), [2, ["Standard0", data.name + "1", "profile_22", "profile_33"]])
            } else {
                compare(rows()[1], "profile_11")
                compare(ui_View.callsOf("updataNameList").length, 0)
                verify(findChild(panel, "notice").visible)
            }
        }

        function test_renameInPlaceWithTheKeys() {
            mouseDoubleClickSequence(row("profile_1"), 120, 20)
            typeText("loaderquokka")
            keyClick(Qt.Key_Return)
            compare(rows()[1], "profile_11")
            mouseDoubleClickSequence(row("profile_1"), 120, 20)
            typeText("Night")
            keyClick(Qt.Key_Return)
            compare(rows()[1], "Night1")
            // Typed and not confirmed: taken when the panel's edits are committed.
            mouseDoubleClickSequence(row("Night"), 120, 20)
            typeText("Dawn")
            panel.commitEdits()
            compare(rows()[1], "Dawn1")
            mouseDoubleClickSequence(row("Standard"), 120, 20)
            compare(panel.editingRow, -1, "the standard profile keeps its name")
        }

        function test_menuKeyOpensTheRowMenu() {
            var target = row("profile_3")
            mouseClick(target, 120, 20)
            verify(target.activeFocus)
            keyClick(Qt.Key_Menu)
            var menu = findChild(panel, "rowMenu")
            verify(menu.isOpen)
            var popup = tree.all(scene.Window.contentItem, Accessible.PopupMenu)[0]
            compare(popup.Accessible.name, "profile_3")
            compare(tree.all(popup, Accessible.MenuItem).map(function (e) { return e.Accessible.name }),
                    ["Delete", "Export"])
            tree.named(popup, Accessible.MenuItem, "Delete").Accessible.pressAction()
            compare(rows(), ["Standard0", "profile_11", "profile_22"])
        }

        function test_dialogClosesWithTheMask() {
            compare(panel.Accessible.role, Accessible.Dialog)
            compare(panel.Accessible.name, "config")
            verify(mainMask.visible)
            press("Close")
            verify(!panel.visible)
            verify(!mainMask.visible)
        }
    }
}
