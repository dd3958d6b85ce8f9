// SPDX-License-Identifier: GPL-2.0-or-later
#include "NameListStore.h"

#include "IniFile.h"
#include "SettingsList.h"

namespace {
const QString kFile = QStringLiteral("setting/name.bin");
}

NameListStore::NameListStore(const QString &modulesRoot) : root(modulesRoot) {}

QString NameListStore::filePath() const
{
    return root + QLatin1Char('/') + kFile;
}

QString NameListStore::keyFor(unsigned type)
{
    static const char *const keys[] = {"macro/macroName", "gun/gunName", "profile/profileName",
                                       "gun/selectGun"};
    return type < 4 ? QString::fromLatin1(keys[type]) : QString();
}

QVariant NameListStore::updataNameList(unsigned type, QStringList nameList)
{
    if (nameList.size() == 1)
        nameList << QString::fromLatin1(kSentinel);
    const QString key = keyFor(type);
    if (key.isEmpty())
        return QVariant(true);
    IniFile s(root, kFile);
    if (nameList.isEmpty())
        s.remove(key);
    else
        s.setValue(key, nameList);
    return QVariant(s.sync());
}

QVariantList NameListStore::getNameList(unsigned type) const
{
    const QString key = keyFor(type);
    if (key.isEmpty())
        return {};
    return settingsList(IniFile(root, kFile).value(key));
}

QStringList NameListStore::withoutSentinel(const QVariantList &list)
{
    QStringList names;
    for (const QVariant &v : list)
        names << v.toString();
    if (names.size() == 2 && names[1] == QLatin1String(kSentinel))
        names.removeLast();
    return names;
}
