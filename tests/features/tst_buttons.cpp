// SPDX-License-Identifier: GPL-2.0-or-later
// Button assignment: the translation into device definitions, the fixed
// entries, the gun matrices of both families, as the mouse received them.
#include "FeatureRig.h"
#include "features/KeyDefinition.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyBytes)

namespace {

// The shipped buttons, with one entry replaced.
QVariantList keyCodes(int button = -1, KeyBytes code = {})
{
    const int shipped[16][4] = {
        {0, 0, 0xF0, 0}, {0, 0, 0xF1, 0}, {0, 0, 0xF2, 0}, {0, 0, 0xF4, 0},
        {0, 0, 0xF3, 0}, {5, 0, 1, 0},    {5, 0, 2, 0},    {0, 0xF0, 0x1E, 2},
        {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},
        {0, 0, 0, 0},    {0, 0, 0, 0},    {0xFF, 0, 1, 0}, {0xFF, 0, 2, 0}};
    QVariantList l;
    for (int k = 0; k < 16; ++k)
        for (int i = 0; i < 4; ++i)
            l << (k == button ? int(code[std::size_t(i)]) : shipped[k][i]);
    return l;
}

KeyBytes at(const std::array<unsigned char, 64> &m, int button)
{
    return {m[std::size_t(button * 4)], m[std::size_t(button * 4 + 1)],
            m[std::size_t(button * 4 + 2)], m[std::size_t(button * 4 + 3)]};
}

} // namespace

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void translation_data();
    void translation();
    void fixedEntriesOverrideTheScreens();
    void storingWithoutSending();
    void gunCycles553_data();
    void gunCycles553();
    void gunCycles560_data();
    void gunCycles560();
    void aGunCodeOnAFixedButtonMakesNoGunMatrices();
    void resetAndSwitch();
    void keyDefinitionsReadBack();
};

void TestButtons::translation_data()
{
    QTest::addColumn<bool>("is560");
    QTest::addColumn<KeyBytes>("code");
    QTest::addColumn<KeyBytes>("device");
    QTest::newRow("double click") << false << KeyBytes{0x00, 0xF0, 0x1E, 0x02}
                                  << KeyBytes{0x0A, 0xF0, 0x1E, 0x02};
    QTest::newRow("left button") << false << KeyBytes{0x00, 0x00, 0xF0, 0x00}
                                 << KeyBytes{0x01, 0x00, 0xF0, 0x00};
    QTest::newRow("fire B") << false << KeyBytes{0x01, 0x05, 0x0A, 0x00}
                            << KeyBytes{0x0A, 0x05, 0x0A, 0x00};
    QTest::newRow("macro") << false << KeyBytes{0x04, 0x02, 0x03, 0x00}
                           << KeyBytes{0x09, 0x02, 0x04, 0x00};
    QTest::newRow("sniper 553") << false << KeyBytes{0x05, 0x00, 0x04, 0x00}
                                << KeyBytes{0x07, 0x00, 0x04, 0x01};
    QTest::newRow("sniper 560") << true << KeyBytes{0x05, 0x00, 0x04, 0x00}
                                << KeyBytes{0x0B, 0x00, 0x01, 0x01};
    QTest::newRow("dpi loop 560") << true << KeyBytes{0x05, 0x00, 0x03, 0x00}
                                  << KeyBytes{0x07, 0x00, 0x03, 0x00};
    QTest::newRow("my computer") << false << KeyBytes{0x06, 0x00, 0x94, 0x01}
                                 << KeyBytes{0x03, 0x00, 0x94, 0x01};
    QTest::newRow("home") << false << KeyBytes{0x06, 0x00, 0x23, 0x02}
                          << KeyBytes{0x03, 0x00, 0x23, 0x02};
    QTest::newRow("search") << true << KeyBytes{0x06, 0x00, 0x21, 0x02}
                            << KeyBytes{0x03, 0x00, 0x21, 0x02};
    QTest::newRow("show desktop") << false << KeyBytes{0x06, 0x00, 0xE3, 0x07}
                                  << KeyBytes{0x00, 0x00, 0xE3, 0x07};
    QTest::newRow("maximise") << false << KeyBytes{0x06, 0x04, 0x2C, 0x1B}
                              << KeyBytes{0x00, 0x04, 0x2C, 0x1B};
    QTest::newRow("copy") << false << KeyBytes{0x07, 0x00, 0xE0, 0x06}
                          << KeyBytes{0x00, 0x00, 0xE0, 0x06};
    QTest::newRow("combination") << false << KeyBytes{0x02, 0x05, 0x04, 0x16}
                                 << KeyBytes{0x00, 0x05, 0x04, 0x16};
    QTest::newRow("volume up") << false << KeyBytes{0x03, 0x00, 0xE9, 0x00}
                               << KeyBytes{0x03, 0x00, 0xE9, 0x00};
    QTest::newRow("factory default")
        << false << KeyBytes{0xFF, 0x00, 0x01, 0x00} << KeyBytes{0x04, 0x00, 0x01, 0x00};
    QTest::newRow("unknown kind") << false << KeyBytes{0x42, 0x01, 0x02, 0x03}
                                  << KeyBytes{0x42, 0x01, 0x02, 0x03};
}

