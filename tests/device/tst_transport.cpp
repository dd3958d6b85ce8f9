// SPDX-License-Identifier: GPL-2.0-or-later
// The exchange itself: reports and their chunking, the reopening around every
// step, the idle token, the handshake, and a mouse that misbehaves.
#include "LinkFixture.h"
#include "device/Cipher.h"

#include <QTest>
#include <QTimer>
#include <cstring>

using fixture::bus;
using sim::Family;

class TestTransport : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixture::resetBus(); }

    void chunking_data();
    void chunking();
    void theInterfaceIsReopenedForEveryStep();
    void pause128IsTwoHalves();

    void aCommandFromTheEventsOfAnotherWaitsItsAttemptsAndDrops();
    void aFailedOpenEmptiesTheCommandPathUntilTheTableIsRebuilt();
    void unpluggingInTheMiddleOfATransferFreesTheTokenAndCorruptsNothing();
    void aProfileReadOnAnUnpluggedMouseLeavesTheBlockAlone();
    void aProfileReadCutShortLeavesTheBlockAlone();
    void misbehavingMiceNeverHangOrCrash_data();
    void misbehavingMiceNeverHangOrCrash();
    void aStalledReadGivesUpAfterItsTimeOut();
    void unusableEntriesFailCleanly();
    void eachSlotRecordsWhetherTheMouseTookIt();

    void handshakePassesInPlainAndEnciphered_data();
    void handshakePassesInPlainAndEnciphered();
    void handshakeFails_data();
    void handshakeFails();
    void aCodeOfTheWrongLengthLeavesThePreviousCodeInForce();
    void aDroppedHandshakeIsNoAnswer();
};

void TestTransport::chunking_data()
{
    QTest::addColumn<int>("dataLength");
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<int>("reports");
    QTest::newRow("128 over 64") << 128 << 64 << 2;
    QTest::newRow("128 over 32") << 128 << 32 << 4;
    QTest::newRow("8 over 32") << 8 << 32 << 1;
    QTest::newRow("36 over 32") << 36 << 32 << 2;
    QTest::newRow("64 over 64") << 64 << 64 << 1;
}

void TestTransport::chunking()
{
    QFETCH(int, dataLength);
    QFETCH(int, reportLength);
    QFETCH(int, reports);

    Hid_Thread link;
    fixture::attach(link, fixture::mouse(Family::F553, reportLength));
    for (int i = 0; i < Hid_Thread::kDataBlockCapacity; ++i)
        link.dataBlock[i] = static_cast<uchar>(0x80 + i);
    std::memcpy(link.cmdReport, "\x00\x13\x01\x80\x00\x00\x00\x00\x6b", 9);
    link.hidIdle = false;

    QVERIFY(link.sendCommand(dataLength, false));
    QVERIFY(link.hidIdle);

    const std::vector<sim::Bytes> out = bus().outputReports();
    QCOMPARE(int(out.size()), reports);
    const int chunk = std::min(dataLength, reportLength);
    for (int r = 0; r < reports; ++r) {
        QCOMPARE(int(out[r].size()), reportLength + 1);
        QCOMPARE(out[r][0], uchar(0));
        // Each report carries the chunk that follows in the block; the rest
        // of a report is zero.
        for (int i = 0; i < reportLength; ++i) {
            const uchar expected = i < chunk ? uchar(0x80 + r * chunk + i) : uchar(0);
            QCOMPARE(out[r][std::size_t(i) + 1], expected);
        }
    }
}

void TestTransport::theInterfaceIsReopenedForEveryStep()
{
    Hid_Thread link;
    fixture::attach(link, fixture::mouse(Family::F553));
    uchar block[64] = {};
    link.hid553_12H_SetKeyMatrix(block, 1);
    uchar stage = 0;
    link.hid553_8BH_GetCurrentDPI(stage);

    QStringList t;
    for (const std::string &s : bus().trace(true))
        t << QString::fromStdString(s);
    QCOMPARE(t,
             (QStringList{"open 1", "close", "open 1", "frame 12 01 40 08 00 00 00 a4", "pause 64",
                          "pause 64", "close", "open 1", "out 33", "pause 120", "close", "open 1",
                          "out 33", "pause 120", "pause 64", "pause 64", "close",
                          // the query: check, send, read
                          "open 1", "close", "open 1", "frame 8b 00 00 00 00 00 00 74", "close",
                          "open 1", "reply 8b 01 00 00 00 00 00 73", "close"}));
    QCOMPARE(bus().openHandles(), 0);
}

