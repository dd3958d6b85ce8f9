// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "../common"

// A section's fixed choices as radio buttons in two columns; the one whose
// key code the dialog holds is on, and choosing one gives the dialog its code.
Grid {
    id: grid

    property var owner                        // the dialog: tr(), chosenIn(), chooseEntry()
    property var entries: []                  // { code: [4 values], label: text position }

    columns: 2
    columnSpacing: 16
    rowSpacing: 16

    Repeater {
        model: grid.entries
        RadioButton {
            width: 170
            index: model.index
            textValue: grid.owner.tr(modelData.label)
            isSelect: grid.owner.chosenIn(grid.entries) === model.index
            source: mainIten.sourceRadioBtn
            sourceSelected: mainIten.sourceRadioBtnS
            textColor: mainIten.fontColor
            markColor: mainIten.colorOrange
            fontFamily: mainIten.uiFontFamily
            fontSize: mainIten.fontNormalSize
            onBtnClick: function (i) { grid.owner.chooseEntry(grid.entries, i) }
        }
    }
}
