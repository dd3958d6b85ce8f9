// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The window's notice while no mouse is connected: what it says for each
// case, the commands that can be copied, the window controls it keeps, and
// that the scene below takes no click while it is up.
Item {
    id: scene
    width: 1024
    height: 640

    Item {
        id: mainIten
        property string uiFontFamily: "sans-serif"
        property int fontNormalSize: 12
        property int fontMaxSize: 16
        property url sourceBackground: "qrc:/modules/img/background.png"
        property url sourceTitleBar: "qrc:/modules/img/titleBar.png"
        property url sourceTitleLogo: "qrc:/modules/img/titleLogo.png"
        property url sourceMinBtn: "qrc:/index/modules/img/skin1/index/minBtn.png"
        property url sourceMinBtnH: "qrc:/index/modules/img/skin1/index/minBtnH.png"
        property url sourceCloseBtn: "qrc:/index/modules/img/skin1/index/closeBtn.png"
        property url sourceCloseBtnH: "qrc:/index/modules/img/skin1/index/closeBtnH.png"
    }

    // What the notice covers.
    MouseArea {
        id: below
        anchors.fill: parent
        property int clicks: 0
        onClicked: clicks++
    }

    DeviceNotice { id: notice }

    TextEdit { id: pasteTarget; visible: false }

    readonly property string deniedText:
        "The mouse is plugged in, but this user may not open it (permission denied). Install the udev rule ...:\n"
        + "printf '%s\\n' 'KERNEL==\"hidraw*\", TAG+=\"uaccess\"' | sudo tee /etc/udev/rules.d/70-kestrel-talon.rules\n"
        + "sudo udevadm control --reload && sudo udevadm trigger"

    function find(item, name) {
        if (item.objectName === name)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = find(item.children[i], name)
            if (found)
                return found
        }
        return null
    }

    function accessibleNamed(item, role, name) {
        if (item.visible && item.Accessible.role === role && item.Accessible.name === name)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = accessibleNamed(item.children[i], role, name)
            if (found)
                return found
        }
        return null
    }

    TestCase {
        name: "DeviceNotice"
        when: windowShown

        function init() {
            notice.show("", "")
            ui_Ctl.reset()
            below.clicks = 0
        }

        function test_hiddenWhileAllIsWell() {
            verify(!notice.visible)
            // Nothing left for a screen reader to find either.
            verify(!find(notice, "deviceNoticeCard"))
            mouseClick(scene, 500, 300)
            compare(below.clicks, 1)
        }

        function test_aMouseThatMayNotBeOpened() {
            notice.show("denied", deniedText)
            verify(notice.visible)
            compare(notice.Accessible.role, Accessible.AlertMessage)
            compare(notice.Accessible.name, "Mouse not accessible")
            compare(notice.Accessible.description, deniedText)
            verify(notice.explanation.startsWith("The mouse is plugged in"))
            var commands = find(notice, "deviceNoticeCommands")
            verify(commands.visible)
            compare(commands.text.split("\n").length, 2)
            verify(commands.text.startsWith("printf '%s\\n' 'KERNEL"))
            verify(commands.text.endsWith("sudo udevadm trigger"))
            // The card fits the window under the title bar.
            var card = find(notice, "deviceNoticeCard")
            verify(card.y >= 48)
            verify(card.y + card.height <= 640)
        }

        function test_copyingTheCommands() {
            notice.show("denied", deniedText)
            var copy = accessibleNamed(notice, Accessible.Button, "Copy commands")
            verify(copy)
            mouseClick(copy)
            verify(notice.copied)
            pasteTarget.text = ""
            pasteTarget.paste()
            compare(pasteTarget.text, notice.commands)
            // A screen reader presses it too.
            notice.copied = false
            copy.Accessible.pressAction()
            verify(notice.copied)
        }

        function test_noMouse() {
            notice.show("noMouse", "No Kestrel Talon mouse was found. Plug it in: the program connects by itself.")
            compare(notice.Accessible.name, "No mouse found")
            verify(!find(notice, "deviceNoticeCommands").parent.visible)
            verify(!accessibleNamed(notice, Accessible.Button, "Copy commands"))
        }

        function test_theWindowStaysUsable() {
            notice.show("noMouse", "No Kestrel Talon mouse was found.")
            mouseClick(scene, 500, 600)
            compare(below.clicks, 0)
            mouseClick(accessibleNamed(notice, Accessible.Button, "Close"))
            compare(ui_Ctl.callsOf("onClose").length, 1)
            accessibleNamed(notice, Accessible.Button, "Minimize").Accessible.pressAction()
            compare(ui_Ctl.callsOf("onMinimize").length, 1)
            mouseDrag(scene, 300, 20, 30, 10)
            verify(ui_Ctl.callsOf("onXChanged").length > 0)
            verify(ui_Ctl.callsOf("onYChanged").length > 0)
        }
    }
}