void TestTransport::pause128IsTwoHalves()
{
    Hid_Thread link;
    link.pause128();
    QCOMPARE(fixture::trace(), (QStringList{"pause 64", "pause 64"}));
    QVERIFY(link.pauseToken);
}

void TestTransport::aCommandFromTheEventsOfAnotherWaitsItsAttemptsAndDrops()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    fixture::MessageLog log;

    // Queued now, run by the event processing inside the first command.
    QMetaObject::invokeMethod(
        &link, [&link] { link.hid553_0BH_SetCurrentDPI(2); }, Qt::QueuedConnection);
    link.hid553_01H_SetReportRate(1);

    QCOMPARE(log.lines, QStringList{"cmd Failed 0B"});
    QCOMPARE(fixture::trace(), QStringList(255, QStringLiteral("pause 8")) +
                                   fixture::pacedTrace("01 01 00 00 00 00 00 fd"));
    QCOMPARE(bus().state(device).currentStage, uchar(1));
    QVERIFY(link.hidIdle);
}

void TestTransport::aFailedOpenEmptiesTheCommandPathUntilTheTableIsRebuilt()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    bus().faults(device).failOpens = 1;

    link.hid553_01H_SetReportRate(2);
    QVERIFY(link.deviceList[0].commandPath.isEmpty());
    QVERIFY(link.hidIdle);

    // The mouse would open now, but the link does not try again.
    bus().clearRecords();
    link.hid553_01H_SetReportRate(2);
    QVERIFY(bus().records().empty());

    link.deviceList = {fixture::entryFor(device)}; // the table is rebuilt
    link.hid553_01H_SetReportRate(2);
    QCOMPARE(bus().state(device).reportRate[0], uchar(2));
}

void TestTransport::unpluggingInTheMiddleOfATransferFreesTheTokenAndCorruptsNothing()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    const auto before = bus().state(device).macro[0];

    // Frame and two of the four data reports get through.
    bus().faults(device).unplugAfter = 3;
    uchar block[128];
    std::memset(block, 0x5A, sizeof block);
    std::memcpy(link.cmdReport, "\x00\x13\x01\x80\x00\x00\x00\x00\x6b", 9);
    std::memcpy(link.dataBlock, block, sizeof block);
    link.hidIdle = false;
    QVERIFY(!link.sendCommand(128, true));

    QVERIFY(link.hidIdle);
    QCOMPARE(bus().openHandles(), 0);
    QCOMPARE(bus().outputReports().size(), std::size_t(2));
    QCOMPARE(bus().state(device).macro[0], before);

    // Plugged back in, the same slot works again.
    bus().replug(device);
    link.deviceList = {fixture::entryFor(device)};
    link.hid553_13H_SetMacroKey(1, block);
    QCOMPARE(bus().state(device).macro[0][127], uchar(0x5A));
}

void TestTransport::aProfileReadOnAnUnpluggedMouseLeavesTheBlockAlone()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F560, 64));
    bus().unplug(device);
    fixture::MessageLog log;

    QByteArray block(128, '\x33');
    link.hid560_8CH_readProfile(reinterpret_cast<uchar *>(block.data()), 1);

    QCOMPARE(block, QByteArray(128, '\x33'));
    QVERIFY(log.lines.isEmpty());
    QVERIFY(link.hidIdle);
}

