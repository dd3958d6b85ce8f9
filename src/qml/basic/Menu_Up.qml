// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// The title-bar menu: help, minimise and close (24 x 24, 16 apart), and left
// of them the profile list.
Item {
    id: menu
    signal btnClicked(int btnIndex)        // 0 minimise, 1 close, 2 help
    signal profileChosen(int index)
    signal profileListClicked()            // before the profile list opens or closes
    property alias profileBtn: profileList
    property var profileModel: []
    property string profileListName: "Profile"  // the profile list's accessible name
    property url sourceMinBtn
    property url sourceMinBtnH
    property url sourceCloseBtn
    property url sourceCloseBtnH
    property url sourceAsk
    property url sourceAskH
    property url sourceDropBtn
    property url sourceDropBtnU
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12
    property color hoverColor: "#cf3e00"

    width: buttons.width
    height: buttons.height

    DropDownList {
        id: profileList
        x: -width - 16
        width: 144
        height: 24
        accessibleName: menu.profileListName
        mdItems: menu.profileModel
        sourceDropBtn: menu.sourceDropBtn
        sourceDropBtnU: menu.sourceDropBtnU
        hoverColor: menu.hoverColor
        fontFamily: menu.fontFamily
        fontSize: menu.fontSize
        onBtnClick: menu.profileListClicked()
        onValueChange: function(index) { menu.profileChosen(index) }
    }

    Row {
        id: buttons
        spacing: 16
        ImageButton {
            width: 24
            height: 24
            source: menu.sourceAsk
            hoverSource: menu.sourceAskH
            accessibleName: "Help"
            onClicked: menu.btnClicked(2)
        }
        ImageButton {
            width: 24
            height: 24
            source: menu.sourceMinBtn
            hoverSource: menu.sourceMinBtnH
            accessibleName: "Minimize"
            onClicked: menu.btnClicked(0)
        }
        ImageButton {
            width: 24
            height: 24
            source: menu.sourceCloseBtn
            hoverSource: menu.sourceCloseBtnH
            accessibleName: "Close"
            onClicked: menu.btnClicked(1)
        }
    }
}
