// SPDX-License-Identifier: GPL-2.0-or-later
#include "GunDataStore.h"

#include "IniFile.h"
#include "ProfileStore.h"
#include "SettingsList.h"
#include "StoreFile.h"

namespace {
const QString kGroup = QStringLiteral("gunData/");
const QString kFile = QStringLiteral("gun/gunData.bin");
} // namespace

GunDataStore::GunDataStore(ProfileStore &profileStore, const QString &modulesRoot)
    : profiles(profileStore), root(modulesRoot)
{
}

QString GunDataStore::filePath() const
{
    return root + QLatin1Char('/') + kFile;
}

bool GunDataStore::fileExists() const
{
    return storeFile::exists(root, kFile);
}

bool GunDataStore::mouseSaveGundata(const QString &index, const QVariantList &src6)
{
    // A short list is outside the callers' contract; it is not stored.
    if (!fileExists() || src6.size() < kFieldCount)
        return false;
    IniFile s(root, kFile);
    s.setValue(kGroup + index, src6.mid(0, kFieldCount));
    return s.sync();
}

bool GunDataStore::isEntryName(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    bool number = false;
    const uint position = name.toUInt(&number);
    return !(number && QString::number(position) == name);
}

bool GunDataStore::modifyGundata(int modifyType, const QVariantList &src6)
{
    if (!fileExists() || src6.isEmpty() || !isEntryName(src6[0].toString()))
        return false;
    IniFile s(root, kFile);
    if (modifyType == 0) {
        s.remove(kGroup + src6[0].toString());
        return s.sync();
    }
    if (modifyType == 1 && src6.size() > kFieldCount && isEntryName(src6[kFieldCount].toString())) {
        s.remove(kGroup + src6[kFieldCount].toString());
        s.setValue(kGroup + src6[0].toString(), src6.mid(1, kFieldCount - 1));
        return s.sync();
    }
    return false;
}

QVariantList GunDataStore::getGunData(const QString &name) const
{
    if (!fileExists())
        return {};
    return settingsList(IniFile(root, kFile).value(kGroup + name));
}

QStringList GunDataStore::getGunDataKey() const
{
    if (!fileExists())
        return {};
    return IniFile(root, kFile).childKeys(QStringLiteral("gunData"));
}

QVariant GunDataStore::getXYSensitive(const QString &index) const
{
    const IniFile *s = profiles.current();
    return s ? s->value(QStringLiteral("XYSensitive/") + index, 4) : QVariant(4);
}

void GunDataStore::setXYSensitive(const QString &index, const QVariant &xyData)
{
    if (IniFile *s = profiles.current())
        s->setValue(QStringLiteral("XYSensitive/") + index, xyData);
}

QVariant GunDataStore::getselectGun(const QString &index) const
{
    const IniFile *s = profiles.current();
    return s ? s->value(QStringLiteral("selectGun/") + index, QString()) : QVariant(QString());
}

void GunDataStore::setSelectGun(const QString &index, const QVariant &xyData)
{
    if (IniFile *s = profiles.current())
        s->setValue(QStringLiteral("selectGun/") + index, xyData);
}
