#pragma once

#include <QStringList>
#include <QTextStream>

namespace ctl {

class Connection;

// One talonctl command that talks to the mouse. Returns an exit status; the
// arguments are the command's own (options already taken out).
struct Options
{
    QString profile; // --profile: 1 .. 10 or a profile file
    QString sensor;  // --sensor
    int stages = -1; // --stages
    int type = -1;   // --type
    int slot = -1;   // --slot
    QString language;
};

using DeviceCommand = int (*)(Connection &, const QStringList &args, const Options &,
                              QTextStream &out, QTextStream &err);

struct CommandInfo
{
    const char *name;
    DeviceCommand run;
    const char *usage;
    const char *help;
    const char *example;
};

const QList<CommandInfo> &deviceCommands();

} // namespace ctl
