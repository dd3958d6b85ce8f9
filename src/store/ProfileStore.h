// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "IniFile.h"

#include <QString>
#include <QVariant>
#include <array>
#include <memory>

// The ten profile files "setting/p1.bin" .. "p10.bin" and the default profile
// "setting/pD.bin", each kept open, and the current profile number. Changes
// are written at the next turn of the event loop (or by sync()), merged into
// the file as it is then; a write that fails is told to the store's failure
// reporter and leaves the file as it was.
class ProfileStore
{
public:
    static constexpr int kProfileCount = 10;
    // The screens offer six profiles; macro clean-ups visit these.
    static constexpr int kScreenProfileCount = 6;

    explicit ProfileStore(const QString &modulesRoot = QStringLiteral("./modules"));
    // Profile 0 read from a file a person chose, never written; the default
    // profile from the data tree (talonctl --profile FILE).
    static std::unique_ptr<ProfileStore> withChosenProfile(const QString &modulesRoot,
                                                           const QString &profileFile);

    QString profilePath(int profile) const;
    QString defaultPath() const;

    int currentProfile = 0;
    bool isValidProfile(int profile) const { return profile >= 0 && profile < kProfileCount; }

    // From the current profile, or the default profile when isRecovery.
    QVariant getData(const QString &key, bool isRecovery) const;
    QVariantList getDataList(const QString &key, bool isRecovery) const;
    void setData(const QString &key, const QVariant &data);
    void setDataList(const QString &key, const QVariantList &datalist);

    // Whole-file operations. Each replaces the profile's file in one step from
    // its source; when the source cannot be read or the file cannot be
    // written the profile stays as it was and the result is false (error()
    // says why).
    bool resetProfile(int profile);
    bool copyProfile(int destprofile, int srcprofile);
    bool importProfile(int profile, const QString &sourceFile);
    // A byte copy of the profile's file, replacing the destination in one step.
    bool exportProfile(int profile, const QString &destinationFile);

    // Writes every profile's pending changes; false when one could not be.
    bool sync();
    QString error() const { return lastError; }

    IniFile *profile(int profile) const;
    IniFile *current() const { return profile(currentProfile); }
    IniFile *defaults() const { return defaultProfile.get(); }

private:
    ProfileStore(const QString &modulesRoot, bool open);
    bool replaceFrom(int profile, const QByteArray &content);
    bool fail(const QString &message, bool tell);

    QString root;
    QString lastError;
    std::unique_ptr<IniFile> defaultProfile;
    std::array<std::unique_ptr<IniFile>, kProfileCount> profiles;
};
