// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Every file the program uses is addressed relative to the folder that holds
// modules/. A portable copy works beside the executable; an installed one in
// the user's own copy of the shipped tree (see store/UserData.h).
namespace workingDirectory {

// The folder to work in; seeds or refreshes the user's copy when needed.
QString choose(const QString &executableDir, const QString &userDataDir, const QString &localeName);

// Makes it current. False when the folder could not be entered.
bool enter();

// The fontconfig language ("zh-cn", "zh-tw", "ja", "ko") whose glyph forms
// the texts of a language code need; null where the default serves.
const char *fontLanguage(const QString &language);

// Chinese, Japanese and Korean texts in the scene's fallback font
// ("sans-serif") take their own glyph forms of the desktop's CJK font. Call
// before any text is drawn.
void followLanguageInFonts();

} // namespace workingDirectory
