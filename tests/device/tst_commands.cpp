// SPDX-License-Identifier: GPL-2.0-or-later
// Every command of both families, byte for byte as the virtual mouse saw it:
// the frame (checksum included), the data block and its reports, the pauses
// and sleeps, and the reply bytes handed back to the caller.
#include "LinkFixture.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

using fixture::bus;
using sim::Family;

using Call = std::function<void(Hid_Thread &)>;
using Check = std::function<void(Hid_Thread &, int device)>;
Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(Family)

namespace {

QByteArray pattern(int length, int seed)
{
    QByteArray b(length, 0);
    for (int i = 0; i < length; ++i)
        b[i] = char(seed + i);
    return b;
}

uchar *bytes(QByteArray &b)
{
    return reinterpret_cast<uchar *>(b.data());
}

// Blocks the calls read from; kept alive for the whole run.
QByteArray block64 = pattern(64, 0x40);
QByteArray block128 = pattern(128, 0x11);
QByteArray block8 = pattern(8, 0xA0);
QByteArray colours = pattern(36, 0x70);

QStringList unpaced(const QString &frame)
{
    return {QStringLiteral("frame ") + frame, QStringLiteral("pause 8")};
}

QStringList queried(const QString &frame, const QString &reply)
{
    return {QStringLiteral("frame ") + frame, QStringLiteral("reply ") + reply};
}

const Check noCheck = [](Hid_Thread &, int) {};

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixture::resetBus(); }

    void everyCommand_data();
    void everyCommand();
    void perProfileSettingsOfAGunMouseAddressProfileOne();
    void everyFailureLineWhenTheTokenIsHeld_data();
    void everyFailureLineWhenTheTokenIsHeld();
    void queriesOnAnUnpluggedMouseHandTheCallersBytesBack();
    void encipheredCommandsReachTheMouseIntact();
    void busyWhileEventsAreLetIn();
};

