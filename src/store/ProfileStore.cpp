// SPDX-License-Identifier: GPL-2.0-or-later
#include "ProfileStore.h"

#include "FileReplace.h"
#include "SettingsList.h"

ProfileStore::ProfileStore(const QString &modulesRoot) : root(modulesRoot)
{
    defaultProfile = std::make_unique<QSettings>(defaultPath(), QSettings::IniFormat);
    for (int p = 0; p < kProfileCount; ++p)
        profiles[std::size_t(p)] =
            std::make_unique<QSettings>(profilePath(p), QSettings::IniFormat);
}

QString ProfileStore::profilePath(int profile) const
{
    return root + QStringLiteral("/setting/p%1.bin").arg(profile + 1);
}

QString ProfileStore::defaultPath() const
{
    return root + QStringLiteral("/setting/pD.bin");
}

QSettings *ProfileStore::profile(int p) const
{
    return isValidProfile(p) ? profiles[std::size_t(p)].get() : nullptr;
}

QVariant ProfileStore::getData(const QString &key, bool isRecovery) const
{
    const QSettings *s = isRecovery ? defaults() : current();
    return s ? s->value(key) : QVariant();
}

QVariantList ProfileStore::getDataList(const QString &key, bool isRecovery) const
{
    return settingsList(getData(key, isRecovery));
}

void ProfileStore::setData(const QString &key, const QVariant &data)
{
    if (QSettings *s = current())
        s->setValue(key, data);
}

void ProfileStore::setDataList(const QString &key, const QVariantList &datalist)
{
    if (QSettings *s = current())
        s->setValue(key, datalist);
}

bool ProfileStore::replaceFrom(int p, const QString &sourceFile)
{
    if (!isValidProfile(p))
        return false;
    auto &slot = profiles[std::size_t(p)];
    // Flushed first: the old object must have nothing left to write once the
    // new file is in place.
    slot->sync();
    const bool replaced = fileReplace::copyOver(sourceFile, profilePath(p));
    slot = std::make_unique<QSettings>(profilePath(p), QSettings::IniFormat);
    return replaced;
}

bool ProfileStore::resetProfile(int p)
{
    return replaceFrom(p, defaultPath());
}

bool ProfileStore::copyProfile(int destprofile, int srcprofile)
{
    if (!isValidProfile(srcprofile) || destprofile == srcprofile)
        return false;
    profiles[std::size_t(srcprofile)]->sync();
    return replaceFrom(destprofile, profilePath(srcprofile));
}

bool ProfileStore::importProfile(int p, const QString &sourceFile)
{
    return replaceFrom(p, sourceFile);
}

bool ProfileStore::exportProfile(int p, const QString &destinationFile)
{
    if (!isValidProfile(p))
        return false;
    profiles[std::size_t(p)]->sync();
    return fileReplace::copyOver(profilePath(p), destinationFile);
}
