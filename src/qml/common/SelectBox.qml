// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// What radio buttons and check boxes share: a 16 px mark with a text beside
// it. The mark is the owner's picture for the state in force; where that
// picture is not there, a box is drawn (filled while selected).
// `isSelect` shows the owner's value: a click only asks (btnClick), and the
// owner changes the value the mark is bound to. Assigning it here would
// break that binding, and the mark would stop following the value.
Item {
    id: box

    property bool isSelect: false
    property string textValue: ""
    property int index: 0                     // handed back by btnClick, for groups
    property string accessibleName: textValue // defaults to the visible text
    property url source                       // mark while not selected
    property url sourceSelected               // mark while selected
    property bool exclusive: false            // a radio button: a click selects, it never clears
    property color textColor: "#ffffff"
    property color markColor: "#cf3e00"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    signal btnClick(int index)                // asks to select (radio) or to toggle (check box)

    function activate() {
        if (!enabled)
            return
        btnClick(index)
    }

    implicitWidth: textValue === "" ? 16 : 16 + 8 + label.implicitWidth
    implicitHeight: Math.max(16, label.implicitHeight)
    opacity: enabled ? 1 : 0.4
    activeFocusOnTab: true

    Accessible.role: exclusive ? Accessible.RadioButton : Accessible.CheckBox
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.onPressAction: activate()
    Accessible.onToggleAction: activate()
    Keys.onSpacePressed: activate()
    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()

    Item {
        id: mark
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16

        Image {
            id: picture
            objectName: "mark"
            anchors.centerIn: parent
            source: box.isSelect ? box.sourceSelected : box.source
            Accessible.ignored: true
        }
        Rectangle {
            anchors.fill: parent
            visible: picture.status !== Image.Ready
            radius: box.exclusive ? 8 : 2
            color: "transparent"
            border.color: area.containsMouse ? box.markColor : "#969696"
            Rectangle {
                anchors.fill: parent
                anchors.margins: 4
                radius: box.exclusive ? width / 2 : 1
                color: box.markColor
                visible: box.isSelect
            }
        }
        FocusRing {
            shown: box.activeFocus
            radius: box.exclusive ? 8 : 2
        }
    }
    Text {
        id: label
        anchors.left: mark.right
        anchors.leftMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        visible: text !== ""
        text: box.textValue
        color: box.textColor
        font.family: box.fontFamily
        font.pixelSize: box.fontSize
        Accessible.ignored: true
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: box.activate()
    }
}
