// SPDX-License-Identifier: GPL-2.0-or-later
#include "Autostart.h"

#include "ApplicationId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace autostart {

namespace {

// An Exec argument with reserved characters goes in double quotes, with ",
// `, $ and \ escaped; a string value then escapes each backslash again.
QString execArgument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool plain = true;
    for (const QChar c : path)
        plain = plain && !reserved.contains(c);
    if (plain)
        return path;
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/kestrel-talon.desktop");
}

bool enabled()
{
    return QFile::exists(entryPath());
}

QString entryText(const QString &executable)
{
    // Logging in starts it in the tray: the window stays closed.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kestrel Talon\n"
                          "Comment=Keeps the Kestrel Talon mouse utility in the tray\n"
                          "Exec=%1 --hidden\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(executable), QLatin1String(kApplicationId));
}

bool refresh(const QString &executable)
{
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = file.readAll();
    file.close();
    const QByteArray wanted = entryText(executable).toUtf8();
    // An entry of an earlier version for this executable, which opened the
    // window at every login; anything else is the user's own and stays.
    const QByteArray earlier = "\nExec=" + execArgument(executable).toUtf8() + '\n';
    if (text == wanted || !text.contains(earlier))
        return true;
    return setEnabled(true, executable);
}

bool setEnabled(bool on, const QString &executable)
{
    const QString path = entryPath();
    if (!on)
        return !QFile::exists(path) || QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(entryText(executable).toUtf8());
    return file.commit();
}

} // namespace autostart
