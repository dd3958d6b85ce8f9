#include "ProbeCommand.h"

#include "Cli.h"
#include "device/DeviceAccess.h"
#include "device/DeviceTable.h"
#include "device/Hid_Thread.h"

#include <QFileInfo>
#include <QSettings>

namespace ctl {

namespace {

QString hex4(unsigned v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0'));
}

} // namespace

int probe(const QString &configPath, QTextStream &out, QTextStream &err)
{
    if (!QFileInfo(configPath).isFile()) {
        err << "talonctl: configuration file not found: " << configPath << "\n";
        return kBadInput;
    }
    const QSettings config(configPath, QSettings::IniFormat);
    if (config.status() != QSettings::NoError) {
        err << "talonctl: cannot read configuration file: " << configPath << "\n";
        return kBadInput;
    }
    const QString icType = config.value(QStringLiteral("mouse/icType")).toString();
    const bool isGun = config.value(QStringLiteral("mouse/isGun")).toBool();
    const QString family =
        icType == QLatin1String("560") ? QStringLiteral("560") : QStringLiteral("553");

    Hid_Thread link;
    link.setModel(icType, isGun);
    link.deviceList = deviceTable::read(configPath);
    for (DeviceEntry &e : link.deviceList)
        deviceTable::locateInterfaces(e);
    const QList<DeviceEntry> found = link.deviceList; // a failed open clears a path

    out << "configuration: " << QFileInfo(configPath).absoluteFilePath() << "\n"
        << "family: " << family << "\n";
    if (link.deviceList.isEmpty()) {
        out << "no device entries (common/deviceCount)\n";
        return kNoDevice;
    }

    for (int i = 0; i < link.deviceList.size(); ++i) {
        const DeviceEntry e = link.deviceList[i];
        out << "entry " << i << ": " << hex4(e.vid) << ":" << hex4(e.pid) << " cipher "
            << (e.isEncode ? "on" : "off") << "\n";
        if (e.commandPath.isEmpty()) {
            out << "  not attached (no interface " << hex4(e.usagePage) << "/" << hex4(e.usage)
                << ")\n";
            continue;
        }
        out << "  command " << e.commandPath << "\n"
            << "  event   " << (e.eventPath.isEmpty() ? QStringLiteral("(none)") : e.eventPath)
            << "\n";
        if (!link.chkDeviceIsEnCode(i)) {
            out << "  no answer to the handshake\n";
            continue;
        }
        out << "  answered: family " << family << ", cipher " << (e.isEncode ? "on" : "off")
            << "\n";
        return kOk;
    }
    const QList<DeviceEntry> refused = deviceAccess::denied(found);
    if (!refused.isEmpty()) {
        err << "talonctl: " << deviceAccess::permissionHelp(refused) << "\n";
        return kNoDevice;
    }
    out << "no device answered\n";
    return kNoDevice;
}

} // namespace ctl
