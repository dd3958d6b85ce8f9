// The device event listener: DPI-stage switches reported by the mouse on its
// event interface, and the mouse's removal.
#include "Hid_Thread.h"

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
}

void Hid_Thread::listenLoop(unsigned int index)
{
    const DeviceEntry *e = entryAt(int(index));
    if (!e || e->eventPath.isEmpty()) {
        // Without an event interface removal can never be noticed here; with
        // the flag left set, device changes would never trigger a new check.
        isListening = false;
        return;
    }

    while (isListening) {
        if (!openEventInterface(int(index))) {
            qDebug("Device removed");
            if (owner)
                owner->eventInterfaceGone();
            isListening = false;
            return;
        }
        uchar report[kEventLength] = {};
        const int got = hid_read_timeout(eventHandle, report, kEventLength, kEventReadTimeoutMs);
        if (got == kEventLength && report[0] == kEventId0 && report[1] == kEventId1 && owner)
            owner->dpiStageSwitched(report[3]);
        closeEventInterface();
    }
}
