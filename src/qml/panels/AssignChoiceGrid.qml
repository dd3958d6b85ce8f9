import QtQuick
import "../common"

// A section's fixed choices as radio buttons in two columns; the one whose
// key code the dialog holds is on.
Grid {
    id: grid

    property var entries: []                  // { code: [4 values], label: text position }
    property var labelOf: function (entry) { return "" }
    property int chosen: -1
    property url sourceRadio
    property url sourceRadioSelected
    property color textColor: "#ffffff"
    property color markColor: "#cf3e00"
    property string fontFamily: Qt.application.font.family
    property int fontSize: 12

    signal choose(int index)

    columns: 2
    columnSpacing: 16
    rowSpacing: 16

    Repeater {
        model: grid.entries
        RadioButton {
            width: 170
            index: model.index
            textValue: grid.labelOf(modelData)
            isSelect: grid.chosen === model.index
            source: grid.sourceRadio
            sourceSelected: grid.sourceRadioSelected
            textColor: grid.textColor
            markColor: grid.markColor
            fontFamily: grid.fontFamily
            fontSize: grid.fontSize
            onBtnClick: function (i) { grid.choose(i) }
        }
    }
}
