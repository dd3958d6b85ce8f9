// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"

// A clipped vertical list with a thin scroll bar between page-up and
// page-down buttons at its right; the wheel and the bar's thumb scroll it
// too. The bar shows only while the rows do not fit.
Item {
    id: scrollList

    property alias model: view.model
    property alias delegate: view.delegate
    property alias currentIndex: view.currentIndex
    property alias spacing: view.spacing
    readonly property alias view: view        // the ListView: positioning, rows, content height
    readonly property bool scrollable: view.contentHeight > view.height
    property string accessibleName: ""        // what the list holds ("Macros")
    property url sourcePageUp
    property url sourcePageDown
    property url sourceBar                    // thumb picture (flickableBar)
    property int barColumnWidth: 16

    function scrollTo(y) {
        view.contentY = view.originY + Math.max(0, Math.min(view.contentHeight - view.height, y))
    }
    // The thumb follows the list, except while it is being dragged (then the
    // list follows the thumb).
    function placeThumb() {
        if (thumbArea.drag.active)
            return
        var scrollRange = view.contentHeight - view.height
        thumb.y = scrollRange > 0 ? (view.contentY - view.originY) / scrollRange * track.travel : 0
    }
    function pageUp() {
        scrollTo(view.contentY - view.originY - view.height)
    }
    function pageDown() {
        scrollTo(view.contentY - view.originY + view.height)
    }

    ListView {
        id: view
        width: parent.width - scrollList.barColumnWidth - 4
        height: parent.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        // Rows out of sight stay built, so that a screen reader finds every one.
        cacheBuffer: 10000
        activeFocusOnTab: true

        onContentYChanged: scrollList.placeThumb()
        onContentHeightChanged: scrollList.placeThumb()
        onHeightChanged: scrollList.placeThumb()

        Accessible.role: Accessible.List
        Accessible.name: scrollList.accessibleName
        Keys.onPressed: function (event) {
            if (event.key === Qt.Key_PageUp)
                scrollList.pageUp()
            else if (event.key === Qt.Key_PageDown)
                scrollList.pageDown()
            else
                return
            event.accepted = true
        }
    }

    // The list has the focus and no entry is current: the list is ringed.
    FocusRing {
        anchors.fill: view
        inset: true
        shown: view.activeFocus && view.currentIndex < 0
    }

    Item {
        id: bar
        anchors.right: parent.right
        width: scrollList.barColumnWidth
        height: parent.height
        visible: scrollList.scrollable

        ImageButton {
            id: upButton
            width: parent.width
            height: 16
            source: scrollList.sourcePageUp
            accessibleName: "Page up"
            onClicked: scrollList.pageUp()
        }
        Item {
            id: track
            objectName: "track"
            anchors.top: upButton.bottom
            anchors.bottom: downButton.top
            anchors.margins: 2
            width: parent.width
            readonly property real travel: height - thumb.height
            onTravelChanged: scrollList.placeThumb()

            Rectangle {
                anchors.horizontalCenter: parent.horizontalCenter
                width: 2
                height: parent.height
                color: "#3c3c3c"
            }
            Item {
                id: thumb
                objectName: "thumb"
                anchors.horizontalCenter: parent.horizontalCenter
                width: 6
                height: Math.max(16, view.visibleArea.heightRatio * track.height)
                onYChanged: {
                    if (thumbArea.drag.active && track.travel > 0)
                        scrollList.scrollTo(y / track.travel * (view.contentHeight - view.height))
                }

                BorderImage {
                    id: thumbPicture
                    anchors.fill: parent
                    source: scrollList.sourceBar
                    border { top: 3; bottom: 3 }
                    Accessible.ignored: true
                }
                Rectangle {
                    anchors.fill: parent
                    visible: thumbPicture.status !== Image.Ready
                    radius: 3
                    color: thumbArea.pressed || thumbArea.containsMouse ? "#cf3e00" : "#969696"
                }
                MouseArea {
                    id: thumbArea
                    anchors.fill: parent
                    anchors.margins: -4
                    hoverEnabled: true
                    drag.target: thumb
                    drag.axis: Drag.YAxis
                    drag.minimumY: 0
                    drag.maximumY: track.travel
                }
            }
        }
        ImageButton {
            id: downButton
            anchors.bottom: parent.bottom
            width: parent.width
            height: 16
            source: scrollList.sourcePageDown
            accessibleName: "Page down"
            onClicked: scrollList.pageDown()
        }
    }
}
