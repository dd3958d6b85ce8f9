// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "DesktopCommands.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

class Hid_Thread;
class Widget;

// Calls from the session bus that talk to the mouse, one at a time and never
// inside another send: the link's commands let events in while they wait,
// and a call delivered then waits here until the link is idle (at most
// kWaitMs), then runs and is answered.
class BusCallQueue : public QObject
{
public:
    static constexpr int kWaitMs = 10000;
    // The answer to the call, made once the work is done.
    using Work = std::function<QDBusMessage(const QDBusMessage &call)>;

    BusCallQueue(Hid_Thread &link, const QDBusConnection &connection, QObject *parent);

    void submit(const QDBusMessage &call, Work work);
    // Calls still waiting are answered with `error`, and so is every later one.
    void close(const QString &error, const QString &why);

private:
    struct Pending
    {
        QDBusMessage call;
        Work work;
        QDeadlineTimer deadline;
    };
    void drain();
    void expire();

    Hid_Thread &link;
    QDBusConnection connection;
    std::deque<Pending> pending;
    QTimer deadlineTimer;
    bool running = false;
    QString closedError, closedWhy;
};

// The program's interface on the session bus, under its application id: the
// mouse's state as the screens show it, and the changes a desktop shortcut or
// a script makes (DesktopCommands). The introspection data is the file
// packaging/dbus/interface.xml.in.
class BusService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", TALON_APP_ID)
    Q_PROPERTY(bool Connected READ connected)
    Q_PROPERTY(QString Family READ family)
    Q_PROPERTY(QString Model READ model)
    Q_PROPERTY(int Profile READ profile)
    Q_PROPERTY(int DpiStage READ dpiStage)
    Q_PROPERTY(int ReportRate READ reportRate)

public:
    explicit BusService(Widget &host);
    ~BusService() override;

    // The object path of the interface: the application id as a path.
    static QString objectPath();
    // The D-Bus error of each refusal, e.g. "<id>.Error.NotConnected".
    static QString errorName(DesktopCommands::Error error);

    // Exports the interface and takes the name; false with *why when the
    // session has no bus or the name is taken.
    bool publish(QString *why);
    // The program ends: waiting calls are answered and the name given back.
    void withdraw();

    bool connected() const { return commands.connected(); }
    QString family() const { return commands.family(); }
    QString model() const { return commands.model(); }
    int profile() const { return commands.profile(); }
    int dpiStage() const { return commands.dpiStage(); }
    int reportRate() const { return commands.reportRate(); }

    BusCallQueue &queue() { return calls; }

public slots:
    Q_SCRIPTABLE void SetProfile(int profile, const QDBusMessage &call);
    Q_SCRIPTABLE void SetDpiStage(int stage, const QDBusMessage &call);
    Q_SCRIPTABLE void SetReportRate(int hz, const QDBusMessage &call);
    Q_SCRIPTABLE void ApplyProfileFile(const QString &path, const QDBusMessage &call);
    Q_SCRIPTABLE void Show(const QDBusMessage &call);

signals:
    Q_SCRIPTABLE void ConnectedChanged(bool connected);
    Q_SCRIPTABLE void ProfileChanged(int profile);
    Q_SCRIPTABLE void DpiStageChanged(int stage);

private:
    void answerWith(const QDBusMessage &call, std::function<DesktopCommands::Outcome()> command);
    void tellChanged(const QString &property, const QVariant &value);

    DesktopCommands &commands;
    QDBusConnection connection;
    BusCallQueue calls;
    bool published = false;
};