void TestCommands::everyCommand_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<Call>("call");
    QTest::addColumn<QStringList>("expectedTrace");
    QTest::addColumn<QByteArray>("expectedData");
    QTest::addColumn<Check>("check");

    const QByteArray none;
    const auto F553 = Family::F553;
    const auto F560 = Family::F560;

    QTest::newRow("553 01 report rate")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_01H_SetReportRate(1); })
        << fixture::pacedTrace("01 01 00 00 00 00 00 fd") << none
        << Check([](Hid_Thread &, int d) { QCOMPARE(bus().state(d).reportRate[0], uchar(1)); });
    QTest::newRow("553 0B current DPI")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_0BH_SetCurrentDPI(3); })
        << fixture::pacedTrace("0b 03 00 00 00 00 00 f1") << none
        << Check([](Hid_Thread &, int d) { QCOMPARE(bus().state(d).currentStage, uchar(3)); });
    QTest::newRow("553 02 current key matrix")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_02H_SetCurrentKeyMatrix(2); })
        << fixture::pacedTrace("02 02 00 00 00 00 00 fb") << none << noCheck;
    QTest::newRow("553 0D effect")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_0DH_SetRGBLedEffect(5, 2, 4); })
        << fixture::pacedTrace("0d 05 02 04 00 00 00 e7") << none << noCheck;
    QTest::newRow("553 0C fixed colour") << F553 << 32 << Call([](Hid_Thread &l) {
        uchar rgb[3] = {0x10, 0x20, 0x30};
        l.hid553_0CH_SetFixLEDColor(rgb);
    }) << fixture::pacedTrace("0c 10 20 30 00 00 00 93")
                                         << none << noCheck;
    QTest::newRow("553 03 keyboard option: bytes 1 to 4, 8 ms after")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_03H_SetKeyboardoption(1, 2, 3, 4); })
        << unpaced("03 01 02 03 04 00 00 f2") << none << Check([](Hid_Thread &, int d) {
               const std::array<uchar, 4> expected{1, 2, 3, 4};
               QCOMPARE(bus().state(d).keyboardOption, expected);
           });
    QTest::newRow("553 04 gun data: bytes 2 to 5, 8 ms after")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_04H_SetGunData(1, 2, 3, 4); })
        << unpaced("04 00 01 02 03 04 00 f1") << none << Check([](Hid_Thread &, int d) {
               const std::array<uchar, 4> expected{1, 2, 3, 4};
               QCOMPARE(bus().state(d).gunData, expected);
           });
    QTest::newRow("553 12 key matrix: 64 bytes in two 33-byte reports")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_12H_SetKeyMatrix(bytes(block64), 2); })
        << fixture::pacedTrace("12 02 40 08 00 00 00 a3", 2) << block64
        << Check([](Hid_Thread &, int d) {
               QCOMPARE(QByteArray(
                            reinterpret_cast<const char *>(bus().state(d).keyMatrix[1].data()), 64),
                        block64);
           });
    QTest::newRow("553 12 key matrix over 64-byte reports: one report")
        << F553 << 64 << Call([](Hid_Thread &l) { l.hid553_12H_SetKeyMatrix(bytes(block64), 1); })
        << fixture::pacedTrace("12 01 40 08 00 00 00 a4", 1, 64) << block64 << noCheck;
    QTest::newRow("553 13 macro: 128 bytes in four 33-byte reports")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_13H_SetMacroKey(3, bytes(block128)); })
        << fixture::pacedTrace("13 03 80 00 00 00 00 69", 4) << block128
        << Check([](Hid_Thread &, int d) {
               QCOMPARE(
                   QByteArray(reinterpret_cast<const char *>(bus().state(d).macro[2].data()), 128),
                   block128);
           });
    QTest::newRow("553 13 macro over 64-byte reports: two 65-byte reports")
        << F553 << 64 << Call([](Hid_Thread &l) { l.hid553_13H_SetMacroKey(3, bytes(block128)); })
        << fixture::pacedTrace("13 03 80 00 00 00 00 69", 2, 64) << block128 << noCheck;
    QTest::newRow("553 11 DPI table: 8 bytes, report bytes 9 to 32 zero")
        << F553 << 32 << Call([](Hid_Thread &l) { l.hid553_11H_SetDPISet(5, bytes(block8)); })
        << fixture::pacedTrace("11 05 08 00 00 00 00 e1", 1) << block8 + QByteArray(24, 0)
        << Check([](Hid_Thread &, int d) { QCOMPARE(bus().state(d).dpiStageCount, uchar(5)); });
    QTest::newRow("553 10 colours of type 2: four bytes")
        << F553 << 32
        << Call([](Hid_Thread &l) { l.hid553_10H_SetLED8StageColor(2, bytes(colours)); })
        << fixture::pacedTrace("10 02 04 00 00 00 00 e9", 1) << colours.left(4) + QByteArray(28, 0)
        << noCheck;
    QTest::newRow("553 10 colours of other types: 36 bytes in two reports")
        << F553 << 32
        << Call([](Hid_Thread &l) { l.hid553_10H_SetLED8StageColor(0, bytes(colours)); })
        << fixture::pacedTrace("10 00 24 00 00 00 00 cb", 2)
        // the second report carries the 32 bytes that follow in the block
        << colours + QByteArray(28, 0) << Check([](Hid_Thread &, int d) {
               QCOMPARE(QByteArray(
                            reinterpret_cast<const char *>(bus().state(d).stageColors.data()), 36),
                        colours);
           });
    QTest::newRow("553 83 keyboard option read") << F553 << 32 << Call([](Hid_Thread &l) {
        bus().state(0).keyboardOption = {9, 8, 7, 6};
        uchar a = 0, b = 0, c = 0, d = 0;
        l.hid553_83H_GetKeyboardoption(a, b, c, d);
        QCOMPARE(QList<int>({a, b, c, d}), QList<int>({9, 8, 7, 6}));
    }) << queried("83 00 00 00 00 00 00 7c", "83 09 08 07 06 00 00 5e")
                                                 << none << noCheck;
    QTest::newRow("553 8B current DPI read") << F553 << 32 << Call([](Hid_Thread &l) {
        bus().state(0).currentStage = 4;
        uchar stage = 0;
        l.hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(stage, uchar(4));
    }) << queried("8b 00 00 00 00 00 00 74", "8b 04 00 00 00 00 00 70")
                                             << none << noCheck;
    QTest::newRow("553 00 secrecy code") << F553 << 32 << Call([](Hid_Thread &l) {
        uchar a = 1, b = 2, c = 3, d = 4;
        l.hid553_00H_GetSecrecyCode(a, b, c, d);
        QCOMPARE(QList<int>({a, b, c, d}), QList<int>({1, 2, 3, 4}));
    }) << queried("00 01 02 03 04 00 00 f5", "00 01 02 03 04 00 00 f5")
                                         << none << noCheck;

    QTest::newRow("560 81 keyboard option read") << F560 << 64 << Call([](Hid_Thread &l) {
        bus().state(0).keyboardOption = {0x21, 0x42, 0, 0};
        uchar a = 0, b = 0;
        l.hid560_81H_GetKeyboardoption(a, b);
        QCOMPARE(QList<int>({a, b}), QList<int>({0x21, 0x42}));
    }) << queried("81 00 00 00 00 00 00 7e", "81 21 42 00 00 00 00 1b")
                                                 << none << noCheck;
    QTest::newRow("560 82 current profile read") << F560 << 64 << Call([](Hid_Thread &l) {
        bus().state(0).currentMatrix = 3;
        uchar p = 0;
        l.hid560_82H_GetCurrentProfile(p);
        QCOMPARE(p, uchar(3));
    }) << queried("82 00 00 00 00 00 00 7d", "82 03 00 00 00 00 00 7a")
                                                 << none << noCheck;
    QTest::newRow("560 84 current DPI read") << F560 << 64 << Call([](Hid_Thread &l) {
        bus().state(0).currentMatrix = 1;
        bus().state(0).profileStage[1] = 5;
        uchar a = 1, b = 0;
        l.hid560_84H_GetCurrentDPI(a, b);
        QCOMPARE(QList<int>({a, b}), QList<int>({1, 5}));
    }) << queried("84 01 00 00 00 00 00 7a", "84 01 05 00 00 00 00 75")
                                             << none << noCheck;
    QTest::newRow("560 01 keyboard option, 8 ms after")
        << F560 << 64 << Call([](Hid_Thread &l) { l.hid560_01H_SetKeyboardoption(8, 2); })
        << unpaced("01 08 02 00 00 00 00 f4") << none << noCheck;
    QTest::newRow("560 03 report rate on profiles 1 to 4")
        << F560 << 64 << Call([](Hid_Thread &l) { l.hid560_03H_SetReportRate(2); })
        << fixture::pacedTrace("03 01 02 00 00 00 00 f9") +
               fixture::pacedTrace("03 02 02 00 00 00 00 f8") +
               fixture::pacedTrace("03 03 02 00 00 00 00 f7") +
               fixture::pacedTrace("03 04 02 00 00 00 00 f6")
        << none << Check([](Hid_Thread &, int d) {
               const std::array<uchar, 5> expected{0, 2, 2, 2, 2};
               std::array<uchar, 5> rates = bus().state(d).reportRate;
               rates[0] = 0;
               QCOMPARE(rates, expected);
           });
    QTest::newRow("560 04 current DPI on profiles 1 to 4")
        << F560 << 64 << Call([](Hid_Thread &l) { l.hid560_04H_SetCurrentDPI(3); })
        << fixture::pacedTrace("04 01 03 00 00 00 00 f7") +
               fixture::pacedTrace("04 02 03 00 00 00 00 f6") +
               fixture::pacedTrace("04 03 03 00 00 00 00 f5") +
               fixture::pacedTrace("04 04 03 00 00 00 00 f4")
        << none << noCheck;
    QTest::newRow("560 0D key matrix: 64 bytes padded to 128")
        << F560 << 64 << Call([](Hid_Thread &l) { l.hid560_0DH_SetKeyMatrix(bytes(block64), 1); })
        << fixture::pacedTrace("0d 01 80 00 00 00 00 71", 2, 64) << block64 + QByteArray(64, 0)
        << Check([](Hid_Thread &, int d) {
               QCOMPARE(QByteArray(
                            reinterpret_cast<const char *>(bus().state(d).keyMatrix[0].data()), 64),
                        block64);
           });
    QTest::newRow("560 0C profile block")
        << F560 << 64 << Call([](Hid_Thread &l) { l.hid560_0CH_setProfile(bytes(block128), 1); })
        << fixture::pacedTrace("0c 01 80 00 00 00 00 72", 2, 64) << block128
        << Check([](Hid_Thread &, int d) {
               QCOMPARE(QByteArray(reinterpret_cast<const char *>(bus().state(d).profile[1].data()),
                                   128),
                        block128);
           });
    QTest::newRow("560 0C profile block over 32-byte reports")
        << F560 << 32 << Call([](Hid_Thread &l) { l.hid560_0CH_setProfile(bytes(block128), 0); })
        << fixture::pacedTrace("0c 00 80 00 00 00 00 73", 4, 32) << block128 << noCheck;
    QTest::newRow("560 8C profile read: two input reports of 64")
        << F560 << 64 << Call([](Hid_Thread &l) {
               QByteArray buffer(128, 0);
               l.hid560_8CH_readProfile(bytes(buffer), 2);
               const auto &expected = bus().state(0).profile[2];
               QCOMPARE(buffer, QByteArray(reinterpret_cast<const char *>(expected.data()), 128));
           })
        << QStringList{"frame 8c 02 00 00 00 00 00 71", "reply 8c 00 00 00 00 00 00 73", "in 64",
                       "in 64"}
        << none << noCheck;
    QTest::newRow("560 8C profile read over 32-byte reports: four")
        << F560 << 32 << Call([](Hid_Thread &l) {
               QByteArray buffer(128, 0);
               l.hid560_8CH_readProfile(bytes(buffer), 4);
               const auto &expected = bus().state(0).profile[4];
               QCOMPARE(buffer, QByteArray(reinterpret_cast<const char *>(expected.data()), 128));
           })
        << QStringList{"frame 8c 04 00 00 00 00 00 6f",
                       "reply 8c 00 00 00 00 00 00 73",
                       "in 32",
                       "in 32",
                       "in 32",
                       "in 32"}
        << none << noCheck;
    QTest::newRow("560 02 current profile, 8 ms after")
        << F560 << 64 << Call([](Hid_Thread &l) { l.hid560_02H_SetCurrentProfile(1); })
        << unpaced("02 01 00 00 00 00 00 fc") << none
        << Check([](Hid_Thread &, int d) { QCOMPARE(bus().state(d).currentMatrix, uchar(1)); });
    QTest::newRow("560 0F macro")
        << F560 << 64 << Call([](Hid_Thread &l) { l.hid560_0FH_SetMacroKey(1, bytes(block128)); })
        << fixture::pacedTrace("0f 01 80 00 00 00 00 6f", 2, 64) << block128
        << Check([](Hid_Thread &, int d) {
               QCOMPARE(
                   QByteArray(reinterpret_cast<const char *>(bus().state(d).macro[0].data()), 128),
                   block128);
           });
}

