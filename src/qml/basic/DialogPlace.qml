// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The place of a dialog panel. It spans the window, and the loaded dialog
// (hidden until opened) lies directly in it, so that the dialog centres
// itself in the window and is dragged within it.
Item {
    id: place
    property alias source: loader.source
    property alias sourceComponent: loader.sourceComponent
    readonly property alias item: loader.item
    signal loaded()

    anchors.fill: parent

    Loader {
        id: loader
        onLoaded: {
            item.visible = false
            item.parent = place
            place.loaded()
        }
    }
}
