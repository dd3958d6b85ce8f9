// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// What the window shows while no mouse is connected: the window frame with a
// title bar of its own (drag, minimise, close) and a card that says what is
// wrong. "noMouse": no mouse is plugged in. "denied": the mouse is there but
// this user may not open it; the text's first line says so, the lines after
// it are the commands that fix it, selectable and copied by "Copy commands".
// Covers the scene, whose panels know nothing yet; hidden while kind is "".
Item {
    id: notice

    property string kind: ""
    property string text: ""
    // The "notice" language list, laid over by the main screen; the back end
    // reads the same list for the tray's notices and the explanations.
    property var langList: []
    function tr(i, english) {
        var l = langList
        return l && i < l.length && l[i] !== undefined && l[i] !== "" ? String(l[i]) : english
    }
    readonly property string title: kind === "denied" ? tr(1, "Mouse not accessible") : tr(0, "No mouse found")
    readonly property string explanation: text.split("\n")[0]
    readonly property string commands: text.split("\n").slice(1).join("\n")
    property bool copied: false

    // The main screen's look where it is there.
    readonly property bool inScene: typeof mainIten !== "undefined" && mainIten !== null
    property string fontFamily: inScene ? mainIten.uiFontFamily : "sans-serif"
    property int fontSize: inScene ? mainIten.fontNormalSize : 12
    property int titleSize: inScene ? mainIten.fontMaxSize : 16
    property url sourceBackground: inScene ? mainIten.sourceBackground : ""
    property url sourceTitleBar: inScene ? mainIten.sourceTitleBar : ""
    property url sourceTitleLogo: inScene ? mainIten.sourceTitleLogo : ""
    property url sourceMinBtn: inScene ? mainIten.sourceMinBtn : ""
    property url sourceMinBtnH: inScene ? mainIten.sourceMinBtnH : ""
    property url sourceCloseBtn: inScene ? mainIten.sourceCloseBtn : ""
    property url sourceCloseBtnH: inScene ? mainIten.sourceCloseBtnH : ""

    function show(newKind, newText) {
        kind = newKind
        text = newText
        copied = false
    }

    function copyCommands() {
        if (!shown.item)
            return
        shown.item.copyCommands()
        copied = true
    }

    function minimize() {
        if (typeof ui_Ctl !== "undefined")
            ui_Ctl.onMinimize()
    }

    function close() {
        if (typeof ui_Ctl !== "undefined")
            ui_Ctl.onClose()
    }

    width: 1024
    height: 640
    visible: kind !== ""

    Accessible.role: Accessible.AlertMessage
    Accessible.name: title
    Accessible.description: text

    // Made only while shown: a hidden notice leaves no controls behind for a
    // screen reader to find.
    Loader {
        id: shown
        anchors.fill: parent
        active: notice.kind !== ""
        sourceComponent: content
    }

    Component {
        id: content

        Item {
            function copyCommands() {
                commandText.selectAll()
                commandText.copy()
                commandText.deselect()
            }

            // Nothing below takes a click while the notice is up.
            MouseArea {
                anchors.fill: parent
                acceptedButtons: Qt.AllButtons
                onWheel: function(wheel) { wheel.accepted = true }
            }

            Environment {
                anchors.fill: parent
                sourceBackground: notice.sourceBackground
                sourceTitleBar: notice.sourceTitleBar
                sourceTitleLogo: notice.sourceTitleLogo
                Accessible.ignored: true
            }

            // The title bar moves the window, as the main screen's does.
            MouseArea {
                width: parent.width
                height: 48
                property point pressedAt
                onPressed: function(mouse) { pressedAt = Qt.point(mouse.x, mouse.y) }
                onPositionChanged: function(mouse) {
                    if (typeof ui_Ctl === "undefined")
                        return
                    ui_Ctl.onXChanged(mouse.x - pressedAt.x)
                    ui_Ctl.onYChanged(mouse.y - pressedAt.y)
                }
            }

            Row {
                x: 960
                y: 16
                spacing: 16
                ImageButton {
                    width: 24
                    height: 24
                    source: notice.sourceMinBtn
                    hoverSource: notice.sourceMinBtnH
                    accessibleName: "Minimize"
                    onClicked: notice.minimize()
                }
                ImageButton {
                    width: 24
                    height: 24
                    source: notice.sourceCloseBtn
                    hoverSource: notice.sourceCloseBtnH
                    accessibleName: "Close"
                    onClicked: notice.close()
                }
            }

            Rectangle {
                id: card
                objectName: "deviceNoticeCard"
                width: 680
                height: body.height + 48
                anchors.horizontalCenter: parent.horizontalCenter
                y: 48 + (parent.height - 48 - height) / 2
                color: "#1a1a1a"
                border.width: 1
                border.color: "#3c3c3c"

                // The accent: orange where the user has something to do.
                Rectangle {
                    width: 4
                    height: parent.height
                    color: notice.kind === "denied" ? "#cf3e00" : "#09347f"
                }

                Column {
                    id: body
                    x: 28
                    y: 24
                    width: parent.width - 56
                    spacing: 12

                    Text {
                        width: parent.width
                        text: notice.title
                        color: "#ffffff"
                        font.family: notice.fontFamily
                        font.pixelSize: notice.titleSize
                        font.bold: true
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                    Text {
                        width: parent.width
                        text: notice.explanation
                        wrapMode: Text.Wrap
                        lineHeight: 1.2
                        color: "#d1d1d1"
                        font.family: notice.fontFamily
                        font.pixelSize: notice.fontSize
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                    }
                    Rectangle {
                        visible: notice.commands !== ""
                        width: parent.width
                        height: commandText.contentHeight + 20
                        color: "#000000"
                        border.width: 1
                        border.color: "#3c3c3c"

                        TextEdit {
                            id: commandText
                            objectName: "deviceNoticeCommands"
                            x: 10
                            y: 10
                            width: parent.width - 20
                            text: notice.commands
                            readOnly: true
                            selectByMouse: true
                            wrapMode: TextEdit.WrapAnywhere
                            color: "#ffffff"
                            selectionColor: "#cf3e00"
                            font.family: "monospace"
                            font.pixelSize: notice.fontSize
                            Accessible.role: Accessible.EditableText
                            Accessible.name: notice.tr(9, "Commands")
                            Accessible.readOnly: true
                        }
                    }
                    Row {
                        visible: notice.commands !== ""
                        spacing: 16
                        FlatButton {
                            width: 132
                            textValue: notice.copied ? notice.tr(3, "Copied") : notice.tr(2, "Copy commands")
                            accessibleName: notice.tr(2, "Copy commands")
                            fontFamily: notice.fontFamily
                            fontSize: notice.fontSize
                            onClicked: notice.copyCommands()
                        }
                        Text {
                            height: 24
                            verticalAlignment: Text.AlignVCenter
                            text: notice.tr(4, "Then unplug the mouse and plug it in again.")
                            color: "#969696"
                            font.family: notice.fontFamily
                            font.pixelSize: notice.fontSize
                            Accessible.role: Accessible.StaticText
                            Accessible.name: text
                        }
                    }
                }
            }
        }
    }
}
