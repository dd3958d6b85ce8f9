// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class ProfileStore;

// The gun table "gun/gunData.bin" shared by all profiles (nothing happens
// while the file is absent: the program never creates it), and the two small
// per-profile gun values.
class GunDataStore
{
public:
    static constexpr int kFieldCount = 6; // name, key, period, X, Y, times

    GunDataStore(ProfileStore &profiles, const QString &modulesRoot = QStringLiteral("./modules"));

    QString filePath() const;
    bool fileExists() const;

    // True when stored.
    bool mouseSaveGundata(const QString &index, const QVariantList &src6);
    // 0: remove src6[0]; 1: remove src6[6], store src6[1..5] under src6[0].
    // False, with nothing changed, when a name is refused (see isEntryName),
    // the file is absent or cannot be written.
    bool modifyGundata(int modifyType, const QVariantList &src6);
    // A name can key an entry unless it is empty, holds a group separator,
    // or is a position key ("0", "1", ...) under which the editor's entries
    // live: an empty key removes the whole table, a position key overwrites
    // an entry.
    static bool isEntryName(const QString &name);
    QVariantList getGunData(const QString &name) const;
    QStringList getGunDataKey() const;

    QVariant getXYSensitive(const QString &index) const;
    void setXYSensitive(const QString &index, const QVariant &xyData);
    QVariant getselectGun(const QString &index) const;
    void setSelectGun(const QString &index, const QVariant &xyData);

private:
    ProfileStore &profiles;
    QString root;
};
