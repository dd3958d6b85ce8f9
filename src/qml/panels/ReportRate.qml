// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// The report rate: the stored setting is the list index ("mouse/reportRate"
// in the current profile); the mouse takes the report interval in ms.
Item {
    id: reportRate
    property alias rateList: list
    // Interval sent for indices 0 .. 2; any other index sends 1 (1000 Hz).
    readonly property var intervals: [8, 4, 2]
    property int rateIndex: 3                  // the list's entry, as stored

    function rateOf(index) {
        return index >= 0 && index < intervals.length ? intervals[index] : 1
    }

    // Selects the stored index and sends it when asked. An index outside the
    // list shows as 1000 Hz, which is what it sends.
    function init(isSendData) {
        var stored = parseInt(ui_View.getData("mouse/reportRate", false))
        rateIndex = stored >= 0 && stored < list.count ? stored : list.count - 1
        if (isSendData)
            ui_View.mouseSetReportRate(rateOf(rateIndex))
    }

    function choose(index) {
        rateIndex = index
        ui_View.setData("mouse/reportRate", index)
        ui_View.mouseSetReportRate(rateOf(index))
    }

    width: 232
    height: 56

    Text {
        x: 0
        y: 4
        text: mainIten.mainLang[3]
        color: mainIten.colorGray2
        font.family: mainIten.uiFontFamily
        font.pixelSize: mainIten.fontNormalSize
        Accessible.ignored: true
    }
    DropDownList {
        id: list
        x: 0
        y: 32
        width: 120
        height: 24
        accessibleName: mainIten.mainLang[3]
        mdItems: ["125Hz", "250Hz", "500Hz", "1000Hz"]
        currentSelect: reportRate.rateIndex
        sourceDropBtn: mainIten.sourceDropBtn
        sourceDropBtnU: mainIten.sourceDropBtnU
        hoverColor: mainIten.colorOrange
        fontFamily: mainIten.uiFontFamily
        fontSize: mainIten.fontNormalSize
        onBtnClick: mainIten.mainFocus()
        onValueChange: function(index) { reportRate.choose(index) }
    }
}
