// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The command line of kestrel-talon, read before anything starts: our own
// options, and the standard ones Qt takes for itself (-platform, -display,
// -style, -session ...), which pass on to the application object untouched.
namespace startOptions {

enum class Action { Start, Help, Version, Error };

struct Options
{
    Action action = Action::Start;
    // --hidden or --minimized: start in the tray with the window closed.
    bool hidden = false;
    QString error; // for Action::Error: what was wrong
};

// The arguments after the program name.
Options parse(const QStringList &arguments);

QString usage();
// The short text for a command line that cannot be used.
QString usageError(const QString &error);

} // namespace startOptions
