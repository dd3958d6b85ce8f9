// SPDX-License-Identifier: GPL-2.0-or-later
#include "BusService.h"

#include "ApplicationId.h"
#include "Widget.h"
#include "device/Hid_Thread.h"

#include <QDBusConnectionInterface>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcBus, "talon.bus")

BusCallQueue::BusCallQueue(Hid_Thread &link, const QDBusConnection &connection, QObject *parent)
    : QObject(parent), link(link), connection(connection)
{
    deadlineTimer.setSingleShot(true);
    connect(&deadlineTimer, &QTimer::timeout, this, [this] { expire(); });
    // Queued: busyChanged comes from deep inside the send that just ended.
    connect(&link, &Hid_Thread::busyChanged, this, [this](bool busy) {
        if (!busy)
            QTimer::singleShot(0, this, [this] { drain(); });
    });
}

void BusCallQueue::submit(const QDBusMessage &call, Work work)
{
    call.setDelayedReply(true);
    if (!closedError.isEmpty()) {
        connection.send(call.createErrorReply(closedError, closedWhy));
        return;
    }
    pending.push_back({call, std::move(work), QDeadlineTimer(kWaitMs)});
    drain();
}

void BusCallQueue::drain()
{
    // A call that arrives while one runs waits for it, even between its
    // commands: the link is free there, the work is not done.
    if (running)
        return;
    while (!pending.empty() && !link.busy()) {
        Pending next = std::move(pending.front());
        pending.pop_front();
        running = true;
        const QDBusMessage reply = next.work(next.call);
        running = false;
        connection.send(reply);
    }
    if (!pending.empty())
        deadlineTimer.start(int(qMax<qint64>(0, pending.front().deadline.remainingTime())));
}

void BusCallQueue::expire()
{
    while (!pending.empty() && pending.front().deadline.hasExpired()) {
        connection.send(pending.front().call.createErrorReply(
            BusService::errorName(DesktopCommands::Error::Busy),
            QStringLiteral("the mouse stayed busy for %1 s").arg(kWaitMs / 1000)));
        pending.pop_front();
    }
    drain();
}

void BusCallQueue::close(const QString &error, const QString &why)
{
    closedError = error;
    closedWhy = why;
    deadlineTimer.stop();
    for (const Pending &p : pending)
        connection.send(p.call.createErrorReply(error, why));
    pending.clear();
}

BusService::BusService(Widget &host)
    : commands(*host.desktopCommands()), connection(QDBusConnection::sessionBus()),
      calls(host.deviceLink(), connection, this)
{
    connect(&commands, &DesktopCommands::connectedChanged, this, [this](bool on) {
        emit ConnectedChanged(on);
        tellChanged(QStringLiteral("Connected"), on);
    });
    connect(&commands, &DesktopCommands::profileChanged, this, [this](int profile) {
        emit ProfileChanged(profile);
        tellChanged(QStringLiteral("Profile"), profile);
    });
    connect(&commands, &DesktopCommands::dpiStageChanged, this, [this](int stage) {
        emit DpiStageChanged(stage);
        tellChanged(QStringLiteral("DpiStage"), stage);
    });
    connect(&commands, &DesktopCommands::reportRateChanged, this,
            [this](int hz) { tellChanged(QStringLiteral("ReportRate"), hz); });
}

BusService::~BusService()
{
    withdraw();
}

QString BusService::objectPath()
{
    QString path = QLatin1Char('/') + QString::fromLatin1(kApplicationId);
    path.replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'));
    return path;
}

QString BusService::errorName(DesktopCommands::Error error)
{
    const char *name = "Failed";
    switch (error) {
    case DesktopCommands::Error::None:
        break;
    case DesktopCommands::Error::NotConnected:
        name = "NotConnected";
        break;
    case DesktopCommands::Error::InvalidValue:
        name = "InvalidValue";
        break;
    case DesktopCommands::Error::InvalidFile:
        name = "InvalidFile";
        break;
    case DesktopCommands::Error::NoAnswer:
        name = "NoAnswer";
        break;
    case DesktopCommands::Error::Busy:
        name = "Busy";
        break;
    }
    return QString::fromLatin1(kApplicationId) + QStringLiteral(".Error.") + QLatin1String(name);
}

bool BusService::publish(QString *why)
{
    if (!connection.isConnected()) {
        *why = QStringLiteral("no session bus: %1").arg(connection.lastError().message());
        return false;
    }
    if (!connection.registerObject(objectPath(), QString::fromLatin1(kApplicationId), this,
                                   QDBusConnection::ExportScriptableSlots |
                                       QDBusConnection::ExportScriptableSignals |
                                       QDBusConnection::ExportScriptableProperties)) {
        *why = QStringLiteral("cannot export %1").arg(objectPath());
        return false;
    }
    if (!connection.registerService(QString::fromLatin1(kApplicationId))) {
        connection.unregisterObject(objectPath());
        *why = QStringLiteral("cannot own %1: %2")
                   .arg(QString::fromLatin1(kApplicationId), connection.lastError().message());
        return false;
    }
    published = true;
    return true;
}

void BusService::withdraw()
{
    if (!published)
        return;
    published = false;
    calls.close(errorName(DesktopCommands::Error::NotConnected),
                QStringLiteral("the program is quitting"));
    connection.unregisterService(QString::fromLatin1(kApplicationId));
    connection.unregisterObject(objectPath());
    // A round trip to the bus: the answers sent above are on their way
    // before the process ends.
    connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus"));
}

void BusService::answerWith(const QDBusMessage &call,
                            std::function<DesktopCommands::Outcome()> command)
{
    calls.submit(call, [command = std::move(command)](const QDBusMessage &message) {
        const DesktopCommands::Outcome outcome = command();
        qCDebug(lcBus).noquote() << message.member() << message.arguments()
                                 << (outcome.ok() ? QStringLiteral("done") : outcome.message);
        return outcome.ok() ? message.createReply()
                            : message.createErrorReply(errorName(outcome.error), outcome.message);
    });
}

void BusService::SetProfile(int profile, const QDBusMessage &call)
{
    answerWith(call, [this, profile] { return commands.setProfile(profile); });
}

void BusService::SetDpiStage(int stage, const QDBusMessage &call)
{
    answerWith(call, [this, stage] { return commands.setDpiStage(stage); });
}

void BusService::SetReportRate(int hz, const QDBusMessage &call)
{
    answerWith(call, [this, hz] { return commands.setReportRate(hz); });
}

void BusService::ApplyProfileFile(const QString &path, const QDBusMessage &call)
{
    answerWith(call, [this, path] { return commands.applyProfileFile(path); });
}

void BusService::Show(const QDBusMessage &call)
{
    answerWith(call, [this] { return commands.show(); });
}

void BusService::tellChanged(const QString &property, const QVariant &value)
{
    if (!published)
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(objectPath(), QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kApplicationId) << QVariantMap{{property, value}}
           << QStringList();
    connection.send(signal);
}
