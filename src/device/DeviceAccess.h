// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DeviceEntry.h"

#include <QList>
#include <QString>

// Why a configured mouse could not be used: it is plugged in, but this user
// may not open its HID node. The fix is the udev rule the program ships.
namespace deviceAccess {

// The rows whose command interface is present but refuses to open for lack
// of permission (EACCES).
QList<DeviceEntry> denied(const QList<DeviceEntry> &table);

// True when any row's command interface is present at all.
bool anyPresent(const QList<DeviceEntry> &table);

// The udev rule lines that give the user at the seat access to these rows.
QString udevRule(const QList<DeviceEntry> &rows);

// What is wrong, in English.
extern const char kPermissionExplanation[];

// What is wrong and the two commands that install the rule, for people.
// `explanation` is the first line, the commands follow it.
QString permissionHelp(const QList<DeviceEntry> &rows);
QString permissionHelp(const QList<DeviceEntry> &rows, const QString &explanation);

} // namespace deviceAccess
