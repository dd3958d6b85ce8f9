// SPDX-License-Identifier: GPL-2.0-or-later
// Every key of a 105-key keyboard, by its Linux key code, gives the USB HID
// usage a user expects for that key; keys the tables leave out give nothing.
#include "input/KeyTranslation.h"
#include "input/LinuxKeyMap.h"

#include <QTest>

class TestLinuxKeys : public QObject
{
    Q_OBJECT

private slots:
    void fullLayout_data();
    void fullLayout();
};

void TestLinuxKeys::fullLayout_data()
{
    QTest::addColumn<unsigned>("linuxCode");
    QTest::addColumn<int>("usage");
    // Linux key code (linux/input-event-codes.h) and the HID usage of the key
    // (HID Usage Tables, Keyboard/Keypad page).
    const struct
    {
        unsigned code;
        int usage;
        const char *name;
    } layout[] = {
        {1, 0x29, "Esc"},
        {2, 0x1E, "1"},
        {3, 0x1F, "2"},
        {4, 0x20, "3"},
        {5, 0x21, "4"},
        {6, 0x22, "5"},
        {7, 0x23, "6"},
        {8, 0x24, "7"},
        {9, 0x25, "8"},
        {10, 0x26, "9"},
        {11, 0x27, "0"},
        {12, 0x2D, "-"},
        {13, 0x2E, "="},
        {14, 0x2A, "Backspace"},
        {15, 0x2B, "Tab"},
        {16, 0x14, "Q"},
        {17, 0x1A, "W"},
        {18, 0x08, "E"},
        {19, 0x15, "R"},
        {20, 0x17, "T"},
        {21, 0x1C, "Y"},
        {22, 0x18, "U"},
        {23, 0x0C, "I"},
        {24, 0x12, "O"},
        {25, 0x13, "P"},
        {26, 0x2F, "["},
        {27, 0x30, "]"},
        {28, 0x28, "Enter"},
        {29, 0xE0, "left Ctrl"},
        {30, 0x04, "A"},
        {31, 0x16, "S"},
        {32, 0x07, "D"},
        {33, 0x09, "F"},
        {34, 0x0A, "G"},
        {35, 0x0B, "H"},
        {36, 0x0D, "J"},
        {37, 0x0E, "K"},
        {38, 0x0F, "L"},
        {39, 0x33, ";"},
        {40, 0x34, "'"},
        {41, 0x35, "`"},
        {42, 0xE1, "left Shift"},
        {43, 0x31, "\\"},
        {44, 0x1D, "Z"},
        {45, 0x1B, "X"},
        {46, 0x06, "C"},
        {47, 0x19, "V"},
        {48, 0x05, "B"},
        {49, 0x11, "N"},
        {50, 0x10, "M"},
        {51, 0x36, ","},
        {52, 0x37, "."},
        {53, 0x38, "/"},
        {54, 0xE5, "right Shift"},
        {55, 0x55, "keypad *"},
        {56, 0xE2, "left Alt"},
        {57, 0x2C, "Space"},
        {58, 0x39, "Caps Lock"},
        {59, 0x3A, "F1"},
        {60, 0x3B, "F2"},
        {61, 0x3C, "F3"},
        {62, 0x3D, "F4"},
        {63, 0x3E, "F5"},
        {64, 0x3F, "F6"},
        {65, 0x40, "F7"},
        {66, 0x41, "F8"},
        {67, 0x42, "F9"},
        {68, 0x43, "F10"},
        {69, 0x53, "Num Lock"},
        {70, 0x47, "Scroll Lock"},
        {71, 0x5F, "keypad 7"},
        {72, 0x60, "keypad 8"},
        {73, 0x61, "keypad 9"},
        {74, 0x56, "keypad -"},
        {75, 0x5C, "keypad 4"},
        {76, 0x5D, "keypad 5"},
        {77, 0x5E, "keypad 6"},
        {78, 0x57, "keypad +"},
        {79, 0x59, "keypad 1"},
        {80, 0x5A, "keypad 2"},
        {81, 0x5B, "keypad 3"},
        {82, 0x62, "keypad 0"},
        {83, 0x63, "keypad ."},
        {86, 0x64, "ISO \\"},
        {87, 0x44, "F11"},
        {88, 0x45, "F12"},
        {96, 0x58, "keypad Enter"},
        {97, 0xE4, "right Ctrl"},
        {98, 0x54, "keypad /"},
        {99, 0x46, "Print Screen"},
        {100, 0xE6, "right Alt"},
        {102, 0x4A, "Home"},
        {103, 0x52, "Up"},
        {104, 0x4B, "Page Up"},
        {105, 0x50, "Left"},
        {106, 0x4F, "Right"},
        {107, 0x4D, "End"},
        {108, 0x51, "Down"},
        {109, 0x4E, "Page Down"},
        {110, 0x49, "Insert"},
        {111, 0x4C, "Delete"},
        {119, 0x48, "Pause"},
        {125, 0xE3, "left Windows"},
        {127, 0x65, "Menu"},
        // Left out by the tables: nothing is reported.
        {126, 0, "right Windows"},
        {113, 0, "Mute"},
        {115, 0, "Volume Up"},
        {84, 0, "no key"},
        {89, 0, "Ro"},
        {124, 0, "Yen"},
        {183, 0, "F13"},
        {0, 0, "reserved"},
        {300, 0, "beyond the map"},
        {193, 0x72, "F23"},
    };
    for (const auto &key : layout)
        QTest::newRow(key.name) << key.code << key.usage;
}

void TestLinuxKeys::fullLayout()
{
    QFETCH(unsigned, linuxCode);
    QFETCH(int, usage);
    const linuxKeys::ScanCode sc = linuxKeys::toScanCode(linuxCode);
    const int code =
        sc.valid() ? keys::translate(sc.scan, sc.extended ? keys::kExtendedFlag : 0) : 0;
    QCOMPARE(QString::number(code, 16), QString::number(usage, 16));
}

QTEST_GUILESS_MAIN(TestLinuxKeys)
#include "tst_linuxkeys.moc"
