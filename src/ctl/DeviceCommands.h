// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "CommandLine.h"

#include <QList>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace ctl {

class Connection;

// What a command needs of the mouse.
enum class Access {
    None,  // nothing: the answer comes from the files
    Reads, // reads only: the connection writes nothing either
    Writes,
};

// A command's work, built and checked before anything reaches the mouse:
// either an error (an argument or a stored value that cannot be sent, named
// with its file and key) or the steps to run once connected and the report
// to print when every step was taken.
struct Plan
{
    QString error;
    int errorStatus = 2; // the exit status that goes with the error
    Access access = Access::Writes;
    QList<std::function<void()>> steps;
    std::function<void(QTextStream &out, bool json)> report;
};

struct CommandInfo
{
    const char *name;
    const char *usage;
    const char *help;
    const char *example;
    unsigned options; // OptionBits the command takes
    // The arguments' own rules; an empty text when they hold.
    QString (*check)(const QStringList &args, const Options &);
    // Null for probe, which runs its own handshakes.
    void (*prepare)(Connection &, const QStringList &args, const Options &, Plan &);
};

const QList<CommandInfo> &deviceCommands();
const CommandInfo *findCommand(const QString &name);

} // namespace ctl
