// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

// Linux input key codes (evdev, the X key code minus 8) as the scan code and
// extended flag the original platform's keyboard hook reports for the same
// key, so that every key runs through the same translation tables.
namespace linuxKeys {

struct ScanCode
{
    unsigned char scan = 0;
    bool extended = false;
    bool valid() const { return scan != 0; }
};

ScanCode toScanCode(unsigned linuxCode);

} // namespace linuxKeys
