// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "CommandLine.h"

#include <QTextStream>

namespace ctl {

// The running program owns the mouse: a command it offers on the session bus
// is carried out by it, so that its screens and this tool never talk to the
// mouse at once and the screens show the result. Every other command opens
// the mouse under the lock on it.
namespace programPath {

// The program runs for this user and answers on the session bus.
bool programRuns();

// Runs the command through the program when it offers it (the program's own
// data tree, no --device or --profile); true with *status set then. False
// when the command takes the direct path (the program does not run, or quit
// before it answered).
bool run(const QString &command, const QStringList &args, const Options &options, bool ownConfig,
         QTextStream &out, QTextStream &err, int *status);

// The line of `talonctl status` that says which path the commands take.
QString describe();

} // namespace programPath
} // namespace ctl
