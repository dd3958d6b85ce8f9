import QtQuick

// The window frame: background, title bar and title logo.
Item {
    property url sourceBackground
    property url sourceTitleBar
    property url sourceTitleLogo

    width: 1024
    height: 640

    Image { anchors.fill: parent; source: sourceBackground; Accessible.ignored: true }
    Image { x: 0; y: 0; width: parent.width; source: sourceTitleBar; Accessible.ignored: true }
    Image { x: 24; y: 12; source: sourceTitleLogo; Accessible.ignored: true }
}
