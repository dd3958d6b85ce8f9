// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"
import "qrc:/modules/qml/common"

// Every shared control in its states on the window's background, saved as
// controls-gallery.png beside the test runner for a person to look at. Hover
// and pressed states are pictures of a live control taken while the pointer
// is on it, since only one control can be under the pointer at a time.
Item {
    id: scene
    width: 1024
    height: 640

    readonly property string index: "qrc:/index/modules/img/skin1/index/"
    readonly property string macros: "qrc:/macros/modules/img/skin1/macros/"
    property var grabs: []    // keeps the snapshots' images alive

    component Caption: Text {
        color: "#969696"
        font.pixelSize: 10
    }
    component Heading: Text {
        color: "#ffffff"
        font.pixelSize: 14
    }
    // A control above its caption.
    component Cell: Column {
        property alias caption: captionText.text
        default property alias content: holder.data
        spacing: 6
        Item {
            id: holder
            z: 1 // an open list lies over the caption
            width: childrenRect.width
            height: childrenRect.height
        }
        Caption { id: captionText }
    }
    component Snapshot: Image {
        Accessible.ignored: true
    }

    Image {
        anchors.fill: parent
        source: "qrc:/modules/img/background.png"
    }

    ListModel {
        id: rates
        ListElement { textValue: "125Hz" }
        ListElement { textValue: "250Hz" }
        ListElement { textValue: "500Hz" }
        ListElement { textValue: "1000Hz" }
    }

    // Buttons
    Heading { x: 24; y: 16; text: "Buttons" }
    Row {
        x: 24
        y: 44
        spacing: 16
        Cell { caption: "normal"; FlatButton { id: flat; textValue: "Save" } }
        Cell { caption: "hover"; Snapshot { id: flatHover } }
        Cell { caption: "pressed"; Snapshot { id: flatPressed } }
        Cell { caption: "disabled"; FlatButton { textValue: "Save"; enabled: false } }
        Cell { caption: "changes wait"; FlatButton { textValue: "Save"; fillColor: "#ff3030" } }
        Cell { caption: "focus"; Snapshot { id: flatFocusShot } }
        Cell { caption: "Button"; Button { id: button; textValue: "Macro Editor"; width: 140; height: 30 } }
        Cell { caption: "Button, hover"; Snapshot { id: buttonHover } }
        Cell { caption: "picture"; ImageButton { id: picture; source: scene.index + "closeBtn.png"; hoverSource: scene.index + "closeBtnH.png"; accessibleName: "Close" } }
        Cell { caption: "hover"; Snapshot { id: pictureHover } }
    }

    // Drop-downs
    Heading { x: 24; y: 104; text: "Drop-down lists" }
    Row {
        x: 24
        y: 132
        spacing: 32
        Cell {
            caption: "closed"
            DropDownList { id: closedList; mdItems: rates; currentSelect: 3; sourceDropBtn: scene.index + "dropBtn.png"; sourceDropBtnU: scene.index + "dropBtnU.png" }
        }
        Cell {
            caption: "hover"
            Snapshot { id: dropHover }
        }
        Cell {
            caption: "open"
            DropDownList { id: openList; mdItems: rates; currentSelect: 2; highlightIndex: 1; sourceDropBtn: scene.index + "dropBtn.png"; sourceDropBtnU: scene.index + "dropBtnU.png" }
        }
        Cell { caption: "profile list, focus"; Snapshot { id: focusListShot } }
        Cell {
            caption: "disabled"
            DropDownList { mdItems: rates; enabled: false; sourceDropBtn: scene.index + "dropBtn.png" }
        }
        Cell {
            caption: "drop-down slider, open"
            spacing: 6 + 32 // below the open slider
            DropDownSlider {
                id: dropSlider
                width: 144
                textValue: "500 ms"
                sourceDropBtn: scene.index + "dropBtn.png"
                sourceDropBtnU: scene.index + "dropBtnU.png"
                sourceSlide: scene.index + "slide.png"
                slider.isScale: true
                slider.segment: 4
            }
        }
    }

    // Sliders, fields, choices
    Heading { x: 24; y: 276; text: "Sliders" }
    Column {
        x: 24
        y: 304
        spacing: 14
        Cell { caption: "steps (4 segments), step 1"; SliderButton { id: stepSlider; isScale: true; segment: 4; sourceSlide: scene.index + "slide.png" } }
        Cell { caption: "free, 70 %"; SliderButton { id: freeSlider; sourceSlide: scene.index + "slide.png" } }
        Cell { caption: "keyboard focus"; Snapshot { id: focusSliderShot } }
        Cell { caption: "disabled"; SliderButton { id: offSlider; enabled: false; sourceSlide: scene.index + "slide.png" } }
    }

    Heading { x: 264; y: 276; text: "Number fields" }
    Grid {
        x: 264
        y: 304
        columns: 3
        spacing: 16
        Cell { caption: "normal"; RectInput { textValue: "100" } }
        Cell { caption: "editing"; RectInput { id: editing; textValue: "25" } }
        Cell { caption: "disabled"; RectInput { textValue: "8"; enabled: false } }
    }

    Heading { x: 264; y: 372; text: "Choices" }
    Column {
        x: 264
        y: 400
        spacing: 10
        Row {
            spacing: 16
            RadioButton { textValue: "Single"; isSelect: true; source: scene.index + "radioBtn.png"; sourceSelected: scene.index + "radioBtnS.png" }
            RadioButton { textValue: "Repeat"; source: scene.index + "radioBtn.png"; sourceSelected: scene.index + "radioBtnS.png" }
            RadioButton { textValue: "Hold"; enabled: false; source: scene.index + "radioBtn.png"; sourceSelected: scene.index + "radioBtnS.png" }
        }
        Row {
            spacing: 16
            CheckBox { textValue: "Ticked"; isSelect: true; sourceSelected: scene.index + "checkBtn.png" }
            CheckBox { textValue: "Clear"; sourceSelected: scene.index + "checkBtn.png" }
            CheckBox { textValue: "Off"; enabled: false; sourceSelected: scene.index + "checkBtn.png" }
        }
        Row {
            spacing: 16
            Snapshot { id: focusCheckShot }
            CheckBox { textValue: "Macro on"; isSelect: true; source: scene.macros + "macroCheck0.png"; sourceSelected: scene.macros + "macroCheck1.png" }
            CheckBox { textValue: "Macro off"; source: scene.macros + "macroCheck0.png"; sourceSelected: scene.macros + "macroCheck1.png" }
        }
    }

    // Lists, menus, dialogs, busy
    Heading { x: 520; y: 276; text: "List, menu" }
    Cell {
        x: 520
        y: 304
        caption: "scrolled list"
        ScrollList {
            id: scrollList
            width: 160
            height: 168
            sourcePageUp: scene.index + "pageUp.png"
            sourcePageDown: scene.index + "pageDown.png"
            sourceBar: scene.index + "flickableBar.png"
            model: 20
            delegate: Rectangle {
                width: 140
                height: 24
                color: index === 3 ? "#cf3e00" : "transparent"
                Text {
                    x: 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: "Macro_" + index
                    color: "#ffffff"
                    font.pixelSize: 12
                }
            }
        }
    }
    Item {
        id: menuOwner
        x: 700
        y: 304
        width: 1
        height: 1
        ContextMenu {
            id: menu
            menuItems: ["Delete", "Import", "Export"]
            sourceBackground: scene.macros + "macroMenuBG.png"
        }
    }
    Caption { x: 700; y: 412; text: "right-click menu, hover on Import" }

    Heading { x: 24; y: 500; text: "Dialog, busy" }
    Item {
        x: 24
        y: 528
        width: 460
        height: 104
        DialogFrame {
            id: dialog
            visible: true
            width: 427
            height: 102
            title: "Reset"
            showBack: true
            sourceClose: scene.index + "closeBtn.png"
            sourceCloseH: scene.index + "closeBtnH.png"
            sourceBack: scene.index + "back.png"
            sourceBackH: scene.index + "backH.png"
            Text {
                x: 12
                y: 10
                text: "Reset factory setting"
                color: "#ffffff"
                font.pixelSize: 12
            }
            FlatButton { x: 427 - 2 - 12 - 88; y: 38; width: 88; height: 25; textValue: "OK" }
            FlatButton { x: 427 - 2 - 12 - 88 - 7 - 88; y: 38; width: 88; height: 25; textValue: "Cancel" }
        }
    }
    // Off the window: controls shown with the keyboard focus, one at a time.
    Item {
        x: 2000
        FlatButton { id: flatFocus; textValue: "Reset" }
        DropDownList {
            id: focusList
            width: 144
            mdItems: ["Profile 1", "Profile 2 with a long name", "Profile 3"]
            currentSelect: 1
            sourceDropBtn: scene.index + "dropBtn.png"
        }
        SliderButton { id: focusSlider; isScale: true; segment: 4; sourceSlide: scene.index + "slide.png" }
        CheckBox { id: focusCheck; textValue: "Focus"; isSelect: true; sourceSelected: scene.index + "checkBtn.png" }
    }

    BusyIndicator {
        id: busy
        x: 760
        y: 560
        isBusy: true
    }

    TestCase {
        name: "Gallery"
        when: windowShown

        function snapshot(item, into) {
            var done = false
            item.grabToImage(function (result) {
                var kept = scene.grabs
                kept.push(result)
                scene.grabs = kept
                into.source = result.url
                done = true
            })
            tryVerify(function () { return done })
            tryCompare(into, "status", Image.Ready)
        }
        function focusSnapshot(item, into) {
            item.forceActiveFocus()
            snapshot(item, into)
        }
        function hoverSnapshot(item, into) {
            mouseMove(item)
            snapshot(item, into)
        }

        function test_gallery() {
            hoverSnapshot(flat, flatHover)
            mousePress(flat)
            snapshot(flat, flatPressed)
            mouseRelease(flat)
            hoverSnapshot(button, buttonHover)
            hoverSnapshot(picture, pictureHover)
            hoverSnapshot(closedList, dropHover)
            focusSnapshot(flatFocus, flatFocusShot)
            focusSnapshot(focusList, focusListShot)
            focusSlider.setIndexValue(3, false)
            focusSnapshot(focusSlider, focusSliderShot)
            focusSnapshot(focusCheck, focusCheckShot)

            openList.isDrop = true
            dropSlider.isDrop = true
            dropSlider.slider.setIndexValue(2, false)
            stepSlider.setIndexValue(1, false)
            freeSlider.setRatioValue(0.7)
            offSlider.setRatioValue(0.4)
            scrollList.scrollTo(72)
            menu.popup(0, 0)
            menu.currentIndex = 1
            mouseMove(scene, 1000, 630)
            editing.edit()
            compare(editing.editing, true)
            wait(400) // the lists finish sliding out

            var path = Qt.application.arguments[0].replace(/[^\/]*$/, "") + "controls-gallery.png"
            var saved = false
            scene.parent.grabToImage(function (result) {
                saved = result.saveToFile(path)
            })
            tryVerify(function () { return saved }, 5000, "saved " + path)
            console.log("gallery: " + path)
        }
    }
}