void TestTransport::aProfileReadCutShortLeavesTheBlockAlone()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F560, 32));
    // Frame, reply and two of four input reports, then the mouse is gone.
    bus().faults(device).unplugAfter = 4;

    QByteArray block(128, '\x33');
    link.hid560_8CH_readProfile(reinterpret_cast<uchar *>(block.data()), 1);

    QCOMPARE(fixture::trace().filter(QStringLiteral("in ")).size(), 2);
    QCOMPARE(block, QByteArray(128, '\x33'));
    QVERIFY(link.hidIdle);
    QCOMPARE(bus().openHandles(), 0);
}

void TestTransport::misbehavingMiceNeverHangOrCrash_data()
{
    QTest::addColumn<int>("fault");
    enum { Silent, Garbage, ShortReports, FailFeatureOut, FailWrite, FailRead, Stall, AllOpens };
    QTest::newRow("silent") << int(Silent);
    QTest::newRow("garbage") << int(Garbage);
    QTest::newRow("short reports") << int(ShortReports);
    QTest::newRow("feature report refused") << int(FailFeatureOut);
    QTest::newRow("output report refused") << int(FailWrite);
    QTest::newRow("input report fails") << int(FailRead);
    QTest::newRow("stalled reads") << int(Stall);
    QTest::newRow("no open succeeds") << int(AllOpens);
}

void TestTransport::misbehavingMiceNeverHangOrCrash()
{
    QFETCH(int, fault);
    for (Family family : {Family::F553, Family::F560}) {
        fixture::resetBus();
        Hid_Thread link;
        link.setModel(family == Family::F560 ? "560" : "553", false);
        const int device = fixture::attach(link, fixture::mouse(family, 32));
        sim::Faults &f = bus().faults(device);
        switch (fault) {
        case 0:
            f.silent = true;
            break;
        case 1:
            f.garbage = true;
            break;
        case 2:
            f.shortReports = true;
            break;
        case 3:
            f.failFeatureOut = true;
            break;
        case 4:
            f.failWrite = true;
            break;
        case 5:
            f.failRead = true;
            break;
        case 6:
            f.stall = true;
            break;
        default:
            f.failOpens = -1;
            break;
        }

        QVERIFY(!link.chkDeviceIsEnCode(0) || fault == 4 || fault == 5 || fault == 6);
        link.deviceList = {fixture::entryFor(device)};

        uchar block[128];
        std::memset(block, 0x44, sizeof block);
        uchar a = 7, b = 7, c = 7, d = 7;
        // The last reply the mouse sent, as the caller must receive it.
        const auto lastReply = [] {
            sim::Frame8 f{};
            for (const sim::Record &r : bus().records())
                if (r.kind == sim::Record::Kind::FeatureIn)
                    f = r.frame;
            return f;
        };
        if (family == Family::F553) {
            link.hid553_13H_SetMacroKey(1, block);
            link.hid553_83H_GetKeyboardoption(a, b, c, d);
            if (fault == 1) { // noise comes back as it came, and nothing else
                const sim::Frame8 r = lastReply();
                QCOMPARE((std::array<uchar, 4>{a, b, c, d}),
                         (std::array<uchar, 4>{r[1], r[2], r[3], r[4]}));
            } else if (fault == 0 || fault == 2 || fault == 3 || fault == 7) {
                // No answer, or one cut short: the caller's values stay.
                QCOMPARE((std::array<uchar, 4>{a, b, c, d}), (std::array<uchar, 4>{7, 7, 7, 7}));
            }
            link.hid553_8BH_GetCurrentDPI(a);
        } else {
            link.hid560_0CH_setProfile(block, 1);
            link.hid560_03H_SetReportRate(1);
            link.hid560_84H_GetCurrentDPI(a, b);
            if (fault == 1) {
                const sim::Frame8 r = lastReply();
                QCOMPARE((std::array<uchar, 2>{a, b}), (std::array<uchar, 2>{r[1], r[2]}));
            }
            link.hid560_8CH_readProfile(block, 1);
            // Whatever went wrong, a partial or padded read never lands in the block.
            const bool untouched =
                std::all_of(block, block + 128, [](uchar x) { return x == 0x44; });
            const bool exact = std::memcmp(block, bus().state(device).profile[1].data(), 128) == 0;
            QVERIFY(untouched || exact);
        }
        QVERIFY(link.hidIdle);
        QCOMPARE(bus().openHandles(), 0);
    }
}