void TestButtons::translation()
{
    QFETCH(bool, is560);
    QFETCH(KeyBytes, code);
    QFETCH(KeyBytes, device);
    FeatureRig rig(is560 ? sim::Family::F560 : sim::Family::F553);
    rig.buttons->mouseSetKeyMatrix(keyCodes(3, code), true, {});
    QCOMPARE(at(rig.mouse().keyMatrix[0], 3), device);
    QCOMPARE(rig.frames().size(), 1);
    QCOMPARE(rig.frames()[0], is560 ? QStringLiteral("0d 01 80 00 00 00 00")
                                    : QStringLiteral("12 01 40 08 00 00 00"));
}

void TestButtons::fixedEntriesOverrideTheScreens()
{
    FeatureRig rig(sim::Family::F553);
    QVariantList codes = keyCodes(7, {0x01, 0x04, 0x0A, 0x00});
    for (int i = 32; i < 40; ++i)
        codes[i] = 0x33;
    rig.buttons->mouseSetKeyMatrix(codes, true, {});
    QCOMPARE(at(rig.mouse().keyMatrix[0], 7), (KeyBytes{0x05, 0x00, 0x03, 0x00}));
    QCOMPARE(at(rig.mouse().keyMatrix[0], 8), (KeyBytes{0x0B, 0x00, 0x00, 0x00}));
    QCOMPARE(at(rig.mouse().keyMatrix[0], 9), (KeyBytes{0x0C, 0x00, 0x00, 0x00}));
    // The profile keeps what the screens hold.
    QCOMPARE(rig.profiles.getDataList(QStringLiteral("mouseKeyMatrix/7"), false),
             ints({1, 4, 10, 0}));
    QCOMPARE(rig.profiles.getDataList(QStringLiteral("mouseKeyMatrix/8"), false),
             ints({0x33, 0x33, 0x33, 0x33}));
}

void TestButtons::storingWithoutSending()
{
    FeatureRig rig(sim::Family::F560);
    QVariantList codes = keyCodes(2, {0x04, 0x00, 0x02, 0x00});
    rig.buttons->mouseSetKeyMatrix(codes, false, {});
    QVERIFY(rig.frames().isEmpty());
    for (int k = 0; k < 16; ++k)
        QCOMPARE(rig.profiles.getDataList(QStringLiteral("mouseKeyMatrix/%1").arg(k), false),
                 codes.mid(4 * k, 4));
}

void TestButtons::gunCycles553_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("nextMatrix"); // b3 of the gun button in matrices 1 .. 4
    QTest::newRow("one gun") << 1 << QList<int>{1, 0, 0, 0};
    QTest::newRow("two guns") << 2 << QList<int>{1, 2, 0, 0};
    QTest::newRow("three guns") << 3 << QList<int>{1, 2, 3, 0};
}

void TestButtons::gunCycles553()
{
    QFETCH(int, count);
    QFETCH(QList<int>, nextMatrix);
    ModelFlags flags;
    flags.isGun = true;
    FeatureRig rig(sim::Family::F553, flags);
    rig.buttons->mouseSetKeyMatrix(keyCodes(4, {0x08, 0x00, uchar(count), 0x00}), true,
                                   ints({12, 300, 9}));

    QCOMPARE(rig.frames(),
             (QStringList{"12 01 40 08 00 00 00", "12 02 40 08 00 00 00", "12 03 40 08 00 00 00",
                          "12 04 40 08 00 00 00", "02 01 00 00 00 00 00"}));
    for (int m = 0; m < 4; ++m)
        QCOMPARE(at(rig.mouse().keyMatrix[std::size_t(m)], 4),
                 (KeyBytes{0x08, 0x00, 0x01, uchar(nextMatrix[m])}));
    // Key 0 of the gun matrices fires with each slot's period (300 cut to a byte).
    QCOMPARE(at(rig.mouse().keyMatrix[1], 0), (KeyBytes{0x0B, 0x00, 12, 0x00}));
    QCOMPARE(at(rig.mouse().keyMatrix[2], 0), (KeyBytes{0x0B, 0x01, 300 & 0xFF, 0x00}));
    QCOMPARE(at(rig.mouse().keyMatrix[3], 0), (KeyBytes{0x0B, 0x02, 9, 0x00}));
    // The rest of a gun matrix is the firmware matrix.
    QCOMPARE(at(rig.mouse().keyMatrix[1], 1), (KeyBytes{0x01, 0x00, 0xF1, 0x00}));
    QCOMPARE(rig.mouse().currentMatrix, uchar(1));
}

