// SPDX-License-Identifier: GPL-2.0-or-later
// DPI encodings and tables, current stage, report rate, keyboard option, gun
// data and on-device profiles, as the mouse of each family received them.
#include "FeatureRig.h"
#include "features/DpiEncoding.h"

#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void sensorEncodings_data();
    void sensorEncodings();
    void dpiOn553FillsDisabledStages();
    void dpiOn560PatchesBlocksOneToFour();
    void stagesMissingFromAShortListStayZero();
    void everyStepOfTheLookupTables_data();
    void everyStepOfTheLookupTables();
    void dpiOn560OfAGunMouseSendsFourBlocks();
    void currentStageAndReportRate();
    void keyboardOptionOfEachFamily();
    void gunDataOn553WithTheYRule_data();
    void gunDataOn553WithTheYRule();
    void gunDataOn560();
    void gunDataNeedsTheGunFeature();
    void setProfileSendsTheBlockAsPatched();
};

void TestSettings::sensorEncodings_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("highBit");
    const auto row = [](const char *name, const char *sensor, int dpi, int byte,
                        bool high = false) {
        QTest::newRow(name) << QString::fromLatin1(sensor) << dpi << byte << high;
    };
    row("3360 800", "3360", 800, 7);
    row("3360 1600", "3360", 1600, 15);
    row("3360 3200", "3360", 3200, 31);
    row("4090 5000", "4090", 5000, 49);
    row("4090 5001", "4090", 5001, (5001 / 200) | 0x40);
    row("4090 5200", "4090", 5200, 0x5A);
    row("unknown sensor as 4090", "9999", 5200, 0x5A);
    row("empty sensor as 4090", "", 1000, 9);
    row("3050 1100", "3050", 1100, 5);
    row("3050 at 250", "3050", 250, 1);
    row("3050 251", "3050", 251, 2);
    row("3050 at 2000", "3050", 2000, 8);
    row("3050 2001", "3050", 2001, 0x45);
    row("3050 at 4000", "3050", 4000, 0x48);
    row("3050 4001", "3050", 4001, 0);
    row("3050 4500", "3050", 4500, 0);
    row("3320 250", "3320", 250, 1);
    row("3320 at 3500", "3320", 3500, 14);
    row("3320 3501", "3320", 3501, 72);
    row("3320 4200", "3320", 4200, 73);
    row("3320 at 7000", "3320", 7000, 78);
    row("3320 7001", "3320", 7001, 0);
    row("3389 16000", "3389", 320 * 50, 0x40, true);
    row("3389 12799", "3389", 12799, (12799 / 50) & 0xFF, false);
    row("3389 12800", "3389", 12800, 0, true);
    row("3327 1600", "3327", 1600, 16);
    row("3212 3800", "3212", 3800, 100);
}

void TestSettings::sensorEncodings()
{
    QFETCH(QString, sensor);
    QFETCH(int, dpi);
    QFETCH(int, byte);
    QFETCH(bool, highBit);
    const dpiEncoding::Encoded e = dpiEncoding::encode(sensor, dpi);
    QCOMPARE(int(e.byte), byte);
    QCOMPARE(e.highBit, highBit);
}

void TestSettings::dpiOn553FillsDisabledStages()
{
    FeatureRig rig(sim::Family::F553);
    rig.settings->mouseSetDpi(3, QStringLiteral("3360"),
                              ints({800, 1600, 3200, 4000, 5000, 6000, 7000, 8000}));
    QCOMPARE(rig.frames(), QStringList{"11 03 08 00 00 00 00"});
    const std::array<uchar, 8> expected = {7, 15, 31, 0x80, 0x80, 0x80, 0x80, 0x80};
    QCOMPARE(rig.mouse().dpiTable, expected);
    QCOMPARE(rig.mouse().dpiStageCount, uchar(3));
}

void TestSettings::stagesMissingFromAShortListStayZero()
{
    {
        // 553: stages beyond the list are 0, disabled ones still 0x80.
        FeatureRig rig(sim::Family::F553);
        rig.settings->mouseSetDpi(8, QStringLiteral("4090"), ints({800, 1600, 3200}));
        QCOMPARE(fixture::receivedData().left(8), QByteArray::fromHex("070f1f0000000000"));
        fixture::bus().clearRecords();
        rig.settings->mouseSetDpi(2, QStringLiteral("3360"), ints({800, 1600, 3200}));
        QCOMPARE(fixture::receivedData().left(8), QByteArray::fromHex("070f808080808080"));
    }
    // 560: the stage bytes of the blocks, both copies.
    FeatureRig rig(sim::Family::F560);
    rig.settings->mouseSetDpi(2, QStringLiteral("3360"), ints({800, 1600}));
    const auto &sent = rig.mouse().profile[1];
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sent.data()) + 84, 16),
             QByteArray::fromHex("070f000000000000070f000000000000"));
}

