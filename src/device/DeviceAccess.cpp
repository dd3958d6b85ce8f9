// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceAccess.h"

#include "HidAccess.h"

#include <QStringList>
#include <cerrno>
#include <hidapi/hidapi.h>
#include <unistd.h>

namespace deviceAccess {

namespace {

bool openRefused(const QString &path)
{
    const QByteArray node = path.toLatin1();
    errno = 0;
    if (hid_device *handle = hidAccess::openPath(node.constData())) {
        hid_close(handle);
        return false;
    }
    if (errno == EACCES)
        return true;
    // hidapi may have used errno for its own message since: ask the node.
    return node.startsWith('/') && ::access(node.constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

QString hex4(unsigned v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0'));
}

} // namespace

QList<DeviceEntry> denied(const QList<DeviceEntry> &table)
{
    QList<DeviceEntry> out;
    for (const DeviceEntry &e : table)
        if (!e.commandPath.isEmpty() && openRefused(e.commandPath))
            out << e;
    return out;
}

bool anyPresent(const QList<DeviceEntry> &table)
{
    for (const DeviceEntry &e : table)
        if (!e.commandPath.isEmpty())
            return true;
    return false;
}

QString udevRule(const QList<DeviceEntry> &rows)
{
    QStringList lines;
    for (const DeviceEntry &e : rows) {
        const QString line = QStringLiteral("KERNEL==\"hidraw*\", ATTRS{idVendor}==\"%1\", "
                                            "ATTRS{idProduct}==\"%2\", TAG+=\"uaccess\"")
                                 .arg(hex4(e.vid), hex4(e.pid));
        if (!lines.contains(line))
            lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

const char kPermissionExplanation[] =
    "The mouse is plugged in, but this user may not open it (permission denied). Install the "
    "udev rule that gives the user at the seat access, then reload udev:";

QString permissionHelp(const QList<DeviceEntry> &rows)
{
    return permissionHelp(rows, QString::fromLatin1(kPermissionExplanation));
}

QString permissionHelp(const QList<DeviceEntry> &rows, const QString &explanation)
{
    QString quoted;
    for (const QString &line : udevRule(rows).split(QLatin1Char('\n')))
        quoted += QStringLiteral(" '") + line + QLatin1Char('\'');
    // The commands are shell, whatever the language; the explanation is one
    // line, the notice card takes its first line for it.
    return explanation.simplified() + QStringLiteral("\nprintf '%s\\n'") + quoted +
           QStringLiteral(" | sudo tee /etc/udev/rules.d/70-kestrel-talon.rules\n"
                          "sudo udevadm control --reload && sudo udevadm trigger");
}

} // namespace deviceAccess
