#pragma once

#include "DeviceEntry.h"

#include <QList>
#include <QString>

// The table of devices to look for, as the configuration file lists it, and
// the HID interfaces each row matches.
namespace deviceTable {

// Rows "0/…", "1/…" up to "common/deviceCount"; absent keys take defaults.
QList<DeviceEntry> read(const QString &configPath);

// Whole-text base-16 number; anything that does not parse is 0.
unsigned parseHex(const QString &text);

// Fills commandPath and eventPath from hidapi's enumeration of the row's
// vendor and product; the last matching interface wins.
void locateInterfaces(DeviceEntry &entry);

} // namespace deviceTable
