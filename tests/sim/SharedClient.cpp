// SPDX-License-Identifier: GPL-2.0-or-later
// talon-shared-client: a process that drives the mouse in rounds of two
// commands, for the tests of the shared virtual mouse. Run it preloaded with
// TALON_SIM_SERVER set; several at once share the one mouse.
//   talon-shared-client ROUNDS [--lock] [--wait MS] [--go FILE]
// --lock holds the device lock around the handshake and around each round
// (the round's second command takes it again inside); --go waits for FILE to
// exist after the handshake, so that processes start their rounds together.
// Rounds are 30 ms apart.
// Exit status: 0 every command taken, 3 one was not, 4 no lock, 2 usage.
#include "device/DeviceLock.h"
#include "device/DeviceTable.h"
#include "device/HidAccess.h"
#include "device/Hid_Thread.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <cstdio>
#include <memory>

namespace {

bool lockOrSay(std::unique_ptr<DeviceLock> &lock, const QString &path, bool wanted, int waitMs)
{
    if (!wanted)
        return true;
    lock = std::make_unique<DeviceLock>(path);
    if (lock->acquire(waitMs))
        return true;
    std::fprintf(stderr, "talon-shared-client: %s\n", qPrintable(lock->errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool locking = args.removeAll(QStringLiteral("--lock")) > 0;
    int waitMs = DeviceLock::kWaitMs;
    QString go;
    bool ok = !args.isEmpty();
    const int rounds = ok ? args.takeFirst().toInt(&ok) : 0;
    while (ok && args.size() >= 2) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--wait"))
            waitMs = args.takeFirst().toInt(&ok);
        else if (option == QLatin1String("--go"))
            go = args.takeFirst();
        else
            ok = false;
    }
    if (!ok || !args.isEmpty() || rounds < 0) {
        std::fprintf(stderr,
                     "usage: talon-shared-client ROUNDS [--lock] [--wait MS] [--go FILE]\n");
        return 2;
    }

    hidAccess::init();
    DeviceEntry e; // the factory row of the 553 family
    e.type = 1;
    e.vid = 0x04d9;
    e.pid = 0xa1ee;
    e.usagePage = e.usage = 0xff00;
    e.usagePage2 = e.usage2 = 0xff01;
    deviceTable::locateInterfaces(e);
    Hid_Thread hid;
    hid.locksDevice = false; // --lock says whether it keeps out of the others' way
    hid.setModel(QStringLiteral("553"), false);
    hid.deviceList = {e};
    const QString path = e.commandPath;

    std::unique_ptr<DeviceLock> lock;
    if (!lockOrSay(lock, path, locking, waitMs))
        return 4;
    if (path.isEmpty() || !hid.chkDeviceIsEnCode(0)) {
        std::fprintf(stderr, "talon-shared-client: no device answered\n");
        return 1;
    }
    lock.reset();
    std::printf("ready\n");
    std::fflush(stdout);
    while (!go.isEmpty() && !QFileInfo::exists(go))
        QThread::msleep(5);

    hid.resetExchangeRecord();
    uchar stages[8] = {4, 9, 14, 19, 0x80, 0x80, 0x80, 0x80};
    for (int round = 0; round < rounds; ++round) {
        if (!lockOrSay(lock, path, locking, waitMs))
            return 4;
        stages[0] = static_cast<uchar>(4 + round);
        hid.hid553_11H_SetDPISet(4, stages);
        std::unique_ptr<DeviceLock> inner; // a command that locks for itself
        if (!lockOrSay(inner, path, locking, 0))
            return 4;
        hid.hid553_01H_SetReportRate(static_cast<uchar>(1 + round % 4));
        inner.reset();
        lock.reset();
        QThread::msleep(30); // as commands typed one after another: others get a turn
    }
    hidAccess::exit();
    const Hid_Thread::ExchangeRecord &record = hid.exchangeRecord();
    if (record.failures > 0) {
        std::fprintf(stderr, "talon-shared-client: the mouse did not take %s\n",
                     qPrintable(record.firstFailure));
        return 3;
    }
    return 0;
}
