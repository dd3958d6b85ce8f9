// SPDX-License-Identifier: GPL-2.0-or-later
// The device event listener: DPI-stage switches reported by the mouse on its
// event interface, and the mouse's removal.
#include "Hid_Thread.h"

#include "HidAccess.h"

#include <QtConcurrent>

namespace {
constexpr uchar kEventId0 = 0x06;
constexpr uchar kEventId1 = 0x07;
constexpr int kEventLength = 4;
constexpr uchar kListening560 = 0x08; // in the first keyboard-option byte
constexpr uchar kListening553 = 0x48; // in the fourth
} // namespace

void Hid_Thread::startListener(unsigned int index)
{
    stopListener();
    waitForListener();
    enableStageReports();
    isListening = true;
    loopActive.store(true, std::memory_order_release);
    listenerFuture = QtConcurrent::run([this, index] { listenLoop(index); });
}

// The mouse reports stage switches only with these option bits set. The
// option is written back only when it was read: a failed read must not
// overwrite the mouse's other option bits with zeros.
void Hid_Thread::enableStageReports()
{
    if (is560()) {
        uchar b1 = 0, b2 = 0;
        if (query(command::row(command::C560::GetKeyboardoption), {}, {&b1, &b2}, false))
            hid560_01H_SetKeyboardoption(uchar(b1 | kListening560), b2);
    } else {
        uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        if (query(command::row(command::C553::GetKeyboardoption), {}, {&b1, &b2, &b3, &b4}, false))
            hid553_03H_SetKeyboardoption(b1, b2, b3, uchar(b4 | kListening553));
    }
}

void Hid_Thread::stopListener()
{
    if (isListening)
        isListening = false;
}

void Hid_Thread::waitForListener()
{
    listenerFuture.waitForFinished();
    // The loop's last act is this release store; acquiring it makes all the
    // loop did visible here, whatever the future's own synchronisation is.
    while (loopActive.load(std::memory_order_acquire))
        QThread::yieldCurrentThread();
}

void Hid_Thread::listenLoop(unsigned int index)
{
    struct Finished
    {
        std::atomic_bool &active;
        ~Finished() { active.store(false, std::memory_order_release); }
    } finished{loopActive};

    // The loop works on its own copy of the path: the table belongs to the
    // GUI thread.
    const DeviceEntry *e = static_cast<const QList<DeviceEntry> &>(deviceList).size() > int(index)
                               ? &static_cast<const QList<DeviceEntry> &>(deviceList)[int(index)]
                               : nullptr;
    const QByteArray path = e ? e->eventPath.toLatin1() : QByteArray();
    if (path.isEmpty()) {
        // Without an event interface removal can never be noticed here; with
        // the flag left set, device changes would never trigger a new check.
        isListening = false;
        return;
    }

    while (isListening) {
        // Reopened for every read: the mouse drops the handle after each one.
        eventHandle = hidAccess::openPath(path.constData());
        if (!eventHandle) {
            qDebug("Device removed");
            QMetaObject::invokeMethod(
                this,
                [this, index] {
                    if (int(index) < deviceList.size())
                        deviceList[int(index)].eventPath.clear();
                },
                Qt::QueuedConnection);
            if (owner)
                owner->eventInterfaceGone();
            isListening = false;
            return;
        }
        hid_set_nonblocking(eventHandle, 0);
        uchar report[kEventLength] = {};
        const int got = hid_read_timeout(eventHandle, report, kEventLength, kEventReadTimeoutMs);
        if (got == kEventLength && report[0] == kEventId0 && report[1] == kEventId1 && owner)
            owner->dpiStageSwitched(report[3]);
        closeEventInterface();
    }
}
