// SPDX-License-Identifier: GPL-2.0-or-later
// The event listener: stage switches, removal, the option bits it sets, and
// its thread handing over to the GUI side.
#include "LinkFixture.h"
#include "device/DeviceTable.h"

#include <QMutex>
#include <QTest>
#include <algorithm>

using fixture::bus;
using sim::Family;

namespace {

// Records what the listener reports, from its own thread.
class Recorder : public DeviceEvents
{
public:
    void dpiStageSwitched(int stage) override
    {
        QMutexLocker l(&lock);
        stages << stage;
    }
    void eventInterfaceGone() override
    {
        QMutexLocker l(&lock);
        ++removals;
    }
    QList<int> takeStages()
    {
        QMutexLocker l(&lock);
        return stages;
    }
    int removalCount()
    {
        QMutexLocker l(&lock);
        return removals;
    }

private:
    QMutex lock;
    QList<int> stages;
    int removals = 0;
};

} // namespace

class TestListener : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        fixture::resetBus();
        bus().setRealTime(true); // the loop waits on its reads as on a real mouse
    }
    void cleanup() { pacing::setSleepHook(nullptr); }

    void startingSetsTheFamilysOptionBits_data();
    void startingSetsTheFamilysOptionBits();
    void aFailedOptionReadWritesNothing();
    void stageReportsReachTheOwner();
    void otherReportsAreIgnored();
    void unpluggingIsNoticedOnce();
    void withoutAnEventInterfaceTheFlagIsCleared();
    void stoppingEndsTheLoopAndRestartingNeverRunsTwo();
    void eachReadWaitsHalfASecond();
    void callsOnHidapisSharedStateNeverOverlap();
};

void TestListener::startingSetsTheFamilysOptionBits_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QStringList>("frames");
    QTest::newRow("553: 0x48 in the fourth byte")
        << Family::F553 << QList<int>{0x11, 0x22, 0x33, 0x01}
        << QStringList{"frame 83 00 00 00 00 00 00 7c", "reply 83 11 22 33 01 00 00 15",
                       "frame 03 11 22 33 49 00 00 4d", "pause 8"};
    QTest::newRow("560: 0x08 in the first byte")
        << Family::F560 << QList<int>{0x41, 0x22, 0, 0}
        << QStringList{"frame 81 00 00 00 00 00 00 7e", "reply 81 41 22 00 00 00 00 1b",
                       "frame 01 49 22 00 00 00 00 93", "pause 8"};
}

void TestListener::startingSetsTheFamilysOptionBits()
{
    QFETCH(Family, family);
    QFETCH(QList<int>, before);
    QFETCH(QStringList, frames);
    Hid_Thread link;
    link.setModel(family == Family::F560 ? "560" : "553", false);
    const int device = fixture::attach(link, fixture::mouse(family));
    for (int i = 0; i < 4; ++i)
        bus().state(device).keyboardOption[std::size_t(i)] = uchar(before[i]);

    link.startListener(0);
    QVERIFY(link.isListening);
    link.stopListener();
    link.waitForListener();

    QCOMPARE(fixture::trace().mid(0, 4), frames);
}

void TestListener::aFailedOptionReadWritesNothing()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    bus().faults(device).silent = true;
    link.startListener(0);
    link.stopListener();
    link.waitForListener();
    QCOMPARE(bus().frames().size(), std::size_t(1)); // the read only
}

void TestListener::stageReportsReachTheOwner()
{
    Hid_Thread link;
    Recorder owner;
    link.owner = &owner;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    link.startListener(0);
    for (uchar stage : {3, 8, 0})
        bus().pressDpiButton(device, stage);
    QTRY_COMPARE(owner.takeStages(), (QList<int>{3, 8, 0}));
    link.stopListener();
    link.waitForListener();
    QCOMPARE(owner.removalCount(), 0);
}

