// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// A line of explanation in the panels: how a field is used, or why a choice
// is not there.
Text {
    wrapMode: Text.WordWrap
    color: mainIten.colorGray2
    font.family: mainIten.uiFontFamily
    font.pixelSize: mainIten.fontNormalSize
    Accessible.role: Accessible.StaticText
    Accessible.name: text
}
