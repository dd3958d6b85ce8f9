// SPDX-License-Identifier: GPL-2.0-or-later
import QtQuick
import QtTest
import "qrc:/modules/qml/basic"

// The key name table: both look-ups stop at the first match, so names shared
// by two codes decode to the first; unknown codes and names give nothing.
TestCase {
    name: "KeyCodeString"

    KeyCodeString { id: table }

    function test_namesAndCodes_data() {
        return [
            { tag: "A", code: 0x04, name: "A" },
            { tag: "zero", code: 0x27, name: "0" },
            { tag: "space", code: 0x2C, name: "Space" },
            { tag: "right arrow", code: 0x4F, name: "►" },
            { tag: "up arrow", code: 0x52, name: "▲" },
            { tag: "keypad dot", code: 0x63, name: "KP." },
            { tag: "F24", code: 0x73, name: "F24" },
            { tag: "Lang2", code: 0x91, name: "Lang2" },
            { tag: "left Win", code: 0xE3, name: "LWin" },
            { tag: "right Win", code: 0xE7, name: "RWin" },
            { tag: "middle button", code: 0xF2, name: "MS-M" },
            { tag: "fifth button", code: 0xF4, name: "MS-B5" },
        ]
    }
    function test_namesAndCodes(row) {
        compare(table.keycodeTostr(row.code), row.name)
        compare(table.strTokeycode(row.name), row.code)
    }

    // A macro file names its keys: each name must lead back to its own key.
    function test_everyKeyHasANameOfItsOwn() {
        for (var i = 0; i < table.keyCodeStr.length; ++i)
            compare(table.strTokeycode(table.keyCodeStr[i]), table.keyCode[i], table.keyCodeStr[i])
    }

    function test_unknownGivesNothing() {
        compare(table.keycodeTostr(0x74), "")
        compare(table.keycodeTostr(0x86), "")
        compare(table.strTokeycode(""), 0)
        compare(table.strTokeycode("a"), 0) // names are matched exactly
    }

    function test_tableShape() {
        compare(table.keyCode.length, 133)
        compare(table.keyCodeStr.length, 133)
    }

    // A language's names replace the shipped ones; codes stay, and a name the
    // language in force lacks is looked up as nothing.
    function test_languageNamesReplaceTheShippedOnes() {
        var shipped = table.keyCodeStr
        var names = shipped.slice()
        names[0] = "Ä"
        table.keyCodeStr = names
        compare(table.strTokeycode("Ä"), 0x04)
        compare(table.strTokeycode("A"), 0)
        compare(table.keycodeTostr(0x04), "Ä")
        table.keyCodeStr = shipped
    }
}
