// SPDX-License-Identifier: GPL-2.0-or-later
// Whatever QML hands the device slots (short lists, text, huge or negative
// numbers), nothing crashes and nothing but the lists' own values or zeros
// reaches the mouse.
#include "FeatureRig.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QVariant randomValue(QRandomGenerator &rng)
{
    switch (rng.bounded(7)) {
    case 0:
        return QStringLiteral("abc");
    case 1:
        return QVariant();
    case 2:
        return -int(rng.bounded(100000));
    case 3:
        return 3.75;
    case 4:
        return QVariantList{1, 2};
    case 5:
        return int(rng.bounded(256));
    default:
        return qint64(1) << 40;
    }
}

QVariantList randomList(QRandomGenerator &rng)
{
    QVariantList l;
    const int n = int(rng.bounded(80));
    for (int i = 0; i < n; ++i)
        l << randomValue(rng);
    return l;
}

} // namespace

class TestMalformed : public QObject
{
    Q_OBJECT

private slots:
    void shortListsSendZerosForTheMissingValues();
    void randomInputToEverySlot();
};

void TestMalformed::shortListsSendZerosForTheMissingValues()
{
    FeatureRig rig(sim::Family::F553);
    rig.settings->mouseSendMacroData(ints({1, 2, 3}), 0);
    QCOMPARE(FeatureRig::bytes(rig.mouse().macro[0]),
             QByteArray::fromHex("010203") + QByteArray(125, '\0'));

    rig.settings->mouseSetRGBColor(1, QVariantList{255, QStringLiteral("x"), 7});
    QCOMPARE(int(rig.mouse().stageColors[0]), 255);
    QCOMPARE(int(rig.mouse().stageColors[1]), 0);
    QCOMPARE(int(rig.mouse().stageColors[2]), 7);
    QCOMPARE(int(rig.mouse().stageColors[3]), 0);

    rig.buttons->mouseSetKeyMatrix(ints({0, 0, 0xF1}), true, {});
    QCOMPARE(rig.frames().last(), QStringLiteral("12 01 40 08 00 00 00"));
    // Button 0 as given; button 1 from nothing: a mouse button of code 0.
    QCOMPARE(int(rig.mouse().keyMatrix[0][2]), 0xF1);
    QCOMPARE(int(rig.mouse().keyMatrix[0][4]), 0x01);
    QCOMPARE(rig.profiles.getDataList(QStringLiteral("mouseKeyMatrix/15"), false),
             ints({0, 0, 0, 0}));
}

void TestMalformed::randomInputToEverySlot()
{
    QRandomGenerator rng(77);
    for (auto family : {sim::Family::F553, sim::Family::F560}) {
        ModelFlags flags;
        flags.isGun = true;
        flags.isColorful = true;
        FeatureRig rig(family, flags, 32);
        for (int round = 0; round < 40; ++round) {
            rig.buttons->mouseSetKeyMatrix(randomList(rng), round % 2, randomList(rng));
            rig.settings->mouseSetDpi(int(rng.bounded(20)) - 5, QStringLiteral("3389"),
                                      randomList(rng));
            rig.settings->mouseSetRGBEffect(uchar(rng.bounded(256)), uchar(rng.bounded(256)),
                                            uchar(rng.bounded(256)));
            rig.settings->mouseSetRGBColor(uchar(rng.bounded(4)), randomList(rng));
            rig.settings->mouseSetFixColor(randomList(rng));
            rig.settings->mouseSendMacroData(randomList(rng), randomValue(rng));
            rig.settings->mouseSendGundata(int(rng.bounded(6)) - 1, randomList(rng));
            rig.buttons->mouseSwitchKeyMatrix(int(rng.bounded(10)) - 3);
            rig.buttons->mouseGetKeydefine(randomValue(rng), rng.bounded(2));
        }
        // Every frame the mouse took was well formed.
        for (const sim::Record &r : fixture::bus().records())
            if (r.kind == sim::Record::Kind::FeatureOut)
                QVERIFY(r.checksumOk);
        QVERIFY(rig.link.hidIdle);
        QCOMPARE(fixture::bus().openHandles(), 0);
    }
}

QTEST_GUILESS_MAIN(TestMalformed)
#include "tst_malformed.moc"
