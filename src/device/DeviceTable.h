// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DeviceEntry.h"

#include <QList>
#include <QString>

// The table of devices to look for, as the configuration file lists it, and
// the HID interfaces each row matches.
namespace deviceTable {

// A table longer than this is damaged, not a real list of mice.
constexpr int kMaxRows = 256;
// What one HID report can carry, in data bytes.
constexpr int kMinReportLength = 1;
constexpr int kMaxReportLength = 1024;

// Rows "0/…", "1/…" up to "common/deviceCount"; absent keys take defaults. A
// count outside 0 .. kMaxRows reads as an empty table.
QList<DeviceEntry> read(const QString &configPath);

// Whether a row can be talked to at all: its report length fits a HID report.
bool usable(const DeviceEntry &entry);

// Whole-text base-16 number; anything that does not parse is 0.
unsigned parseHex(const QString &text);

// Fills commandPath and eventPath from hidapi's enumeration of the row's
// vendor and product; the last matching interface wins. A row that is not
// usable is skipped (paths left empty), so it is never connected.
void locateInterfaces(DeviceEntry &entry);

} // namespace deviceTable
