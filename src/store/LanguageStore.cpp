// SPDX-License-Identifier: GPL-2.0-or-later
#include "LanguageStore.h"

#include "DpiSwitchText.h"
#include "PlainFileName.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

LanguageStore::LanguageStore(const QString &modulesRoot) : root(modulesRoot) {}

QString LanguageStore::filePath(const QString &langCode) const
{
    return root + QStringLiteral("/i18n/") + langCode + QStringLiteral(".ini");
}

QStringList LanguageStore::getLangStrings(const QString &typeStr, const QString &langCode) const
{
    // The code comes from the configuration file; like a macro name it must
    // not lead outside the folder.
    if (!isPlainFileName(langCode))
        return {};
    // Qt 6 reads INI files as UTF-8.
    const QSettings s(filePath(langCode), QSettings::IniFormat);
    constexpr int kMaxStrings = 4096; // a damaged count must not build a huge list
    const int total =
        qBound(0, s.value(typeStr + QStringLiteral("/total"), 0).toInt(), kMaxStrings);
    QStringList out;
    out.reserve(total);
    for (int i = 0; i < total; ++i)
        out << s.value(typeStr + QStringLiteral("/%1").arg(i), QString()).toString();
    if (typeStr == QLatin1String("other"))
        dpiSwitchText::replace(out);
    return out;
}

QStringList LanguageStore::languageCodes() const
{
    QStringList codes;
    const QFileInfoList files = QDir(root + QStringLiteral("/i18n"))
                                    .entryInfoList({QStringLiteral("*.ini")}, QDir::Files,
                                                   QDir::Name);
    for (const QFileInfo &file : files)
        if (isPlainFileName(file.completeBaseName()))
            codes << file.completeBaseName();
    return codes;
}

QString LanguageStore::ownName(const QString &langCode) const
{
    const QString name = getLangStrings(QStringLiteral("language"), langCode).value(0).trimmed();
    return name.isEmpty() ? langCode : name;
}

QList<QStringList> LanguageStore::otherKeyNames(const QString &langCode) const
{
    const QString english = QStringLiteral("English");
    QStringList order = languageCodes();
    order.removeAll(english);
    order.prepend(english);
    order.removeAll(langCode);
    QList<QStringList> lists;
    for (const QString &code : order)
        lists << getLangStrings(QStringLiteral("keyCode"), code);
    return lists;
}
