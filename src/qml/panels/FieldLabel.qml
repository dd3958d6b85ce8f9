// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// The label in front of a field of the panels.
Text {
    width: 72
    verticalAlignment: Text.AlignVCenter
    elide: Text.ElideRight
    color: mainIten.colorGray3
    font.family: mainIten.uiFontFamily
    font.pixelSize: mainIten.fontNormalSize
    Accessible.role: Accessible.StaticText
    Accessible.name: text
}