void TestCommands::everyCommand()
{
    QFETCH(Family, family);
    QFETCH(int, reportLength);
    QFETCH(Call, call);
    QFETCH(QStringList, expectedTrace);
    QFETCH(QByteArray, expectedData);
    QFETCH(Check, check);

    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(family, reportLength));
    fixture::MessageLog log;

    call(link);

    QCOMPARE(fixture::trace(), expectedTrace);
    QCOMPARE(fixture::receivedData(), expectedData);
    for (const sim::Bytes &report : bus().outputReports())
        QCOMPARE(report[0], uchar(0x00));
    check(link, device);
    QVERIFY(link.hidIdle);
    QCOMPARE(bus().openHandles(), 0);
    QVERIFY2(log.lines.isEmpty(), qPrintable(log.lines.join('\n')));
}

void TestCommands::perProfileSettingsOfAGunMouseAddressProfileOne()
{
    Hid_Thread link;
    link.setModel(QStringLiteral("560"), true);
    fixture::attach(link, fixture::mouse(Family::F560, 64));

    link.hid560_03H_SetReportRate(2);
    link.hid560_04H_SetCurrentDPI(3);

    QCOMPARE(fixture::trace(), fixture::pacedTrace("03 01 02 00 00 00 00 f9") +
                                   fixture::pacedTrace("04 01 03 00 00 00 00 f7"));
}

