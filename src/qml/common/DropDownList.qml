// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A drop-down list: the chosen entry's text beside a chevron; a click slides
// the entries out below the field (or above it, `dropUp`). Every entry stays
// in the accessibility tree while the list is closed, so that a screen reader
// chooses an entry by pressing it without opening the list.
Item {
    id: dropDown

    property int currentSelect: 0            // index of the chosen entry (-1: none); the owner's, bound
    property var mdItems: []                  // ListModel of `textValue` entries, or an array of texts
    property bool isDrop: false               // the list is open
    property string accessibleName: ""        // what the list chooses ("Report Rate", "Profile")
    property bool dropUp: false               // open upwards where there is no room below
    property int itemHeight: height           // height of one entry
    property int maxVisibleItems: 8           // longer lists scroll
    property int highlightIndex: -1           // entry under the pointer or the keyboard cursor
    property url sourceDropBtn                // chevron while closed
    property url sourceDropBtnU               // chevron while open
    property color fillColor: "#1a1a1a"
    property color borderColor: "#3c3c3c"
    property color hoverColor: "#cf3e00"
    property color textColor: "#ffffff"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    readonly property int count: !mdItems ? 0 : (mdItems.count !== undefined ? mdItems.count : mdItems.length)
    readonly property string currentText: textAt(currentSelect)
    // The list takes longer to slide out the fewer entries it has.
    readonly property int slideDuration: Math.max(0, 180 - 5 * count)

    signal valueChange(int index)             // an entry was picked (currentSelect is left to the owner)
    signal btnClick()                         // the field was clicked (before the list opens or closes)

    function entryText(entry) {
        if (entry === undefined || entry === null)
            return ""
        return typeof entry === "object" ? String(entry.textValue) : String(entry)
    }
    function textAt(index) {
        if (index < 0 || index >= count)
            return ""
        return entryText(mdItems.get !== undefined ? mdItems.get(index) : mdItems[index])
    }

    // What a click on the field does. The owner's btnClick handler may close
    // every list (the main screen's focus function); the new state is decided
    // before it runs, so that this list still opens.
    function toggle() {
        if (!enabled)
            return
        var open = !isDrop
        btnClick()
        if (open)
            highlightIndex = currentSelect
        isDrop = open
        if (open)
            scrollTo(highlightIndex)
    }
    function open() {
        if (!isDrop)
            toggle()
    }
    function close() {
        isDrop = false
    }
    // A disabled list (input blocked) ignores the accessible actions too.
    // The owner takes the pick and moves the value currentSelect is bound
    // to; a pick it refuses leaves the shown entry as it was.
    function choose(index) {
        if (!enabled || index < 0 || index >= count)
            return
        isDrop = false
        valueChange(index)
    }
    function scrollTo(index) {
        if (index < 0)
            return
        var top = index * itemHeight
        if (top < flick.contentY)
            flick.contentY = top
        else if (top + itemHeight > flick.contentY + flick.height)
            flick.contentY = top + itemHeight - flick.height
    }
    function moveHighlight(step) {
        highlightIndex = Math.max(0, Math.min(count - 1, highlightIndex + step))
        scrollTo(highlightIndex)
    }

    width: 120
    height: 24
    z: isDrop ? 100 : 0
    activeFocusOnTab: true

    Accessible.role: Accessible.ComboBox
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.onPressAction: toggle()

    Keys.onPressed: function (event) {
        var enter = event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space
        if (!isDrop) {
            if (enter || event.key === Qt.Key_F4 || (event.key === Qt.Key_Down && (event.modifiers & Qt.AltModifier))) {
                toggle()
                event.accepted = true
            }
            return
        }
        switch (event.key) {
        case Qt.Key_Up: moveHighlight(-1); break
        case Qt.Key_Down: moveHighlight(1); break
        case Qt.Key_PageUp: moveHighlight(-maxVisibleItems); break
        case Qt.Key_PageDown: moveHighlight(maxVisibleItems); break
        case Qt.Key_Home: moveHighlight(-count); break
        case Qt.Key_End: moveHighlight(count); break
        case Qt.Key_Escape: close(); break
        default:
            if (!enter) {
                // Tab and the like leave the list closed behind them.
                if (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab)
                    close()
                return
            }
            choose(highlightIndex)
        }
        event.accepted = true
    }

    DropField {
        anchors.fill: parent
        text: dropDown.currentText
        isOpen: dropDown.isDrop
        highlighted: dropDown.activeFocus
        sourceDropBtn: dropDown.sourceDropBtn
        sourceDropBtnU: dropDown.sourceDropBtnU
        fillColor: dropDown.fillColor
        borderColor: dropDown.borderColor
        hoverColor: dropDown.hoverColor
        textColor: dropDown.textColor
        fontFamily: dropDown.fontFamily
        fontSize: dropDown.fontSize
        onClicked: {
            dropDown.forceActiveFocus()
            dropDown.toggle()
        }
    }

    DropBox {
        id: listBox
        objectName: "listBox"
        isOpen: dropDown.isDrop
        fullHeight: Math.min(dropDown.count, dropDown.maxVisibleItems) * dropDown.itemHeight + 2
        duration: dropDown.slideDuration
        dropUp: dropDown.dropUp
        fillColor: dropDown.fillColor
        borderColor: dropDown.borderColor

        Flickable {
            id: flick
            objectName: "entryFlick"
            x: 1
            y: 1
            width: parent.width - 2
            height: parent.height - 2
            contentHeight: entries.height
            interactive: contentHeight > height
            boundsBehavior: Flickable.StopAtBounds
            clip: true

            Column {
                id: entries
                width: flick.width
                Repeater {
                    model: dropDown.mdItems
                    Rectangle {
                        id: entry
                        width: entries.width
                        height: dropDown.itemHeight
                        color: index === dropDown.highlightIndex ? dropDown.hoverColor : "transparent"

                        Accessible.role: Accessible.ListItem
                        Accessible.name: label.text
                        Accessible.selectable: true
                        Accessible.selected: index === dropDown.currentSelect
                        Accessible.onPressAction: dropDown.choose(index)

                        Text {
                            id: label
                            anchors.left: parent.left
                            anchors.leftMargin: 8
                            anchors.right: parent.right
                            anchors.rightMargin: 8
                            anchors.verticalCenter: parent.verticalCenter
                            elide: Text.ElideRight
                            // The chosen entry is told by its orange text.
                            color: index === dropDown.currentSelect && index !== dropDown.highlightIndex ? dropDown.hoverColor : dropDown.textColor
                            font.family: dropDown.fontFamily
                            font.pixelSize: dropDown.fontSize
                            text: model.textValue !== undefined ? model.textValue : dropDown.entryText(modelData)
                            Accessible.ignored: true
                        }
                        MouseArea {
                            anchors.fill: parent
                            hoverEnabled: true
                            onEntered: dropDown.highlightIndex = index
                            onClicked: dropDown.choose(index)
                        }
                    }
                }
            }
        }
        // A thin bar shows where a scrolled list stands.
        Rectangle {
            visible: flick.interactive
            x: parent.width - 4
            y: 1 + flick.visibleArea.yPosition * flick.height
            width: 3
            height: flick.visibleArea.heightRatio * flick.height
            color: "#969696"
        }
    }
}
