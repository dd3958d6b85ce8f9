// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick

// What a button can do, as the assignment dialog offers it, and the text the
// screens show for a key code. The button list, the dialog and the mouse
// picture all name assignments through keyCodeToString, so a key code reads
// the same everywhere.
QtObject {
    id: functions

    // The "keyAssigment" language list; empty entries keep the English text.
    property var langList: []
    readonly property var fallback: [
        "Key", "Mouse Function", "Fire Function", "Group Function", "Media Function",
        "Windows Function", "Shortcut Function", "Macro Function", "DPI Function", "Gun Function",
        "Macro Editor", "Left Key", "Middle Key", "Right Key", "Forward Key",
        "Back Key", "Double Fire", "Key Value", "Rate", "Times",
        "Endless", "Player", "Next Track", "Previous Track", "Stop",
        "Mute", "Play/Pause", "Volume Up", "Volume Down", "My Computer",
        "Home", "Search", "Maximize", "Minimize", "Show Desktop",
        "Run", "New", "Cut", "Copy", "Paste",
        "Save", "Print", "Find", "Redo", "Undo",
        "Select All", "DPI+", "DPI-", "DPI LOOP", "Sniper Key",
        "One Gun", "Two Gun", "Three Gun", "Macro runs one-time after pressing the button",
        "Macro runs endless loop until any button is pressed",
        "Macro runs endless loop until button is released",
        "Click the field, then press the key to fire.",
        "Click the field, then press the keys: modifiers and at most two keys.",
        "Press a key...", "Macro",
        "Macros go only to keys 1 to 12: the mouse has twelve macro slots.",
        "No macro yet: make one in the Macro Editor.",
        "Only keys typed into this window are taken.", "Run mode", "%1MS"
    ]

    function text(i) {
        var l = langList
        return l && i < l.length && l[i] !== undefined && l[i] !== "" ? String(l[i]) : fallback[i]
    }

    // The dialog's choices per kind: the key code (keyCode0 .. keyCode3) and
    // the position of its label in the language list.
    readonly property var mouseEntries: [
        { code: [0x00, 0x00, 0xF0, 0x00], label: 11 },
        { code: [0x00, 0x00, 0xF2, 0x00], label: 12 },
        { code: [0x00, 0x00, 0xF1, 0x00], label: 13 },
        { code: [0x00, 0x00, 0xF4, 0x00], label: 14 },
        { code: [0x00, 0x00, 0xF3, 0x00], label: 15 },
        { code: [0x00, 0xF0, 0x1E, 0x02], label: 16 }
    ]
    readonly property var mediaEntries: [
        { code: [0x03, 0x00, 0x83, 0x01], label: 21 },
        { code: [0x03, 0x00, 0xB5, 0x00], label: 22 },
        { code: [0x03, 0x00, 0xB6, 0x00], label: 23 },
        { code: [0x03, 0x00, 0xB7, 0x00], label: 24 },
        { code: [0x03, 0x00, 0xE2, 0x00], label: 25 },
        { code: [0x03, 0x00, 0xCD, 0x00], label: 26 },
        { code: [0x03, 0x00, 0xE9, 0x00], label: 27 },
        { code: [0x03, 0x00, 0xEA, 0x00], label: 28 }
    ]
    readonly property var windowsEntries: [
        { code: [0x06, 0x00, 0x94, 0x01], label: 29 },
        { code: [0x06, 0x00, 0x23, 0x02], label: 30 },
        { code: [0x06, 0x00, 0x21, 0x02], label: 31 },
        { code: [0x06, 0x04, 0x2C, 0x1B], label: 32 },
        { code: [0x06, 0x04, 0x2C, 0x11], label: 33 },
        { code: [0x06, 0x00, 0xE3, 0x07], label: 34 },
        { code: [0x06, 0x00, 0xE3, 0x15], label: 35 }
    ]
    readonly property var shortcutEntries: [
        { code: [0x07, 0x00, 0xE0, 0x11], label: 36 },
        { code: [0x07, 0x00, 0xE0, 0x1B], label: 37 },
        { code: [0x07, 0x00, 0xE0, 0x06], label: 38 },
        { code: [0x07, 0x00, 0xE0, 0x19], label: 39 },
        { code: [0x07, 0x00, 0xE0, 0x16], label: 40 },
        { code: [0x07, 0x00, 0xE0, 0x13], label: 41 },
        { code: [0x07, 0x00, 0xE0, 0x09], label: 42 },
        { code: [0x07, 0x00, 0xE0, 0x1C], label: 43 },
        { code: [0x07, 0x00, 0xE0, 0x1D], label: 44 },
        { code: [0x07, 0x00, 0xE0, 0x04], label: 45 }
    ]
    readonly property var dpiEntries: [
        { code: [0x05, 0x00, 0x01, 0x00], label: 46 },
        { code: [0x05, 0x00, 0x02, 0x00], label: 47 },
        { code: [0x05, 0x00, 0x03, 0x00], label: 48 },
        { code: [0x05, 0x00, 0x04, 0x00], label: 49 }
    ]
    readonly property var gunEntries: [
        { code: [0x08, 0x00, 0x01, 0x00], label: 50 },
        { code: [0x08, 0x00, 0x02, 0x00], label: 51 },
        { code: [0x08, 0x00, 0x03, 0x00], label: 52 }
    ]
    readonly property var runModeLabels: [53, 54, 55]

    // The mouse only has twelve macro slots, and a macro goes to the slot of
    // its button's index.
    readonly property int macroSlotCount: 12

    function sameCode(code, c0, c1, c2, c3) {
        return code[0] === c0 && code[1] === c1 && code[2] === c2 && code[3] === c3
    }
    function entryIndex(entries, c0, c1, c2, c3) {
        for (var i = 0; i < entries.length; ++i)
            if (sameCode(entries[i].code, c0, c1, c2, c3))
                return i
        return -1
    }
    function entryText(entries, c0, c1, c2, c3) {
        var i = entryIndex(entries, c0, c1, c2, c3)
        return i < 0 ? "" : text(entries[i].label)
    }

    function keyName(code) {
        return typeof _KeyCodeString !== "undefined" && _KeyCodeString ? _KeyCodeString.keycodeTostr(code) : ""
    }

    // The modifier names of a combination mask (bit 0 left Ctrl .. bit 7
    // right Win) followed by its non-zero keys.
    function comboNames(mask, key1, key2) {
        var names = []
        for (var bit = 0; bit < 8; ++bit)
            if (mask & (1 << bit))
                names.push(keyName(0xE0 + bit))
        if (key1)
            names.push(keyName(key1))
        if (key2)
            names.push(keyName(key2))
        return names
    }

    // The macro held in `slot`, as the current (or, isRecovery, the default)
    // profile names it.
    function macroNameOfSlot(slot, isRecovery) {
        var name = ui_View.getData("mouseMacroKey/" + slot, isRecovery === true)
        return name === undefined || name === null ? "" : String(name)
    }

    function keyCodeToString(c0, c1, c2, c3, isRecovery) {
        c0 = Number(c0); c1 = Number(c1); c2 = Number(c2); c3 = Number(c3)
        switch (c0) {
        case 0x00:
            switch (c2) {
            case 0xF0: return text(11)
            case 0xF2: return text(12)
            case 0xF1: return text(13)
            case 0xF4: return text(14)
            case 0xF3: return text(15)
            }
            return text(16)
        case 0x01:
            return keyName(c1)
        case 0x02:
            return comboNames(c1, c2, c3).join("+")
        case 0x03:
            return entryText(mediaEntries, c0, c1, c2, c3)
        case 0x04:
            return macroNameOfSlot(c2, isRecovery)
        case 0x05:
            return c2 >= 1 && c2 <= 4 ? text(45 + c2) : ""
        case 0x06:
            return entryText(windowsEntries, c0, c1, c2, c3)
        case 0x07:
            return entryText(shortcutEntries, c0, c1, c2, c3)
        case 0x08:
            return c2 >= 1 && c2 <= 3 ? text(49 + c2) : ""
        }
        return ""
    }
}
