#pragma once

#include <QStringList>
#include <QTextStream>

// talonctl: drives the mouse from the command line on the same device link as
// the program. Exit status 0 on success, 1 when no device answers, 2 on bad
// arguments or an unreadable configuration.
namespace ctl {

enum ExitCode { kOk = 0, kNoDevice = 1, kBadInput = 2 };

// arguments without the program name
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The configuration used when --config is not given: the shipped one beside
// the executable.
QString defaultConfigPath();

} // namespace ctl
