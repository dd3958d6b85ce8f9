// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"

// The frame every dialog shares: a grey panel under a black 30 px title bar
// with the title, a Close button at its right and, where the dialog has one,
// a Back button at its left. The title bar drags the dialog, which stays
// inside its parent (the window). The dialog's own controls go below it.
//
// The keyboard: an opened dialog takes the focus (initialFocus, else its
// first control), Escape closes it, and once it is hidden the focus goes
// back to the control that had it when the dialog opened. What lies behind
// the dialog is disabled by its owner, so that Tab and Shift+Tab go round
// the dialog's own controls. A dialog or page over this one lies in `cover`
// and sets `covered`, which disables this one's controls meanwhile.
Rectangle {
    id: frame

    property string title: ""
    property bool showBack: false             // shows the Back button
    // Escape gives up the dialog's edit (cancelClicked) instead of closing
    // with it: for dialogs whose Close hands an edit on.
    property bool escapeCancels: false
    property Item initialFocus: null          // takes the focus when the dialog opens
    property bool covered: false              // a dialog or page in `cover` is open
    readonly property alias cover: coverLayer // over the body, for such a dialog or page
    // The control that had the focus when the dialog opened.
    property Item opener: null
    property url sourceClose                  // pictures of the Close button
    property url sourceCloseH
    property url sourceBack                   // pictures of the Back button
    property url sourceBackH
    property color textColor: "#ffffff"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 14
    readonly property int titleHeight: 30
    readonly property alias body: body        // the area below the title bar
    default property alias content: body.data

    signal closeClicked()
    signal cancelClicked()                    // Escape, where it cancels
    signal backClicked()
    signal emptyAreaPressed()                 // a press on the frame outside its controls (close open lists)

    function centre() {
        if (!parent)
            return
        x = Math.round((parent.width - width) / 2)
        y = Math.round((parent.height - height) / 2)
    }
    function open() {
        centre()
        visible = true
        forceActiveFocus()
    }
    // True when `item` lies in this dialog.
    function holds(item) {
        for (var i = item; i; i = i.parent)
            if (i === frame)
                return true
        return false
    }
    // The control the focus goes to inside: initialFocus where it can take
    // it, else the first control of the body, else the Close button.
    function firstControl() {
        if (initialFocus && initialFocus.visible && initialFocus.enabled)
            return initialFocus
        var first = body.nextItemInFocusChain(true)
        return first && holds(first) && first !== body ? first : closeButton
    }
    // Only while the frame itself still holds the focus: a control chosen
    // meanwhile (by a click or by the owner) keeps it.
    function takeFocus() {
        if (visible && activeFocus)
            firstControl().forceActiveFocus()
    }
    // After closing: back to the opener, unless something else took the
    // focus meanwhile (another dialog, the one this dialog handed over to).
    function returnFocus() {
        if (visible)
            return
        var now = Window.activeFocusItem
        if (now && now.visible && now !== Window.contentItem && !holds(now))
            return
        if (opener && opener.visible && opener.enabled)
            opener.forceActiveFocus()
        opener = null
    }
    // The control that last had the focus while the dialog was hidden: the
    // opener, even where opening disabled it first (the window behind).
    property Item lastFocus: null
    readonly property Item focusNow: Window.activeFocusItem
    onFocusNowChanged: {
        if (!visible && focusNow && focusNow.visible && focusNow !== Window.contentItem)
            lastFocus = focusNow
    }
    onVisibleChanged: {
        if (!visible) {
            Qt.callLater(returnFocus)
            return
        }
        // Shown again after handing over to another dialog, the last focus
        // lay in that one, now hidden: the first opener stays.
        if (lastFocus && lastFocus.visible)
            opener = lastFocus
    }
    // Given the focus itself (opened, or an owner asked), the dialog hands
    // it on to a control, so that Tab starts inside.
    onActiveFocusChanged: if (activeFocus) Qt.callLater(takeFocus)

    visible: false
    color: "#1a1a1a"
    border.width: 1
    border.color: "#3c3c3c"

    Accessible.role: Accessible.Dialog
    Accessible.name: title
    Keys.onEscapePressed: escapeCancels ? cancelClicked() : closeClicked()

    // Presses on empty parts of the dialog stop here instead of reaching the
    // window behind it (which would drag the window).
    MouseArea {
        anchors.fill: parent
        onPressed: frame.emptyAreaPressed()
    }

    Rectangle {
        id: titleBar
        enabled: !frame.covered
        x: 1
        y: 1
        width: parent.width - 2
        height: frame.titleHeight
        color: "#000000"

        MouseArea {
            id: dragArea
            objectName: "titleDrag"
            anchors.fill: parent
            drag.target: frame
            drag.minimumX: 0
            drag.minimumY: 0
            drag.maximumX: frame.parent ? Math.max(0, frame.parent.width - frame.width) : 0
            drag.maximumY: frame.parent ? Math.max(0, frame.parent.height - frame.height) : 0
            onPressed: frame.emptyAreaPressed()
        }
        ImageButton {
            id: backButton
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            width: 24
            height: 24
            visible: frame.showBack
            source: frame.sourceBack
            hoverSource: frame.sourceBackH
            accessibleName: "Back"
            onClicked: frame.backClicked()
        }
        Text {
            anchors.left: frame.showBack ? backButton.right : parent.left
            anchors.leftMargin: frame.showBack ? 8 : 12
            anchors.right: closeButton.left
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            text: frame.title
            color: frame.textColor
            font.family: frame.fontFamily
            font.pixelSize: frame.fontSize
            Accessible.ignored: true
        }
        ImageButton {
            id: closeButton
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            width: 24
            height: 24
            source: frame.sourceClose
            hoverSource: frame.sourceCloseH
            accessibleName: "Close"
            onClicked: frame.closeClicked()
        }
    }

    Item {
        id: body
        enabled: !frame.covered
        x: 1
        y: titleBar.y + titleBar.height
        width: parent.width - 2
        height: parent.height - y - 1
    }
    Item {
        id: coverLayer
        x: body.x
        y: body.y
        width: body.width
        height: body.height
    }
}
