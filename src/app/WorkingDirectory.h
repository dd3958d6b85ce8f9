#pragma once

#include <QString>

// Every file the program uses is addressed relative to the folder that holds
// modules/. A portable copy uses the executable's folder. An installed copy,
// whose modules/ is read-only, seeds a per-user copy in the data folder
// ($XDG_DATA_HOME/kestrel-talon) on first start and works there.
namespace workingDirectory {

// The folder to work in; seeds the per-user copy when needed.
QString choose(const QString &executableDir, const QString &userDataDir);

// Makes it current. False when the folder could not be entered.
bool enter();

} // namespace workingDirectory
