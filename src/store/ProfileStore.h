// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <array>
#include <memory>

// The ten profile files "setting/p1.bin" .. "p10.bin" and the default profile
// "setting/pD.bin", each kept open, and the current profile number.
class ProfileStore
{
public:
    static constexpr int kProfileCount = 10;
    // The screens offer six profiles; macro clean-ups visit these.
    static constexpr int kScreenProfileCount = 6;

    explicit ProfileStore(const QString &modulesRoot = QStringLiteral("./modules"));

    QString profilePath(int profile) const;
    QString defaultPath() const;

    int currentProfile = 0;
    bool isValidProfile(int profile) const { return profile >= 0 && profile < kProfileCount; }

    // From the current profile, or the default profile when isRecovery.
    QVariant getData(const QString &key, bool isRecovery) const;
    QVariantList getDataList(const QString &key, bool isRecovery) const;
    void setData(const QString &key, const QVariant &data);
    void setDataList(const QString &key, const QVariantList &datalist);

    // Whole-file operations. Each replaces the profile's file atomically from
    // its source and reopens it; when the source cannot be read or the file
    // cannot be written the profile stays as it was and the result is false.
    bool resetProfile(int profile);
    bool copyProfile(int destprofile, int srcprofile);
    bool importProfile(int profile, const QString &sourceFile);
    // A byte copy of the profile's file, replacing the destination atomically.
    bool exportProfile(int profile, const QString &destinationFile);

    QSettings *profile(int profile) const;
    QSettings *current() const { return profile(currentProfile); }
    QSettings *defaults() const { return defaultProfile.get(); }

private:
    bool replaceFrom(int profile, const QString &sourceFile);

    QString root;
    std::unique_ptr<QSettings> defaultProfile;
    std::array<std::unique_ptr<QSettings>, kProfileCount> profiles;
};