// Each limit of both lookup tables, and the value just above it, which
// belongs to the next step.
void TestSettings::everyStepOfTheLookupTables_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<QList<int>>("limits");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("3050") << QStringLiteral("3050")
                          << QList<int>{250,  500,  750,  1000, 1250, 1500,
                                        1750, 2000, 2500, 3000, 3500, 4000}
                          << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 0x45, 0x46, 0x47, 0x48};
    QTest::newRow("3320") << QStringLiteral("3320")
                          << QList<int>{250,  500,  750,  1000, 1250, 1500, 1750,
                                        2000, 2250, 2500, 2750, 3000, 3250, 3500,
                                        4000, 4500, 5000, 5500, 6000, 6500, 7000}
                          << QList<int>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                        12, 13, 14, 72, 73, 74, 75, 76, 77, 78};
}

void TestSettings::everyStepOfTheLookupTables()
{
    QFETCH(QString, sensor);
    QFETCH(QList<int>, limits);
    QFETCH(QList<int>, codes);
    QCOMPARE(int(dpiEncoding::encode(sensor, 1).byte), codes.first());
    for (int j = 0; j < limits.size(); ++j) {
        QCOMPARE(int(dpiEncoding::encode(sensor, limits[j]).byte), codes[j]);
        const int next = j + 1 < codes.size() ? codes[j + 1] : 0;
        QCOMPARE(int(dpiEncoding::encode(sensor, limits[j] + 1).byte), next);
    }
}

void TestSettings::dpiOn560PatchesBlocksOneToFour()
{
    FeatureRig rig(sim::Family::F560);
    for (unsigned p = 0; p < 5; ++p)
        rig.board.mouseReadProfile(p);
    fixture::bus().clearRecords();
    const auto block2 = rig.board.block(2);

    rig.settings->mouseSetDpi(3, QStringLiteral("3389"),
                              ints({400, 16000, 800, 1000, 1200, 1400, 1600, 12850}));

    QCOMPARE(rig.frames(), QStringList{"0c 01 80 00 00 00 00"});
    const auto &sent = rig.mouse().profile[1];
    const QByteArray stages = QByteArray::fromHex("08 40 10 14 18 1c 20 01");
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sent.data()) + 84, 8), stages);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sent.data()) + 92, 8), stages);
    QCOMPARE(int(sent[100]), 0x07);
    QCOMPARE(int(sent[82]), 0x82);
    QCOMPARE(int(sent[83]), 0x82);
    // The other blocks are patched in the view but not sent.
    QCOMPARE(int(rig.board.block(4)[100]), 0x07);
    QVERIFY(rig.board.block(2) != block2);
    QCOMPARE(rig.mouse().profile[2], block2);
    // The rest of block 1 went back as read.
    QCOMPARE(int(sent[0]), 0x20);
    QCOMPARE(int(sent[127]), (0x20 + 127) & 0xFF);

    // A sensor without a ninth bit leaves bytes 82 and 83 alone.
    rig.settings->mouseSetDpi(2, QStringLiteral("3360"), ints({400, 800}));
    QCOMPARE(int(rig.mouse().profile[1][82]), 0x82);
    QCOMPARE(int(rig.mouse().profile[1][100]), 0x03);
    QCOMPARE(int(rig.mouse().profile[1][86]), 0x00); // no value, no DPI
}

void TestSettings::dpiOn560OfAGunMouseSendsFourBlocks()
{
    ModelFlags flags;
    flags.isGun = true;
    FeatureRig rig(sim::Family::F560, flags);
    rig.settings->mouseSetDpi(8, QStringLiteral("3360"),
                              ints({400, 800, 1200, 1600, 2000, 2400, 2800, 3200}));
    QCOMPARE(rig.frames(), (QStringList{"0c 01 80 00 00 00 00", "0c 02 80 00 00 00 00",
                                        "0c 03 80 00 00 00 00", "0c 04 80 00 00 00 00"}));
    for (int p = 1; p <= 4; ++p)
        QCOMPARE(int(rig.mouse().profile[std::size_t(p)][100]), 0xFF);
}

