// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The window frame: background, title bar and title logo.
Item {
    property url sourceBackground
    property url sourceTitleBar
    property url sourceTitleLogo

    width: 1024
    height: 640

    // Not kept in the shared picture cache: the frame's owner lets these go
    // while the window is hidden, and they should then leave memory.
    Image { anchors.fill: parent; source: sourceBackground; cache: false; Accessible.ignored: true }
    Image { x: 0; y: 0; width: parent.width; source: sourceTitleBar; cache: false; Accessible.ignored: true }
    Image { x: 24; y: 12; source: sourceTitleLogo; Accessible.ignored: true }
}
