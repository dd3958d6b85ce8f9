// SPDX-License-Identifier: GPL-2.0-or-later
// The virtual mouse itself, so that the device tests stand on a model that
// refuses what a real mouse refuses.
#include "LinkFixture.h"

#include <QTest>
#include <hidapi/hidapi.h>

using fixture::bus;
using sim::Family;

class TestVirtualMouse : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixture::resetBus(); }
    void enumerationShowsThreeInterfacesWithTheirUsages();
    void aFrameWithAWrongChecksumIsIgnored();
    void aNewFrameAbandonsAnUnfinishedBlock();
    void eventsArriveOnTheEventInterfaceOnly();
    void unpluggedMiceVanishAndTheirHandlesDie();
    void anUnknownCodeChangesNothing();
};

void TestVirtualMouse::enumerationShowsThreeInterfacesWithTheirUsages()
{
    bus().plug(fixture::mouse(Family::F553));
    hid_device_info *all = hid_enumerate(0x04d9, 0xa1ee);
    QList<QPair<int, int>> usages;
    for (hid_device_info *i = all; i; i = i->next)
        usages << qMakePair(int(i->usage_page), int(i->usage));
    hid_free_enumeration(all);
    QCOMPARE(usages,
             (QList<QPair<int, int>>{{0x0001, 0x0002}, {0xff00, 0xff00}, {0xff01, 0xff01}}));
    QVERIFY(hid_enumerate(0x04d9, 0x0001) == nullptr);
}

void TestVirtualMouse::aFrameWithAWrongChecksumIsIgnored()
{
    const int device = bus().plug(fixture::mouse(Family::F553));
    hid_device *h = hid_open_path(bus().path(device, sim::kCommand).c_str());
    QVERIFY(h);
    const unsigned char bad[9] = {0, 0x01, 0x03, 0, 0, 0, 0, 0, 0xFB}; // checksum of 01 03 is FB
    const unsigned char good[9] = {0, 0x01, 0x03, 0, 0, 0, 0, 0, 0xFB};
    unsigned char wrong[9];
    std::copy(bad, bad + 9, wrong);
    wrong[8] = 0xFC;
    QCOMPARE(hid_send_feature_report(h, wrong, 9), 9);
    QCOMPARE(bus().state(device).reportRate[0], uchar(1));
    QCOMPARE(hid_send_feature_report(h, good, 9), 9);
    QCOMPARE(bus().state(device).reportRate[0], uchar(3));
    QCOMPARE(fixture::trace().first(), QStringLiteral("bad frame 01 03 00 00 00 00 00 fc"));
    hid_close(h);
}

void TestVirtualMouse::aNewFrameAbandonsAnUnfinishedBlock()
{
    const int device = bus().plug(fixture::mouse(Family::F553));
    hid_device *h = hid_open_path(bus().path(device, sim::kCommand).c_str());
    const unsigned char matrix[9] = {0, 0x12, 0x01, 0x40, 0x08, 0, 0, 0, 0xA4};
    unsigned char report[33];
    std::fill(report, report + 33, 0x77);
    report[0] = 0;
    hid_send_feature_report(h, matrix, 9);
    hid_write(h, report, 33); // half of the 64 bytes
    const unsigned char rate[9] = {0, 0x01, 0x02, 0, 0, 0, 0, 0, 0xFC};
    hid_send_feature_report(h, rate, 9);
    hid_write(h, report, 33); // a stray report, not the rest of the matrix
    QCOMPARE(bus().state(device).keyMatrix[0][0], uchar(0));
    QCOMPARE(bus().state(device).reportRate[0], uchar(2));
    hid_close(h);
}

void TestVirtualMouse::eventsArriveOnTheEventInterfaceOnly()
{
    const int device = bus().plug(fixture::mouse(Family::F553));
    bus().pressDpiButton(device, 3);
    hid_device *cmd = hid_open_path(bus().path(device, sim::kCommand).c_str());
    hid_device *ev = hid_open_path(bus().path(device, sim::kEvent).c_str());
    unsigned char buf[4] = {};
    QCOMPARE(hid_read_timeout(cmd, buf, 4, 500), 0);
    QCOMPARE(hid_read_timeout(ev, buf, 4, 500), 4);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), 4), QByteArray::fromHex("06070003"));
    QCOMPARE(hid_read_timeout(ev, buf, 4, 500), 0);
    hid_close(cmd);
    hid_close(ev);
}

void TestVirtualMouse::unpluggedMiceVanishAndTheirHandlesDie()
{
    const int device = bus().plug(fixture::mouse(Family::F560));
    hid_device *h = hid_open_path(bus().path(device, sim::kEvent).c_str());
    bus().unplug(device);
    unsigned char buf[4];
    QCOMPARE(hid_read_timeout(h, buf, 4, 500), -1);
    QVERIFY(hid_enumerate(0, 0) == nullptr);
    QVERIFY(hid_open_path(bus().path(device, sim::kCommand).c_str()) == nullptr);
    hid_close(h);
    QCOMPARE(bus().openHandles(), 0);
    bus().replug(device);
    hid_device_info *all = hid_enumerate(0, 0);
    QVERIFY(all != nullptr);
    hid_free_enumeration(all);
}

void TestVirtualMouse::anUnknownCodeChangesNothing()
{
    // 0x8C is a 560 command; a 553 mouse answers it with an empty reply.
    Hid_Thread link;
    fixture::attach(link, fixture::mouse(Family::F553));
    QByteArray block(128, '\x10');
    link.hid560_8CH_readProfile(reinterpret_cast<uchar *>(block.data()), 1);
    QCOMPARE(block, QByteArray(128, '\x10'));
    QCOMPARE(fixture::trace().last(), QStringLiteral("timeout"));
}

QTEST_GUILESS_MAIN(TestVirtualMouse)
#include "tst_virtualmouse.moc"
