// SPDX-License-Identifier: GPL-2.0-or-later
#include "LinuxKeyMap.h"

#include <algorithm>
#include <iterator>

namespace linuxKeys {

namespace {

// Linux codes 1 .. 83 are the set-1 scan codes themselves, except for the
// keys below; the rest of the keyboard is listed here.
struct Row
{
    unsigned linuxCode;
    unsigned char scan;
    bool extended;
};

constexpr Row kKeys[] = {
    {54, 0x36, true},   // right Shift: reported with the extended flag
    {69, 0x45, true},   // Num Lock: extended; Pause shares scan 0x45 without it
    {86, 0x56, false},  // the key left of Z on ISO keyboards
    {87, 0x57, false},  // F11
    {88, 0x58, false},  // F12
    {96, 0x1C, true},   // keypad Enter
    {97, 0x1D, true},   // right Ctrl
    {98, 0x35, true},   // keypad /
    {99, 0x37, true},   // Print Screen
    {100, 0x38, true},  // right Alt
    {102, 0x47, true},  // Home
    {103, 0x48, true},  // Up
    {104, 0x49, true},  // Page Up
    {105, 0x4B, true},  // Left
    {106, 0x4D, true},  // Right
    {107, 0x4F, true},  // End
    {108, 0x50, true},  // Down
    {109, 0x51, true},  // Page Down
    {110, 0x52, true},  // Insert
    {111, 0x53, true},  // Delete
    {117, 0x59, false}, // keypad =
    {119, 0x45, false}, // Pause
    {125, 0x5B, true},  // left Windows
    {126, 0x5C, true},  // right Windows
    {127, 0x5D, true},  // Menu
    {183, 0x64, false}, // F13 .. F24
    {184, 0x65, false}, {185, 0x66, false}, {186, 0x67, false}, {187, 0x68, false},
    {188, 0x69, false}, {189, 0x6A, false}, {190, 0x6B, false}, {191, 0x6C, false},
    {192, 0x6D, false}, {193, 0x6E, false}, {194, 0x76, false},
};

constexpr unsigned kLastDirect = 83; // keypad .

} // namespace

ScanCode toScanCode(unsigned linuxCode)
{
    const auto *row = std::find_if(std::begin(kKeys), std::end(kKeys),
                                   [linuxCode](const Row &r) { return r.linuxCode == linuxCode; });
    if (row != std::end(kKeys))
        return {row->scan, row->extended};
    if (linuxCode >= 1 && linuxCode <= kLastDirect)
        return {static_cast<unsigned char>(linuxCode), false};
    return {};
}

} // namespace linuxKeys
