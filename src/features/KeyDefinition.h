// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

// A button's four bytes: the screens' key code and the device definition.
using KeyBytes = std::array<unsigned char, 4>;
// Sixteen buttons, four bytes each.
using KeyMatrix = std::array<unsigned char, 64>;

namespace keyDefinition {

constexpr int kButtonCount = 16;
constexpr unsigned char kGunType = 0x08;

// Screen kinds (byte 0 of a key code).
enum Kind : unsigned char {
    MouseButton = 0x00,
    Fire = 0x01,
    Combination = 0x02,
    Multimedia = 0x03,
    Macro = 0x04,
    Dpi = 0x05,
    WindowsFunction = 0x06,
    Shortcut = 0x07,
    Gun = 0x08,
    FactoryDefault = 0xFF,
};

// Translates one screen key code into the device definition; `sniper` is the
// family's definition of the sniper key.
KeyBytes translate(const KeyBytes &keyCode, const KeyBytes &sniper);

// The whole user block: every entry translated, then the entries the mouse
// reserves (buttons 8, 9 and 10) overwritten.
KeyMatrix translateMatrix(const KeyMatrix &keyCodes, const KeyBytes &sniper);

KeyBytes entry(const KeyMatrix &m, int button);
void setEntry(KeyMatrix &m, int button, const KeyBytes &value);

} // namespace keyDefinition
