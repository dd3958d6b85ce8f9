// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import "qrc:/modules/qml/panels"

// The right-hand column of the main window for one mouse model: the DPI
// panel above the lighting panel, 8 px apart, with a main screen of its own
// that carries the model's flags.
Item {
    property alias host: mainIten
    property alias dpiPanel: dpiPanel
    property alias lightPanel: lightPanel
    width: 232
    height: 544

    DpiLightHost { id: mainIten }
    Column {
        spacing: 8
        DpiSetting { id: dpiPanel; z: 1 }
        LightControl { id: lightPanel }
    }
    Component.onCompleted: mainIten.panels = [dpiPanel, lightPanel]
}