void TestListener::otherReportsAreIgnored()
{
    Hid_Thread link;
    Recorder owner;
    link.owner = &owner;
    const int device = fixture::attach(link, fixture::mouse(Family::F560));
    link.startListener(0);
    bus().pushEvent(device, {0x06, 0x08, 0x00, 0x03});
    bus().pushEvent(device, {0x06, 0x07, 0x00});
    bus().pushEvent(device, {0x07, 0x07, 0x00, 0x02});
    bus().pressDpiButton(device, 5);
    QTRY_COMPARE(owner.takeStages(), QList<int>{5});
    link.stopListener();
    link.waitForListener();
}

void TestListener::unpluggingIsNoticedOnce()
{
    Hid_Thread link;
    Recorder owner;
    link.owner = &owner;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    fixture::MessageLog log;
    link.startListener(0);
    bus().unplug(device);
    QTRY_VERIFY(!link.isListening);
    link.waitForListener();
    QCOMPARE(owner.removalCount(), 1);
    QCOMPARE(log.lines.count(QStringLiteral("Device removed")), 1);
    QTRY_VERIFY(link.deviceList[0].eventPath.isEmpty()); // cleared on the link's own thread
    QCOMPARE(bus().openHandles(), 0);
}

void TestListener::withoutAnEventInterfaceTheFlagIsCleared()
{
    Hid_Thread link;
    fixture::attach(link, fixture::mouse(Family::F553));
    link.deviceList[0].eventPath.clear();
    link.startListener(0);
    link.waitForListener();
    // Device changes must still lead to new checks.
    QVERIFY(!link.isListening);
}

void TestListener::stoppingEndsTheLoopAndRestartingNeverRunsTwo()
{
    Hid_Thread link;
    Recorder owner;
    link.owner = &owner;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    for (int i = 0; i < 3; ++i)
        link.startListener(0);
    bus().pressDpiButton(device, 2);
    QTRY_COMPARE(owner.takeStages(), QList<int>{2});
    link.stopListener();
    link.waitForListener();
    QVERIFY(link.listenerFuture.isFinished());
    // Never more than one event handle open at a time.
    int open = 0, most = 0;
    for (const sim::Record &r : bus().records()) {
        if (r.iface != sim::kEvent)
            continue;
        if (r.kind == sim::Record::Kind::Open)
            most = std::max(most, ++open);
        else if (r.kind == sim::Record::Kind::Close)
            --open;
    }
    QCOMPARE(most, 1);
    QCOMPARE(open, 0);
}

void TestListener::eachReadWaitsHalfASecond()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    link.startListener(0);
    bus().pressDpiButton(device, 2);
    const auto reads = [] {
        const std::vector<sim::Record> all = bus().records();
        return std::count_if(all.begin(), all.end(), [](const sim::Record &r) {
            return r.kind == sim::Record::Kind::EventRead;
        });
    };
    QTRY_VERIFY(reads() >= 2);
    link.stopListener();
    link.waitForListener();
    for (const sim::Record &r : bus().records())
        if (r.kind == sim::Record::Kind::EventRead)
            QCOMPARE(r.ms, 500);
}

// hid_open_path and hid_enumerate reset hidapi's shared error string: the
// listener's opens and the GUI thread's must take turns.
void TestListener::callsOnHidapisSharedStateNeverOverlap()
{
    bus().setRealTime(false); // the loop reopens the event interface at once, again and again
    bus().probeGlobalState(true);
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    link.startListener(0);
    QTRY_VERIFY(bus().records().size() > 20);
    for (int i = 0; i < 40; ++i) {
        uchar stage = 0;
        link.hid553_8BH_GetCurrentDPI(stage);
        DeviceEntry e = fixture::entryFor(device);
        deviceTable::locateInterfaces(e);
    }
    link.stopListener();
    link.waitForListener();
    const int overlaps = bus().globalStateOverlaps();
    bus().probeGlobalState(false);
    QCOMPARE(overlaps, 0);
}

QTEST_GUILESS_MAIN(TestListener)
#include "tst_listener.moc"
