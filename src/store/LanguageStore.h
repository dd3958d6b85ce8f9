// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The screens' texts, one INI file per language, "i18n/" + code + ".ini", in
// UTF-8. Each group holds "total" and the strings "0" .. total-1.
class LanguageStore
{
public:
    explicit LanguageStore(const QString &modulesRoot = QStringLiteral("./modules"));

    QString filePath(const QString &langCode) const;

    // The list typeStr of the language; a missing file or group gives an empty
    // list. The list "other" also supplies the DPI-switch notices.
    QStringList getLangStrings(const QString &typeStr, const QString &langCode) const;

private:
    QString root;
};
