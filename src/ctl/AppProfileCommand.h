// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DeviceCommands.h"

namespace ctl {

// talonctl app-profile: the rules that give an application's windows a
// profile, in the data tree around the configuration. Needs no mouse; a
// running utility picks changes up by itself.
//   list            one line per rule: class, then profile 1 .. 10
//   add CLASS N     bind CLASS (WM_CLASS class, any case) to profile N, 1 .. 10
//   remove CLASS
QString checkAppProfile(const QStringList &args, const Options &);
void appProfile(Connection &c, const QStringList &args, const Options &, Plan &plan);

} // namespace ctl
