// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class LanguageStore;

// The texts of the tray menu and of the notices about the mouse, in the
// configured language. Read once at start, as the screens read theirs; the
// English text stays wherever the language file has none.
class ShellTexts
{
public:
    // The "tray" list.
    enum Tray { Show, StartAtLogin, Quit, ProfileNumber, ChosenByHand, ChosenBy };
    // The "notice" list (the scene's notice card reads it too).
    enum Notice {
        NoMouseTitle,
        DeniedTitle,
        CopyCommands,
        Copied,
        Replug,
        NoMouseText,
        DeniedText,
        InfoTitle,
        Connected,
        Commands,
        NotSaved,
        InUse,
        NotSwitched
    };

    ShellTexts(); // English
    ShellTexts(const LanguageStore &languages, const QString &langCode);

    QString tray(Tray which) const { return trayTexts.value(which); }
    QString notice(Notice which) const { return noticeTexts.value(which); }

private:
    QStringList trayTexts;
    QStringList noticeTexts;
};
