// SPDX-License-Identifier: GPL-2.0-or-later
#include "ShellTexts.h"

#include "device/DeviceAccess.h"
#include "store/LanguageStore.h"

namespace {

const QStringList &englishTray()
{
    static const QStringList texts = {
        QStringLiteral("Show"),
        QStringLiteral("Start at login"),
        QStringLiteral("Quit (&Q)"),
        QStringLiteral("Profile %1"),
        QStringLiteral("Profile: %1, chosen by hand"),
        QStringLiteral("Profile: %1, chosen by %2"),
    };
    return texts;
}

const QStringList &englishNotice()
{
    static const QStringList texts = {
        QStringLiteral("No mouse found"),
        QStringLiteral("Mouse not accessible"),
        QStringLiteral("Copy commands"),
        QStringLiteral("Copied"),
        QStringLiteral("Then unplug the mouse and plug it in again."),
        QStringLiteral(
            "No Kestrel Talon mouse was found. Plug it in: the program connects by itself."),
        QString::fromLatin1(deviceAccess::kPermissionExplanation),
        QStringLiteral("Info"),
        QStringLiteral("Detect Device"),
        QStringLiteral("Commands"),
        QStringLiteral("Not saved"),
        QStringLiteral("Mouse in use"),
        QStringLiteral("Profile not switched"),
    };
    return texts;
}

// The file's texts over the English ones, position by position.
QStringList merge(const QStringList &english, const QStringList &loaded)
{
    QStringList out = english;
    for (int i = 0; i < out.size() && i < loaded.size(); ++i)
        if (!loaded[i].trimmed().isEmpty())
            out[i] = loaded[i];
    return out;
}

} // namespace

ShellTexts::ShellTexts() : trayTexts(englishTray()), noticeTexts(englishNotice()) {}

ShellTexts::ShellTexts(const LanguageStore &languages, const QString &langCode)
    : trayTexts(merge(englishTray(), languages.getLangStrings(QStringLiteral("tray"), langCode))),
      noticeTexts(
          merge(englishNotice(), languages.getLangStrings(QStringLiteral("notice"), langCode)))
{
}
