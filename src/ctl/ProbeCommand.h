#pragma once

#include <QString>
#include <QTextStream>

namespace ctl {

// Reads the device table, enumerates and runs the handshake on each entry in
// table order, as the program does when it looks for the mouse; reports every
// entry and stops at the first that answers.
int probe(const QString &configPath, QTextStream &out, QTextStream &err);

} // namespace ctl
