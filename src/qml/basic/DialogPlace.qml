// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The place of a dialog panel. It spans the window, and the loaded dialog
// (hidden until opened) lies directly in it, so that the dialog centres
// itself in the window and is dragged within it. A deferred dialog is built
// the first time it is asked for, so that a start pays only for what shows.
Item {
    id: place
    property alias source: loader.source
    property alias sourceComponent: loader.sourceComponent
    readonly property alias item: loader.item
    property bool deferred: false
    signal loaded()

    anchors.fill: parent

    // The dialog, built now if it was not yet.
    function build() {
        loader.active = true
        return loader.item
    }

    Loader {
        id: loader
        active: !place.deferred
        onLoaded: {
            item.visible = false
            item.parent = place
            place.loaded()
        }
    }
}
