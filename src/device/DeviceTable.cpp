// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceTable.h"

#include "HidAccess.h"

#include <QLoggingCategory>
#include <QSettings>

Q_LOGGING_CATEGORY(lcDeviceTable, "talon.device")

namespace deviceTable {

namespace {

int rowCount(const QSettings &s)
{
    return s.value(QStringLiteral("common/deviceCount"), 0).toInt();
}

std::uint16_t hex16(const QSettings &s, const QString &key)
{
    return static_cast<std::uint16_t>(parseHex(s.value(key, QStringLiteral("0")).toString()));
}

} // namespace

unsigned parseHex(const QString &text)
{
    bool ok = false;
    const unsigned value = text.toUInt(&ok, 16);
    return ok ? value : 0u;
}

QList<DeviceEntry> read(const QString &configPath)
{
    const QSettings s(configPath, QSettings::IniFormat);
    QList<DeviceEntry> list;
    const int count = rowCount(s);
    if (count > kMaxRows) {
        qCDebug(lcDeviceTable) << "device table damaged: common/deviceCount" << count;
        return list;
    }
    for (int i = 0; i < count; ++i) {
        const QString row = QString::number(i) + QLatin1Char('/');
        DeviceEntry e;
        const QVariant type = s.value(row + QLatin1String("type"));
        e.type = type.isValid() ? static_cast<int>(parseHex(type.toString())) : -1;
        e.vid = hex16(s, row + QLatin1String("vid"));
        e.pid = hex16(s, row + QLatin1String("pid"));
        e.usagePage = hex16(s, row + QLatin1String("usagePage"));
        e.usage = hex16(s, row + QLatin1String("usage"));
        e.usagePage2 = hex16(s, row + QLatin1String("usagePage2"));
        e.usage2 = hex16(s, row + QLatin1String("usage2"));
        e.reportLength = s.value(row + QLatin1String("reportLength"), 32).toInt();
        e.isEncode = s.value(row + QLatin1String("isEncode"), false).toBool();
        e.sCode = s.value(row + QLatin1String("sCode"), QStringLiteral("417093")).toString();
        list.append(e);
    }
    return list;
}

bool usable(const DeviceEntry &entry)
{
    return entry.reportLength >= kMinReportLength && entry.reportLength <= kMaxReportLength;
}

void locateInterfaces(DeviceEntry &entry)
{
    entry.commandPath.clear();
    entry.eventPath.clear();
    if (!usable(entry)) {
        qCDebug(lcDeviceTable) << "device table row skipped: reportLength" << entry.reportLength;
        return;
    }
    hid_device_info *all = hidAccess::enumerate(entry.vid, entry.pid);
    for (const hid_device_info *i = all; i; i = i->next) {
        if (i->usage_page == entry.usagePage && i->usage == entry.usage)
            entry.commandPath = QString::fromLatin1(i->path);
        if (i->usage_page == entry.usagePage2 && i->usage == entry.usage2)
            entry.eventPath = QString::fromLatin1(i->path);
    }
    hidAccess::freeEnumeration(all);
}

} // namespace deviceTable
