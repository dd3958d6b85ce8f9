// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

using uchar = unsigned char;

// The two fixed tables that turn a key event into the program's key code (the
// key's USB HID keyboard usage): scan code and extended flag to a Windows
// virtual-key code, then virtual-key code to usage.
namespace keys {

constexpr unsigned kExtendedFlag = 0x01; // LLKHF_EXTENDED
constexpr unsigned kAltDownFlag = 0x20;  // LLKHF_ALTDOWN

// The 16-bit key of the first table: scan byte high, extended flag in bit 0.
constexpr std::uint16_t scanKey(uchar scan, bool extended)
{
    return static_cast<std::uint16_t>(scan << 8 | (extended ? 1 : 0));
}

// Table look-ups; 0 where a table has no entry.
uchar scanToVk(std::uint16_t key);
uchar vkToCode(uchar vk);

int scanToVkSize();
int vkToCodeSize();

// The whole chain for one key event, special cases included: Break (scan 46
// extended) as Pause, Alt+Print Screen (scan 54 with Alt), scan codes above
// 0xFF as scan 0. 0 means the event is not reported.
uchar translate(unsigned scanCode, unsigned flags);

} // namespace keys
