import QtQuick

// The title-bar menu: profile list, then help, minimise and close.
Item {
    id: menu
    signal btnClicked(int btnIndex)
    signal profileChosen(int index)
    property alias profileBtn: profileList
    property url sourceMinBtn
    property url sourceMinBtnH
    property url sourceCloseBtn
    property url sourceCloseBtnH
    property url sourceAsk
    property url sourceAskH
    property var profileNames: []
    property color textColor: "#ffffff"

    width: buttons.width
    height: buttons.height

    Rectangle {
        id: profileList
        property bool isOpen: false
        property int currentIndex: 0
        function close() { isOpen = false }

        anchors.right: buttons.left
        anchors.rightMargin: 16
        anchors.verticalCenter: buttons.verticalCenter
        width: 144
        height: 24
        color: "#1a1a1a"
        border.color: "#3c3c3c"
        visible: menu.profileNames.length > 0

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            color: menu.textColor
            font.pixelSize: 12
            text: menu.profileNames.length > profileList.currentIndex ? menu.profileNames[profileList.currentIndex] : ""
        }
        MouseArea {
            anchors.fill: parent
            onClicked: profileList.isOpen = !profileList.isOpen
        }
        Column {
            y: parent.height
            width: parent.width
            visible: profileList.isOpen
            Repeater {
                model: menu.profileNames
                Rectangle {
                    width: 144
                    height: 24
                    color: entryArea.containsMouse ? "#cf3e00" : "#1a1a1a"
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        color: menu.textColor
                        font.pixelSize: 12
                        text: modelData
                    }
                    MouseArea {
                        id: entryArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: {
                            profileList.isOpen = false
                            menu.profileChosen(index)
                        }
                    }
                }
            }
        }
    }

    Row {
        id: buttons
        spacing: 16
        ImageButton { source: menu.sourceAsk; hoverSource: menu.sourceAskH; onClicked: menu.btnClicked(2) }
        ImageButton { source: menu.sourceMinBtn; hoverSource: menu.sourceMinBtnH; onClicked: menu.btnClicked(0) }
        ImageButton { source: menu.sourceCloseBtn; hoverSource: menu.sourceCloseBtnH; onClicked: menu.btnClicked(1) }
    }
}
