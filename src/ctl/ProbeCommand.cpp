// SPDX-License-Identifier: GPL-2.0-or-later
#include "ProbeCommand.h"

#include "Cli.h"
#include "device/DeviceAccess.h"
#include "device/DeviceTable.h"
#include "device/Hid_Thread.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace ctl {

namespace {

QString hex4(unsigned v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0'));
}

} // namespace

int probe(const QString &configPath, int row, bool json, QTextStream &out, QTextStream &err)
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

    QJsonArray entries;
    int answered = -1;
    QString text = QStringLiteral("configuration: %1\nfamily: %2\n")
                       .arg(QFileInfo(configPath).absoluteFilePath(), family);
    if (link.deviceList.isEmpty())
        text += QStringLiteral("no device entries (common/deviceCount)\n");

    for (int i = 0; i < link.deviceList.size() && answered < 0; ++i) {
        if (row >= 0 && i != row)
            continue;
        const DeviceEntry e = link.deviceList[i];
        QJsonObject entry{{QStringLiteral("row"), i},
                          {QStringLiteral("vid"), hex4(e.vid)},
                          {QStringLiteral("pid"), hex4(e.pid)},
                          {QStringLiteral("cipher"), e.isEncode},
                          {QStringLiteral("attached"), !e.commandPath.isEmpty()},
                          {QStringLiteral("answered"), false}};
        text += QStringLiteral("entry %1: %2:%3 cipher %4\n")
                    .arg(i)
                    .arg(hex4(e.vid), hex4(e.pid), e.isEncode ? "on" : "off");
        if (e.commandPath.isEmpty()) {
            text += QStringLiteral("  not attached (no interface %1/%2)\n")
                        .arg(hex4(e.usagePage), hex4(e.usage));
            entries << entry;
            continue;
        }
        entry.insert(QStringLiteral("command"), e.commandPath);
        entry.insert(QStringLiteral("event"), e.eventPath.isEmpty() ? QJsonValue() : e.eventPath);
        text +=
            QStringLiteral("  command %1\n  event   %2\n")
                .arg(e.commandPath, e.eventPath.isEmpty() ? QStringLiteral("(none)") : e.eventPath);
        if (link.chkDeviceIsEnCode(i)) {
            answered = i;
            entry.insert(QStringLiteral("answered"), true);
            text += QStringLiteral("  answered: family %1, cipher %2\n")
                        .arg(family, e.isEncode ? "on" : "off");
        } else {
            text += QStringLiteral("  no answer to the handshake\n");
        }
        entries << entry;
    }
    if (answered < 0 && !link.deviceList.isEmpty()) {
        const QList<DeviceEntry> refused = deviceAccess::denied(found);
        if (!refused.isEmpty())
            err << "talonctl: " << deviceAccess::permissionHelp(refused) << "\n";
        else
            text += QStringLiteral("no device answered\n");
    }

    if (json) {
        const QJsonObject o{
            {QStringLiteral("configuration"), QFileInfo(configPath).absoluteFilePath()},
            {QStringLiteral("family"), family},
            {QStringLiteral("entries"), entries},
            {QStringLiteral("answered"), answered < 0 ? QJsonValue() : answered}};
        out << QJsonDocument(o).toJson(QJsonDocument::Indented);
    } else {
        out << text;
    }
    return answered < 0 ? kNoDevice : kOk;
}

} // namespace ctl
