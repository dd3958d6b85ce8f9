// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>
#include <functional>

class Hid_Thread;

// talonctl: drives the mouse from the command line on the same device link as
// the program.
namespace ctl {

enum ExitCode {
    kOk = 0,
    kNoDevice = 1,  // no configured device answered
    kBadInput = 2,  // bad arguments, or a file or value that cannot be used
    kRefused = 3,   // the mouse did not take a command
    kNotStored = 4, // a change could not be written; the files are as they were
};

// arguments without the program name. atEnd, when given, sees the device
// link as the command leaves it, whatever the outcome (tests check that the
// link is left idle).
int run(const QStringList &arguments, QTextStream &out, QTextStream &err,
        const std::function<void(const Hid_Thread &)> &atEnd = {});

// The configuration used when --config is not given: the shipped one beside
// the executable.
QString defaultConfigPath();

// Scratch folders that earlier versions left in `tempDir` when killed
// ("talonctl-XXXXXX", ours, untouched for a while) are removed.
int sweepStaleScratch(const QString &tempDir);

} // namespace ctl