void TestCommands::everyFailureLineWhenTheTokenIsHeld_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("line");

    static uchar buffer[128] = {};
    static uchar a, b, c, d;
    const auto row = [](const char *slot, Call call, const char *line) {
        QTest::newRow(slot) << call << QString::fromLatin1(line);
    };
    row(
        "553 00", [](Hid_Thread &l) { l.hid553_00H_GetSecrecyCode(a, b, c, d); }, "cmd Failed 00");
    row(
        "553 83", [](Hid_Thread &l) { l.hid553_83H_GetKeyboardoption(a, b, c, d); },
        "cmd Failed 83");
    row(
        "553 8B", [](Hid_Thread &l) { l.hid553_8BH_GetCurrentDPI(a); }, "cmd Failed 8BH");
    row(
        "553 03", [](Hid_Thread &l) { l.hid553_03H_SetKeyboardoption(1, 2, 3, 4); },
        "cmd Failed 03");
    row(
        "553 04", [](Hid_Thread &l) { l.hid553_04H_SetGunData(1, 2, 3, 4); }, "cmd Failed 04");
    row(
        "553 01", [](Hid_Thread &l) { l.hid553_01H_SetReportRate(1); }, "cmd Failed 01");
    row(
        "553 0B", [](Hid_Thread &l) { l.hid553_0BH_SetCurrentDPI(1); }, "cmd Failed 0B");
    row(
        "553 12", [](Hid_Thread &l) { l.hid553_12H_SetKeyMatrix(buffer, 1); }, "cmd Failed 12");
    row(
        "553 13", [](Hid_Thread &l) { l.hid553_13H_SetMacroKey(1, buffer); }, "cmd Failed 13");
    row(
        "553 11", [](Hid_Thread &l) { l.hid553_11H_SetDPISet(1, buffer); }, "cmd Failed 11");
    row(
        "553 02", [](Hid_Thread &l) { l.hid553_02H_SetCurrentKeyMatrix(1); }, "cmd Failed 02");
    row(
        "553 0D", [](Hid_Thread &l) { l.hid553_0DH_SetRGBLedEffect(1, 2, 3); }, "cmd Failed 0D");
    row(
        "553 0C", [](Hid_Thread &l) { l.hid553_0CH_SetFixLEDColor(buffer); }, "cmd Failed 0C");
    row(
        "553 10", [](Hid_Thread &l) { l.hid553_10H_SetLED8StageColor(0, buffer); },
        "cmd Failed 10");
    row(
        "560 81", [](Hid_Thread &l) { l.hid560_81H_GetKeyboardoption(a, b); }, "cmd Failed 81");
    row(
        "560 82", [](Hid_Thread &l) { l.hid560_82H_GetCurrentProfile(a); }, "cmd Failed 82");
    row(
        "560 84", [](Hid_Thread &l) { l.hid560_84H_GetCurrentDPI(a, b); }, "cmd Failed 84");
    row(
        "560 01", [](Hid_Thread &l) { l.hid560_01H_SetKeyboardoption(1, 2); }, "cmd Failed 01");
    row(
        "560 03", [](Hid_Thread &l) { l.hid560_03H_SetReportRate(1); }, "cmd Failed 03");
    row(
        "560 04", [](Hid_Thread &l) { l.hid560_04H_SetCurrentDPI(1); }, "cmd Failed 04");
    row(
        "560 0D", [](Hid_Thread &l) { l.hid560_0DH_SetKeyMatrix(buffer, 1); }, "cmd Failed 0D");
    row(
        "560 0C", [](Hid_Thread &l) { l.hid560_0CH_setProfile(buffer, 1); }, "cmd Failed 0C");
    row(
        "560 8C", [](Hid_Thread &l) { l.hid560_8CH_readProfile(buffer, 1); }, "cmd Failed 8c");
    row(
        "560 02", [](Hid_Thread &l) { l.hid560_02H_SetCurrentProfile(1); }, "cmd Failed 02");
    row(
        "560 0F", [](Hid_Thread &l) { l.hid560_0FH_SetMacroKey(1, buffer); }, "cmd Failed 0F");
}

