// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// The XDG autostart entry that starts the program at login, in the user's
// configuration folder ($XDG_CONFIG_HOME/autostart/kestrel-talon.desktop).
namespace autostart {

QString entryPath();
bool enabled();
// Writes the entry for `executable` or removes it; false when that failed.
bool setEnabled(bool on, const QString &executable);

// The entry's text; the path is quoted as the desktop entry rules ask.
QString entryText(const QString &executable);

// Brings an entry that an earlier version wrote for `executable` up to the
// current text; false when that failed.
bool refresh(const QString &executable);

} // namespace autostart
