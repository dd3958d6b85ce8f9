#pragma once

#include <QStringList>
#include <QTextStream>

namespace ctl {

// talonctl app-profile: the rules that give an application's windows a
// profile, in the data tree around the configuration. Needs no mouse; the
// running utility picks changes up by itself.
//   list            one line per rule: class, then profile 1 .. 10
//   add CLASS N     bind CLASS (WM_CLASS class, any case) to profile N, 1 .. 10
//   remove CLASS
// Returns an exit status (0, or 2 for bad arguments or an unwritable file).
int appProfile(const QString &configPath, const QStringList &arguments, QTextStream &out,
               QTextStream &err);

extern const char *const kAppProfileUsage;
extern const char *const kAppProfileHelp;
extern const char *const kAppProfileExample;

} // namespace ctl
