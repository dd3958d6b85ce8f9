// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

namespace ctl {

// Reads the device table, enumerates and runs the handshake on each entry in
// table order (only on `row` when it is not -1), as the program does when it
// looks for the mouse; reports every entry and stops at the first that
// answers. Writes nothing to the mouse.
int probe(const QString &configPath, int row, bool json, QTextStream &out, QTextStream &err);

} // namespace ctl
