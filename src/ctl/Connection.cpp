// SPDX-License-Identifier: GPL-2.0-or-later
#include "Connection.h"

#include "device/DeviceAccess.h"
#include "device/DeviceTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ctl {

namespace {

QString modulesRootOf(const QString &configPath)
{
    // .../modules/setting/apConfig.bin
    return QFileInfo(QFileInfo(configPath).absolutePath()).absolutePath();
}

} // namespace

Connection::Connection(const QString &configPath, const QString &profileFile)
    : root(modulesRootOf(configPath)), configFile(configPath), ownProfile(profileFile),
      appConfig(root, configPath),
      profileStore(profileFile.isEmpty() ? std::make_unique<ProfileStore>(root)
                                         : ProfileStore::withChosenProfile(root, profileFile)),
      gunStore(*profileStore, root), boardProfiles(hid)
{
    const ModelFlags model = readModelFlags(appConfig);
    hid.setModel(model.icType, model.isGun);
    deviceFamily = DeviceFamily::create(hid, boardProfiles, model);
    buttonAssignment = std::make_unique<ButtonAssignment>(*deviceFamily, *profileStore);
    deviceSettings = std::make_unique<DeviceSettings>(*deviceFamily);
    profileStore->currentProfile =
        profileFile.isEmpty() ? appConfig.getGlobalData(QStringLiteral("mouse/profileNo")).toInt()
                              : 0;
}

QString Connection::profileFileName() const
{
    return ownProfile.isEmpty() ? profileStore->profilePath(profileStore->currentProfile)
                                : ownProfile;
}

QString Connection::profileError() const
{
    if (!ownProfile.isEmpty() || profileChosen)
        return QString();
    const QVariant number = appConfig.getGlobalData(QStringLiteral("mouse/profileNo"));
    bool ok = !number.isValid();
    if (number.isValid()) {
        const int n = number.toString().trimmed().toInt(&ok);
        ok = ok && profileStore->isValidProfile(n);
    }
    if (ok)
        return QString();
    return QStringLiteral("%1: mouse/profileNo is \"%2\", not 0 to %3 (give --profile)")
        .arg(configFile, number.toString())
        .arg(ProfileStore::kProfileCount - 1);
}

bool Connection::connect(QTextStream &out)
{
    hid.deviceList = deviceTable::read(configFile);
    for (DeviceEntry &e : hid.deviceList)
        deviceTable::locateInterfaces(e);
    const QList<DeviceEntry> found = hid.deviceList; // a failed open clears a path
    for (int i = 0; i < hid.deviceList.size(); ++i) {
        if ((wantedRow >= 0 && i != wantedRow) || hid.deviceList[i].commandPath.isEmpty() ||
            !hid.chkDeviceIsEnCode(i))
            continue;
        row = i;
        hid.resetExchangeRecord();
        if (!readOnly)
            hid.enableStageReports();
        if (hid.is560()) {
            // A mouse that failed one read is not asked again: each stalled
            // read costs its whole time-out.
            const unsigned reads = hid.gun() ? BoardProfiles::kCount : 2;
            for (unsigned p = 0; p < reads && hid.exchangeRecord().failures == 0; ++p)
                boardProfiles.mouseReadProfile(p);
        }
        return true;
    }
    const QList<DeviceEntry> refused = deviceAccess::denied(found);
    if (!refused.isEmpty()) {
        deniedHelp = deviceAccess::permissionHelp(refused);
        return false;
    }
    out << "talonctl: no device answered\n";
    return false;
}

QVariantList Connection::gunPeriods()
{
    const QVariantList picks = appConfig.getGlobalData(QStringLiteral("mouse/selectGun")).toList();
    QVariantList periods;
    for (int slot = 0; slot < 3; ++slot) {
        const QString entry = slot < picks.size() ? picks[slot].toString() : QString::number(slot);
        const QVariantList gun = gunStore.getGunData(entry);
        periods << (gun.size() > 2 ? gun[2].toInt() : 0);
    }
    return periods;
}

} // namespace ctl
