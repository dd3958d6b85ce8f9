// SPDX-License-Identifier: GPL-2.0-or-later
#include "ProgramPath.h"

#include "Cli.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace ctl::programPath {

namespace {

QString id()
{
    return QStringLiteral(TALON_APP_ID);
}

QString objectPath()
{
    QString path = QLatin1Char('/') + id();
    return path.replace(QLatin1Char('.'), QLatin1Char('/'))
        .replace(QLatin1Char('-'), QLatin1Char('_'));
}

bool sessionBusThere()
{
    // Without one, asking would start a bus of its own or wait for nothing.
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

// The program's answer to one method: the exit status and what to print.
int answer(const QDBusMessage &reply, const QString &command, QTextStream &err, bool *gone)
{
    *gone = false;
    if (reply.type() == QDBusMessage::ReplyMessage)
        return kOk;
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        *gone = true; // it quit before it took the call: the direct path
        return kOk;
    }
    err << "talonctl: " << command << ": " << reply.errorMessage() << "\n";
    const QString reason = name.section(QLatin1Char('.'), -1);
    if (reason == QLatin1String("NotConnected"))
        return kNoDevice;
    if (reason == QLatin1String("InvalidValue") || reason == QLatin1String("InvalidFile"))
        return kBadInput;
    // No answer, busy for longer than it waits, the program quitting or the
    // bus's own time-out: the mouse did not take the command.
    return kRefused;
}

} // namespace

bool programRuns()
{
    if (!sessionBusThere())
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(id());
}

bool run(const QString &command, const QStringList &args, const Options &options, bool ownConfig,
         QTextStream &out, QTextStream &err, int *status)
{
    if (!ownConfig || options.device >= 0 || !options.profile.isEmpty() || args.size() != 1)
        return false;
    QString method;
    if (command == QLatin1String("rate"))
        method = QStringLiteral("SetReportRate");
    else if (command == QLatin1String("current-dpi"))
        method = QStringLiteral("SetDpiStage");
    if (method.isEmpty() || !programRuns())
        return false;

    const int value = args[0].toInt();
    QDBusMessage call = QDBusMessage::createMethodCall(id(), objectPath(), id(), method);
    call << value;
    bool gone = false;
    *status = answer(QDBusConnection::sessionBus().call(call), command, err, &gone);
    if (gone)
        return false;
    if (*status != kOk)
        return true;
    if (command == QLatin1String("rate"))
        out << "report rate sent: " << value << " Hz\n";
    else if (options.json)
        out << QJsonDocument(
                   QJsonObject{{QStringLiteral("stage"), value}, {QStringLiteral("set"), true}})
                   .toJson(QJsonDocument::Indented);
    else
        out << "current stage set: " << value << "\n";
    return true;
}

QString describe()
{
    return programRuns()
               ? QStringLiteral("path: direct, under the lock on the mouse (kestrel-talon runs: "
                                "rate and current-dpi go through it)")
               : QStringLiteral("path: direct (kestrel-talon is not running)");
}

} // namespace ctl::programPath