void TestButtons::gunCycles560_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("nextProfile"); // b2 of the gun button in matrices 1 .. 4
    QTest::addColumn<int>("mask");
    QTest::newRow("one gun") << 1 << QList<int>{1, 0, 0, 0} << 0x07;
    QTest::newRow("two guns") << 2 << QList<int>{1, 3, 0, 0} << 0x0F;
    QTest::newRow("three guns") << 3 << QList<int>{1, 3, 3, 0} << 0x1F;
}

void TestButtons::gunCycles560()
{
    QFETCH(int, count);
    QFETCH(QList<int>, nextProfile);
    QFETCH(int, mask);
    ModelFlags flags;
    flags.isGun = true;
    FeatureRig rig(sim::Family::F560, flags);
    rig.board.mouseReadProfile(0);
    const auto before = rig.board.block(0);
    fixture::bus().clearRecords();

    rig.buttons->mouseSetKeyMatrix(keyCodes(5, {0x08, 0x00, uchar(count), 0x00}), true,
                                   ints({10, 20, 30}));

    QCOMPARE(rig.frames(),
             (QStringList{"0c 00 80 00 00 00 00", "0d 01 80 00 00 00 00", "0d 02 80 00 00 00 00",
                          "0d 03 80 00 00 00 00", "0d 04 80 00 00 00 00", "02 01 00 00 00 00 00"}));
    // Block 0 went back with only byte 2 changed.
    auto expected = before;
    expected[2] = uchar(mask);
    QCOMPARE(FeatureRig::bytes(rig.mouse().profile[0]), FeatureRig::bytes(expected));
    QCOMPARE(at(rig.mouse().keyMatrix[0], 5), (KeyBytes{0x08, 0x00, 0x01, 0x00}));
    for (int m = 1; m < 4; ++m) {
        // b1 and b3 of the firmware row (7 0 2 0 for button 6), b2 the next profile.
        QCOMPARE(at(rig.mouse().keyMatrix[std::size_t(m)], 5),
                 (KeyBytes{0x08, 0x00, uchar(nextProfile[m]), 0x00}));
        QCOMPARE(at(rig.mouse().keyMatrix[std::size_t(m)], 0),
                 (KeyBytes{0x0B, uchar(m - 1), uchar(m * 10), 0x00}));
    }
    QCOMPARE(rig.mouse().currentMatrix, uchar(1));
}

void TestButtons::aGunCodeOnAFixedButtonMakesNoGunMatrices()
{
    ModelFlags flags;
    flags.isGun = true;
    FeatureRig rig(sim::Family::F553, flags);
    rig.buttons->mouseSetKeyMatrix(keyCodes(8, {0x08, 0x00, 0x02, 0x00}), true, ints({1, 2, 3}));
    QCOMPARE(rig.frames(), QStringList{"12 01 40 08 00 00 00"});
}

void TestButtons::resetAndSwitch()
{
    FeatureRig rig553(sim::Family::F553);
    rig553.buttons->mouseResetKeyMatrix();
    rig553.buttons->mouseSwitchKeyMatrix(1);
    QCOMPARE(rig553.frames(), (QStringList{"12 02 40 08 00 00 00", "12 03 40 08 00 00 00",
                                           "12 04 40 08 00 00 00", "02 00 00 00 00 00 00"}));
    QCOMPARE(at(rig553.mouse().keyMatrix[3], 7), (KeyBytes{0x05, 0x00, 0x03, 0x00}));

    FeatureRig rig560(sim::Family::F560);
    rig560.buttons->mouseResetKeyMatrix();
    rig560.buttons->mouseSwitchKeyMatrix(1);
    QCOMPARE(rig560.frames(), (QStringList{"0d 02 80 00 00 00 00", "0d 03 80 00 00 00 00",
                                           "0d 04 80 00 00 00 00", "02 01 00 00 00 00 00"}));
}

void TestButtons::keyDefinitionsReadBack()
{
    FeatureRig rig(sim::Family::F553);
    QCOMPARE(rig.buttons->mouseGetKeydefine(14, true), (QVariantList{"255", "0", "1", "0"}));
    rig.buttons->mouseSetKeyMatrix(keyCodes(14, {0x03, 0x00, 0xE2, 0x00}), false, {});
    QCOMPARE(rig.buttons->mouseGetKeydefine(QStringLiteral("14"), false), ints({3, 0, 0xE2, 0}));
    QVERIFY(rig.buttons->mouseGetKeydefine(99, false).isEmpty());
}

QTEST_GUILESS_MAIN(TestButtons)
#include "tst_buttons.moc"
