// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// One row of the device table: which HID interfaces to look for and how to
// talk to them. The two paths are filled by enumeration.
struct DeviceEntry
{
    int type = -1;
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    std::uint16_t usagePage = 0; // command interface
    std::uint16_t usage = 0;
    std::uint16_t usagePage2 = 0; // event interface
    std::uint16_t usage2 = 0;
    int reportLength = 32;
    bool isEncode = false;
    QString sCode = QStringLiteral("417093");
    QString commandPath;
    QString eventPath;
};