void TestTransport::aStalledReadGivesUpAfterItsTimeOut()
{
    // In real time: the read waits its bounded time-out and the call returns.
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F560, 64));
    bus().setRealTime(true);
    bus().faults(device).stall = true;

    QByteArray block(128, '\x21');
    link.hid560_8CH_readProfile(reinterpret_cast<uchar *>(block.data()), 0);

    QCOMPARE(block, QByteArray(128, '\x21'));
    QVERIFY(fixture::trace().contains(QStringLiteral("timeout")));
    QVERIFY(link.hidIdle);
}

void TestTransport::unusableEntriesFailCleanly()
{
    // No table at all: the default index 1 points nowhere.
    Hid_Thread empty;
    uchar stage = 5;
    empty.hid553_8BH_GetCurrentDPI(stage);
    QCOMPARE(stage, uchar(5));
    QVERIFY(empty.hidIdle);
    QVERIFY(!empty.chkDeviceIsEnCode(3));

    // A report length of zero in the table must not loop forever, and the
    // mouse must not be told of a block that can never follow.
    for (Family family : {Family::F553, Family::F560}) {
        fixture::resetBus();
        Hid_Thread link;
        link.setModel(family == Family::F560 ? "560" : "553", false);
        fixture::attach(link, fixture::mouse(family));
        link.deviceList[0].reportLength = 0;
        uchar block[128] = {};
        if (family == Family::F553)
            link.hid553_12H_SetKeyMatrix(block, 1);
        else
            link.hid560_8CH_readProfile(block, 1);
        QVERIFY(bus().frames().empty());
        QVERIFY(bus().outputReports().empty());
        QVERIFY(link.hidIdle);
        QCOMPARE(bus().openHandles(), 0);
        QVERIFY(!link.exchangeRecord().lastOk);
    }
}

void TestTransport::eachSlotRecordsWhetherTheMouseTookIt()
{
    Hid_Thread link;
    link.setModel("560", false);
    const int device = fixture::attach(link, fixture::mouse(Family::F560, 64));
    uchar block[128] = {};
    uchar a = 0, b = 0;

    link.hid560_0CH_setProfile(block, 1);
    link.hid560_84H_GetCurrentDPI(a, b);
    link.hid560_8CH_readProfile(block, 2);
    QCOMPARE(link.exchangeRecord().exchanges, 3);
    QCOMPARE(link.exchangeRecord().failures, 0);
    QVERIFY(link.exchangeRecord().lastOk);

    // A reply cut short is no answer, and neither is a short data report.
    bus().faults(device).shortReports = true;
    link.hid560_84H_GetCurrentDPI(a, b);
    QVERIFY(!link.exchangeRecord().lastOk);
    QCOMPARE(link.exchangeRecord().firstFailure, QStringLiteral("hid560_84H_GetCurrentDPI"));
    link.hid560_8CH_readProfile(block, 2);
    QCOMPARE(link.exchangeRecord().failures, 2);
    bus().faults(device).shortReports = false;

    // One failed profile of a per-profile setting fails the slot.
    link.resetExchangeRecord();
    bus().faults(device).onset = 0;
    bus().faults(device).unplugAfter = 2;
    link.hid560_03H_SetReportRate(1);
    QCOMPARE(link.exchangeRecord().exchanges, 1);
    QCOMPARE(link.exchangeRecord().firstFailure, QStringLiteral("hid560_03H_SetReportRate"));

    // A command dropped for want of the idle token was not taken either.
    bus().replug(device);
    link.deviceList = {fixture::entryFor(device)}; // a failed open emptied the path
    link.resetExchangeRecord();
    link.hidIdle = false;
    link.hid560_02H_SetCurrentProfile(1);
    QCOMPARE(link.exchangeRecord().failures, 1);
    QCOMPARE(link.exchangeRecord().firstFailure, QStringLiteral("hid560_02H_SetCurrentProfile"));
    link.hidIdle = true;
    link.hid560_02H_SetCurrentProfile(1);
    QVERIFY(link.exchangeRecord().lastOk);
    QCOMPARE(link.exchangeRecord().failures, 1);
}

