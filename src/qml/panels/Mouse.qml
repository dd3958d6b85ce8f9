// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../basic"
import "MouseGeometry.js" as Geometry

// The mouse picture: the mouse from above or from its left side, each of its
// buttons lit under the pointer and when selected. It shares the selection
// with the button list; a click on a button opens that button's dialog. The
// panel covers the window, but only the picture and its switches take the
// pointer.
Item {
    id: mousePanel

    property int selectKey: -1                // selected button, -1: none
    property int keyCount: mainIten.keyCount !== undefined ? mainIten.keyCount : 8
    property bool isSideView: false
    readonly property int canvasX: 292
    readonly property int canvasY: 64

    // The button list, which keeps the selection and opens the dialogs.
    function list() {
        return typeof keyMatrixMain !== "undefined" && keyMatrixMain
               && typeof keyMatrixMain.openKey === "function" ? keyMatrixMain : null
    }
    function lighting() {
        return typeof lightControlMain !== "undefined" ? lightControlMain : null
    }
    // The button list's word for a button, so both name button 3 alike.
    function keyWord() {
        var l = list()
        return l && typeof l.tr === "function" ? l.tr(0) : "Key"
    }
    function keyText(index) {
        var l = list()
        return l && l.keyTexts && index < l.keyTexts.length ? l.keyTexts[index] : ""
    }

    function hoverKey(index) {
        if (list())
            list().hoverKey(index)
        else
            selectKey = index
    }
    function leaveKey() {
        if (list())
            list().leaveKey()
        else
            selectKey = -1
    }
    function openKey(index) {
        return list() ? list().openKey(index) : false
    }
    function switchView() {
        isSideView = !isSideView
    }
    // Lighting on or off: the lighting panel says which of its effects is
    // "Off" on this model. The button switches it off and back to the effect
    // it had, as the list would (the change waits for Save like the panel's own).
    property int lastLitEffect: -1
    readonly property bool lightOn: lighting() !== null && lighting().effect !== lighting().offEffect
    function toggleLight() {
        var l = lighting()
        if (!l || typeof l.changeEffect !== "function")
            return
        if (lightOn) {
            lastLitEffect = l.effect
            l.changeEffect(l.offEffect)
        } else {
            l.changeEffect(lastLitEffect >= 0 ? lastLitEffect : l.firstLitEffect)
        }
    }

    width: 1024
    height: 640

    Item {
        id: canvas
        x: mousePanel.canvasX
        y: mousePanel.canvasY
        width: Geometry.canvasWidth
        height: Geometry.canvasHeight

        Accessible.role: Accessible.Pane
        Accessible.name: "Mouse"

        Image {
            anchors.fill: parent
            source: mousePanel.isSideView ? mainIten.sourceMouseSide : mainIten.sourceMouseFront
            Accessible.ignored: true
        }

        Repeater {
            id: frontButtons
            model: 8
            MouseHotspot {
                anchors.fill: parent
                visible: !mousePanel.isSideView && index < mousePanel.keyCount
                keyIndex: index
                rect: Geometry.front[index]
                hoverSource: mainIten["sourceMouse" + index]
                selectedSource: mainIten["sourceMouse" + index + "S"]
                selected: mousePanel.selectKey === index
                valueText: mousePanel.keyText(index)
                keyWord: mousePanel.keyWord()
                onEntered: mousePanel.hoverKey(index)
                onExited: mousePanel.leaveKey()
                onActivated: mousePanel.openKey(index)
            }
        }
        Repeater {
            id: sideButtons
            model: 8
            MouseHotspot {
                anchors.fill: parent
                visible: mousePanel.isSideView && index < mousePanel.keyCount
                keyIndex: index
                rect: Geometry.side[index]
                hoverSource: mainIten["sourceMouseSide" + index]
                selectedSource: mainIten["sourceMouseSide" + index + "S"]
                selected: mousePanel.selectKey === index
                valueText: mousePanel.keyText(index)
                keyWord: mousePanel.keyWord()
                onEntered: mousePanel.hoverKey(index)
                onExited: mousePanel.leaveKey()
                onActivated: mousePanel.openKey(index)
            }
        }
    }

    Row {
        id: switches
        y: 572
        x: mousePanel.canvasX + (canvas.width - width) / 2
        spacing: 16

        ImageButton {
            width: 32
            height: 32
            source: mainIten.sourceMouseSidebtnN
            hoverSource: mainIten.sourceMouseSidebtnH
            selectedSource: mainIten.sourceMouseSidebtnS
            isSelect: mousePanel.isSideView
            checkable: true
            accessibleName: "Side view"
            onClicked: mousePanel.switchView()
        }
        ImageButton {
            width: 32
            height: 32
            visible: mousePanel.lighting() !== null
            source: mainIten.sourcelightBtn
            selectedSource: mainIten.sourcelightBtnS
            isSelect: mousePanel.lightOn
            checkable: true
            accessibleName: "Lighting"
            onClicked: mousePanel.toggleLight()
        }
    }
}
