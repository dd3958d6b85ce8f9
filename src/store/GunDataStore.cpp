// SPDX-License-Identifier: GPL-2.0-or-later
#include "GunDataStore.h"

#include "ProfileStore.h"
#include "SettingsList.h"

#include <QFile>
#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("gunData/");
}

GunDataStore::GunDataStore(ProfileStore &profileStore, const QString &modulesRoot)
    : profiles(profileStore), root(modulesRoot)
{
}

QString GunDataStore::filePath() const
{
    return root + QStringLiteral("/gun/gunData.bin");
}

bool GunDataStore::fileExists() const
{
    return QFile::exists(filePath());
}

void GunDataStore::mouseSaveGundata(const QString &index, const QVariantList &src6)
{
    // A short list is outside the callers' contract; it is not stored.
    if (!fileExists() || src6.size() < kFieldCount)
        return;
    QSettings s(filePath(), QSettings::IniFormat);
    s.setValue(kGroup + index, src6.mid(0, kFieldCount));
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
    QSettings s(filePath(), QSettings::IniFormat);
    if (modifyType == 0) {
        s.remove(kGroup + src6[0].toString());
        return true;
    }
    if (modifyType == 1 && src6.size() > kFieldCount && isEntryName(src6[kFieldCount].toString())) {
        s.remove(kGroup + src6[kFieldCount].toString());
        s.setValue(kGroup + src6[0].toString(), src6.mid(1, kFieldCount - 1));
        return true;
    }
    return false;
}

QVariantList GunDataStore::getGunData(const QString &name) const
{
    if (!fileExists())
        return {};
    const QSettings s(filePath(), QSettings::IniFormat);
    return settingsList(s.value(kGroup + name));
}

QStringList GunDataStore::getGunDataKey() const
{
    if (!fileExists())
        return {};
    QSettings s(filePath(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("gunData"));
    return s.childKeys();
}

QVariant GunDataStore::getXYSensitive(const QString &index) const
{
    const QSettings *s = profiles.current();
    return s ? s->value(QStringLiteral("XYSensitive/") + index, 4) : QVariant(4);
}

void GunDataStore::setXYSensitive(const QString &index, const QVariant &xyData)
{
    if (QSettings *s = profiles.current())
        s->setValue(QStringLiteral("XYSensitive/") + index, xyData);
}

QVariant GunDataStore::getselectGun(const QString &index) const
{
    const QSettings *s = profiles.current();
    return s ? s->value(QStringLiteral("selectGun/") + index, QString()) : QVariant(QString());
}

void GunDataStore::setSelectGun(const QString &index, const QVariant &xyData)
{
    if (QSettings *s = profiles.current())
        s->setValue(QStringLiteral("selectGun/") + index, xyData);
}
