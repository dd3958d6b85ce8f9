// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
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

    // The codes of the languages there are files for, in file-name order.
    QStringList languageCodes() const;
    // A language's name in that language (its "language" list), else its code.
    QString ownName(const QString &langCode) const;
    // The key names of every language but `langCode`: English first, then
    // the others in file-name order.
    QList<QStringList> otherKeyNames(const QString &langCode) const;

private:
    QString root;
};
