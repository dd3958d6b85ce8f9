// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Where the data tree is and how a user's own copy of it is kept.
//
// A portable copy (a build, or an unpacked folder) keeps modules/ beside the
// executable and works in it when it may. An installed copy finds the
// shipped tree under share/kestrel-talon/ and never writes there, not even
// as root: every user works in a copy in $XDG_DATA_HOME/kestrel-talon/.
//
// The build stamps the shipped tree (modules/VERSION). A working tree keeps
// the stamp it was last brought to (modules/.stamp): when an upgrade brings a
// new one, the parts the program only reads (languages, pictures, the device
// table, the factory copies) are refreshed and the user's profiles, macros,
// gun table, name lists and settings stay. The stamp is written last, once
// every file was copied whole: a copy without it, or with a shipped file
// missing or empty, is completed at the next start.
namespace userData {

// The folder that holds the shipped modules/ for an executable in exeDir.
QString shippedRoot(const QString &exeDir);
// The shipped tree is an installed one (never written).
bool installed(const QString &exeDir);
// $XDG_DATA_HOME/kestrel-talon
QString userRoot();

// The language file for a locale name ("zh_CN" -> "ChineseSimplified",
// "pt_PT" -> "PortugueseBrazil") when i18nDir has it, else "English".
QString languageForLocale(const QString &localeName, const QString &i18nDir);

enum class Outcome { Seeded, Refreshed, Current };

// Brings the user's copy in userModules up to the shipped tree: seeded on
// first use (language from the locale), refreshed after an upgrade.
Outcome prepareCopy(const QString &shippedModules, const QString &userModules,
                    const QString &localeName);

// A portable tree used in place: on its first start the language follows
// the locale.
void prepareInPlace(const QString &modules, const QString &localeName);

} // namespace userData
