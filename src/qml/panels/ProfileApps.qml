// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// The applications of one profile: while the window of one of them is in
// front the mouse uses the profile. Lies over the profile dialog's rows;
// adds the application that was in front before our window, or a class typed
// in, and removes one.
Rectangle {
    id: apps

    readonly property var fallbackLang: ["Applications", "Applications of %1",
        "While the window of one of these applications is in front the mouse uses this profile. When another window comes to the front the profile chosen by hand returns.",
        "No application uses this profile yet.", "Add %1", "Window class", "Add", "Remove", "Back",
        "Profiles cannot follow the window in front here: that needs an X11 desktop whose window manager reports the active window.",
        "This is not a window class", "No more applications can be bound. Remove one first.", "none"]
    // The profile dialog's language list carries these from position 13 on.
    readonly property int langOffset: 13
    readonly property var lang: {
        var loaded = mainIten.panelLang && mainIten.panelLang.profile ? mainIten.panelLang.profile : []
        var merged = []
        for (var i = 0; i < fallbackLang.length; ++i) {
            var text = loaded[langOffset + i]
            merged.push(text !== undefined && text !== "" ? String(text) : fallbackLang[i])
        }
        return merged
    }

    property bool shown: false
    property int profileNumber: -1
    property string profileName: ""
    property var rules: ({})                  // class -> profile number, all of them
    readonly property var classes: classesOf(profileNumber)   // bound to this profile
    property string candidate: ""             // the application in front before our window
    property bool available: true
    property string notice: ""
    property Item opener: null                // had the focus when the page opened

    signal closed()

    // The classes bound to profile `number`, in order.
    function classesOf(number) {
        var found = []
        for (var c in rules)
            if (Number(rules[c]) === number)
                found.push(c)
        return found.sort()
    }
    function refresh() {
        var map = ui_View.getAppProfiles()
        rules = map ? map : {}
    }
    function show(number, name) {
        profileNumber = number
        profileName = name
        notice = ""
        classInput.text = ""
        candidate = String(ui_View.lastForeignApp())
        available = ui_View.appFollowAvailable() === true
        refresh()
        opener = Window.activeFocusItem
        shown = true
        backButton.forceActiveFocus()
    }
    function close() {
        shown = false
    }
    function bind(windowClass) {
        var text = String(windowClass).trim()
        if (text === "" || /[\x00-\x1f\x7f]/.test(text)) {
            notice = lang[10]
            return false
        }
        if (ui_View.bindAppProfile(text, profileNumber) !== true) {
            notice = lang[11]
            return false
        }
        notice = ""
        refresh()
        return true
    }
    function addCandidate() {
        if (candidate !== "")
            bind(candidate)
    }
    function addTyped() {
        if (bind(classInput.text))
            classInput.text = ""
    }
    function unbind(windowClass) {
        ui_View.unbindAppProfile(windowClass)
        notice = ""
        refresh()
    }
    function isBound(windowClass) {
        return classes.indexOf(windowClass) >= 0
    }

    // The rows' summaries are read again each time the dialog opens.
    readonly property bool dialogShown: parent !== null && parent.visible
    onDialogShownChanged: if (dialogShown) refresh()

    visible: shown
    onVisibleChanged: if (!visible) shown = false
    onShownChanged: if (!shown) closed()
    Keys.onEscapePressed: close()
    color: mainIten.colorGray0
    z: 10

    Accessible.role: Accessible.Pane
    Accessible.name: heading.text

    // Changes made elsewhere (talonctl, another row) show at once.
    Connections {
        // The scene is built before the view is published to it.
        target: typeof ui_View !== "undefined" ? ui_View : null
        ignoreUnknownSignals: true
        function onAppRulesChanged() { apps.refresh() }
    }

    // Presses between the controls stay on this page.
    MouseArea {
        anchors.fill: parent
    }

    Text {
        id: heading
        x: 16
        y: 10
        width: parent.width - 32
        elide: Text.ElideRight
        text: apps.lang[1].arg(apps.profileName)
        color: mainIten.fontColor
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMiddleSize
        Accessible.ignored: true
    }
    Text {
        id: explanation
        x: 16
        anchors.top: heading.bottom
        anchors.topMargin: 6
        width: parent.width - 32
        wrapMode: Text.WordWrap
        text: apps.available ? apps.lang[2] : apps.lang[9]
        color: apps.available ? mainIten.colorGray2 : mainIten.colorOrange
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMinSize + 1
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    ScrollList {
        id: classList
        objectName: "appClasses"
        x: 16
        anchors.top: explanation.bottom
        anchors.topMargin: 8
        width: parent.width - 32
        height: 4 * 30
        model: apps.classes
        spacing: 2
        accessibleName: apps.lang[0]
        sourcePageUp: mainIten.sourcePageUp ? mainIten.sourcePageUp : ""
        sourcePageDown: mainIten.sourcePageDown ? mainIten.sourcePageDown : ""

        delegate: Rectangle {
            id: classRow
            width: classList.view.width
            height: 28
            color: classArea.containsMouse ? Qt.rgba(1, 1, 1, 0.06) : "transparent"
            border.color: mainIten.colorGray1

            Accessible.role: Accessible.ListItem
            Accessible.name: modelData

            MouseArea {
                id: classArea
                anchors.fill: parent
                hoverEnabled: true
            }
            Text {
                x: 8
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - x - removeButton.width - 16
                elide: Text.ElideMiddle
                text: modelData
                color: mainIten.fontColor
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontNormalSize
                Accessible.ignored: true
            }
            FlatButton {
                id: removeButton
                anchors.right: parent.right
                anchors.rightMargin: 2
                anchors.verticalCenter: parent.verticalCenter
                width: 72
                textValue: apps.lang[7]
                fontFamily: mainIten.uiFontFamily
                Accessible.description: modelData
                onClicked: apps.unbind(modelData)
            }
        }
    }
    Text {
        anchors.centerIn: classList
        visible: apps.classes.length === 0
        text: apps.lang[3]
        color: mainIten.colorGray2
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
    }

    FlatButton {
        id: candidateButton
        x: 16
        anchors.top: classList.bottom
        anchors.topMargin: 8
        width: classList.view.width
        visible: apps.candidate !== "" && !apps.isBound(apps.candidate)
        textValue: apps.lang[4].arg(apps.candidate)
        fontFamily: mainIten.uiFontFamily
        onClicked: apps.addCandidate()
    }

    Row {
        id: typedRow
        x: 16
        anchors.top: classList.bottom
        anchors.topMargin: 40
        spacing: 8
        Text {
            id: inputLabel
            anchors.verticalCenter: parent.verticalCenter
            text: apps.lang[5]
            color: mainIten.fontColor
            font.family: mainIten.uiFontFamily
            font.pixelSize: mainIten.fontNormalSize
            Accessible.ignored: true
        }
        Rectangle {
            width: classList.view.width - inputLabel.width - addButton.width - 16
            height: 24
            color: mainIten.colorGray0
            border.color: classInput.activeFocus ? mainIten.colorOrange : mainIten.colorGray1
            TextInput {
                id: classInput
                anchors.fill: parent
                anchors.leftMargin: 4
                anchors.rightMargin: 4
                verticalAlignment: TextInput.AlignVCenter
                clip: true
                maximumLength: 255
                color: mainIten.fontColor
                selectionColor: mainIten.colorOrange
                selectByMouse: true
                font.family: mainIten.uiFontFamily
                font.pixelSize: mainIten.fontNormalSize
                activeFocusOnTab: true
                Accessible.role: Accessible.EditableText
                Accessible.name: apps.lang[5]
                Keys.onReturnPressed: apps.addTyped()
                Keys.onEnterPressed: apps.addTyped()
            }
        }
        FlatButton {
            id: addButton
            textValue: apps.lang[6]
            fontFamily: mainIten.uiFontFamily
            onClicked: apps.addTyped()
        }
    }

    Text {
        id: noticeText
        x: 16
        anchors.top: typedRow.bottom
        anchors.topMargin: 6
        width: parent.width - 32
        elide: Text.ElideRight
        visible: text !== ""
        text: apps.notice
        color: mainIten.colorOrange
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontMinSize + 1
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    FlatButton {
        id: backButton
        x: 16 + classList.view.width - width
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
        textValue: apps.lang[8]
        fontFamily: mainIten.uiFontFamily
        onClicked: apps.close()
    }
}