void TestCommands::everyFailureLineWhenTheTokenIsHeld()
{
    QFETCH(Call, call);
    QFETCH(QString, line);

    Hid_Thread link;
    fixture::attach(link, fixture::mouse(Family::F553));
    link.hidIdle = false; // another exchange holds the token
    fixture::MessageLog log;

    call(link);

    QCOMPARE(log.lines, QStringList{line});
    // 255 attempts 8 ms apart, and nothing reached the mouse.
    QCOMPARE(fixture::trace(), QStringList(255, QStringLiteral("pause 8")));
    QVERIFY(!link.hidIdle);
}

void TestCommands::queriesOnAnUnpluggedMouseHandTheCallersBytesBack()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553));
    bus().unplug(device);
    fixture::MessageLog log;

    uchar stage = 0x37;
    link.hid553_8BH_GetCurrentDPI(stage);
    QCOMPARE(stage, uchar(0x37));

    uchar k[4] = {1, 2, 3, 4};
    link.hid553_83H_GetKeyboardoption(k[0], k[1], k[2], k[3]);
    QCOMPARE(QList<int>({k[0], k[1], k[2], k[3]}), QList<int>({1, 2, 3, 4}));

    uchar p = 9, q = 8;
    link.hid560_84H_GetCurrentDPI(p, q);
    QCOMPARE(QList<int>({p, q}), QList<int>({9, 8}));
    QVERIFY(link.hidIdle);
    QVERIFY(log.lines.isEmpty());
}

