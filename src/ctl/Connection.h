// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "device/Hid_Thread.h"
#include "features/BoardProfiles.h"
#include "features/ButtonAssignment.h"
#include "features/DeviceFamily.h"
#include "features/DeviceSettings.h"
#include "store/AppConfigStore.h"
#include "store/GunDataStore.h"
#include "store/ProfileStore.h"

#include <QTextStream>
#include <memory>

namespace ctl {

// A connection made as the program makes it: the device table, the first
// entry that answers the handshake, the stage-report option bits, and on the
// 560 family the on-device profiles read back. Then the same feature classes
// as the program's view, over the configuration's data tree.
class Connection
{
public:
    // profileFile: a profile of its own instead of the data tree's profiles;
    // it is only read.
    explicit Connection(const QString &configPath, const QString &profileFile = QString());

    // Profile 0 .. 9 of the data tree instead of the configuration's.
    void useProfile(int number)
    {
        profileStore->currentProfile = number;
        profileChosen = true;
    }
    // Only this row of the device table is tried (-1: every row, the first
    // that answers wins).
    void selectRow(int row) { wantedRow = row; }
    // Reading commands leave the keyboard option as it is.
    void setReadOnly(bool on) { readOnly = on; }

    // False (with a message) when no configured device answers. The link's
    // exchange record then starts afresh with what the connection sent after
    // the handshake.
    bool connect(QTextStream &out);
    int connectedRow() const { return row; }
    // After a failed connect: what to tell the user when the mouse is there
    // but may not be opened; empty otherwise.
    QString accessProblem() const { return deniedHelp; }

    QString modulesRoot() const { return root; }
    QString configFileName() const { return configFile; }
    // The file the profile values come from: the one given with --profile,
    // or the data tree's current profile.
    QString profileFileName() const;
    // Why the configuration names no usable current profile; empty when it does.
    QString profileError() const;
    AppConfigStore &config() { return appConfig; }
    ProfileStore &profiles() { return *profileStore; }
    GunDataStore &guns() { return gunStore; }
    BoardProfiles &board() { return boardProfiles; }
    DeviceFamily &family() { return *deviceFamily; }
    ButtonAssignment &buttons() { return *buttonAssignment; }
    DeviceSettings &settings() { return *deviceSettings; }
    Hid_Thread &link() { return hid; }

    // Fire periods of the guns picked for the three gun slots.
    QVariantList gunPeriods();

private:
    QString deniedHelp;
    QString root;
    QString configFile;
    QString ownProfile;
    int wantedRow = -1;
    int row = -1;
    bool readOnly = false;
    bool profileChosen = false;
    Hid_Thread hid;
    AppConfigStore appConfig;
    std::unique_ptr<ProfileStore> profileStore;
    GunDataStore gunStore;
    BoardProfiles boardProfiles;
    std::unique_ptr<DeviceFamily> deviceFamily;
    std::unique_ptr<ButtonAssignment> buttonAssignment;
    std::unique_ptr<DeviceSettings> deviceSettings;
};

} // namespace ctl