void TestTransport::handshakePassesInPlainAndEnciphered_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<bool>("encode");
    QTest::newRow("553 plain") << Family::F553 << false;
    QTest::newRow("553 enciphered") << Family::F553 << true;
    QTest::newRow("560 plain") << Family::F560 << false;
    QTest::newRow("560 enciphered") << Family::F560 << true;
}

void TestTransport::handshakePassesInPlainAndEnciphered()
{
    QFETCH(Family, family);
    QFETCH(bool, encode);
    Hid_Thread link;
    fixture::attach(link, fixture::mouse(family, 64, encode, "k3Y!9a"));
    link.deviceIndex = 5;

    for (int i = 0; i < 20; ++i)
        QVERIFY(link.chkDeviceIsEnCode(0));
    QCOMPARE(link.deviceIndex, 0);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(cipher::secrecyCode), 8),
             QByteArray("\0k3Y!9a\0", 8));

    // The mouse saw the challenge in plain after deciphering, and each
    // exchange drew a fresh one.
    const auto frames = bus().frames();
    QCOMPARE(int(frames.size()), 20);
    QCOMPARE(frames[0][0], uchar(0x00));
    QCOMPARE(frames[0][5], uchar(0x00));
    int repeats = 0;
    for (std::size_t i = 1; i < frames.size(); ++i)
        repeats += frames[i] == frames[i - 1];
    QVERIFY(repeats < 3);
}

void TestTransport::handshakeFails_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("wrong code") << 0;
    QTest::newRow("silent device") << 1;
    QTest::newRow("wrong answer") << 2;
    QTest::newRow("wrong answer, enciphered") << 3;
    QTest::newRow("garbage answer") << 4;
    QTest::newRow("enciphered mouse, plain entry") << 5;
}

void TestTransport::handshakeFails()
{
    QFETCH(int, fault);
    Hid_Thread link;
    const bool encode = fault == 0 || fault == 3 || fault == 5;
    const int device = fixture::attach(link, fixture::mouse(Family::F553, 32, encode, "417093"));
    switch (fault) {
    case 0:
        link.deviceList[0].sCode = QStringLiteral("417094");
        break;
    case 1:
        bus().faults(device).silent = true;
        break;
    case 2:
    case 3:
        bus().faults(device).wrongHandshake = true;
        break;
    case 4:
        bus().faults(device).garbage = true;
        break;
    case 5:
        link.deviceList[0].isEncode = false;
        break;
    }
    for (int i = 0; i < 10; ++i)
        QVERIFY(!link.chkDeviceIsEnCode(0));
    QVERIFY(link.hidIdle);
}

void TestTransport::aCodeOfTheWrongLengthLeavesThePreviousCodeInForce()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553, 32, true, "Ab3dE6"));
    QVERIFY(link.chkDeviceIsEnCode(0));

    for (const char *code : {"Ab3dE", "Ab3dE6x", ""}) {
        link.deviceList = {fixture::entryFor(device)};
        link.deviceList[0].sCode = QString::fromLatin1(code);
        QVERIFY2(link.chkDeviceIsEnCode(0), code);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(cipher::secrecyCode), 8),
                 QByteArray("\0Ab3dE6\0", 8));
    }

    // A six-character code replaces it.
    link.deviceList[0].sCode = QStringLiteral("zzzzzz");
    QVERIFY(!link.chkDeviceIsEnCode(0));
    QCOMPARE(cipher::secrecyCode[1], uchar('z'));
}

void TestTransport::aDroppedHandshakeIsNoAnswer()
{
    Hid_Thread link;
    fixture::attach(link, fixture::mouse(Family::F553));
    link.hidIdle = false;
    fixture::MessageLog log;
    QVERIFY(!link.chkDeviceIsEnCode(0));
    QCOMPARE(log.lines, QStringList{"cmd Failed 00"});
}

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