void TestSettings::currentStageAndReportRate()
{
    FeatureRig rig553(sim::Family::F553);
    rig553.mouse().currentStage = 5;
    QCOMPARE(rig553.settings->mouseGetCurrentDPI().toInt(), 5);
    rig553.settings->mouseSetCurrentDPI(3);
    rig553.settings->mouseSetReportRate(2);
    QCOMPARE(rig553.frames(),
             (QStringList{"8b 00 00 00 00 00 00", "0b 03 00 00 00 00 00", "01 02 00 00 00 00 00"}));

    FeatureRig rig560(sim::Family::F560);
    rig560.mouse().currentMatrix = 1;
    rig560.mouse().profileStage[1] = 4;
    QCOMPARE(rig560.settings->mouseGetCurrentDPI().toInt(), 4);
    rig560.settings->mouseSetCurrentDPI(3);
    rig560.settings->mouseSetReportRate(8);
    QCOMPARE(rig560.frames().size(), 9);
    QCOMPARE(rig560.frames()[0], QStringLiteral("84 01 00 00 00 00 00"));
    QCOMPARE(rig560.frames()[1], QStringLiteral("04 01 03 00 00 00 00"));
    QCOMPARE(rig560.frames()[8], QStringLiteral("03 04 08 00 00 00 00"));

    // An unplugged mouse reads as stage 0.
    fixture::bus().unplug(rig560.device);
    QCOMPARE(rig560.settings->mouseGetCurrentDPI().toInt(), 0);
}

void TestSettings::keyboardOptionOfEachFamily()
{
    FeatureRig rig553(sim::Family::F553);
    rig553.settings->mouseSetKeyboardoption(1, 2, 3, 4);
    QCOMPARE(rig553.settings->GetKeyboardoption(), ints({1, 2, 3, 4}));
    QCOMPARE(rig553.frames(), (QStringList{"03 01 02 03 04 00 00", "83 00 00 00 00 00 00"}));

    // On the 560 family 0x03 would set a report rate: the option has its own
    // two-byte commands there.
    FeatureRig rig560(sim::Family::F560);
    const auto rates = rig560.mouse().reportRate;
    rig560.settings->mouseSetKeyboardoption(9, 8, 7, 6);
    QCOMPARE(rig560.settings->GetKeyboardoption(), ints({9, 8, 0, 0}));
    QCOMPARE(rig560.frames(), (QStringList{"01 09 08 00 00 00 00", "81 00 00 00 00 00 00"}));
    QCOMPARE(rig560.mouse().reportRate, rates);
}

void TestSettings::gunDataOn553WithTheYRule_data()
{
    QTest::addColumn<int>("option3");
    QTest::addColumn<QString>("frame");
    QTest::newRow("y as given") << 0 << "04 00 05 03 f6 01 00";
    QTest::newRow("y negated") << 1 << "04 00 05 03 0a 01 00";
}

void TestSettings::gunDataOn553WithTheYRule()
{
    QFETCH(int, option3);
    QFETCH(QString, frame);
    ModelFlags flags;
    flags.isGun = true;
    FeatureRig rig(sim::Family::F553, flags);
    rig.mouse().keyboardOption = {0, 0, uchar(option3), 0};
    rig.settings->mouseSendGundata(2, ints({5, 3, -10}));
    QCOMPARE(rig.frames(), (QStringList{"83 00 00 00 00 00 00", frame}));
}

void TestSettings::gunDataOn560()
{
    ModelFlags flags;
    flags.isGun = true;
    FeatureRig rig(sim::Family::F560, flags);
    rig.board.mouseReadProfile(2);
    rig.board.block(2)[65] = 0xFF;
    fixture::bus().clearRecords();
    rig.settings->mouseSendGundata(1, ints({0, 0, -10}));
    QCOMPARE(rig.frames(), QStringList{"0c 02 80 00 00 00 00"});
    const auto &b = rig.mouse().profile[2];
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.data()) + 78, 4),
             QByteArray::fromHex("f00000f6"));
    QCOMPARE(int(b[65]), 0xFB);
}

void TestSettings::gunDataNeedsTheGunFeature()
{
    for (auto family : {sim::Family::F553, sim::Family::F560}) {
        FeatureRig rig(family);
        for (int slot = 1; slot <= 3; ++slot)
            rig.settings->mouseSendGundata(slot, ints({1, 2, 3}));
        QVERIFY(rig.frames().isEmpty());
    }
}

void TestSettings::setProfileSendsTheBlockAsPatched()
{
    FeatureRig rig(sim::Family::F560);
    rig.board.mouseReadProfile(1);
    rig.settings->mouseSetRGBEffect(1, 2, 3);
    rig.board.block(1)[10] = 0x99;
    fixture::bus().clearRecords();
    rig.board.mouseSetProfile(1);
    QCOMPARE(rig.frames(), QStringList{"0c 01 80 00 00 00 00"});
    QCOMPARE(FeatureRig::bytes(rig.mouse().profile[1]), FeatureRig::bytes(rig.board.block(1)));
    QCOMPARE(int(rig.mouse().profile[1][10]), 0x99);
    QCOMPARE(rig.settings->mouseGetCurrentDPI().isValid(), true);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