// Commands let GUI events in; whatever such an event asks of the link finds
// it busy, also between the board profiles of a per-profile setting, and
// cannot begin an exchange of its own.
void TestCommands::busyWhileEventsAreLetIn()
{
    Hid_Thread link;
    fixture::attach(link, fixture::mouse(Family::F560, 64));
    QSignalSpy changes(&link, &Hid_Thread::busyChanged);
    QList<bool> seen;
    QTimer meanwhile;
    meanwhile.setInterval(0);
    QObject::connect(&meanwhile, &QTimer::timeout, [&] {
        seen << link.busy();
        if (link.beginExchange())
            link.endExchange();
    });
    meanwhile.start();
    link.hid560_03H_SetReportRate(2);
    meanwhile.stop();

    QVERIFY(seen.size() >= 2);
    QVERIFY(!seen.contains(false));
    QVERIFY(!link.busy());
    QCOMPARE(changes.size(), 2);
    QCOMPARE(link.exchangeRecord().failures, 0);

    QVERIFY(link.beginExchange());
    QVERIFY(!link.beginExchange());
    link.endExchange();
    QVERIFY(!link.busy());
    QCOMPARE(changes.size(), 4);
}

void TestCommands::encipheredCommandsReachTheMouseIntact()
{
    Hid_Thread link;
    const int device = fixture::attach(link, fixture::mouse(Family::F553, 32, true, "Zq9#x1"));
    QVERIFY(link.chkDeviceIsEnCode(0));
    bus().clearRecords();

    link.hid553_0BH_SetCurrentDPI(3);
    bus().state(device).keyboardOption = {0x11, 0x22, 0x33, 0x44};
    uchar k[4] = {};
    link.hid553_83H_GetKeyboardoption(k[0], k[1], k[2], k[3]);

    // The mouse deciphered the same frames a plain link would have sent, and
    // the reply came back deciphered.
    const QStringList expected =
        fixture::pacedTrace("0b 03 00 00 00 00 00 f1") +
        QStringList{"frame 83 00 00 00 00 00 00 7c", "reply 83 11 22 33 44 00 00 d2"};
    QCOMPARE(fixture::trace(), expected);
    QCOMPARE(QList<int>({k[0], k[1], k[2], k[3]}), QList<int>({0x11, 0x22, 0x33, 0x44}));
    // On the wire the frame was not in plain.
    const auto records = bus().records();
    const auto sent = std::find_if(records.begin(), records.end(), [](const sim::Record &r) {
        return r.kind == sim::Record::Kind::FeatureOut;
    });
    QVERIFY(sent != records.end());
    QVERIFY(!std::equal(sent->raw.begin() + 1, sent->raw.end(), sent->frame.begin()));
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
