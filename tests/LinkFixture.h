// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Shared set-up of the device tests: a device link wired to a virtual mouse
// on a virtual clock, so that every pause is recorded instead of slept.
#include "SimBus.h"
#include "device/Hid_Thread.h"
#include "device/Pacing.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace fixture {

inline sim::Bus &bus()
{
    return sim::Bus::instance();
}

inline void recordPause(int ms)
{
    bus().recordPause(ms);
}

// Fresh bus, virtual clock.
inline void resetBus()
{
    bus().reset();
    bus().setRealTime(false);
    pacing::setSleepHook(&recordPause);
}

inline sim::MouseConfig mouse(sim::Family family, int reportLength = 32, bool encode = false,
                              const char *code = "417093")
{
    sim::MouseConfig c;
    c.family = family;
    c.reportLength = reportLength;
    c.encode = encode;
    c.code = code;
    return c;
}

// The device-table row that matches a plugged mouse, paths filled.
inline DeviceEntry entryFor(int device)
{
    const sim::MouseConfig &c = bus().config(device);
    DeviceEntry e;
    e.type = 1;
    e.vid = c.vid;
    e.pid = c.pid;
    e.usagePage = c.usagePage;
    e.usage = c.usage;
    e.usagePage2 = c.usagePage2;
    e.usage2 = c.usage2;
    e.reportLength = c.reportLength;
    e.isEncode = c.encode;
    e.sCode = QString::fromStdString(c.code);
    e.commandPath = QString::fromStdString(bus().path(device, sim::kCommand));
    e.eventPath = QString::fromStdString(bus().path(device, sim::kEvent));
    return e;
}

// Plugs a mouse and makes it the link's current entry, with the secrecy code
// in force as the handshake would leave it.
inline int attach(Hid_Thread &link, const sim::MouseConfig &config)
{
    const int device = bus().plug(config);
    link.deviceList = {entryFor(device)};
    link.deviceIndex = 0;
    return device;
}

inline QStringList trace()
{
    QStringList out;
    for (const std::string &s : bus().trace())
        out << QString::fromStdString(s);
    return out;
}

// The trace of a command sent with pauses: frame, 128 ms, the data reports
// each followed by 120 ms, and 128 ms after the data.
inline QStringList pacedTrace(const QString &frame, int reports = 0, int reportLength = 32)
{
    QStringList t{QStringLiteral("frame ") + frame, QStringLiteral("pause 64"),
                  QStringLiteral("pause 64")};
    for (int i = 0; i < reports; ++i)
        t << QStringLiteral("out %1").arg(reportLength + 1) << QStringLiteral("pause 120");
    if (reports > 0)
        t << QStringLiteral("pause 64") << QStringLiteral("pause 64");
    return t;
}

// Data bytes the mouse received, report ids stripped, padding included.
inline QByteArray receivedData()
{
    QByteArray data;
    for (const sim::Bytes &r : bus().outputReports())
        data.append(reinterpret_cast<const char *>(r.data()) + 1, int(r.size()) - 1);
    return data;
}

// Collects debug lines while alive.
class MessageLog
{
public:
    MessageLog()
    {
        previous = qInstallMessageHandler(&MessageLog::handler);
        current() = this;
    }
    ~MessageLog()
    {
        qInstallMessageHandler(previous);
        current() = nullptr;
    }
    QStringList lines;

private:
    static MessageLog *&current()
    {
        static MessageLog *log = nullptr;
        return log;
    }
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (current() && type == QtDebugMsg)
            current()->lines << text;
    }
    QtMessageHandler previous;
};

} // namespace fixture
