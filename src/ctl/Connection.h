#pragma once

#include "device/Hid_Thread.h"
#include "features/BoardProfiles.h"
#include "features/ButtonAssignment.h"
#include "features/DeviceFamily.h"
#include "features/DeviceSettings.h"
#include "store/AppConfigStore.h"
#include "store/GunDataStore.h"
#include "store/ProfileStore.h"

#include <QTemporaryDir>
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
    // it is read from a private copy, never written.
    explicit Connection(const QString &configPath, const QString &profileFile = QString());

    // False (with a message) when no configured device answers.
    bool connect(QTextStream &out);
    // After a failed connect: what to tell the user when the mouse is there
    // but may not be opened; empty otherwise.
    QString accessProblem() const { return deniedHelp; }

    QString modulesRoot() const { return root; }
    AppConfigStore &config() { return appConfig; }
    ProfileStore &profiles() { return profileStore; }
    GunDataStore &guns() { return gunStore; }
    BoardProfiles &board() { return boardProfiles; }
    DeviceFamily &family() { return *deviceFamily; }
    ButtonAssignment &buttons() { return *buttonAssignment; }
    DeviceSettings &settings() { return *deviceSettings; }
    Hid_Thread &link() { return hid; }

    // Fire periods of the guns picked for the three gun slots.
    QVariantList gunPeriods();

private:
    QString profileRoot(const QString &profileFile);

    QTemporaryDir scratch;
    QString deniedHelp;
    QString root;
    QString configFile;
    Hid_Thread hid;
    AppConfigStore appConfig;
    ProfileStore profileStore;
    GunDataStore gunStore;
    BoardProfiles boardProfiles;
    std::unique_ptr<DeviceFamily> deviceFamily;
    std::unique_ptr<ButtonAssignment> buttonAssignment;
    std::unique_ptr<DeviceSettings> deviceSettings;
};

} // namespace ctl
